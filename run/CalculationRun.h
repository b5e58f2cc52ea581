#pragma once
// The execute command: read the precision settings, solve the normal mode and every ticked
// emergency mode of the chosen connection, snapshot each into its mode slot and write its
// worked solution.

#include <cstddef>
#include <string>
#include <vector>

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
    // Told after the message when one field is to blame (its text is no number, or its
    // resistance is zero): the control named as the page's element ids name it ("Form3-Edit4",
    // "Form4-ComboBox5"), so the window can put the cursor there.
    virtual void FailedField(const std::string& control) { (void)control; }
};

// A sink that keeps what it is told, for callers that show the run's message themselves or
// not at all (vornik-cli, the web core, the answer key, fuzz targets, benchmarks and tests).
struct CapturedMessages : MessageSink {
    std::vector<std::string> solver;   // plain-box texts, in the order told
    std::vector<std::string> runtime;  // error-box texts
    std::vector<std::string> fields;
    void SolverMessage(const std::string& text) override { solver.push_back(text); }
    void RuntimeError(const std::string& text) override { runtime.push_back(text); }
    void FailedField(const std::string& control) override { fields.push_back(control); }
    std::size_t Count() const { return solver.size() + runtime.size(); }
};

// How a run ended: completed, or stopped with the one message it showed.
struct RunOutcome {
    bool completed = false;
    std::string message;  // a solver message as it stands, a runtime error with its full stop
    bool error = false;   // the message is a runtime error (the error box), not a solver message
    std::string field;    // the control to blame ("Form3-Edit4", "Form4-ComboBox5"), or empty
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

// The whole command. When the run completes the caller enables the diagram command; on a
// failure the message (and the field to blame, if any) also goes to ctx.messages, the rest is
// skipped and what was done stays.
RunOutcome N5Click(const RunContext& ctx);

}  // namespace vornik
