// The error box's full stop, shared by the run, the windows and the web page.

#include <gtest/gtest.h>

#include <string>

#include "solver/SolverErrors.h"

namespace {

TEST(ErrorBoxText, FullStopUnlessTheTextEndsAtOrBelowOne) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"Floating point division by zero", "Floating point division by zero."},
        {"'x' is not a valid floating point value", "'x' is not a valid floating point value."},
        {"Не удалось сохранить файл \"a\": это папка.", "Не удалось сохранить файл \"a\": это папка."},
        {"это папка", "это папка."},  // a Cyrillic letter is above the full stop
        {"Сопротивление не может быть равно нулю!", "Сопротивление не может быть равно нулю!"},
        {"файл \"a\"", "файл \"a\""},
        {"(a)", "(a)"},
        {"a-", "a-"},
        {"a/", "a/."},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vornik::ErrorBoxText(c.text), c.shown) << c.text;
    }
}

}  // namespace
