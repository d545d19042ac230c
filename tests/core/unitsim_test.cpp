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
    for (uint8_t code : {48, 64, 65, 66, 67, 68, 69, 0, 1, 2, 3, 4, 5}) {
        const std::vector<uint8_t> a = Exchange(sim, Command(code, code <= 5 ? block : nullptr));
        ASSERT_EQ(a.size(), static_cast<size_t>(kFrameSize)) << int(code);
        EXPECT_EQ(a[0], code ^ kResponseBit) << int(code);
        EXPECT_TRUE(FrameCheckOk(a.data())) << int(code);
    }
    // Codes of no command get no answer; nor does a frame with a wrong check byte.
    for (uint8_t code : {6, 47, 63, 70, 128, 176})
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
    EXPECT_EQ(f.silentBlock, 0);
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
