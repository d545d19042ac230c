// Automatic tuning: the tolerance window and the lambda band, the pacing of decisions, resends
// and corrections, the single-block writes, and walks of real cells against the virtual engine.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"
#include "params/bike_types.h"

namespace {

// The main window reading the virtual unit's set, with tuning unlocked and switched on, on the
// given page, while the engine is held at one operating point.
struct TTuningRig {
    THarness h;
    TFormHlav& w;

    explicit TTuningRig(int page = kPageTp14) : w(h.Start()) {
        h.sim.engine.lambdaNoiseMv = 0;
        h.sim.engine.lambdaDelayTicks = 0;
        w.MenuReadClick();
        h.RunSession();
        h.Ticks(1);
        Box(w.CheckBoxLadeniPovoleno, true);
        Box(w.CheckBoxLadeniOn, true);
        w.PageControl1.UserSetPosition(page);
    }
    void Box(TControl& box, bool on) {
        box.UserSetChecked(on);
        w.CheckBoxMouseUp(box);
    }
    // Sets a byte of the editor's set as if typed, and commits it.
    void SetParam(TField f, uint8_t v) {
        w.image.Set(f, v);
        w.RefreshFieldsFromImage();
        w.CommitChange();
    }
    void Hold(int rpm, int tp, int iap, bool tpMap = true) {
        h.sim.engine.HoldPoint(rpm, tp, iap, tpMap);
    }
    // The engine's true need of a cell set so that its stored value is off by percent (negative:
    // the cell runs lean). On the TP maps the probe sees both maps' cells together.
    void Need(TFuelMap map, int row, int column, int percent) {
        const int base = map == TFuelMap::Tp14 ? 300 : map == TFuelMap::Tp23 ? 400 : 500;
        const int stored = h.sim.Memory()[static_cast<size_t>(base + 10 * row + column)];
        h.sim.engine.SetTrueNeed(map, row, column, stored * 100 / (100 + percent));
    }
    int Cell(TMap map, int row, int column) const { return w.image.Cell(map, row, column); }
    int Writes(uint8_t block) const { return h.sim.CommandsSeen(block); }
};

}  // namespace

TEST(TuningDecision, WindowBoundsAreInclusiveForLoadAndExclusiveForSpeed) {
    TParamImage im;
    SetDefaults(im);
    im.Set(TField::RPM_JET_TP, 4, 40);  // column 4 at 4000 rpm
    im.Set(TField::TUNING_RPM, 10);     // +/- 100 rpm
    const struct {
        int tpsTolerance, rpm, tp;
        bool in;
    } cases[] = {
        {1, 4000, 20, true},  {1, 4099, 21, true},  {1, 3901, 19, true}, {1, 4100, 20, false},
        {1, 3900, 20, false}, {1, 4000, 22, false}, {0, 4000, 20, true}, {0, 4000, 21, false},
    };
    for (const auto& c : cases) {
        im.Set(TField::TUNING_TPS, static_cast<uint8_t>(c.tpsTolerance));
        TMonitorData m;
        m.rpm = static_cast<uint16_t>(c.rpm);
        m.tpPercent = static_cast<uint8_t>(c.tp);
        m.tpMapActive = 1;
        TOperatingPoint op;
        op.tpRow = 4;
        op.tp14Column = 4;
        EXPECT_EQ(InTuningWindow(im, m, op, TTuningTarget::Tp14), c.in) << c.rpm << " " << c.tp;
    }
    // The IAP page while the unit runs on the TP maps has no target.
    EXPECT_EQ(TuningTargetOf(kPageIap, 1), TTuningTarget::None);
    EXPECT_EQ(TuningTargetOf(kPageTp23, 0), TTuningTarget::None);
    EXPECT_EQ(TuningTargetOf(kPageMisc, 1), TTuningTarget::None);
}

TEST(TuningDecision, LambdaBandEdgesAreOnTargetAndAWideAccuracyDoesNotWrap) {
    TParamImage im;
    const struct {
        uint8_t req, acc;
        int mv;
        bool lean, rich;
    } cases[] = {
        {80, 5, 750, false, false}, {80, 5, 850, false, false}, {80, 5, 749, true, false},
        {80, 5, 851, false, true},  {20, 40, 0, false, false},  {20, 40, 600, false, false},
        {20, 40, 601, false, true},
    };
    for (const auto& c : cases) {
        im.Set(TField::TUNING_LAMBDA, c.req);
        im.Set(TField::TUNING_ACCURACY, c.acc);
        const TLambdaReading r = ReadLambda(im, static_cast<uint16_t>(c.mv));
        EXPECT_EQ(r.lean, c.lean) << c.mv;
        EXPECT_EQ(r.rich, c.rich) << c.mv;
    }
}

TEST(TuningState, OffTargetCountStopsAt65535) {
    TTuningState t;
    t.inTuningWindow = true;
    t.offTargetTicks = 65534;
    t.CountOffTarget();
    t.CountOffTarget();
    EXPECT_EQ(t.offTargetTicks, 65535);
    t.lambdaOnTarget = true;
    t.CountOffTarget();
    EXPECT_EQ(t.offTargetTicks, 0);
}

// A lean cell in the window turns yellow and is raised one step at a time, each step written as
// block 3 and acknowledged; the map cells outside the history until the next edit commits.
TEST(TuningTicks, LeanCellIsRaisedAndWrittenStepByStep) {
    TTuningRig r;
    r.Need(TFuelMap::Tp14, 4, 3, -20);
    r.Need(TFuelMap::Tp23, 4, 3, -20);
    r.Hold(4000, 20, 39);
    const int before = r.Cell(TMap::JetTp, 4, 3);
    const int undoSteps = r.w.history.currentSlot;
    r.h.Ticks(12);
    EXPECT_EQ(r.w.Tp14.cellEdit[43].Color(), TColor::Yellow);
    r.h.Ticks(200);
    const int raised = r.Cell(TMap::JetTp, 4, 3) - before;
    EXPECT_GE(raised, 5);
    EXPECT_EQ(r.Writes(3), raised);
    EXPECT_EQ(r.h.sim.Memory()[343], r.Cell(TMap::JetTp, 4, 3));
    EXPECT_EQ(r.w.LabelHlaseni.Text(), "Program OK");
    EXPECT_EQ(r.w.history.currentSlot, undoSteps);
    EXPECT_EQ(r.w.Tp14.cellEdit[43].Text(), std::to_string(r.Cell(TMap::JetTp, 4, 3)));
}

TEST(TuningTicks, NoCorrectionOffThePageEngineStoppedSuspendedOrSwitchedOff) {
    const struct {
        const char* name;
        int page;
        bool tpMap, stop, off;
    } cases[] = {
        {"misc page", kPageMisc, true, false, false},
        {"IAP page on TP map", kPageIap, true, false, false},
        {"TP page on IAP map", kPageTp14, false, false, false},
        {"engine stopped", kPageTp14, true, true, false},
        {"tuning off", kPageTp14, true, false, true},
    };
    for (const auto& c : cases) {
        TTuningRig r(c.page);
        r.Need(TFuelMap::Tp14, 4, 3, -20);
        r.Need(TFuelMap::Iap, 2, 3, -20);
        r.Hold(4000, 20, 30, c.tpMap);
        if (c.stop) {
            r.h.sim.engine.ReleasePoint();
            r.h.sim.engine.running = false;
        }
        if (c.off) r.Box(r.w.CheckBoxLadeniOn, false);
        const int sends = r.Writes(3) + r.Writes(5);
        r.h.Ticks(150);
        EXPECT_EQ(r.Writes(3) + r.Writes(5), sends) << c.name;
        EXPECT_FALSE(r.w.tuning.inTuningWindow) << c.name;
        EXPECT_GT(r.h.sim.CommandsSeen(48), 10) << c.name;  // live values keep coming
    }
}

// At a bound the TP14 block is still written; the IAP block is not.
TEST(TuningTicks, CellAtItsBoundWritesTheTp14BlockButNotTheIapBlock) {
    for (bool iap : {false, true}) {
        TTuningRig r(iap ? kPageIap : kPageTp14);
        const TMap map = iap ? TMap::JetIap : TMap::JetTp;
        r.w.image.SetCell(map, 4, 3, 250);
        if (!iap) r.w.image.SetCell(TMap::JetTpi, 4, 3, 250);
        r.w.RefreshFieldsFromImage();
        r.w.MenuProgramClick();
        r.h.RunSession();
        r.h.sim.engine.SetTrueNeed(iap ? TFuelMap::Iap : TFuelMap::Tp14, 4, 3, 1000);
        r.h.sim.engine.SetTrueNeed(iap ? TFuelMap::Iap : TFuelMap::Tp23, 4, 3, 1000);
        r.Hold(4000, 20, 50, !iap);
        const int sends = r.Writes(iap ? 5 : 3);
        r.h.Ticks(120);
        EXPECT_EQ(r.Cell(map, 4, 3), 250);
        if (iap) {
            EXPECT_EQ(r.Writes(5), sends);
        } else {
            EXPECT_GE(r.Writes(3), sends + 2);
        }
    }
}

TEST(TuningTicks, CoupledMapsWriteBlockThreeThenFourAndTheGaugeStepsOnce) {
    TTuningRig r;
    r.SetParam(TField::TPS_MODE, 1);
    r.w.MenuProgramClick();
    r.h.RunSession();
    r.h.Ticks(80);
    r.Need(TFuelMap::Tp14, 4, 3, -20);
    r.Need(TFuelMap::Tp23, 4, 3, -20);
    r.Hold(4000, 20, 39);
    const int b3 = r.Writes(3), b4 = r.Writes(4);
    const int cell14 = r.Cell(TMap::JetTp, 4, 3), cell23 = r.Cell(TMap::JetTpi, 4, 3);
    while (r.Writes(3) == b3) r.h.Ticks(1);
    const int gauge = r.w.CGaugeProgram.Position();
    EXPECT_EQ(r.Writes(4), b4);
    EXPECT_TRUE(r.w.tuning.blockPending);
    r.h.Ticks(1);  // block 3 acknowledged: block 4 follows
    EXPECT_EQ(r.Writes(4), b4 + 1);
    EXPECT_TRUE(r.w.tuning.blockPending);
    EXPECT_EQ(r.w.CGaugeProgram.Position(), gauge);
    r.h.Ticks(1);
    EXPECT_FALSE(r.w.tuning.blockPending);
    EXPECT_EQ(r.w.CGaugeProgram.Position(), gauge >= r.w.CGaugeProgram.Max() ? 0 : gauge + 1);
    EXPECT_EQ(r.Cell(TMap::JetTp, 4, 3), cell14 + 1);
    EXPECT_EQ(r.Cell(TMap::JetTpi, 4, 3), cell23 + 1);
}

// A unit that stops acknowledging: resent on every fifth call, "Program error!" in red from the
// sixth send on, without changing the label's visibility; no further correction meanwhile.
TEST(TuningTicks, UnacknowledgedBlockIsResentAndFailsFromTheSixthSend) {
    TTuningRig r;
    r.Need(TFuelMap::Tp14, 4, 3, -20);
    r.Hold(4000, 20, 39);
    r.h.sim.faults.silentBlock = 3;
    const int sends = r.Writes(3);
    while (r.Writes(3) == sends) r.h.Ticks(1);
    const int cell = r.Cell(TMap::JetTp, 4, 3);
    for (int send = 2; send <= 7; ++send) {
        r.h.Ticks(5);
        ASSERT_EQ(r.Writes(3) - sends, send);
        const bool error = r.w.LabelHlaseni.Text() == "Program error!";
        EXPECT_EQ(error, send >= 6) << send;
        if (error) {
            EXPECT_EQ(r.w.LabelHlaseni.Color(), TColor::Red);
        }
    }
    EXPECT_EQ(r.Cell(TMap::JetTp, 4, 3), cell);
    EXPECT_TRUE(r.w.tuning.blockPending);
    // The unit answers again: the block is acknowledged and tuning goes on.
    r.h.sim.faults.silentBlock = -1;
    r.h.Ticks(12);
    EXPECT_FALSE(r.w.tuning.blockPending);
    EXPECT_EQ(r.w.LabelHlaseni.Text(), "Program OK");
}

// With no time step a correction comes on every fifth call with a fresh frame, even on target;
// on the TP14 page the unchanged block is written.
TEST(TuningTicks, ZeroTimeStepWritesTheTp14BlockEvenOnTarget) {
    TTuningRig r;
    r.Hold(2000, 5, 30);  // a cell as the engine needs it
    r.w.image.Set(TField::TUNING_LAMBDA, 62);
    r.w.image.Set(TField::TUNING_ACCURACY, 20);
    r.w.image.Set(TField::TUNING_STEP, 0);
    const int cell = r.Cell(TMap::JetTp, 2, 1);
    const int sends = r.Writes(3);
    r.h.Ticks(100);
    EXPECT_TRUE(r.w.tuning.lambdaOnTarget);
    EXPECT_GE(r.Writes(3), sends + 5);
    EXPECT_EQ(r.Cell(TMap::JetTp, 2, 1), cell);
}

// A session started meanwhile takes over the link: the pending write is given up and no later
// answer of the session counts as its acknowledgement.
TEST(TuningTicks, ASessionSupersedesAPendingBlock) {
    TTuningRig r;
    r.Need(TFuelMap::Tp14, 4, 3, -20);
    r.Hold(4000, 20, 39);
    r.h.sim.faults.silentBlock = 3;
    const int sends = r.Writes(3);
    while (r.Writes(3) == sends) r.h.Ticks(1);
    r.h.sim.faults.silentBlock = -1;
    r.Box(r.w.CheckBoxLadeniOn, false);
    r.w.MenuVerifyClick();
    EXPECT_FALSE(r.w.tuning.blockPending);
    r.h.RunSession();
    r.h.Ticks(5);
    EXPECT_NE(r.w.LabelHlaseni.Text(), "Program OK");
}

// Against the virtual engine, tick by tick: a lean cell climbs and a rich one falls, one step per
// correction and never back, into the band, and then no further block is written.
TEST(TuningConvergence, LeanAndRichCellsWalkIntoTheBandAndStay) {
    const struct {
        int percent;  // stored against need; negative is lean
        int direction;
    } cases[] = {{-6, 1}, {6, -1}};
    for (const auto& c : cases) {
        TTuningRig r;
        r.Need(TFuelMap::Tp14, 4, 3, c.percent);
        r.Need(TFuelMap::Tp23, 4, 3, c.percent);
        r.Hold(4000, 20, 39);
        int last = r.Cell(TMap::JetTp, 4, 3), steps = 0;
        for (int tick = 0; tick < 1500; ++tick) {
            r.h.Ticks(1);
            const int now = r.Cell(TMap::JetTp, 4, 3);
            ASSERT_TRUE(now == last || now == last + c.direction) << tick;
            steps += now != last;
            last = now;
        }
        EXPECT_GE(steps, 3) << c.percent;
        EXPECT_TRUE(r.w.tuning.lambdaOnTarget) << c.percent;
        EXPECT_EQ(r.w.Tp14.cellEdit[43].Color(), TColor::Fuchsia);
        const int writes = r.Writes(3);
        r.h.Ticks(300);
        EXPECT_EQ(r.Writes(3), writes) << c.percent;
        EXPECT_EQ(r.Cell(TMap::JetTp, 4, 3), last);
    }
}

// A probe that lags more than the time step: each correction is judged on a reading from before
// the last ones, so the walk overshoots the band and swings about it. A correction needs at least
// 8 ticks off target (400 ms), so a lag of 27 ticks lets at most 27 / 8 + 1 = 4 corrections pass
// before their effect is seen: the cell never leaves the band's cells by more than that.
TEST(TuningConvergence, DelayLongerThanTheTimeStepOvershootsByTheDelaysWorth) {
    TTuningRig r;
    r.SetParam(TField::TUNING_STEP, 4);
    constexpr int kDelay = 27;
    r.h.sim.engine.lambdaDelayTicks = kDelay;
    r.Need(TFuelMap::Tp14, 4, 3, -6);
    r.Need(TFuelMap::Tp23, 4, 3, -6);
    r.Hold(4000, 20, 39);
    // The band's cells with no lag, from the engine's own probe curve.
    const int need = r.h.sim.engine.TrueNeed(TFuelMap::Tp14, 4, 3) +
                     r.h.sim.engine.TrueNeed(TFuelMap::Tp23, 4, 3);
    // In Coupled mode the TP23 cell moves with the TP14 cell.
    const bool coupled = r.w.image.Get(TField::TPS_MODE) == 1;
    const int partner = r.Cell(TMap::JetTpi, 4, 3);
    auto probe = [&](int cell) {
        const int sum = cell + (coupled ? cell : partner);
        return TEngineModel::ProbeMv(static_cast<double>(sum - need) / need);
    };
    int firstInBand = r.Cell(TMap::JetTp, 4, 3), lastInBand;
    while (probe(firstInBand) < 750) ++firstInBand;
    for (lastInBand = firstInBand; probe(lastInBand + 1) <= 850;) ++lastInBand;

    int low = 255, high = 0;
    bool reached = false;
    for (int tick = 0; tick < 2000; ++tick) {
        r.h.Ticks(1);
        const int cell = r.Cell(TMap::JetTp, 4, 3);
        reached = reached || cell >= firstInBand;
        if (!reached) continue;
        low = std::min(low, cell);
        high = std::max(high, cell);
    }
    constexpr int kInFlight = kDelay / 8 + 1;
    ASSERT_TRUE(reached);
    EXPECT_GT(high, lastInBand);
    EXPECT_LE(high, lastInBand + kInFlight);
    EXPECT_GE(low, firstInBand - kInFlight);
}
