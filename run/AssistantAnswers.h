#pragma once
// The input assistant's buttons as texts: what the user typed in, the text the assistant shows
// or writes into the parameter form, or the message it shows instead. The arithmetic is
// solver/InputAssistant's; this adds reading the texts, the number's text and the messages, so
// the desktop window and the web page only forward.

#include <string>

#include "solver/InputAssistant.h"

namespace vornik {

struct AssistantAnswer {
    // The result as the fields show it ("381", "31,42"); empty when there is a message.
    std::string text;
    // Otherwise the message: the error box's text (with its full stop) when `error` is set, else
    // the fixed text of the plain box.
    std::string message;
    bool error = false;
    // With an error box: which text was not a number ("line", "inductance", "capacitance" or
    // "frequency"), for the window to put the cursor there.
    std::string field;
};

// The phase voltage for the line-voltage text: U / sqrt(3) as a whole number, or the error of a
// text that is not a number or a phase voltage beyond a 32-bit integer.
AssistantAnswer PhaseVoltageAnswer(const std::string& lineVoltage);

// The reactance of one load phase from the texts of its inductance and capacitance (with the
// chosen unit indices, kNoUnit when none) and of the frequency (angular when the 1/s button is
// chosen): X rounded to 2 decimals, or the error or fixed message.
struct ReactanceTexts {
    std::string inductance;
    int inductanceUnit = kNoUnit;
    std::string capacitance;
    int capacitanceUnit = kNoUnit;
    std::string frequency;
    bool angular = false;
};
AssistantAnswer ReactanceAnswer(const ReactanceTexts& texts);

}  // namespace vornik
