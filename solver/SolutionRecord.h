#pragma once
// The block of 88 doubles every solver run writes into, its seven saved copies (one per
// operating mode) and the twenty precision settings of the report.

#include <array>
#include <optional>
#include <string>

namespace vornik {

// Field indices with their star-connection names; a delta run reuses the same positions.
enum Field : int {
    UaMod = 0,
    UaArg,
    UaRe,
    UaIm,
    UbMod,
    UbArg,
    UbRe,
    UbIm,
    UcMod,
    UcArg,
    UcRe,
    UcIm,
    Ra,
    Xa,
    ZaMod,
    ZaArg,
    Rb,
    Xb,
    ZbMod,
    ZbArg,
    Rc,
    Xc,
    ZcMod,
    ZcArg,
    R0,
    YaMod,
    YaArg,
    YaRe,
    YaIm,
    YbMod,
    YbArg,
    YbRe,
    YbIm,
    YcMod,
    YcArg,
    YcRe,
    YcIm,
    Y0,
    U0Mod,
    U0Arg,
    U0Re,
    U0Im,
    UaLoadMod,
    UaLoadArg,
    UaLoadRe,
    UaLoadIm,
    UbLoadMod,
    UbLoadArg,
    UbLoadRe,
    UbLoadIm,
    UcLoadMod,
    UcLoadArg,
    UcLoadRe,
    UcLoadIm,
    IaMod,
    IaArg,
    IaRe,
    IaIm,
    IbMod,
    IbArg,
    IbRe,
    IbIm,
    IcMod,
    IcArg,
    IcRe,
    IcIm,
    I0Mod,
    I0Arg,
    I0Re,
    I0Im,
    I0ViaU0Mod,
    I0ViaU0Arg,
    SaMod,
    SaArg,
    Pa,
    Qa,
    SbMod,
    SbArg,
    Pb,
    Qb,
    ScMod,
    ScArg,
    Pc,
    Qc,
    PTotal,
    QTotal,
    PBalance,
    QBalance,
    kFieldCount
};
static_assert(kFieldCount == 88);

// The same positions under the names of what a delta run keeps there, so that delta code never
// reads a star name for something else.
enum DeltaField : int {
    // Normal mode: line voltages, phase impedances, phase currents, line currents, phase powers.
    UabMod = UaMod,
    UbcMod = UbMod,
    UcaMod = UcMod,
    Rab = Ra,
    Xab = Xa,
    ZabMod = ZaMod,
    Rbc = Rb,
    Xbc = Xb,
    ZbcMod = ZbMod,
    Rca = Rc,
    Xca = Xc,
    ZcaMod = ZcMod,
    IabMod = YaMod,
    IabRe = YaRe,
    IabIm = YaIm,
    IbcMod = YbMod,
    IbcRe = YbRe,
    IbcIm = YbIm,
    IcaMod = YcMod,
    IcaRe = YcRe,
    IcaIm = YcIm,
    IaLineMod = UaLoadMod,
    IbLineMod = UbLoadMod,
    IcLineMod = UcLoadMod,
    SabMod = SaMod,
    // Break of a line wire: the line voltage U across the direct phase and the series pair
    // s1 + s2, the series impedance, the currents, the voltages across s1 and s2 and the powers.
    ULineMod = IcMod,
    ULineArg = IcArg,
    SeriesR = Y0,
    SeriesX = U0Mod,
    SeriesZMod = U0Arg,
    SeriesZArg = U0Re,
    IDirectMod = YaMod,
    ISeries1Mod = YbMod,
    ISeries1Arg = YbArg,
    ISeries2Mod = YcMod,
    ISeries2Arg = YcArg,
    Us1Mod = IaMod,
    Us2Mod = IbMod,
    SDirectMod = SaMod,
};

// A complex quantity of the record: four consecutive fields from its modulus field.
inline constexpr int kArg = 1;
inline constexpr int kRe = 2;
inline constexpr int kIm = 3;
// Between the same quantity of branch 1, 2 and 3.
inline constexpr int kBranchStride = 4;

using SolutionRecord = std::array<double, kFieldCount>;

inline constexpr int kModeSlotCount = 7;

// Precision settings: each holds minus the number of decimals shown for one kind of number.
enum PrecisionIndex : int {
    UMag = 0,
    UAng,
    URe,
    UIm,
    ZRe,
    ZIm,
    ZMag,
    ZAng,
    YMag,
    YAng,
    YRe,
    YIm,
    IMag,
    IAng,
    IRe,
    IIm,
    SMag,
    SAng,
    SRe,
    SIm,
    kPrecisionCount
};
static_assert(kPrecisionCount == 20);

// The run whose results the mode slots hold: its connection, its neutral-wire tick and which
// slots it wrote. A picture of the slots is drawn with these, not with the form as it is now.
struct StoredRun {
    bool star = true;
    bool neutral = false;
    std::array<bool, kModeSlotCount> storedSlots{};
    // Counts the runs that stored results, so a caller can tell whether a run stored any.
    unsigned serial = 0;
    // The parameter form's sixteen texts and seven ticks as the run read them (Param and Tick
    // order), for what describes the run: the title block of a printed solution. InputOf
    // (solver/Parameters.h) gives them back as a CircuitInput.
    std::array<std::string, 16> texts{};
    std::array<bool, 7> ticks{};
};

// Everything a calculation run writes: the live record, the mode slots and the precision
// settings. All zero at program start; the program keeps one for its whole life.
struct CalcState {
    SolutionRecord live{};
    std::array<SolutionRecord, kModeSlotCount> modeSlots{};
    std::array<int, kPrecisionCount> precision{};
    // The last run that stored results; none before the first one did.
    std::optional<StoredRun> stored;

    // A run starts: its first snapshot makes it the stored run. A run that stops before its
    // first snapshot leaves the earlier run's results, and their description, as they were.
    void BeginRun(bool star, bool neutral) { starting_ = StoredRun{star, neutral, {}, 0, {}, {}}; }
    // The same with the run's texts and ticks, which become the stored run's with its first
    // snapshot.
    void BeginRun(const StoredRun& run) {
        BeginRun(run.star, run.neutral);
        starting_->texts = run.texts;
        starting_->ticks = run.ticks;
    }
    void Snapshot(int slot) {
        modeSlots.at(slot) = live;
        if (starting_) {
            starting_->serial = stored ? stored->serial + 1 : 1;
            stored = starting_;
            starting_.reset();
        }
        if (stored) {
            stored->storedSlots.at(slot) = true;
        }
    }
    void Restore() { live = modeSlots[0]; }

  private:
    std::optional<StoredRun> starting_;
};

}  // namespace vornik
