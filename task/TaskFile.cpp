#include "task/TaskFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

#include "fileio/ReadInputFile.h"
#include "fileio/ReplaceFile.h"
#include "solver/Text.h"
#include "task/JsonFile.h"

namespace vornik {

namespace {

using Json = FileJson;

// A refused file: the reason is carried to ReadTask's caller.
struct Refused {
    std::string why;
};

const Json* Member(const Json& object, const char* name) {
    const auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

// An object member that must be an object when present.
const Json* ObjectMember(const Json& task, const char* name) {
    const Json* m = Member(task, name);
    if (m != nullptr && !m->is_object()) {
        throw Refused{std::string("«") + name + "» должен быть объектом"};
    }
    return m;
}

std::string StringMember(const Json& value, const std::string& path) {
    if (!value.is_string()) {
        throw Refused{"«" + path + "» должен быть строкой"};
    }
    std::string text = value.get<std::string>();
    // A text the quiz files and pictures of a class set could not hold.
    if (const std::optional<char32_t> bad = FirstNonXmlChar(text)) {
        throw Refused{"«" + path + "» содержит управляющий знак " + CodePointName(*bad)};
    }
    return text;
}

// A text must fit the field it goes into when the form's limits apply.
void CheckLength(const std::string& text, int maxLength, const std::string& path, FieldLimits limits) {
    // Characters as the form's fields count them: UTF-16 units.
    if (limits == FieldLimits::Form && Utf8ToUtf16(text).size() > static_cast<size_t>(maxLength)) {
        throw Refused{"текст «" + path + "» длиннее " + std::to_string(maxLength) + " знак" +
                      (maxLength == 1 ? "а" : "ов")};
    }
}

void ReadFields(const Json& task, TaskFile& out, FieldLimits limits) {
    const Json* fields = ObjectMember(task, "fields");
    if (fields == nullptr) {
        return;
    }
    for (const FieldSpec& entry : kFields) {
        if (const Json* text = Member(*fields, entry.control)) {
            const std::string path = std::string("fields.") + entry.control;
            std::string value = StringMember(*text, path);
            // What the program can write into the field, not only what a student can type.
            CheckLength(value, entry.readLength, path, limits);
            out.input[entry.field] = std::move(value);
        }
    }
}

void ReadTicks(const Json& task, TaskFile& out) {
    const Json* ticks = ObjectMember(task, "ticks");
    if (ticks == nullptr) {
        return;
    }
    for (const TickSpec& entry : kTicks) {
        if (const Json* on = Member(*ticks, entry.control)) {
            if (!on->is_boolean()) {
                throw Refused{std::string("«ticks.") + entry.control + "» должен быть true или false"};
            }
            out.input.SetChecked(entry.tick, on->get<bool>());
        }
    }
}

// A choice is a number 0..5; a text (what a student typed into the box, kept so the run reports
// it as it would) is taken as it is.
void ReadDecimals(const Json& task, TaskFile& out, FieldLimits limits) {
    const Json* decimals = ObjectMember(task, "decimals");
    if (decimals == nullptr) {
        return;
    }
    for (const PrecisionSpec& entry : kPrecisionFields) {
        const Json* d = Member(*decimals, entry.name);
        if (d == nullptr) {
            continue;
        }
        const std::string path = std::string("decimals.") + entry.name;
        std::string& text = out.precision.texts[entry.index];
        if (d->is_number_integer()) {
            const auto n = d->get<long long>();
            if (n < 0 || n > 5) {
                throw Refused{"«" + path + "» должен быть от 0 до 5"};
            }
            text = std::to_string(n);
        } else if (d->is_string()) {
            text = StringMember(*d, path);
            CheckLength(text, 1, path, limits);
        } else {
            throw Refused{"«" + path + "» должен быть числом от 0 до 5"};
        }
    }
}

// The precision text as the file keeps it: a number when it is one of the choices.
Json DecimalsValue(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '5') {
        return text[0] - '0';
    }
    return text;
}

}  // namespace

TaskReadResult ReadTask(std::string_view bytes, FieldLimits limits) {
    TaskRead result;
    try {
        // Deeper nesting than any task needs is refused. A task is UTF-8 text: a file saved in
        // another encoding is told so rather than called not JSON.
        const Outcome<Json> parsed = ParseJsonFile(bytes, {kTaskMaxBytes, 32, "это не файл задачи", true});
        if (!parsed) {
            throw Refused{parsed.Error().message};
        }
        const Json& task = *parsed;
        const Json* format = task.is_object() ? Member(task, "format") : nullptr;
        if (format == nullptr || *format != kTaskFormat) {
            throw Refused{"это не файл задачи (нет «\"format\": \"vornik-task\"»)"};
        }
        if (const Json* version = Member(task, "version")) {
            if (!version->is_number_integer() || version->get<long long>() < 1) {
                throw Refused{"«version» должен быть целым числом от 1"};
            }
            result.newer = version->get<long long>() > kTaskVersion;
        }
        TaskFile out;
        if (const Json* title = Member(task, "title")) {
            out.title = StringMember(*title, "title");
        }
        if (const Json* note = Member(task, "note")) {
            out.note = StringMember(*note, "note");
        }
        if (const Json* connection = Member(task, "connection")) {
            const std::string c = StringMember(*connection, "connection");
            if (c != "star" && c != "delta") {
                throw Refused{"«connection» должен быть \"star\" или \"delta\""};
            }
            out.input.star = c == "star";
        }
        ReadFields(task, out, limits);
        ReadTicks(task, out);
        ReadDecimals(task, out, limits);
        result.task = std::move(out);
    } catch (const Refused& refused) {
        return Failure{refused.why, ""};
    }
    return result;
}

std::string WriteTask(const TaskFile& task) {
    Json out;
    out["format"] = kTaskFormat;
    out["version"] = kTaskVersion;
    out["title"] = task.title;
    out["note"] = task.note;
    out["connection"] = task.input.star ? "star" : "delta";
    Json fields = Json::object();
    for (const FieldSpec& entry : kFields) {
        fields[entry.control] = task.input.Text(entry.field);
    }
    out["fields"] = std::move(fields);
    Json ticks = Json::object();
    for (const TickSpec& entry : kTicks) {
        ticks[entry.control] = task.input.Checked(entry.tick);
    }
    out["ticks"] = std::move(ticks);
    Json decimals = Json::object();
    for (const PrecisionSpec& entry : kPrecisionFields) {
        decimals[entry.name] = DecimalsValue(task.precision.texts[entry.index]);
    }
    out["decimals"] = std::move(decimals);
    return out.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

TaskFile TakeTask(const CircuitInput& input, const PrecisionTexts& precision) {
    TaskFile task;
    task.input = input;
    for (int k = 0; k < kPrecisionCount; ++k) {
        task.precision.texts[k] = precision.Text(k);
    }
    return task;
}

std::string TaskErrorMessage(const std::string& fileName, const std::string& error) {
    return "Не удалось открыть задачу \"" + fileName + "\": " + error + ".";
}

std::string TaskNewerMessage(const std::string& fileName) {
    return "Задача \"" + fileName +
           "\" записана более новой версией программы: то, чего эта версия не знает, пропущено.";
}

TaskReadResult LoadTask(const std::string& path, FieldLimits limits) {
    // One byte more than the limit is enough to tell a file that is too large.
    const Outcome<std::string> bytes = ReadInputFile(path, kTaskMaxBytes);
    if (!bytes) {
        return bytes.Error();
    }
    return ReadTask(*bytes, limits);
}

void SaveTask(const std::string& path, const TaskFile& task) {
    ReplaceFile(path, WriteTask(task));
}

}  // namespace vornik
