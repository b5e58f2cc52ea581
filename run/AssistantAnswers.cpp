#include "run/AssistantAnswers.h"

#include <optional>

#include "report/NumberText.h"
#include "solver/SolverErrors.h"
#include "solver/TextToNumber.h"

namespace vornik {

namespace {

AssistantAnswer ErrorAnswer(const RuntimeError& e, const char* field) {
    AssistantAnswer answer;
    answer.message = ErrorBoxText(e.what());
    answer.error = true;
    answer.field = field;
    return answer;
}

}  // namespace

AssistantAnswer PhaseVoltageAnswer(const std::string& lineVoltage) {
    try {
        const std::optional<int> phase = PhaseVoltageFromLine(TextToFloat(lineVoltage));
        if (!phase) {
            // The phase voltage is kept as a 32-bit integer; a larger one is refused like a
            // text that is not a whole number.
            throw RuntimeError("'" + lineVoltage + "' is not a valid integer value");
        }
        AssistantAnswer answer;
        answer.text = std::to_string(*phase);
        return answer;
    } catch (const RuntimeError& e) {
        return ErrorAnswer(e, "line");
    }
}

AssistantAnswer ReactanceAnswer(const ReactanceTexts& texts) {
    ReactanceResult result;
    const char* converting = "inductance";
    try {
        // Read in this order: the first text that is not a number is the one the error names.
        ReactanceInput input;
        input.inductance = TextToFloat(texts.inductance);
        converting = "capacitance";
        input.capacitance = TextToFloat(texts.capacitance);
        input.inductanceUnit = texts.inductanceUnit;
        input.capacitanceUnit = texts.capacitanceUnit;
        converting = "frequency";
        input.frequency = TextToFloat(texts.frequency);
        input.angular = texts.angular;
        converting = "";
        result = ReactanceFromLC(input);
    } catch (const RuntimeError& e) {
        return ErrorAnswer(e, converting);
    }
    AssistantAnswer answer;
    if (result.status != ReactanceStatus::Ok) {
        answer.message = ReactanceMessage(result.status);
    } else {
        answer.text = FormatGeneral(result.x);
    }
    return answer;
}

}  // namespace vornik
