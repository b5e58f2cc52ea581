#pragma once
// Marking a student's answers against a task's answer sheet: each quantity is right, right
// carried forward from the student's own earlier answers, a named typical mistake, wrong, or
// missing. One call marks a whole set of answers; nothing is kept between calls.

#include <optional>
#include <string>
#include <vector>

#include "check/AnswerSheet.h"
#include "check/Mistakes.h"

namespace vornik {

// One answer as typed: the mode's name, the quantity's field name ("IaMod") or label ("Ia",
// "угол Ia"), and the text. A complex value under a modulus quantity stands for its angle too.
struct AnswerEntry {
    std::string mode;
    std::string quantity;
    std::string text;
};

enum class Verdict { Right, Carried, Mistake, Wrong, Missing };

// "right", "carried", "mistake", "wrong", "missing".
const char* VerdictId(Verdict verdict);
// "верно", "верно с учётом ошибки выше", "типичная ошибка", "неверно", "нет ответа".
const char* VerdictName(Verdict verdict);

struct Mark {
    std::string mode;
    std::string quantity;  // field name
    std::string label;
    std::string unit;
    bool angle = false;
    std::string answer;   // the text as typed (for a complex answer under the modulus, that text)
    double expected = 0;  // what the answer is measured against: the key's, or the carried one
    Verdict verdict = Verdict::Missing;
    Mistake mistake = Mistake::None;
    std::string section;
    std::string hint;  // an unreadable text: what was expected (its verdict is missing)
};

struct ModeScore {
    std::string mode;
    int right = 0;
    int carried = 0;
    int total = 0;
};

struct Marks {
    std::vector<Mark> answers;     // every quantity of the sheet, in its order
    std::vector<ModeScore> modes;  // per computed mode
    int right = 0;
    int carried = 0;
    int total = 0;
    // Answers that name no mode or quantity of the sheet: "break-A,Ia" (for a warning).
    std::vector<std::string> unknown;
};

// Marks `answers` against `sheet` (a completed one), with the sheet's tolerances.
Marks MarkAnswers(const AnswerSheet& sheet, const std::vector<AnswerEntry>& answers);

}  // namespace vornik
