// The virtual unit on its own: one answer per command as the frame layout fixes it, the block
// contents it keeps, and its fault switches.
#include <gtest/gtest.h>

#include "fault_options.h"
#include "test_frames.h"
#include "unit_sim.h"

namespace {

TFrameBytes Command(uint8_t code, const uint8_t* data = nullptr) {
    return ResponseFrame(code, data);  // same layout in both directions
}

// Everything the unit has sent so far.
std::vector<uint8_t> Drain(TUnitSim& sim) {
    std::vector<uint8_t> out(sim.Available());
    out.resize(sim.Take(out.data(), out.size()));
    return out;
}

std::vector<uint8_t> Exchange(TUnitSim& sim, const TFrameBytes& f) {
    sim.Receive(f.data(), f.size());
    return Drain(sim);
}

}  // namespace

TEST(VirtualUnit, AnswersEachCommandOnceWithItsCodePlus128AndACorrectCheckByte) {
    TUnitSim sim;
    uint8_t block[kFrameData];
    for (int i = 0; i < kFrameData; ++i) block[i] = static_cast<uint8_t>(100 + i);
    for (uint8_t code :
         std::initializer_list<uint8_t>{48, 64, 65, 66, 67, 68, 69, 0, 1, 2, 3, 4, 5}) {
        const std::vector<uint8_t> a = Exchange(sim, Command(code, code <= 5 ? block : nullptr));
        ASSERT_EQ(a.size(), static_cast<size_t>(kFrameSize)) << int(code);
        EXPECT_EQ(a[0], code ^ kResponseBit) << int(code);
        EXPECT_TRUE(FrameCheckOk(a.data())) << int(code);
    }
    // Codes of no command get no answer; nor does a frame with a wrong check byte.
    for (uint8_t code : std::initializer_list<uint8_t>{6, 47, 63, 70, 128, 176})
        EXPECT_TRUE(Exchange(sim, Command(code)).empty());
    TFrameBytes bad = Command(48);
    bad[101] ^= 1;
    EXPECT_TRUE(Exchange(sim, bad).empty());
    // A frame split over several writes is answered once it is complete.
    const TFrameBytes m = Command(48);
    sim.Receive(m.data(), 50);
    EXPECT_EQ(sim.Available(), 0u);
    sim.Receive(m.data() + 50, 52);
    EXPECT_EQ(Drain(sim).size(), static_cast<size_t>(kFrameSize));
}

TEST(VirtualUnit, ProgrammedBlocksAreEchoedAndReadBackButBlockZeroStaysTheUnits) {
    TUnitSim sim;
    const std::array<uint8_t, 600> before = sim.Memory();
    uint8_t data[kFrameData];
    for (int i = 0; i < kFrameData; ++i) data[i] = static_cast<uint8_t>(7 * i);
    // Block 0: the answer is the unit's identity block, whatever the PC sent.
    std::vector<uint8_t> a = Exchange(sim, Command(0, data));
    EXPECT_EQ(std::memcmp(a.data() + 1, before.data(), kFrameData), 0);
    EXPECT_EQ(a[11], 43);
    for (uint8_t b = 1; b <= 5; ++b) {
        a = Exchange(sim, Command(b, data));
        EXPECT_EQ(std::memcmp(a.data() + 1, data, kFrameData), 0) << int(b);
        a = Exchange(sim, Command(static_cast<uint8_t>(64 + b)));
        EXPECT_EQ(std::memcmp(a.data() + 1, data, kFrameData), 0) << int(b);
    }
    EXPECT_EQ(std::memcmp(sim.Memory().data(), before.data(), 100), 0);
    // The data of a read command do not matter.
    a = Exchange(sim, Command(66, before.data() + 200));
    EXPECT_EQ(std::memcmp(a.data() + 1, data, kFrameData), 0);
    // The monitor frame carries the layout version and the number of programmings.
    a = Exchange(sim, Command(48));
    EXPECT_EQ(a[100], 43);
    EXPECT_EQ(FrameWord(a.data(), 31), 1);
}

TEST(VirtualUnit, SavingCountdownRunsFrom503ToZeroInTheGivenTicks) {
    for (int saveTicks : {1, 40, 600}) {
        TUnitSim sim;
        sim.faults.saveTicks = saveTicks;
        for (uint8_t b = 0; b <= 5; ++b) Exchange(sim, Command(b, sim.Memory().data() + 100 * b));
        EXPECT_EQ(sim.SavingCountdown(), 503) << saveTicks;
        int ticks = 0, last = 503;
        while (sim.SavingCountdown() > 0 && ticks < 2000) {
            sim.Tick();
            ++ticks;
            EXPECT_LE(sim.SavingCountdown(), last);
            last = sim.SavingCountdown();
        }
        EXPECT_EQ(ticks, saveTicks);
    }
    TUnitSim at_once;
    at_once.faults.saveTicks = 0;
    for (uint8_t b = 0; b <= 5; ++b)
        Exchange(at_once, Command(b, at_once.Memory().data() + 100 * b));
    EXPECT_EQ(at_once.SavingCountdown(), 0);
}

TEST(VirtualUnit, HeldAnswersKeepTheirCopiesAndTrailingBytes) {
    TUnitSim sim;
    sim.faults.holdTicks = 2;
    sim.faults.copies = 2;
    sim.faults.trailingBytes = 5;
    EXPECT_TRUE(Exchange(sim, Command(65)).empty());
    sim.Tick();
    EXPECT_EQ(sim.Available(), 0u);
    sim.Tick();
    const std::vector<uint8_t> a = Drain(sim);
    ASSERT_EQ(a.size(), 2u * kFrameSize + 5);
    EXPECT_EQ(a[0], 193);
    EXPECT_EQ(a[kFrameSize], 193);
    EXPECT_TRUE(FrameCheckOk(a.data() + kFrameSize));
    // The same without holding.
    sim.faults.holdTicks = 0;
    EXPECT_EQ(Exchange(sim, Command(65)).size(), 2u * kFrameSize + 5);
}

TEST(VirtualUnit, BlockFaults) {
    TUnitSim sim;
    sim.faults.differingBlock = 3;
    sim.faults.silentBlock = 4;
    sim.faults.wrongCodeBlock = 2;
    std::vector<uint8_t> a = Exchange(sim, Command(67));
    ASSERT_EQ(a.size(), static_cast<size_t>(kFrameSize));
    EXPECT_TRUE(FrameCheckOk(a.data()));
    EXPECT_NE(std::memcmp(a.data() + 1, sim.Memory().data() + 300, kFrameData), 0);
    EXPECT_TRUE(Exchange(sim, Command(68)).empty());
    // A muted write goes unanswered (and is not stored); the block is still read.
    sim.faults.silentWriteBlock = 1;
    EXPECT_TRUE(Exchange(sim, Command(1)).empty());
    EXPECT_EQ(Exchange(sim, Command(65)).size(), static_cast<size_t>(kFrameSize));
    a = Exchange(sim, Command(66));
    EXPECT_EQ(a[0], 195);
    EXPECT_TRUE(FrameCheckOk(a.data()));
    sim.faults = TUnitFaults{};
    sim.faults.wrongCheck = true;
    a = Exchange(sim, Command(48));
    ASSERT_EQ(a.size(), static_cast<size_t>(kFrameSize));
    EXPECT_FALSE(FrameCheckOk(a.data()));
    sim.faults = TUnitFaults{};
    sim.faults.dropEvery = 2;
    int answered = 0;
    for (int i = 0; i < 6; ++i) answered += Exchange(sim, Command(48)).empty() ? 0 : 1;
    EXPECT_EQ(answered, 3);
}

TEST(VirtualUnitFaultWords, KnownWordsWithValuesInRange) {
    TUnitFaults f;
    EXPECT_TRUE(ApplyFaultOption(f, "silent"));
    EXPECT_TRUE(f.silent);
    EXPECT_TRUE(ApplyFaultOption(f, "wrong-check"));
    EXPECT_TRUE(f.wrongCheck);
    EXPECT_TRUE(ApplyFaultOption(f, "layout=42"));
    EXPECT_EQ(f.layoutVersion, 42);
    EXPECT_TRUE(ApplyFaultOption(f, "hold=6"));
    EXPECT_EQ(f.holdTicks, 6);
    EXPECT_TRUE(ApplyFaultOption(f, "differ=3"));
    EXPECT_EQ(f.differingBlock, 3);
    EXPECT_TRUE(ApplyFaultOption(f, "mute=0"));
    EXPECT_EQ(f.silentWriteBlock, 0);
    EXPECT_TRUE(ApplyFaultOption(f, "wrong-code=5"));
    EXPECT_EQ(f.wrongCodeBlock, 5);
    EXPECT_TRUE(ApplyFaultOption(f, "drop-every=3"));
    EXPECT_EQ(f.dropEvery, 3);
    EXPECT_TRUE(ApplyFaultOption(f, "copies=2"));
    EXPECT_EQ(f.copies, 2);
    EXPECT_TRUE(ApplyFaultOption(f, "trailing=40"));
    EXPECT_EQ(f.trailingBytes, 40);
    EXPECT_TRUE(ApplyFaultOption(f, "save-ticks=0"));
    EXPECT_EQ(f.saveTicks, 0);

    // Anything else is refused and changes nothing: no value read as 0, no value that wraps or
    // that would keep the unit busy for ever.
    const TUnitFaults kept = f;
    for (const char* w : {"", "loud", "layout", "layout=", "layout=abc", "layout=42x", "layout=256",
                          "layout=-1", "differ=6", "mute=-1", "copies=0", "copies=1000000",
                          "trailing=1000000000", "hold=-5", "silent=1", "drop-every= 3"}) {
        EXPECT_FALSE(ApplyFaultOption(f, w)) << w;
    }
    EXPECT_EQ(f.layoutVersion, kept.layoutVersion);
    EXPECT_EQ(f.copies, kept.copies);
    EXPECT_EQ(f.trailingBytes, kept.trailingBytes);
    EXPECT_EQ(f.silentBlock, kept.silentBlock);
}

TEST(VirtualUnitFaultWords, HeldPointWithItsBounds) {
    TUnitFaults f;
    EXPECT_TRUE(ApplyFaultOption(f, "point=5000,20,30,tp"));
    EXPECT_EQ(f.point, (TEnginePoint{true, 5000, 20, 30, true}));
    EXPECT_TRUE(ApplyFaultOption(f, "point=300,0,100,iap"));
    EXPECT_EQ(f.point, (TEnginePoint{true, 300, 0, 100, false}));
    const TEnginePoint kept = f.point;
    for (const char* w :
         {"point", "point=", "point=5000", "point=5000,20,30", "point=5000,20,30,TP",
          "point=5000,20,30,tp,1", "point=5000,20,30,", "point=299,20,30,tp",
          "point=20001,20,30,tp", "point=5000,101,30,tp", "point=5000,20,-1,iap",
          "point=5000,,30,tp", "point=5000, 20,30,tp", "point=5e3,20,30,tp"}) {
        EXPECT_FALSE(ApplyFaultOption(f, w)) << w;
    }
    EXPECT_EQ(f.point, kept);
}

TEST(VirtualUnit, HeldPointIsWhatTheMonitorFrameReports) {
    const struct {
        const char* word;
        bool stopped;  // the engine was stopped before
        int rpm, tp, iap, tpMap;
    } cases[] = {
        {"point=5000,20,30,tp", false, 5000, 20, 30, 1},
        {"point=1200,0,45,iap", false, 1200, 0, 45, 0},
        {"point=300,100,100,tp", true, 300, 100, 100, 1},
    };
    for (const auto& c : cases) {
        TUnitSim sim;
        sim.engine.running = !c.stopped;
        ASSERT_TRUE(ApplyFaultOption(sim.faults, c.word)) << c.word;
        for (int tick = 0; tick < 200; ++tick) sim.Tick();  // through blips and cruise alike
        const std::vector<uint8_t> a = Exchange(sim, Command(48));
        ASSERT_EQ(a.size(), static_cast<size_t>(kFrameSize));
        EXPECT_EQ(FrameWord(a.data(), 1), c.rpm) << c.word;
        EXPECT_EQ(a[51], c.tp) << c.word;
        EXPECT_EQ(a[52], c.iap) << c.word;
        EXPECT_EQ(a[59], 0) << c.word;  // a map cell in use
        EXPECT_EQ(a[60], c.tpMap) << c.word;
        EXPECT_EQ(a[73], 1) << c.word;  // running
    }
    // Released, the engine moves on with its programme.
    TUnitSim sim;
    sim.engine.HoldPoint(5000, 20, 30, true);
    for (int tick = 0; tick < 20; ++tick) sim.Tick();
    sim.engine.ReleasePoint();
    for (int tick = 0; tick < 20; ++tick) sim.Tick();
    EXPECT_LT(sim.engine.State().rpm, 4000);
}

TEST(VirtualUnit, MutedBlockStaysSilentForALoneWriteWhichIsNoNewProgramming) {
    TUnitSim sim;
    sim.faults.saveTicks = 2;
    for (uint8_t b = 0; b <= 5; ++b) Exchange(sim, Command(b, sim.Memory().data() + 100 * b));
    sim.Tick();
    sim.Tick();
    ASSERT_EQ(sim.Programmings(), 1);
    ASSERT_EQ(sim.SavingCountdown(), 0);
    // Tuning writes one map block alone, with no session around it.
    uint8_t block[kFrameData];
    std::memcpy(block, sim.Memory().data() + 500, kFrameData);
    block[43] = 101;
    EXPECT_EQ(Exchange(sim, Command(5, block)).size(), static_cast<size_t>(kFrameSize));
    EXPECT_EQ(sim.Programmings(), 1);
    EXPECT_EQ(sim.SavingCountdown(), 0);
    for (int muted : {3, 5}) {
        sim.faults.silentBlock = muted;
        std::memcpy(block, sim.Memory().data() + 100 * muted, kFrameData);
        EXPECT_TRUE(Exchange(sim, Command(static_cast<uint8_t>(muted), block)).empty()) << muted;
    }
}

// The PC's side of automatic tuning in its simplest form: hold a cell, read the probe, move the
// cell by one toward the band of 750-850 mV and write the block alone.
TEST(VirtualUnitTuning, NudgingTheCellTowardTheBandConverges) {
    const struct {
        const char* point;
        std::vector<int> cells;  // image bytes moved together
        int minSteps;
    } cases[] = {
        {"point=4000,20,39,tp", {343, 443}, 5},  // 6 % lean, both TP maps
        {"point=6000,20,39,tp", {344}, 3},       // 5 % rich, TP14 alone
        {"point=8000,20,39,tp", {445}, 15},      // 8 % lean, TP23 alone
        {"point=4000,0,50,iap", {543}, 4},       // 5 % lean, IAP map
        {"point=2000,5,30,tp", {321, 421}, 1},   // as stored: slightly rich of the band
    };
    for (const auto& c : cases) {
        TUnitSim sim;
        ASSERT_TRUE(ApplyFaultOption(sim.faults, c.point));
        int steps = 0, onTarget = 0;
        for (int round = 0; round < 100 && onTarget < 4; ++round) {
            for (int tick = 0; tick < 25; ++tick) sim.Tick();
            const std::vector<uint8_t> m = Exchange(sim, Command(48));
            const int mv = FrameWord(m.data(), 11) * 5000 / 4092;
            const int step = mv < 750 ? 1 : mv > 850 ? -1 : 0;
            onTarget = step == 0 ? onTarget + 1 : 0;
            if (step == 0) continue;
            ++steps;
            const int block = c.cells[0] / 100;
            uint8_t data[kFrameData];
            std::memcpy(data, sim.Memory().data() + 100 * block, kFrameData);
            for (int cell : c.cells)
                data[cell % 100] = static_cast<uint8_t>(data[cell % 100] + step);
            EXPECT_EQ(Exchange(sim, Command(static_cast<uint8_t>(block), data)).size(),
                      static_cast<size_t>(kFrameSize));
        }
        EXPECT_EQ(onTarget, 4) << c.point;
        EXPECT_GE(steps, c.minSteps) << c.point;
        EXPECT_GT(sim.engine.MixtureError(), 0.005) << c.point;
        EXPECT_LT(sim.engine.MixtureError(), 0.03) << c.point;
    }
}
