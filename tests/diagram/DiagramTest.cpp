#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "diagram/Diagram.h"
#include "diagram/DiagramKinds.h"
#include "diagram/RecordingCanvas.h"
#include "diagram/ScaleChooser.h"
#include "diagram/SvgWriter.h"
#include "report/NumberText.h"
#include "tests/core/TestCircuits.h"
#include "tests/core/XmlLint.h"

namespace {

using namespace vornik;
using vornik::test::Circuit;
using vornik::test::Session;

constexpr const char* kLabelFace = "Time New Roman";

struct Point {
    int x;
    int y;
    friend bool operator==(const Point&, const Point&) = default;
};

std::ostream& operator<<(std::ostream& os, const Point& p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

// A phasor as drawn: its shaft from the centre and the two barbs that follow it.
struct Arrow {
    Rgb color;
    Point tip;
    Point barb1;
    Point barb2;
};

std::vector<Arrow> Arrows(const std::vector<DrawOp>& ops) {
    std::vector<Arrow> arrows;
    for (size_t k = 0; k + 2 < ops.size(); ++k) {
        const DrawOp& shaft = ops[k];
        if (shaft.kind == DrawOp::Kind::Line && shaft.style == PenStyle::Solid && shaft.x1 == 200 &&
            shaft.y1 == 200 && shaft.color != kBlack) {
            arrows.push_back({shaft.color,
                              {shaft.x2, shaft.y2},
                              {ops[k + 1].x2, ops[k + 1].y2},
                              {ops[k + 2].x2, ops[k + 2].y2}});
            k += 2;
        }
    }
    return arrows;
}

// The phasor labels in drawing order: the coloured texts (captions and legend are black).
std::vector<DrawOp> Labels(const std::vector<DrawOp>& ops) {
    std::vector<DrawOp> labels;
    for (const DrawOp& op : ops) {
        if (op.kind == DrawOp::Kind::Text && op.color != kBlack) {
            EXPECT_EQ(op.face, kLabelFace) << op.text;
            EXPECT_EQ(op.size, 12) << op.text;
            labels.push_back(op);
        }
    }
    return labels;
}

const DrawOp* Label(const std::vector<DrawOp>& ops, const std::string& text) {
    for (const DrawOp& op : ops) {
        if (op.kind == DrawOp::Kind::Text && op.text == text) {
            return &op;
        }
    }
    return nullptr;
}

CircuitInput StarWithBreaks(const std::string& r1, const std::string& r2, const std::string& r3,
                            bool neutral) {
    CircuitInput p = Circuit(r1, "0", r2, "0", r3, "0", neutral);
    for (int box = 5; box <= 7; ++box) {
        p.SetChecked(box, true);
    }
    return p;
}

TEST(StarDiagram, BalancedLoadVoltages) {
    Session s;
    ASSERT_TRUE(s.Execute(Circuit("10", "0", "10", "0", "10", "0")));
    RecordingCanvas canvas;
    DiagramLabels labels;
    DrawSelectedDiagram(canvas, s.state.modeSlots, {true, false, 1}, labels);

    EXPECT_EQ(labels.label11, " - 2");
    EXPECT_EQ(labels.label12, "380");
    EXPECT_EQ(labels.legend, "1см - 56,7 B");

    const std::vector<Arrow> arrows = Arrows(canvas.Ops());
    ASSERT_EQ(arrows.size(), 7u);
    EXPECT_EQ(arrows[0].color, kRed);
    EXPECT_EQ(arrows[0].tip, (Point{200, 10}));
    EXPECT_EQ(arrows[1].tip, (Point{365, 295}));
    EXPECT_EQ(arrows[2].tip, (Point{35, 295}));
    // Ua points straight up: its barbs come back down on either side, 15 pixels long.
    EXPECT_EQ(arrows[0].barb1, (Point{208, 23}));
    EXPECT_EQ(arrows[0].barb2, (Point{192, 23}));
    // U0 of a balanced load is zero: only its head is drawn, at the centre, opening to the left.
    EXPECT_EQ(arrows[3].color, kBlue);
    EXPECT_EQ(arrows[3].tip, (Point{200, 200}));
    EXPECT_LT(arrows[3].barb1.x, 200);
    EXPECT_LT(arrows[3].barb2.x, 200);
    EXPECT_GT(arrows[3].barb1.y, 200);
    EXPECT_LT(arrows[3].barb2.y, 200);

    const DrawOp* ua = Label(canvas.Ops(), "Ua");
    ASSERT_NE(ua, nullptr);
    EXPECT_EQ((Point{ua->x1, ua->y1}), (Point{205, 15}));
    EXPECT_EQ(ua->color, kRed);
    EXPECT_EQ(ua->size, 12);
    const DrawOp* u0 = Label(canvas.Ops(), "U0");
    ASSERT_NE(u0, nullptr);
    EXPECT_EQ((Point{u0->x1, u0->y1}), (Point{205, 205}));
    const DrawOp* uaLoad = Label(canvas.Ops(), "Ua`");
    ASSERT_NE(uaLoad, nullptr);
    EXPECT_EQ(uaLoad->color, kGreen);
}

TEST(Diagram, AxesLegendAndBarAndTheFaceThatCarriesOver) {
    Session s;
    ASSERT_TRUE(s.Execute(Circuit("10", "0", "10", "0", "10", "0")));
    RecordingCanvas canvas;
    DiagramLabels labels;
    DrawSelectedDiagram(canvas, s.state.modeSlots, {true, false, 1}, labels);
    const std::vector<DrawOp> first = canvas.Ops();
    ASSERT_GT(first.size(), 10u);
    EXPECT_EQ(first[0].kind, DrawOp::Kind::Fill);
    EXPECT_EQ(first[0].color, kWhite);
    const std::string captions[] = {" + ", " +j ", " -j "};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(first[1 + k].text, captions[k]);
        EXPECT_EQ(first[1 + k].face, std::nullopt) << "a new canvas has its default face";
        EXPECT_EQ(first[1 + k].size, kDefaultFontSize);
    }
    for (int k = 4; k <= 5; ++k) {
        EXPECT_EQ(first[k].style, PenStyle::Dot);
        EXPECT_EQ(first[k].color, kBlack);
    }
    // The legend is 12 points in whatever face the canvas has, then the 30-pixel bar at (6, 30).
    EXPECT_EQ(first[6].text, "1см - 56,7 B");
    EXPECT_EQ(first[6].face, std::nullopt);
    EXPECT_EQ(first[6].size, 12);
    EXPECT_EQ((Point{first[7].x1, first[7].y1}), (Point{6, 30}));
    EXPECT_EQ((Point{first[7].x2, first[7].y2}), (Point{36, 30}));
    EXPECT_EQ((Point{first[8].x1, first[8].y1}), (Point{6, 25}));
    EXPECT_EQ((Point{first[9].x2, first[9].y2}), (Point{36, 35}));

    // The next drawing on the same canvas keeps the label face and size for captions and legend.
    canvas.ClearOps();
    DrawSelectedDiagram(canvas, s.state.modeSlots, {true, false, 2}, labels);
    const std::vector<DrawOp>& second = canvas.Ops();
    EXPECT_EQ(second[1].face, kLabelFace);
    EXPECT_EQ(second[1].size, 12);
    EXPECT_EQ(second[6].face, kLabelFace);
    EXPECT_EQ(second[6].text.rfind("1см - ", 0), 0u);
    EXPECT_EQ(second[6].text.substr(second[6].text.size() - 2), " A");
}

TEST(StarDiagram, NeutralCurrentFollowsTheNeutralTick) {
    Session s;
    ASSERT_TRUE(s.Execute(StarWithBreaks("10", "20", "40", true)));
    struct Case {
        const char* name;
        int button;
        bool neutral;
        bool arrow;
        bool label;
    };
    const Case cases[] = {
        {"normal mode with a neutral wire", 2, true, true, true},
        {"normal mode without one", 2, false, false, false},
        {"wire A broken, with a neutral wire", 10, true, true, true},
        {"wire A broken, without one: the label only", 10, false, false, true},
        {"wire C broken, without one: the label only", 14, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        DiagramLabels labels;
        DrawSelectedDiagram(canvas, s.state.modeSlots, {true, c.neutral, c.button}, labels);
        int blueArrows = 0;
        for (const Arrow& a : Arrows(canvas.Ops())) {
            blueArrows += a.color == kBlue;
        }
        EXPECT_EQ(blueArrows, c.arrow ? 1 : 0);
        const DrawOp* i0 = Label(canvas.Ops(), "I0");
        EXPECT_EQ(i0 != nullptr, c.label);
        if (i0 != nullptr) {
            EXPECT_EQ(i0->color, kBlue);
        }
    }
}

TEST(StarDiagram, AnUndrawnNeutralCurrentStillSetsTheScale) {
    RecordingCanvas canvas;
    DiagramLabels labels;
    DrawStarCurrents(canvas, labels, false, {{{10, 0}, {0, 0}, {0, 0}, {100, 0}}});
    EXPECT_EQ(labels.label12, "100");
    // 1,7 is the first factor that takes 100 above 170 (the sum of the steps is a little over 1,7).
    EXPECT_EQ(labels.label11, " + 1,7");
    // Ia = 10 A at 1,7 pixels per ampere.
    const std::vector<Arrow> arrows = Arrows(canvas.Ops());
    ASSERT_EQ(arrows.size(), 3u);
    EXPECT_EQ(arrows[0].tip, (Point{200, 183}));
}

// The arrows listed beside the picture: those drawn, with their labels and exact values, and
// only the last drawing's when the labels are kept between drawings.
TEST(Diagram, ListsTheArrowsDrawn) {
    struct Case {
        bool neutral;
        std::vector<std::string> labels;
    };
    const Case cases[] = {{false, {"Ia", "Ib", "Ic"}}, {true, {"Ia", "Ib", "Ic", "I0"}}};
    DiagramLabels labels;
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawStarCurrents(canvas, labels, c.neutral, {{{10, 0}, {-5, -8.5}, {-5, 8.5}, {0.25, -0.5}}});
        std::vector<std::string> listed;
        for (const DiagramLabels::Phasor& p : labels.phasors) {
            listed.push_back(p.label);
        }
        EXPECT_EQ(listed, c.labels) << "neutral " << c.neutral;
        ASSERT_GE(labels.phasors.size(), 3u);
        EXPECT_EQ(labels.phasors[1].re, -5.0);
        EXPECT_EQ(labels.phasors[1].im, -8.5);
    }
}

TEST(DeltaDiagram, LineBreakVoltagesAndCurrents) {
    Session s;
    CircuitInput p = Circuit("10", "0", "10", "0", "30", "0", false, false);
    p.SetChecked(5, true);  // line wire A
    ASSERT_TRUE(s.Execute(p));

    // Ubc feeds BC directly and CA (30 Ohm) in series with AB (10 Ohm): 3/4 and 1/4 of Ubc.
    RecordingCanvas canvas;
    DiagramLabels labels;
    DrawSelectedDiagram(canvas, s.state.modeSlots, {false, false, 9}, labels);
    EXPECT_EQ(labels.label12, "329,09");
    EXPECT_EQ(labels.label11, " - 1,7");
    EXPECT_EQ(labels.legend, "1см - 48,195 B");
    const std::vector<Arrow> arrows = Arrows(canvas.Ops());
    ASSERT_EQ(arrows.size(), 3u);
    EXPECT_EQ(arrows[0].color, kRed);
    EXPECT_EQ(arrows[0].tip, (Point{394, 312}));
    EXPECT_EQ(arrows[1].color, kBlue);
    EXPECT_EQ(arrows[1].tip, (Point{345, 284}));
    EXPECT_EQ(arrows[2].color, kGreen);
    EXPECT_EQ(arrows[2].tip, (Point{248, 228}));
    const std::vector<DrawOp> names = Labels(canvas.Ops());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].text, "Ubc");
    EXPECT_EQ(names[1].text, "Uca");
    EXPECT_EQ(names[2].text, "Uab");

    // 38 A in BC, 9,5 A through the series pair, both in phase with Ubc.
    canvas.ClearOps();
    DrawSelectedDiagram(canvas, s.state.modeSlots, {false, false, 10}, labels);
    EXPECT_EQ(labels.label12, "32,909");
    EXPECT_EQ(labels.legend, "1см - 5,452 A");
    const std::vector<DrawOp> currents = Labels(canvas.Ops());
    ASSERT_EQ(currents.size(), 2u);
    EXPECT_EQ(currents[0].text, "Ibc");
    EXPECT_EQ(currents[1].text, "Ica");
}

TEST(Diagram, ANeverComputedModeDrawsTheAxesOnly) {
    Session s;
    ASSERT_TRUE(s.Execute(Circuit("10", "0", "10", "0", "10", "0")));
    for (const bool star : {true, false}) {
        SCOPED_TRACE(star ? "star" : "delta");
        RecordingCanvas canvas;
        DiagramLabels labels;
        labels.label11 = " - 2";
        DrawSelectedDiagram(canvas, s.state.modeSlots, {star, false, 13}, labels);
        EXPECT_EQ(canvas.Ops().size(), 6u);
        EXPECT_EQ(labels.label11, " - 2");
        EXPECT_EQ(labels.label12, "0");
        EXPECT_EQ(labels.legend, "");
    }
}

// Every button draws its own mode's slot, with the labels, colours, offsets and fields of its kind.
TEST(Diagram, EveryButtonDrawsItsModeSlot) {
    std::array<SolutionRecord, kModeSlotCount> modeSlots{};
    for (int k = 0; k < kModeSlotCount; ++k) {
        for (int f = 0; f < kFieldCount; ++f) {
            // Distinct, signed, and small enough for multiply mode.
            modeSlots[k][f] = ((f * 37 + k * 11) % 97) - 48 + 0.25 * k;
        }
    }
    struct Phasor {
        const char* label;
        Rgb color;
        Field re;
        int offset = 5;
    };
    const std::vector<Phasor> starU = {
        {"Ua", kRed, UaRe},        {"Ub", kRed, UbRe, 2},     {"Uc", kRed, UcRe, 10},   {"U0", kBlue, U0Re},
        {"Ua`", kGreen, UaLoadRe}, {"Ub`", kGreen, UbLoadRe}, {"Uc`", kGreen, UcLoadRe}};
    const std::vector<Phasor> starI = {
        {"Ia", kRed, IaRe}, {"Ib", kRed, IbRe}, {"Ic", kRed, IcRe}, {"I0", kBlue, I0Re}};
    auto starBreakU = [](const char* a, const char* b, const char* al, const char* bl) {
        return std::vector<Phasor>{{a, kRed, UaRe},
                                   {b, kRed, UbRe},
                                   {"U0", kBlue, U0Re},
                                   {al, kGreen, UaLoadRe},
                                   {bl, kGreen, UbLoadRe}};
    };
    auto starBreakI = [](const char* a, const char* b) {
        return std::vector<Phasor>{{a, kRed, IaRe}, {b, kRed, IbRe}, {"I0", kBlue, I0Re}};
    };
    const std::vector<Phasor> lineCurrents = {
        {"Ia", kGreen, UaLoadRe}, {"Ib", kGreen, UbLoadRe}, {"Ic", kGreen, UcLoadRe}};
    std::vector<Phasor> deltaI = {{"Iab", kRed, YaRe}, {"Ibc", kRed, YbRe}, {"Ica", kRed, YcRe}};
    deltaI.insert(deltaI.end(), lineCurrents.begin(), lineCurrents.end());
    auto phaseBreakI = [&](const char* a, Field fa, const char* b, Field fb) {
        std::vector<Phasor> v = {{a, kRed, fa}, {b, kRed, fb}};
        v.insert(v.end(), lineCurrents.begin(), lineCurrents.end());
        return v;
    };
    auto lineBreakU = [](const char* a, const char* b, const char* c) {
        return std::vector<Phasor>{{a, kRed, IcRe}, {b, kBlue, IaRe}, {c, kGreen, IbRe}};
    };
    auto lineBreakI = [](const char* a, const char* b) {
        return std::vector<Phasor>{{a, kRed, YaRe}, {b, kRed, YbRe}};
    };
    struct Case {
        bool star;
        int button;
        int slot;
        std::vector<Phasor> phasors;
        const char* unit;
    };
    const Case cases[] = {
        {true, 1, 0, starU, "B"},
        {true, 2, 0, starI, "A"},
        {true, 3, 1, starU, "B"},
        {true, 4, 1, starI, "A"},
        {true, 5, 3, starU, "B"},
        {true, 6, 3, starI, "A"},
        {true, 7, 5, starU, "B"},
        {true, 8, 5, starI, "A"},
        {true, 9, 2, starBreakU("Ub", "Uc", "Ub`", "Uc`"), "B"},
        {true, 10, 2, starBreakI("Ib", "Ic"), "A"},
        {true, 11, 4, starBreakU("Ua", "Uc", "Ua`", "Uc`"), "B"},
        {true, 12, 4, starBreakI("Ia", "Ic"), "A"},
        {true, 13, 6, starBreakU("Ua", "Ub", "Ua`", "Ub`"), "B"},
        {true, 14, 6, starBreakI("Ia", "Ib"), "A"},
        {false, 1, 0, {{"Uab", kRed, UaRe}, {"Ubc", kRed, UbRe, -2}, {"Uca", kRed, UcRe}}, "B"},
        {false, 2, 0, deltaI, "A"},
        {false, 3, 1, {{"Ubc", kRed, UbRe}, {"Uca", kRed, UcRe}}, "B"},
        {false, 4, 1, phaseBreakI("Ibc", YbRe, "Ica", YcRe), "A"},
        {false, 5, 2, {{"Uab", kRed, UaRe}, {"Uca", kRed, UcRe}}, "B"},
        {false, 6, 2, phaseBreakI("Iab", YaRe, "Ica", YcRe), "A"},
        {false, 7, 3, {{"Uab", kRed, UaRe}, {"Ubc", kRed, UbRe}}, "B"},
        {false, 8, 3, phaseBreakI("Iab", YaRe, "Ibc", YbRe), "A"},
        {false, 9, 4, lineBreakU("Ubc", "Uca", "Uab"), "B"},
        {false, 10, 4, lineBreakI("Ibc", "Ica"), "A"},
        {false, 11, 5, lineBreakU("Uca", "Uab", "Ubc"), "B"},
        {false, 12, 5, lineBreakI("Ica", "Iab"), "A"},
        {false, 13, 6, lineBreakU("Uab", "Ubc", "Uca"), "B"},
        {false, 14, 6, lineBreakI("Iab", "Ibc"), "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.star ? "star" : "delta") << " button " << c.button);
        RecordingCanvas canvas;
        DiagramLabels labels;
        DrawSelectedDiagram(canvas, modeSlots, {c.star, true, c.button}, labels);

        const SolutionRecord& r = modeSlots[c.slot];
        std::vector<double> values;
        for (const Phasor& p : c.phasors) {
            values.push_back(r[p.re]);
            values.push_back(r[p.re + 1]);
        }
        const ScaleSearch scale = SearchScale(values);
        EXPECT_EQ(labels.label12, FormatGeneral(RoundToThousandths(scale.largest)));
        EXPECT_EQ(labels.legend.substr(labels.legend.size() - 2), std::string(" ") + c.unit);

        const std::vector<DrawOp> names = Labels(canvas.Ops());
        const std::vector<Arrow> arrows = Arrows(canvas.Ops());
        ASSERT_EQ(names.size(), c.phasors.size());
        ASSERT_EQ(arrows.size(), c.phasors.size());
        for (size_t k = 0; k < c.phasors.size(); ++k) {
            const Phasor& p = c.phasors[k];
            const Point tip{200 - scale.Scaled(r[p.re + 1]), 200 - scale.Scaled(r[p.re])};
            EXPECT_EQ(names[k].text, p.label);
            EXPECT_EQ(names[k].color, p.color) << p.label;
            EXPECT_EQ((Point{names[k].x1, names[k].y1}), (Point{tip.x + p.offset, tip.y + p.offset}))
                << p.label;
            EXPECT_EQ(arrows[k].tip, tip) << p.label;
            EXPECT_EQ(arrows[k].color, p.color) << p.label;
        }
    }
}

// The star of the window tests: Ra=10, Xa=5, Rb=8, Rc=12 with the given ticks (1..7).
CircuitInput Unbalanced(bool star, std::vector<int> ticks, const std::string& shuntB = "0,01") {
    CircuitInput p = Circuit("10", "5", "8", "0", "12", "0", false, star);
    for (int box : ticks) {
        p.SetChecked(box, true);
    }
    p[Param::Edit12] = shuntB;
    return p;
}

// What a picture drawn from the stored results shows: the connection and neutral wire of the
// last run that stored results, and a line instead of a mode that run did not compute.
TEST(StoredDiagram, DrawsWhatTheLastStoringRunComputed) {
    struct Case {
        const char* name;
        std::vector<CircuitInput> runs;
        DiagramSelection formNow;  // the form's connection and neutral tick at drawing time
        int button;
        std::vector<std::string> shown;   // labels that must be drawn
        std::vector<std::string> absent;  // labels that must not be
        bool notComputed;
    };
    const DiagramSelection starForm{true, false, 1};
    const DiagramSelection deltaForm{false, false, 1};
    const DiagramSelection neutralForm{true, true, 1};
    const Case cases[] = {
        {"star run, form switched to delta",
         {Unbalanced(true, {1, 2})},
         deltaForm,
         2,
         {"Ia", "Ib", "Ic", "I0"},
         {"Iab"},
         false},
        {"delta run, form switched to star",
         {Unbalanced(false, {})},
         starForm,
         2,
         {"Iab", "Ibc", "Ica"},
         {"I0"},
         false},
        {"run without neutral, ticked later",
         {Unbalanced(true, {})},
         neutralForm,
         2,
         {"Ia", "Ib", "Ic"},
         {"I0"},
         false},
        {"mode not ticked in the run", {Unbalanced(true, {5})}, starForm, 3, {}, {"Ia", "Ua"}, true},
        {"the ticked mode is drawn", {Unbalanced(true, {5})}, starForm, 10, {"Ib", "Ic"}, {}, false},
        // Short circuit of B through a zero shunt of zero reactance stops the run.
        {"run stopped before the mode", {Unbalanced(true, {2, 3}, "0")}, starForm, 5, {}, {"Ia"}, true},
        {"mode before the stop is drawn",
         {Unbalanced(true, {2, 3}, "0")},
         starForm,
         3,
         {"Ua", "U0"},
         {},
         false},
        // A run that stops before its first mode stores nothing: the earlier run stays.
        {"a later run stored nothing",
         {Unbalanced(true, {2}), Unbalanced(false, {}, "x")},
         deltaForm,
         3,
         {"Ua", "U0"},
         {"Uab"},
         false},
        {"an earlier run's mode, not in the last",
         {Unbalanced(true, {2}), Unbalanced(true, {})},
         starForm,
         3,
         {},
         {"Ua"},
         true},
        {"no run yet: empty axes, no line", {}, deltaForm, 2, {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session session;
        for (CircuitInput p : c.runs) {
            if (p[Param::Edit12] == "x") {
                p[Param::Edit4] = "x";  // not a number: the normal mode fails before it is stored
            }
            session.Execute(p);
        }
        RecordingCanvas canvas;
        DiagramLabels labels;
        DrawStoredDiagram(canvas, session.state, c.button, c.formNow, labels);
        for (const std::string& text : c.shown) {
            EXPECT_NE(Label(canvas.Ops(), text), nullptr) << text;
        }
        for (const std::string& text : c.absent) {
            EXPECT_EQ(Label(canvas.Ops(), text), nullptr) << text;
        }
        EXPECT_EQ(Label(canvas.Ops(), kModeNotComputedText) != nullptr, c.notComputed);
        if (c.notComputed) {
            // Nothing of an earlier drawing is left in the read-outs.
            EXPECT_EQ(labels.label12, "");
            EXPECT_EQ(labels.label11, std::optional<std::string>(""));
        } else {
            EXPECT_NE(labels.label12, "");
        }
    }
}

}  // namespace

namespace {

// Every text of the picture measured as 8 pixels a byte, 12 high.
struct FixedMeasure : vornik::TextMeasure {
    vornik::TextExtent Measure(const std::optional<std::string>&, int,
                               const std::string& text) const override {
        return {static_cast<int>(text.size()) * 8, 12, 10, "DejaVu Sans"};
    }
};

TEST(DiagramSvg, TextsAreEscapedAndTheDocumentWellFormed) {
    struct Case {
        const char* text;
        const char* written;  // as the <text> element holds it
    };
    const Case cases[] = {
        {"R&D <1>", "R&amp;D &lt;1&gt;"},
        {"a\"b", "a&quot;b"},
        {"a\x0c\x01z\xEF\xBF\xBE!",
         "a\xEF\xBF\xBD\xEF\xBF\xBDz\xEF\xBF\xBD!"},  // replaced, XML cannot hold them
    };
    for (const Case& c : cases) {
        vornik::RecordingCanvas canvas;
        canvas.FillWhite();
        canvas.TextOut(10, 10, c.text);
        const std::string svg = vornik::DiagramSvg(canvas.Ops(), FixedMeasure());
        EXPECT_NE(svg.find(std::string(">") + c.written + "</text>"), std::string::npos) << c.text << "\n"
                                                                                         << svg;
        EXPECT_TRUE(vornik::test::XmlLintAccepts(svg)) << c.text;
    }
}

}  // namespace
