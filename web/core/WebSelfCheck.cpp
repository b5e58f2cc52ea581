// What the page's "Проверить себя" asks of the core beside the self-check's own functions: a
// random task drawn from ranges as a class set draws its variants ("Случайная задача").

#include <emscripten.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classset/AnswerKey.h"
#include "classset/RandomVariants.h"
#include "json/Json.h"
#include "task/TaskFile.h"

namespace {

using namespace vornik;

// A draw whose run stops is drawn again; after this many runs the page says so instead of
// keeping the student waiting (a run with every emergency mode takes a good part of a second
// on a slow phone).
constexpr int kRandomTaskRuns = 60;

std::string gAnswer;

const char* Answer(const Json& value) {
    gAnswer = JsonText(value);
    return gAnswer.c_str();
}

const char* ErrorAnswer(const std::string& text) {
    return Answer(Json{{"error", text}});
}

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
        VaryRange range;
        if (!ParseVaryRange(one, range).empty()) {
            return std::string(one);
        }
        ranges.push_back(range);
        at = stop;
    }
    return std::string();
}

}  // namespace

extern "C" {

// "Случайная задача": the task of `taskFile` (a task file's text: the form's task) with every
// field of `ranges` drawn by `seed` (a decimal number), one whose run completes, as
// {"task":{"title","note","star","texts","checks","precision"}} (as vk_task_read gives it) or
// {"error":text}.
EMSCRIPTEN_KEEPALIVE const char* vk_check_random(const char* taskFile, const char* ranges, const char* seed) {
    const TaskReadResult read = ReadTask(taskFile, FieldLimits::Form);
    if (!read.task) {
        return ErrorAnswer(read.error);
    }
    std::vector<VaryRange> parsed;
    if (const std::string bad = ReadRanges(ranges, parsed); !bad.empty()) {
        return ErrorAnswer("Диапазон «" + bad +
                           "» не прочитан. Пишите имя=от..до/шаг, например r1=5..20/0,5; имена полей: u1…u3, "
                           "a1…a3, r1, x1, r2, x2, r3, x3, r0, shunt1…shunt3.");
    }
    if (parsed.empty()) {
        return ErrorAnswer(
            "Нет ни одного диапазона: укажите, какие данные задачи выбирать случайно, "
            "например r1=5..20/0,5.");
    }
    const std::string_view seedText = seed;
    std::uint64_t seedValue = 0;
    std::from_chars(seedText.data(), seedText.data() + seedText.size(), seedValue);
    const TaskValues base{read.task->title, read.task->input, read.task->precision};
    int runs = 0;
    const DrawResult draw = DrawVariants(base, 1, seedValue, parsed, [&runs](const TaskValues& task) {
        return ++runs <= kRandomTaskRuns && VariantRuns(task);
    });
    if (draw.variants.empty()) {
        return ErrorAnswer(
            "Не удалось выбрать задачу, расчёт которой доходит до конца: измените диапазоны "
            "или данные в форме.");
    }
    TaskFile drawn = *read.task;
    drawn.input = draw.variants.front().task.input;
    // A drawn text longer than its field holds would be refused when the answers file is opened.
    const TaskReadResult back = ReadTask(WriteTask(drawn), FieldLimits::Form);
    if (!back.task) {
        return ErrorAnswer("Значения диапазонов не помещаются в поля формы: " + back.error);
    }
    const TaskFile& t = *back.task;
    return Answer(Json{{"task",
                        {{"title", t.title},
                         {"note", t.note},
                         {"star", t.input.star},
                         {"texts", t.input.texts},
                         {"checks", t.input.ticks},
                         {"precision", t.precision.texts}}}});
}

}  // extern "C"
