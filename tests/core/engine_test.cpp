// The virtual engine behind the monitor frames: plausible values over a whole programme, and a
// lambda reading that follows the map cell the engine runs in.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"

namespace {

// The map cell the virtual engine runs in, found as the PC finds it: the nearest RPM point
// (a midpoint going down), the nearest TP row, the nearest IAP row (a midpoint going up).
int OperatingCellByte(const std::array<uint8_t, 600>& m, const TEngineState& s) {
    static constexpr int kTpRows[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
    auto nearest = [](auto point, int v) {
        int best = 0;
        for (int k = 1; k < 10; ++k)
            if (2 * v > point(k - 1) + point(k)) best = k;
        return best;
    };
    auto column = [&](int axis) {
        return nearest([&](int k) { return m[static_cast<size_t>(axis + k)]; }, s.rpm / 100);
    };
    if (s.onTpMap)
        return 300 + 10 * nearest([](int k) { return kTpRows[k]; }, s.tpPercent) + column(260);
    return 500 + 10 * std::clamp((s.iapPercent + 5) / 10 - 1, 0, 9) + column(280);
}

double MeanLambda(TEngineModel& e, std::array<uint8_t, 600>& m, int ticks) {
    double sum = 0;
    for (int i = 0; i < ticks; ++i) {
        e.Step(m);
        sum += e.State().lambdaMv;
    }
    return sum / ticks;
}

}  // namespace

TEST(VirtualEngine, RicherCellAtTheOperatingPointRaisesTheLambdaReading) {
    TUnitSim sim;
    std::array<uint8_t, 600> m = sim.Memory();
    TEngineModel e;
    e.lambdaDelayTicks = 0;
    for (int i = 0; i < 10; ++i) e.Step(m);  // settled at idle, before the first blip
    const int cell = OperatingCellByte(m, e.State());
    const double lean = MeanLambda(e, m, 12);
    // The cell the engine now runs in, made richer; the rest of the map untouched.
    m[static_cast<size_t>(cell)] = 130;
    ASSERT_EQ(OperatingCellByte(m, e.State()), cell);
    const double rich = MeanLambda(e, m, 12);
    EXPECT_GT(rich, lean + 150) << "cell " << cell;
    m[static_cast<size_t>(cell)] = 70;
    EXPECT_LT(MeanLambda(e, m, 12), lean - 150);
}

TEST(VirtualEngine, ProgrammedRicherMapRaisesTheLambdaOnThePanel) {
    THarness h;
    h.Start();
    h.Ticks(120);
    const int before = h.form->monitor.lambdaMv;
    for (TMap map : {TMap::JetTp, TMap::JetTpi, TMap::JetIap})
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 10; ++c) h.form->image.SetCell(map, r, c, 125);
    h.form->RefreshFieldsFromImage();
    h.form->MenuProgramClick();
    h.RunSession();
    ASSERT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    h.Ticks(30);
    EXPECT_GT(h.form->monitor.lambdaMv, before + 200);
}

TEST(VirtualEngine, EveryMonitorValueStaysPlausibleOverAWholeProgramme) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    w.CheckBoxExtMonitor.UserSetChecked(true);
    int minRpm = 100000, maxRpm = 0, idleMax = 0, lastCoolant = 0, frames = 0;
    for (int tick = 1; tick <= 1150; ++tick) {
        w.monitor.freshMonitorFrame = false;
        w.Timer1Timer();
        if (!w.monitor.freshMonitorFrame) continue;
        ++frames;
        minRpm = std::min<int>(minRpm, w.monitor.rpm);
        maxRpm = std::max<int>(maxRpm, w.monitor.rpm);
        if (tick > 30 && tick < 60) idleMax = std::max<int>(idleMax, w.monitor.rpm);
        EXPECT_EQ(w.LabelPodtlak.Color(), TColor::BtnFace) << tick << " " << w.LabelPodtlak.Text();
        EXPECT_EQ(w.LabelTpsMon.Color(), TColor::BtnFace) << tick;
        EXPECT_LE(w.monitor.tpPercent, 100);
        EXPECT_EQ(w.LabelNapeti.Color(), TColor::BtnFace) << w.LabelNapeti.Text();
        const std::string u = w.LabelNapeti.Text();
        EXPECT_TRUE(u == "U = 13.8 [V]" || u == "U = 13.9 [V]" || u == "U = 14.0 [V]" ||
                    u == "U = 14.1 [V]" || u == "U = 14.2 [V]")
            << u;
        EXPECT_GE(w.monitor.coolantCode, lastCoolant);
        lastCoolant = w.monitor.coolantCode;
        EXPECT_GT(w.monitor.coolantCode, 100);
        EXPECT_NE(w.monitor.airCode, 0);
        EXPECT_GE(w.monitor.lambdaMv, 50);
        EXPECT_LE(w.monitor.lambdaMv, 1000);
        EXPECT_LE(w.CGaugeDuty.Position(), 100);
        EXPECT_EQ(w.CGaugeDuty.Color(), TColor::Aqua);
        EXPECT_FALSE(w.LabelVersion.Visible());
        EXPECT_FALSE(w.LabelEeDataErr.Visible());
        EXPECT_EQ(w.LabelSnimacCkps.Text(), "Pick-up (CKPS) - is running");
        EXPECT_EQ(w.monitor.mapSuspended, 0);
    }
    EXPECT_GT(frames, 150);
    EXPECT_GE(minRpm, 1000);
    EXPECT_LE(idleMax, 1400);
    EXPECT_GT(maxRpm, 4000);
    EXPECT_LT(maxRpm, 14000);
    EXPECT_GT(lastCoolant, 100 + 60);
}

TEST(VirtualEngineProbe, LeanStoichiometricAndRichVoltages) {
    const struct {
        double error;  // (stored - need) / need
        int lo, hi;    // mV
    } cases[] = {
        {-0.30, 90, 120}, {-0.06, 0, 449},  {-0.02, 0, 449},  {-0.01, 450, 800},
        {0.0, 600, 650},  {0.01, 450, 800}, {0.02, 801, 999}, {0.30, 880, 910},
    };
    int last = 0;
    for (const auto& c : cases) {
        const int mv = TEngineModel::ProbeMv(c.error);
        EXPECT_GE(mv, c.lo) << c.error;
        EXPECT_LE(mv, c.hi) << c.error;
        EXPECT_GT(mv, last) << c.error;
        last = mv;
    }
}

TEST(VirtualEngineProbe, AChangedCellShowsOnlyAfterTheDelay) {
    for (int delay : {0, 1, 6, TEngineModel::kMaxLambdaDelay}) {
        TUnitSim sim;
        std::array<uint8_t, 600> m = sim.Memory();
        TEngineModel e;
        e.lambdaDelayTicks = delay;
        e.lambdaNoiseMv = 0;
        e.HoldPoint(2000, 5, 30, true);  // TP row 2, column 1: a cell whose need is as stored
        for (int i = 0; i < 40; ++i) e.Step(m);
        const int before = e.State().lambdaMv;
        EXPECT_EQ(before, TEngineModel::ProbeMv(0)) << delay;
        m[321] = m[421] = 110;  // both TP maps 10 % rich
        for (int i = 0; i < delay; ++i) {
            e.Step(m);
            EXPECT_EQ(e.State().lambdaMv, before) << delay << " tick " << i;
        }
        e.Step(m);
        EXPECT_EQ(e.State().lambdaMv, TEngineModel::ProbeMv(0.10)) << delay;
    }
}
