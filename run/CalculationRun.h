#pragma once
// The execute command: read the precision settings, solve the normal mode and every ticked
// emergency mode of the chosen connection, snapshot each into its mode slot and write its
// worked solution.

#include <string>

#include "report/ResultsDocument.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// Where the run's one failure message goes.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A solver message ("Сопротивление не может быть равно нулю!", "Не верные данные!"),
    // shown as it stands in a plain box.
    virtual void SolverMessage(const std::string& text) = 0;
    // A runtime error, already with its full stop, shown in the error box.
    virtual void RuntimeError(const std::string& text) = 0;
    // Told after RuntimeError when the error is the conversion of a field's text: the control
    // named as the page's element ids name it ("Form3-Edit4", "Form4-ComboBox5"), so the window
    // can put the cursor there.
    virtual void FailedField(const std::string& control) { (void)control; }
};

// Everything a calculation run talks to.
struct RunContext {
    CalcState& state;
    const CircuitInput& input;  // copied from the form when the run starts
    const PrecisionTexts& precision;
    ResultsDocument& doc;
    MessageSink& messages;
};

// Fills state.precision from the twenty texts; throws RuntimeError on a text that is not a whole number.
void ReadPrecisionSettings(CalcState& state, const PrecisionTexts& texts);

// The star and delta mode sequences; they throw SolverMessage / RuntimeError on failure.
void RunStar(const RunContext& ctx);
void RunDelta(const RunContext& ctx);

// The whole command. Returns true when the run completed (the caller then enables the diagram
// command); on a failure the message goes to ctx.messages, the rest is skipped and what was done stays.
bool N5Click(const RunContext& ctx);

// The control whose text the run failed to convert, when `message` (a RuntimeError's text
// without its full stop) is that conversion's message; empty otherwise.
std::string FailedFieldOfRun(const CircuitInput& input, const PrecisionTexts& precision,
                             const std::string& message);

}  // namespace vornik
