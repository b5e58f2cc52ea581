#pragma once
// The two kinds of failure that end a calculation run.

#include <stdexcept>
#include <string>
#include <utility>

namespace vornik {

// What stops a run: its text and, when one field is to blame (a text that is no number, a zero
// resistance), that field's control as the page's element ids name it ("Form3-Edit4",
// "Form4-ComboBox5"), so the window can put the cursor there; empty when no field is to blame.
class RunFailure : public std::runtime_error {
  public:
    explicit RunFailure(const std::string& text, std::string control = {})
        : std::runtime_error(text), control_(std::move(control)) {}
    const std::string& Control() const { return control_; }

  private:
    std::string control_;
};

// A guarded division failed: the run shows this fixed Russian message in a plain box and stops.
class SolverMessage : public RunFailure {
  public:
    using RunFailure::RunFailure;
};

// An error the program does not guard against itself (a text that is not a number, a complex
// division by zero). The run shows it in the error box with a full stop appended and stops.
class RuntimeError : public RunFailure {
  public:
    using RunFailure::RunFailure;
};

// The error box's text of a RuntimeError: a full stop appended unless the text already ends in
// one or in another character at or below it ('!', ')', '"', a space ...). Every error box of
// both programs and the web page takes its text from here.
inline std::string ErrorBoxText(std::string text) {
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    return text;
}

inline constexpr const char* kZeroResistanceMessage = "Сопротивление не может быть равно нулю!";
inline constexpr const char* kBadDataMessage = "Не верные данные!";
inline constexpr const char* kDivisionByZeroMessage = "Division by zero";

}  // namespace vornik
