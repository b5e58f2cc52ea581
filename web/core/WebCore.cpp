// The calculator core as the web page calls it: the parameter and precision texts are set one by
// one, then the run, the diagram, the picture and text encoders answer with JSON or bytes kept
// here until the next call. The page owns all controls; this keeps only what the desktop program
// keeps in process memory (the calculation state and the diagram canvas with its pen and font).

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "check/AnswersFile.h"
#include "check/CheckJson.h"
#include "check/Marking.h"
#include "classset/AnswerKey.h"
#include "classset/RandomVariants.h"
#include "diagram/Diagram.h"
#include "diagram/PictureEncoders.h"
#include "diagram/RecordingCanvas.h"
#include "diagram/SvgWriter.h"
#include "json/DiagramJson.h"
#include "json/Json.h"
#include "report/ResultsDocument.h"
#include "report/RtfDocument.h"
#include "report/TitleBlock.h"
#include "run/AssistantAnswers.h"
#include "run/CalculationRun.h"
#include "solver/Modes.h"
#include "task/TaskFile.h"

namespace {

using namespace vornik;

// The process-wide state of the page's calculator.
CircuitInput gForm;
PrecisionValues gPrecision;
CalcState gState;
// The inputs of the last run that stored results: the printout's title block describes them, as
// the diagram does, whatever the form holds now.
std::optional<CircuitInput> gStoredForm;
// Like the desktop's picture, the canvas keeps its pen and font from one drawing to the next.
RecordingCanvas gCanvas;
// Whether the canvas holds the operations of a drawing the page shows (not after a mode that was
// not computed, nor after the core was loaded afresh).
bool gDrawn = false;
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

// The texts of a drawing as the page measured them, in the order they are drawn: the page's
// canvas places each text and the SVG puts it where the canvas did. The family is left to the
// SVG writer, which names the faces the page asks its canvas for.
class PageTextMeasure : public TextMeasure {
  public:
    explicit PageTextMeasure(std::vector<TextExtent> extents) : extents_(std::move(extents)) {}
    TextExtent Measure(const std::optional<std::string>&, int, const std::string&) const override {
        return next_ < extents_.size() ? extents_[next_++] : TextExtent{};
    }

  private:
    std::vector<TextExtent> extents_;
    mutable std::size_t next_ = 0;
};

// The assistant's answer as {"text":...} or {"message":...,"error":bool}.
// The assistant's answer; with an error box also the field whose text was not a number, as the
// page names it ("Form8-Edit1" for the line voltage; "inductance", "capacitance", "frequency").
const char* AssistantJson(const AssistantAnswer& answer) {
    if (answer.message.empty()) {
        return Answer(TextJson(answer.text));
    }
    Json out = MessageJson(answer.message, answer.error);
    if (!answer.field.empty()) {
        out["field"] = answer.field == "line" ? "Form8-Edit1" : answer.field;
    }
    return Answer(out);
}

// The task of the inputs last set, for the self-check.
TaskValues FormTask() {
    return TaskValues{"", gForm, gPrecision};
}

// A task as vk_task_read gives it to the page.
Json TaskJson(const TaskFile& t) {
    return Json{{"title", t.title},       {"note", t.note},          {"star", t.input.star},
                {"texts", t.input.texts}, {"checks", t.input.ticks}, {"precision", t.precision.texts}};
}

// A member of the page's JSON as a string, empty when it is missing or not one.
std::string StringOf(const Json& object, const char* name) {
    const auto it = object.find(name);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// {"error":text}
Json ErrorJson(const std::string& text) {
    return Json{{"error", text}};
}

// JSON text from the page; anything else is an empty object.
Json ParsedJson(const char* text) {
    // Read through the same kind of input as the task reader's, so the parser is compiled once.
    const std::string_view view(text);
    Json value = Json::parse(view.begin(), view.end(), nullptr, false);
    return value.is_discarded() ? Json::object() : value;
}

// A draw whose run stops is drawn again; after this many runs the page says so instead of
// keeping the student waiting (a run with every emergency mode takes a good part of a second
// on a slow phone).
constexpr int kRandomTaskRuns = 60;

// The ranges of a text such as "r1=5..20/0,5 x1=-10..10": separated by blanks or semicolons
// (the comma is the decimal separator). Returns the one that could not be read, or empty.
std::string ReadRanges(std::string_view text, std::vector<VaryRange>& ranges) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = text.find_first_not_of(" \t\r\n;", at);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t stop = std::min(text.find_first_of(" \t\r\n;", start), text.size());
        const std::string_view one = text.substr(start, stop - start);
        const Outcome<VaryRange> range = ParseVaryRange(one);
        if (!range) {
            return std::string(one);
        }
        ranges.push_back(*range);
        at = stop;
    }
    return std::string();
}

}  // namespace

extern "C" {

// The parameter and precision forms' table, so the page takes its initial texts and limits from
// the core: {"fields":[{"control","option","initial","maxLength","readLength"}...] in the order vk_set_text
// numbers them, "ticks":[{"control", and the vornik-cli option and value that tick it in star
// and in delta}...], "decimals":[{"name","initial"}...]}.
EMSCRIPTEN_KEEPALIVE const char* vk_fields() {
    Json fields = Json::array();
    for (const FieldSpec& f : kFields) {
        fields.push_back({{"control", f.control},
                          {"option", f.option},
                          {"initial", f.initial},
                          {"maxLength", f.maxLength},
                          {"readLength", f.readLength}});
    }
    Json ticks = Json::array();
    for (const TickSpec& t : kTicks) {
        ticks.push_back({{"control", t.control},
                         {"starOption", t.starOption},
                         {"starValue", t.starValue},
                         {"deltaOption", t.deltaOption},
                         {"deltaValue", t.deltaValue}});
    }
    Json decimals = Json::array();
    for (const PrecisionSpec& p : kPrecisionFields) {
        decimals.push_back({{"name", p.name}, {"initial", p.initial}});
    }
    return Answer(Json{{"fields", fields}, {"ticks", ticks}, {"decimals", decimals}});
}

// The operating modes' table, so the page names the diagram's pairs as the core does: an array of
// {"star","pair","tick","slot","name","webName","caption"} per connection in the run's order, where
// "pair" is the diagram's pair of buttons 0..6, "tick" the CheckBox number that asks for the mode
// (null for the normal mode), "name" vornik-cli's, "webName" the saved pictures', "caption" the
// hint beside the pair.
EMSCRIPTEN_KEEPALIVE const char* vk_modes() {
    Json modes = Json::array();
    for (const ModeSpec& m : kModes) {
        modes.push_back(
            {{"star", m.star},
             {"pair", m.pair},
             {"tick", m.tick == kAlwaysComputed ? Json(nullptr) : Json(static_cast<int>(m.tick) + 1)},
             {"slot", m.slot},
             {"name", m.name},
             {"webName", m.webName},
             {"caption", m.pageCaption}});
    }
    return Answer(modes);
}

// A task file's bytes (`size` of them; `name` is the file's name for the messages), read with the
// form's length limits: {"task":{"title","note","star","texts":[16],"checks":[7],"precision":[20]},
// "warning":text or null} or {"error":text}.
EMSCRIPTEN_KEEPALIVE const char* vk_task_read(const char* bytes, int size, const char* name) {
    const TaskReadResult read =
        ReadTask(std::string_view(bytes, static_cast<size_t>(std::max(size, 0))), FieldLimits::Form);
    if (!read) {
        return Answer(Json{{"error", TaskErrorMessage(name, read.Error().message)}});
    }
    return Answer(Json{{"task", TaskJson(read->task)},
                       {"warning", read->newer ? Json(TaskNewerMessage(name)) : Json(nullptr)}});
}

// The task file of the inputs last set (vk_set_text and the others) with its title and note.
EMSCRIPTEN_KEEPALIVE const char* vk_task_write(const char* title, const char* note) {
    TaskFile task = TakeTask(gForm, gPrecision);
    task.title = title;
    task.note = note;
    gOut = WriteTask(task);
    return gOut.c_str();
}

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

// The title block of the printed solution for the last run that stored results (before any did,
// for the inputs set last), dated `date`: a JSON array of lines (heading, connection, inputs,
// ticked modes, date), as the PDF of the solution starts.
EMSCRIPTEN_KEEPALIVE const char* vk_title_block(const char* date) {
    Json lines = Json::array();
    for (const std::string& line : TitleBlockLines(gStoredForm ? *gStoredForm : gForm, std::string(), date)) {
        lines.push_back(line);
    }
    return Answer(lines);
}

// Text of the precision form's ComboBox(index + 1).
EMSCRIPTEN_KEEPALIVE void vk_set_precision(int index, const char* text) {
    if (index >= 0 && index < kPrecisionCount) {
        gPrecision.texts[index] = text;
    }
}

// The execute command: {"report":[lines], "cleared":bool, "completed":bool, "stored":bool,
// "message":text, "error":bool, "field":control}. The report holds what the run wrote, also when it stopped
// half-way; "cleared" says whether the normal-mode writer cleared the document (when it did not,
// the page keeps its old report); "stored" whether the run stored the results of any mode;
// "field" names the control to blame: whose text could not be read or whose resistance is zero
// ("Form3-Edit4"), empty for other failures.
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
    CapturedMessages messages;
    const RunContext ctx{gState, gForm, gPrecision, tracking, messages};
    const unsigned storedBefore = gState.stored ? gState.stored->serial : 0;
    const RunOutcome outcome = N5Click(ctx);
    const bool stored = (gState.stored ? gState.stored->serial : 0) != storedBefore;
    if (stored) {
        gStoredForm = gForm;
    }
    Json out = Json::object();
    out["report"] = doc.lines;
    out["cleared"] = tracking.cleared;
    out["completed"] = outcome.completed;
    out["stored"] = stored;
    out.update(MessageJson(outcome.message, outcome.error));
    out["field"] = outcome.field;
    return Answer(out);
}

// Draws the diagram of radio button 1..14 from the mode slots with the connection and neutral
// tick of the last run that stored results, on the canvas that keeps its font between drawings:
// {"label11":text or null, "label12":text, "legend":text, "ops":[...], "vectors":[[label, re, im]]}.
// A mode that run did not compute is not drawn: {"notComputed":text} with the line the page
// shows instead.
EMSCRIPTEN_KEEPALIVE const char* vk_diagram(int button) {
    gDrawn = false;
    if (gState.stored && !ModeComputedBy(*gState.stored, button)) {
        Json answer;
        answer["notComputed"] = kModeNotComputedText;
        return Answer(answer);
    }
    gCanvas.ClearOps();
    DiagramLabels labels;
    const DiagramSelection beforeAnyRun{gForm.star, gForm.Checked(kNeutralWire), button};
    DrawStoredDiagram(gCanvas, gState, button, beforeAnyRun, labels);
    gDrawn = true;
    Json answer = DiagramJson(labels, gCanvas.Ops());
    // The page's text alternative of the picture: the arrows drawn, as [label, re, im].
    Json vectors = Json::array();
    for (const DiagramLabels::Phasor& p : labels.phasors) {
        vectors.push_back(Json::array({p.label, p.re, p.im}));
    }
    answer["vectors"] = vectors;
    return Answer(answer);
}

// The last drawing as an SVG document, by the desktop program's writer. `extents` are its texts
// as the page's canvas measured them, in drawing order: "width,height,ascent" separated by
// semicolons. Empty when no drawing is held.
EMSCRIPTEN_KEEPALIVE const char* vk_diagram_svg(const char* extents) {
    if (!gDrawn) {
        gOut.clear();
        return gOut.c_str();
    }
    std::vector<TextExtent> texts;
    const std::string all = extents;
    for (size_t at = 0; at < all.size();) {
        const size_t stop = std::min(all.find(';', at), all.size());
        TextExtent e;
        if (std::sscanf(all.substr(at, stop - at).c_str(), "%d,%d,%d", &e.width, &e.height, &e.ascent) == 3) {
            texts.push_back(e);
        }
        at = stop + 1;
    }
    gOut = DiagramSvg(gCanvas.Ops(), PageTextMeasure(std::move(texts)));
    return gOut.c_str();
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

// The assistant's phase voltage from the line-voltage text: {"text":"381"} or a message, with the
// field to put the cursor in.
EMSCRIPTEN_KEEPALIVE const char* vk_phase_voltage(const char* lineVoltage) {
    return AssistantJson(PhaseVoltageAnswer(lineVoltage));
}

// The assistant's reactance of one phase: {"text":"31,42"} or a message; a text that is no
// number also names its field ("inductance", "capacitance" or "frequency"), for the page to put
// the cursor there.
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

// The self-check's sheet of the task of the inputs last set: {"modes":[{"mode","caption",
// "quantities":[{"quantity","label","unit","angle","nonNegative","section"}...]}...]}, or
// {"message","error"} when its run stops.
EMSCRIPTEN_KEEPALIVE const char* vk_check_sheet() {
    const AnswerSheet sheet = MakeAnswerSheet(FormTask());
    if (!sheet.completed) {
        return Answer(MessageJson(sheet.message, false));
    }
    return Answer(SheetJson(sheet));
}

// The marks of `answers` ({"normal":{"IaMod":"20,8",...},...}) against that task, as
// vornik-cli --check --json prints them, or {"message","error"}.
EMSCRIPTEN_KEEPALIVE const char* vk_check_mark(const char* answers) {
    const AnswerSheet sheet = MakeAnswerSheet(FormTask());
    if (!sheet.completed) {
        return Answer(MessageJson(sheet.message, false));
    }
    const Json parsed = ParsedJson(answers);
    return Answer(MarksJson(MarkAnswers(sheet, AnswersOf(parsed))));
}

// The lines of section `section` of mode `mode`'s worked solution: {"lines":[...]} ("Показать шаг N").
EMSCRIPTEN_KEEPALIVE const char* vk_check_section(const char* mode, const char* section) {
    return Answer(SectionJson(MakeAnswerSheet(FormTask()), mode, section));
}

// An answers file's bytes (`size` of them; `name` for the message), its task read with the
// form's limits: {"file":{"task":{as vk_task_read's},"student","group","answers",
// "revealed":{"sections":[{"mode","section"}...],"solution"},"saved"}} or {"error":text}.
EMSCRIPTEN_KEEPALIVE const char* vk_answers_read(const char* bytes, int size, const char* name) {
    const AnswersReadResult read =
        ReadAnswers(std::string_view(bytes, static_cast<size_t>(std::max(size, 0))), FieldLimits::Form);
    if (!read) {
        return Answer(Json{{"error", AnswersErrorMessage(name, read.Error().message)}});
    }
    const AnswersFile& f = *read;
    Json sections = Json::array();
    for (const RevealedSection& r : f.revealed) {
        sections.push_back({{"mode", r.mode}, {"section", r.section}});
    }
    return Answer(Json{{"file",
                        {{"task", TaskJson(f.task)},
                         {"student", f.student},
                         {"group", f.group},
                         {"answers", AnswersJson(f.answers)},
                         {"revealed", {{"sections", sections}, {"solution", f.solutionRevealed}}},
                         {"saved", f.saved}}}});
}

// The answers file's text of `file` ({"title","note","student","group","answers","revealed":
// {"sections","solution"},"saved"}, the page giving the time as new Date().toISOString() does,
// without the milliseconds) with the task of the inputs last set. The clock stays in the page:
// the C library's time formatting would make the site larger.
EMSCRIPTEN_KEEPALIVE const char* vk_answers_write(const char* file) {
    const Json in = ParsedJson(file);
    const Json object = in.is_object() ? in : Json::object();
    AnswersFile out;
    out.task = TakeTask(gForm, gPrecision);
    out.task.title = StringOf(object, "title");
    out.task.note = StringOf(object, "note");
    out.student = StringOf(object, "student");
    out.group = StringOf(object, "group");
    out.saved = StringOf(object, "saved");
    if (const auto answers = object.find("answers"); answers != object.end()) {
        out.answers = AnswersOf(*answers);
    }
    if (const auto revealed = object.find("revealed"); revealed != object.end() && revealed->is_object()) {
        const auto solution = revealed->find("solution");
        out.solutionRevealed = solution != revealed->end() && solution->is_boolean() && solution->get<bool>();
        if (const auto sections = revealed->find("sections");
            sections != revealed->end() && sections->is_array()) {
            for (const Json& r : *sections) {
                if (r.is_object()) {
                    out.revealed.push_back({StringOf(r, "mode"), StringOf(r, "section")});
                }
            }
        }
    }
    gOut = WriteAnswers(out);
    return gOut.c_str();
}

// The words of each verdict: {"right":"верно",…}.
EMSCRIPTEN_KEEPALIVE const char* vk_check_verdicts() {
    Json out = Json::object();
    for (const Verdict v :
         {Verdict::Right, Verdict::Carried, Verdict::Mistake, Verdict::Wrong, Verdict::Missing}) {
        out[VerdictId(v)] = VerdictName(v);
    }
    return Answer(out);
}

// "Случайная задача": the task of the inputs set last with every field of `ranges` drawn by
// `seed` (a decimal number), one whose run completes, as {"task":{…}} (as vk_task_read gives
// it) or {"error":text}.
EMSCRIPTEN_KEEPALIVE const char* vk_check_random(const char* ranges, const char* seed) {
    std::vector<VaryRange> parsed;
    if (const std::string bad = ReadRanges(ranges, parsed); !bad.empty()) {
        return Answer(
            ErrorJson("Диапазон «" + bad +
                      "» не прочитан. Пишите имя=от..до/шаг, например r1=5..20/0,5; имена полей: u1…u3, "
                      "a1…a3, r1, x1, r2, x2, r3, x3, r0, shunt1…shunt3."));
    }
    if (parsed.empty()) {
        return Answer(
            ErrorJson("Нет ни одного диапазона: укажите, какие данные задачи выбирать случайно, "
                      "например r1=5..20/0,5."));
    }
    const std::string_view seedText = seed;
    std::uint64_t seedValue = 0;
    std::from_chars(seedText.data(), seedText.data() + seedText.size(), seedValue);
    const TaskValues base = FormTask();
    int runs = 0;
    const DrawResult draw = DrawVariants(base, 1, seedValue, parsed, [&runs](const TaskValues& task) {
        return ++runs <= kRandomTaskRuns && VariantRuns(task);
    });
    if (!draw) {
        return Answer(
            ErrorJson("Не удалось выбрать задачу, расчёт которой доходит до конца: измените диапазоны "
                      "или данные в форме."));
    }
    const TaskFile drawn = TakeTask(draw->variants.front().task.input, gPrecision);
    // A drawn text longer than its field holds would be refused when the answers file is opened.
    const TaskReadResult back = ReadTask(WriteTask(drawn), FieldLimits::Form);
    if (!back) {
        return Answer(ErrorJson("Значения диапазонов не помещаются в поля формы: " + back.Error().message));
    }
    return Answer(Json{{"task", TaskJson(back->task)}});
}

}  // extern "C"
