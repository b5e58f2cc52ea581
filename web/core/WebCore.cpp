// The calculator core as the web page calls it: the parameter and precision texts are set one by
// one, then the run, the diagram, the picture and text encoders answer with JSON or bytes kept
// here until the next call. The page owns all controls; this keeps only what the desktop program
// keeps in process memory (the calculation state and the diagram canvas with its pen and font).

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "diagram/Diagram.h"
#include "diagram/PictureEncoders.h"
#include "diagram/RecordingCanvas.h"
#include "json/DiagramJson.h"
#include "json/Json.h"
#include "report/ResultsDocument.h"
#include "report/RtfDocument.h"
#include "run/AssistantAnswers.h"
#include "run/CalculationRun.h"

namespace {

using namespace vornik;

struct CapturedMessage : MessageSink {
    std::string text;
    bool error = false;
    void SolverMessage(const std::string& t) override { text = t; }
    void RuntimeError(const std::string& t) override {
        text = t;
        error = true;
    }
};

// The process-wide state of the page's calculator.
ParameterValues gForm;
PrecisionValues gPrecision;
CalcState gState;
// Like the desktop's picture, the canvas keeps its pen and font from one drawing to the next.
RecordingCanvas gCanvas;
std::string gOut;
std::vector<std::uint8_t> gBytes;

// The answer as JSON text on one line; bytes that are not UTF-8 become U+FFFD.
const char* Answer(const Json& value) {
    gOut = JsonText(value);
    return gOut.c_str();
}

// {"message":text,"error":bool}
Json MessageJson(const std::string& text, bool error) {
    Json out = Json::object();
    out["message"] = text;
    out["error"] = error;
    return out;
}

// {"text":text}
Json TextJson(const std::string& text) {
    Json out = Json::object();
    out["text"] = text;
    return out;
}

// The assistant's answer as {"text":...} or {"message":...,"error":bool}.
const char* AssistantJson(const AssistantAnswer& answer) {
    return Answer(answer.message.empty() ? TextJson(answer.text) : MessageJson(answer.message, answer.error));
}

}  // namespace

extern "C" {

// Text of a parameter-form field, in the order ComboBox1..3, Edit1..Edit13.
EMSCRIPTEN_KEEPALIVE void vk_set_text(int field, const char* text) {
    if (field >= 0 && field < kParamCount) {
        gForm[static_cast<Param>(field)] = text;
    }
}

// Tick of CheckBox1..CheckBox7.
EMSCRIPTEN_KEEPALIVE void vk_set_check(int box, int on) {
    if (box >= 1 && box <= kCheckBoxCount) {
        gForm.SetChecked(box, on != 0);
    }
}

EMSCRIPTEN_KEEPALIVE void vk_set_star(int star) {
    gForm.star = star != 0;
}

// Text of the precision form's ComboBox(index + 1).
EMSCRIPTEN_KEEPALIVE void vk_set_precision(int index, const char* text) {
    if (index >= 0 && index < kPrecisionCount) {
        gPrecision.texts[index] = text;
    }
}

// The execute command: {"report":[lines], "completed":bool, "message":text, "error":bool}.
// The report holds what the run wrote, also when it stopped half-way; "cleared" says whether the
// normal-mode writer cleared the document (when it did not, the page keeps its old report).
EMSCRIPTEN_KEEPALIVE const char* vk_run() {
    LinesDocument doc;
    struct TrackingDocument : ResultsDocument {
        LinesDocument& lines;
        bool cleared = false;
        explicit TrackingDocument(LinesDocument& l) : lines(l) {}
        void Clear() override {
            cleared = true;
            lines.Clear();
        }
        void AppendLine(const std::string& text) override { lines.AppendLine(text); }
    } tracking(doc);
    CapturedMessage message;
    const RunContext ctx{gState, gForm, gPrecision, tracking, message};
    const bool completed = N5Click(ctx);
    Json out = Json::object();
    out["report"] = doc.lines;
    out["cleared"] = tracking.cleared;
    out["completed"] = completed;
    out.update(MessageJson(message.text, message.error));
    return Answer(out);
}

// Draws the diagram of radio button 1..14 from the mode slots with the form's connection and
// neutral tick, on the canvas that keeps its font between drawings: {"label11":text or null,
// "label12":text, "legend":text, "ops":[...]}.
EMSCRIPTEN_KEEPALIVE const char* vk_diagram(int button) {
    gCanvas.ClearOps();
    DiagramLabels labels;
    const DiagramSelection selection{gForm.star, gForm.Checked(1), button};
    DrawSelectedDiagram(gCanvas, gState.modeSlots, selection, labels);
    return Answer(DiagramJson(labels, gCanvas.Ops()));
}

// A 400 x 400 RGBA picture (as the canvas gives it) written as the core's 24-bit BMP; the bytes
// stay at vk_bytes() with vk_bytes_size() of them.
EMSCRIPTEN_KEEPALIVE int vk_bmp(const std::uint8_t* rgba, int width, int height) {
    RgbPicture picture;
    picture.width = width;
    picture.height = height;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    picture.rgb.resize(count * 3);
    for (size_t k = 0; k < count; ++k) {
        picture.rgb[3 * k] = rgba[4 * k];
        picture.rgb[3 * k + 1] = rgba[4 * k + 1];
        picture.rgb[3 * k + 2] = rgba[4 * k + 2];
    }
    try {
        gBytes = EncodeBmp(picture);
    } catch (const std::exception&) {
        gBytes.clear();
        return 0;
    }
    return 1;
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* vk_bytes() {
    return gBytes.data();
}

EMSCRIPTEN_KEEPALIVE int vk_bytes_size() {
    return static_cast<int>(gBytes.size());
}

// The results document's lines (separated by line feeds) with the raised spans ("line,begin,end"
// separated by semicolons, positions in UTF-16 units) as the RTF file the desktop program saves;
// the bytes stay at vk_bytes().
EMSCRIPTEN_KEEPALIVE int vk_rtf(const char* text, const char* spans) {
    std::vector<std::string> lines;
    std::string line;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += *p;
        }
    }
    lines.push_back(line);
    std::vector<RaisedSpan> raised;
    const std::string all = spans;
    for (size_t at = 0; at < all.size();) {
        const size_t stop = std::min(all.find(';', at), all.size());
        RaisedSpan span;
        if (std::sscanf(all.substr(at, stop - at).c_str(), "%zu,%zu,%zu", &span.line, &span.begin,
                        &span.end) == 3) {
            raised.push_back(span);
        }
        at = stop + 1;
    }
    const std::string rtf = RtfFromLines(lines, raised);
    gBytes.assign(rtf.begin(), rtf.end());
    return 1;
}

// The assistant's phase voltage from the line-voltage text: {"text":"381"} or a message.
EMSCRIPTEN_KEEPALIVE const char* vk_phase_voltage(const char* lineVoltage) {
    return AssistantJson(PhaseVoltageAnswer(lineVoltage));
}

// The assistant's reactance of one phase: {"text":"31,42"} or a message.
EMSCRIPTEN_KEEPALIVE const char* vk_reactance(const char* inductance, int inductanceUnit,
                                              const char* capacitance, int capacitanceUnit,
                                              const char* frequency, int angular) {
    ReactanceTexts texts;
    texts.inductance = inductance;
    texts.inductanceUnit = inductanceUnit;
    texts.capacitance = capacitance;
    texts.capacitanceUnit = capacitanceUnit;
    texts.frequency = frequency;
    texts.angular = angular != 0;
    return AssistantJson(ReactanceAnswer(texts));
}

}  // extern "C"
