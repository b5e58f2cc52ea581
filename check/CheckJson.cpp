#include "check/CheckJson.h"

#include <cmath>

#include "check/Mistakes.h"

namespace vornik {

namespace {

Json Number(double value) {
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

}  // namespace

Json SheetJson(const AnswerSheet& sheet) {
    Json modes = Json::array();
    for (const SheetMode& m : sheet.modes) {
        Json quantities = Json::array();
        for (const SheetQuantity& q : m.quantities) {
            quantities.push_back({{"quantity", q.quantity},
                                  {"label", q.key.label},
                                  {"unit", q.key.unit},
                                  {"angle", q.key.angle},
                                  {"nonNegative", q.nonNegative},
                                  {"section", q.section}});
        }
        modes.push_back(
            {{"mode", m.mode.name}, {"caption", m.mode.caption}, {"quantities", std::move(quantities)}});
    }
    return Json{{"modes", std::move(modes)}};
}

Json MarksJson(const Marks& marks) {
    Json answers = Json::array();
    for (const Mark& m : marks.answers) {
        Json a{{"mode", m.mode},
               {"quantity", m.quantity},
               {"label", m.label},
               {"unit", m.unit},
               {"answer", m.answer},
               {"expected", Number(m.expected)},
               {"verdict", VerdictId(m.verdict)},
               {"mistake", m.verdict == Verdict::Mistake ? Json(MistakeOf(m.mistake).id) : Json(nullptr)},
               {"section", m.section}};
        if (m.verdict == Verdict::Mistake) {
            a["mistakeName"] = MistakeOf(m.mistake).name;
            a["explanation"] = MistakeOf(m.mistake).explanation;
        }
        if (!m.hint.empty()) {
            a["hint"] = m.hint;
        }
        answers.push_back(std::move(a));
    }
    Json modes = Json::array();
    for (const ModeScore& s : marks.modes) {
        modes.push_back({{"mode", s.mode}, {"right", s.right}, {"carried", s.carried}, {"total", s.total}});
    }
    return Json{{"answers", std::move(answers)},
                {"score", {{"right", marks.right}, {"carried", marks.carried}, {"total", marks.total}}},
                {"modes", std::move(modes)}};
}

Json SectionJson(const AnswerSheet& sheet, const std::string& mode, const std::string& section) {
    return Json{{"lines", SectionLines(sheet, mode, section)}};
}

Json AnswersJson(const std::vector<AnswerEntry>& answers) {
    Json out = Json::object();
    for (const AnswerEntry& a : answers) {
        out[a.mode][a.quantity] = a.text;
    }
    return out;
}

std::vector<AnswerEntry> AnswersOf(const Json& object) {
    std::vector<AnswerEntry> out;
    if (!object.is_object()) {
        return out;
    }
    for (const auto& [mode, quantities] : object.items()) {
        if (!quantities.is_object()) {
            continue;
        }
        for (const auto& [quantity, text] : quantities.items()) {
            if (text.is_string()) {
                out.push_back({mode, quantity, text.get<std::string>()});
            }
        }
    }
    return out;
}

}  // namespace vornik
