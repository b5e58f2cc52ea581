#include <gtest/gtest.h>

#include "report/TitleBlock.h"

namespace vornik {
namespace {

// Each emergency pair of the diagram window is named by its phase as the report's caption names
// the mode ("При коротком замыкании фазы "A"", "При обрыве фазы "AB"", "При обрыве линейного
// провода "A"").
TEST(DiagramPairPhase, AsTheReportsCaptionNamesIt) {
    struct Case {
        bool star;
        int pair;
        const char* phase;
    };
    const Case cases[] = {
        {true, 1, "фаза \"A\""},
        {true, 3, "фаза \"C\""},
        {true, 4, "фаза \"A\""},
        {true, 6, "фаза \"C\""},
        {false, 1, "фаза \"AB\""},
        {false, 2, "фаза \"BC\""},
        {false, 3, "фаза \"CA\""},
        {false, 4, "провод \"A\""},
        {false, 5, "провод \"B\""},
        {false, 6, "провод \"C\""},
        {true, 0, ""},
        {false, 7, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DiagramPairPhase(c.star, c.pair), c.phase) << (c.star ? "star " : "delta ") << c.pair;
    }
}

CircuitInput Circuit(bool star, const char* ra, int tick) {
    CircuitInput input;
    input.star = star;
    input[Param::Edit4] = ra;
    input.SetChecked(tick, true);
    return input;
}

// The title block belongs to the last run that stored results, not to the form as it is now.
TEST(StoredRunTitleBlock, InputsOfTheLastRunThatStoredResults) {
    const CircuitInput first = Circuit(true, "10", 2);
    const CircuitInput second = Circuit(false, "5", 5);
    const CircuitInput form = Circuit(false, "7", 3);
    struct Case {
        const char* name;
        std::vector<const CircuitInput*> runs;  // each run's input
        std::vector<bool> stores;               // whether that run stored results
        const CircuitInput* described;
    };
    const Case cases[] = {
        {"before any run: the form", {}, {}, &form},
        {"one run, the form changed since", {&first}, {true}, &first},
        {"a later run that stored results", {&first, &second}, {true, true}, &second},
        {"a later run stopped before storing", {&first, &second}, {true, false}, &first},
    };
    for (const Case& c : cases) {
        CalcState state;
        for (std::size_t k = 0; k < c.runs.size(); ++k) {
            state.BeginRun(StoredRunOf(*c.runs[k]));
            if (c.stores[k]) {
                state.Snapshot(0);
            }
        }
        EXPECT_EQ(StoredRunTitleBlock(state, form, "Вариант 3", "07.12.2026"),
                  TitleBlockLines(*c.described, "Вариант 3", "07.12.2026"))
            << c.name;
    }
    // What the run kept is what the form held: every text and tick, not only the connection.
    EXPECT_EQ(InputOf(StoredRunOf(form)).texts, form.texts);
    EXPECT_EQ(InputOf(StoredRunOf(form)).ticks, form.ticks);
    EXPECT_EQ(InputOf(StoredRunOf(form)).star, form.star);
}

}  // namespace
}  // namespace vornik
