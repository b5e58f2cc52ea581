#pragma once
// Random variants: the base task with chosen fields drawn from ranges such as r1=5..20/0,5,
// the same for the same seed on every machine (our own integer generator, no library
// distribution whose output may change between versions).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classset/Variant.h"
#include "fileio/Failure.h"

namespace vornik {

// splitmix64: a 64-bit state and a fixed mixing function, so a seed gives the same sequence
// everywhere.
class SplitMix64 {
  public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // Uniform in [0, n) for n > 0, without the bias of a plain remainder.
    std::uint64_t Below(std::uint64_t n);

  private:
    std::uint64_t state_;
};

// NAME=FROM..TO/STEP: the field and its values FROM, FROM+STEP, … up to TO, held as whole
// numbers of the finest decimal step among the three so that no binary fraction creeps in.
struct VaryRange {
    std::string name;
    int field = 0;  // Param index
    std::int64_t from = 0;
    std::int64_t step = 1;
    std::int64_t count = 1;  // how many values
    int scale = 0;           // decimals of from, to and step

    // The text of value k (0 ≤ k < count) as typed: decimal comma, no trailing zeros.
    std::string Text(std::int64_t k) const;
};

// The range of NAME=FROM..TO/STEP, or a one-line hint.
Outcome<VaryRange> ParseVaryRange(std::string_view text);

struct DrawnVariants {
    std::vector<Variant> variants;
    int stoppedRedraws = 0;    // draws whose run stopped with a message
    int duplicateRedraws = 0;  // draws equal to an earlier variant
};

// The variants drawn, or why not enough different ones could be drawn.
using DrawResult = Outcome<DrawnVariants>;

// Draws `count` different variants named 1..count, each with every range's field drawn
// uniformly. A draw that `runs` rejects (its run stops with a message) or that repeats an
// earlier variant is drawn again; the number of attempts is bounded.
DrawResult DrawVariants(const TaskValues& base, int count, std::uint64_t seed,
                        const std::vector<VaryRange>& ranges,
                        const std::function<bool(const TaskValues&)>& runs);

}  // namespace vornik
