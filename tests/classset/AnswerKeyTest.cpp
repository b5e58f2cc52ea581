#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "classset/AnswerKey.h"

namespace vornik {
namespace {

TaskValues Circuit(bool star, bool neutral, std::initializer_list<int> boxes) {
    TaskValues t;
    t.input.star = star;
    const char* texts[] = {"12", "5", "8", "-6", "15", "3"};
    for (int k = 0; k < 6; ++k) {
        t.input[static_cast<Param>(static_cast<int>(Param::Edit4) + k)] = texts[k];
    }
    t.input[Param::Edit1] = "10";
    t.input.SetChecked(1, neutral);
    for (const int box : boxes) {
        t.input.SetChecked(box, true);
    }
    return t;
}

TEST(AnswerKey, ModesComeInTheOrderOfTheSolutionWithTheirSlots) {
    struct Case {
        const char* name;
        TaskValues task;
        std::vector<std::string> modes;
        std::vector<int> slots;
    };
    const Case cases[] = {
        {"star, every mode",
         Circuit(true, true, {2, 3, 4, 5, 6, 7}),
         {"normal", "short-A", "break-A", "short-B", "break-B", "short-C", "break-C"},
         {0, 1, 2, 3, 4, 5, 6}},
        {"delta, every mode",
         Circuit(false, false, {2, 3, 4, 5, 6, 7}),
         {"normal", "open-AB", "break-A", "open-BC", "break-B", "open-CA", "break-C"},
         {0, 1, 4, 2, 5, 3, 6}},
        {"star, two modes", Circuit(true, false, {4, 6}), {"normal", "break-B", "short-C"}, {0, 4, 5}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        std::vector<int> slots;
        for (const ComputedMode& m : ComputedModes(c.task.input)) {
            names.push_back(m.name);
            slots.push_back(m.slot);
        }
        EXPECT_EQ(names, c.modes) << c.name;
        EXPECT_EQ(slots, c.slots) << c.name;
    }
}

TEST(AnswerKey, DefaultQuantitiesAreWhatEachModeHas) {
    struct Case {
        const char* name;
        TaskValues task;
        const char* mode;
        std::vector<std::string> labels;  // each modulus, then its angle, then P and Q
    };
    const Case cases[] = {
        {"star with neutral",
         Circuit(true, true, {}),
         "normal",
         {"Ia", "Ia", "Ib", "Ib", "Ic", "Ic", "I0", "I0", "U0", "U0", "P", "Q"}},
        {"star without neutral",
         Circuit(true, false, {}),
         "normal",
         {"Ia", "Ia", "Ib", "Ib", "Ic", "Ic", "U0", "U0", "P", "Q"}},
        {"star short circuit",
         Circuit(true, false, {3}),
         "short-B",
         {"Ia", "Ia", "Ib", "Ib", "Ic", "Ic", "U0", "U0", "P", "Q"}},
        {"star wire A broken",
         Circuit(true, true, {5}),
         "break-A",
         {"Ib", "Ib", "Ic", "Ic", "I0", "I0", "U0", "U0", "P", "Q"}},
        {"star wire B broken",
         Circuit(true, false, {6}),
         "break-B",
         {"Ia", "Ia", "Ic", "Ic", "U0", "U0", "P", "Q"}},
        {"delta",
         Circuit(false, false, {}),
         "normal",
         {"Iab", "Iab", "Ibc", "Ibc", "Ica", "Ica", "Ia", "Ia", "Ib", "Ib", "Ic", "Ic", "P", "Q"}},
        {"delta load phase BC broken",
         Circuit(false, false, {3}),
         "open-BC",
         {"Iab", "Iab", "Ica", "Ica", "Ia", "Ia", "Ib", "Ib", "Ic", "Ic"}},
        {"delta wire A broken",
         Circuit(false, false, {5}),
         "break-A",
         {"Ibc", "Ibc", "Ica=Iab", "Ica=Iab", "P", "Q"}},
        {"delta wire C broken",
         Circuit(false, false, {7}),
         "break-C",
         {"Iab", "Iab", "Ibc=Ica", "Ibc=Ica", "P", "Q"}},
    };
    for (const Case& c : cases) {
        const VariantRun run = RunVariant(c.task);
        ASSERT_TRUE(run.completed) << c.name;
        // Each angle is its modulus's label after "угол ", in degrees; the rest in their units.
        const std::map<char, std::string> kUnits = {{'I', "А"}, {'U', "В"}, {'P', "Вт"}, {'Q', "вар"}};
        const std::string kAngle = "угол ";
        std::vector<std::string> labels;
        std::vector<bool> angles;
        for (const KeyRow& row : run.key) {
            if (row.mode == c.mode) {
                const bool angle = row.label.starts_with(kAngle);
                labels.push_back(angle ? row.label.substr(kAngle.size()) : row.label);
                angles.push_back(row.angle);
                EXPECT_EQ(angle, row.angle) << c.name << ": " << row.label;
                EXPECT_EQ(row.unit, angle ? "°" : kUnits.at(row.label[0])) << c.name << ": " << row.label;
            }
        }
        EXPECT_EQ(labels, c.labels) << c.name;
        for (size_t k = 0; k + 2 < angles.size(); ++k) {
            EXPECT_EQ(angles[k], k % 2 == 1) << c.name << " row " << k;
        }
    }
}

// The lines of each mode's worked solution: an emergency mode starts at its heading.
std::vector<std::string> Sections(const std::vector<std::string>& report) {
    std::vector<std::string> sections(1);
    for (const std::string& line : report) {
        if (line == "РАБОТА В АВАРИЙНОМ РЕЖИМЕ" || line == "АВАРИЙНЫЙ РЕЖИМ РАБОТЫ") {
            sections.emplace_back();
        }
        sections.back() += line + "\n";
    }
    return sections;
}

TEST(AnswerKey, ShownIsTheNumberTheSolutionPrints) {
    struct Case {
        const char* name;
        TaskValues task;
        std::optional<std::vector<int>> fields;
        const char* onlyMode;  // the mode whose rows are checked, or all
    };
    std::vector<Case> cases = {
        {"star, every mode", Circuit(true, true, {2, 3, 4, 5, 6, 7}), std::nullopt, nullptr},
        {"delta, every mode", Circuit(false, false, {2, 3, 4, 5, 6, 7}), std::nullopt, nullptr},
        // A delta line break keeps the series pair's voltages, the line voltage and the series
        // resistance in fields that hold currents and admittances in other modes.
        {"delta, line break, its own fields", Circuit(false, false, {5}),
         std::vector<int>{IaMod, IcMod, SeriesR}, "break-A"},
    };
    // Every kind of number with its own count of decimals, so that a wrong setting prints another text.
    const char* decimals[kPrecisionCount] = {"1", "2", "0", "0", "0", "0", "1", "1", "3", "3",
                                             "3", "1", "3", "4", "1", "1", "2", "1", "5", "4"};
    for (Case& c : cases) {
        for (int k = 0; k < kPrecisionCount; ++k) {
            c.task.precision.texts[k] = decimals[k];
        }
        const VariantRun run = RunVariant(c.task, c.fields);
        ASSERT_TRUE(run.completed) << c.name;
        const std::vector<std::string> sections = Sections(run.report);
        ASSERT_EQ(sections.size(), run.modes.size()) << c.name;
        for (const KeyRow& row : run.key) {
            if (c.onlyMode != nullptr && row.mode != c.onlyMode) {
                continue;
            }
            size_t m = 0;
            while (run.modes[m].name != row.mode) {
                ++m;
            }
            // The number stands alone: not a part of a longer number.
            const std::regex alone("(^|[^0-9,])" + std::regex_replace(row.shown, std::regex("[-]"), "\\-") +
                                   "($|[^0-9,])");
            EXPECT_TRUE(std::regex_search(sections[m], alone))
                << c.name << ", " << row.mode << ", " << row.label << (row.angle ? " angle" : "") << ": "
                << row.shown;
        }
    }
}

TEST(AnswerKey, AnyFieldIsNamedAsTheSolutionNamesItInItsMode) {
    struct Case {
        int field;
        ModeOfRun mode;
        const char* label;
        const char* unit;
    };
    const ModeOfRun star{true, ModeKind::Normal, 0};
    const ModeOfRun delta{false, ModeKind::Normal, 0};
    const ModeOfRun deltaBreakA{false, ModeKind::LineBreak, 0};
    const Case cases[] = {
        {IaRe, star, "Re Ia", "А"},
        {UaLoadArg, star, "угол Ua`", "°"},
        {U0Im, star, "Im U0", "В"},
        {YbMod, star, "Yb", "См"},
        {R0, star, "R0", "Ом"},
        {ZcArg, delta, "угол Zca", "°"},
        {Xb, delta, "Xbc", "Ом"},
        {YbMod, delta, "Ibc", "А"},
        {UbLoadMod, delta, "Ib", "А"},
        {SaArg, star, "угол Sa", "°"},
        {Qc, star, "Qc", "вар"},
        {PBalance, star, "P", "Вт"},
        {QBalance, delta, "Q", "вар"},
        {I0ViaU0Arg, star, "угол I0", "°"},
        {IbMod, {true, ModeKind::LineBreak, 0}, "Ic", "А"},
        {IaMod, {true, ModeKind::LineBreak, 1}, "Ia", "А"},
        {IbArg, {true, ModeKind::LineBreak, 1}, "угол Ic", "°"},
        // The third position of a star line break keeps phase C's older values.
        {IcMod, {true, ModeKind::LineBreak, 0}, "Ic", "А"},
        {UcArg, {true, ModeKind::LineBreak, 2}, "угол Uc", "°"},
        {YcMod, deltaBreakA, "Iab", "А"},
        {YbArg, deltaBreakA, "угол Ica=Iab", "°"},
        {IaMod, deltaBreakA, "Uca", "В"},
        {IcMod, deltaBreakA, "Ubc", "В"},
        {Y0, deltaBreakA, "Rcab", "Ом"},
        {U0Arg, deltaBreakA, "Zcab", "Ом"},
        {U0Re, deltaBreakA, "угол Zcab", "°"},
        {SbMod, deltaBreakA, "Sca", "ВА"},
        {Pc, deltaBreakA, "Pab", "Вт"},
        {YaMod, {false, ModeKind::LineBreak, 2}, "Iab", "А"},
        {Y0, {false, ModeKind::LineBreak, 1}, "Rabc", "Ом"},
    };
    for (const Case& c : cases) {
        const QuantityName name = FieldQuantity(c.field, c.mode);
        EXPECT_EQ(name.label, c.label) << c.field;
        EXPECT_EQ(name.unit, c.unit) << c.field << " " << c.label;
        EXPECT_EQ(name.angle, name.unit == "°") << c.field << " " << c.label;
    }
}

TEST(AnswerKey, ExactTextReadsBackAsTheSameDouble) {
    for (const double v : {0.1, -2.0669832364969265, 1e-300, 380.0, 34678.736359319642}) {
        std::string text = ExactText(v);
        EXPECT_EQ(text.find('.'), std::string::npos) << text;
        std::replace(text.begin(), text.end(), ',', '.');
        EXPECT_EQ(std::stod(text), v) << text;
    }
    EXPECT_EQ(ExactText(0.1), "0,10000000000000001");
}

}  // namespace
}  // namespace vornik
