#pragma once
// The two kinds of failure that end a calculation run.

#include <stdexcept>
#include <string>

namespace vornik {

// A guarded division failed: the run shows this fixed Russian message in a plain box and stops.
class SolverMessage : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An error the program does not guard against itself (a text that is not a number, a complex
// division by zero). The run shows it in the error box with a full stop appended and stops.
class RuntimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
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
