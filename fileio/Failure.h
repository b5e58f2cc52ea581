#pragma once
// The one shape of a failure that a user is told about, for every layer of the core and for
// vornik-cli: a step that can fail returns an Outcome, which holds either its value or the
// Failure that stopped it. Exceptions stay inside a layer (the solvers' messages end in the
// run's outcome, a failed write in the save's). A message for users is Russian, whole and
// ready to show; developers' diagnostics (fuzz targets, benchmarks, test output) are English.

#include <optional>
#include <string>
#include <utility>

namespace vornik {

struct Failure {
    std::string message;  // what the user reads (Russian)
    std::string field;    // the control to blame ("Form3-Edit4"), or empty
};

// A value, or the failure (Failure, or a failure type of the caller's with more facts) that
// kept it from being made.
template <class T, class E = Failure>
class Outcome {
  public:
    Outcome(T value) : value_(std::move(value)) {}
    Outcome(E failure) : failure_(std::move(failure)) {}

    bool Ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return Ok(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const E& Error() const { return *failure_; }

  private:
    std::optional<T> value_;
    std::optional<E> failure_;
};

// A step without a value: done, or the failure that stopped it.
template <class E>
class Outcome<void, E> {
  public:
    Outcome() = default;
    Outcome(E failure) : failure_(std::move(failure)) {}

    bool Ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return Ok(); }
    const E& Error() const { return *failure_; }

  private:
    std::optional<E> failure_;
};

}  // namespace vornik
