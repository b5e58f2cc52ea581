#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "check/AnswerSheet.h"
#include "check/FormulaChain.h"
#include "classset/RandomVariants.h"
#include "classset/RecordFieldNames.h"

namespace vornik {
namespace {

// A text of a whole number of tenths in [from, to].
std::string Drawn(SplitMix64& random, int from, int to) {
    const auto tenths =
        static_cast<std::int64_t>(random.Below(static_cast<std::uint64_t>((to - from) * 10 + 1))) + from * 10;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text =
            (tenths < 0 && tenths / 10 == 0 ? "-" : "") + text + "," + std::to_string(std::abs(tenths % 10));
    }
    return text;
}

// A random circuit of either connection with every emergency mode ticked.
TaskValues RandomTask(SplitMix64& random) {
    TaskValues t;
    t.input.star = random.Below(2) == 0;
    const Param mods[] = {Param::ComboBox1, Param::ComboBox2, Param::ComboBox3};
    const Param angles[] = {Param::Edit1, Param::Edit2, Param::Edit3};
    const Param rs[] = {Param::Edit4, Param::Edit6, Param::Edit8};
    const Param xs[] = {Param::Edit5, Param::Edit7, Param::Edit9};
    for (int k = 0; k < 3; ++k) {
        t.input[mods[k]] = Drawn(random, 100, 400);
        t.input[angles[k]] = Drawn(random, -180, 180);
        t.input[rs[k]] = Drawn(random, 1, 40);
        t.input[xs[k]] = Drawn(random, -30, 30);
    }
    t.input[Param::Edit10] = Drawn(random, 1, 10);
    t.input.SetChecked(1, t.input.star && random.Below(2) == 0);
    for (int box = 2; box <= 7; ++box) {
        t.input.SetChecked(box, true);
    }
    return t;
}

// The chain fed with the solver's exact earlier values gives every key quantity of every mode
// bit for bit as the solver stored it; the step reads nothing but the inputs and earlier
// quantities its link declares (every other field is NaN).
TEST(FormulaChain, FedTheSolversValuesGivesTheSolversSlotsBitForBit) {
    SplitMix64 random(20261207);
    std::set<std::string> modesSeen;
    for (int task = 0; task < 80; ++task) {
        const AnswerSheet sheet = MakeAnswerSheet(RandomTask(random));
        ASSERT_TRUE(sheet.completed) << sheet.message;
        for (const SheetMode& mode : sheet.modes) {
            const std::string where = (mode.mode.of.star ? "star " : "delta ") + mode.mode.name;
            modesSeen.insert(where);
            const ChainContext context{mode.mode.of, sheet.neutral};
            const SolutionRecord& slot = sheet.state.modeSlots[mode.mode.slot];
            std::set<int> earlier;
            for (const ChainLink& link : ModeChain(context)) {
                SolutionRecord record;
                record.fill(std::numeric_limits<double>::quiet_NaN());
                for (const int f : link.inputs) {
                    record[f] = slot[f];
                }
                for (const int dep : link.after) {
                    EXPECT_TRUE(earlier.contains(dep))
                        << where << ": " << link.formula << " uses a later quantity";
                    for (const int f : QuantityFields(context, dep)) {
                        record[f] = slot[f];
                    }
                }
                link.step(record, context, link.field);
                for (const int f : QuantityFields(context, link.field)) {
                    if (f == link.field || f == link.field + kArg) {
                        EXPECT_EQ(record[f], slot[f])
                            << where << " task " << task << ": " << kFieldNames[f] << " of " << link.formula;
                    }
                }
                earlier.insert(link.field);
            }
            // Every quantity of the sheet has its link.
            for (const SheetQuantity& q : mode.quantities) {
                EXPECT_TRUE(LinkOf(context, q.key.field).has_value()) << where << ": " << q.quantity;
            }
        }
    }
    EXPECT_EQ(modesSeen.size(), 14u);  // both connections, every mode
}

}  // namespace
}  // namespace vornik
