// Frame layout and check byte, and the data that each kind of block frame carries.
#include <gtest/gtest.h>

#include <random>

#include "harness.h"
#include "test_frames.h"

TEST(FrameCheck, WorkedCheckBytes) {
    uint8_t data[kFrameData] = {};
    EXPECT_EQ(FrameCheckByte(kCmdMonitor, data), 207);
    for (uint8_t n = 0; n <= 5; ++n) EXPECT_EQ(FrameCheckByte(n, data), 255 ^ n) << int(n);
    data[0] = 16;
    EXPECT_EQ(FrameCheckByte(65, data), 174);
    for (uint8_t& b : data) b = 1;
    EXPECT_EQ(FrameCheckByte(2, data), 253);
}

TEST(FrameCheck, AcceptsExactlyTheOneCorrectCheckByte) {
    TFrameBytes zeros{};
    EXPECT_FALSE(FrameCheckOk(zeros.data()));

    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        TFrameBytes f{};
        f[0] = kCodeMonitorFrame;
        uint8_t x = 0;
        for (int i = 1; i <= kFrameData; ++i) {
            f[static_cast<size_t>(i)] = static_cast<uint8_t>(rng());
            x ^= f[static_cast<size_t>(i)];
        }
        for (int c = 0; c < 256; ++c) {
            f[101] = static_cast<uint8_t>(c);
            EXPECT_EQ(FrameCheckOk(f.data()), c == (79 ^ x)) << round << " " << c;
        }
    }
}

TEST(FrameBuild, MonitorRequestIsAlwaysTheSameFrame) {
    THarness h;
    h.Start();
    h.form->image[150] = 77;
    h.form->SendMonitorRequest();
    const TUnitFrame& f = h.form->link.txFrame;
    EXPECT_EQ(f.bytes[0], 48);
    for (int i = 1; i <= kFrameData; ++i) EXPECT_EQ(f.bytes[static_cast<size_t>(i)], 0) << i;
    EXPECT_EQ(f.bytes[101], 207);
}

TEST(FrameBuild, ReadFramesCarryZerosAndVerifyFramesTheImageBlock) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    ASSERT_NE(w.image[100 + 37], 0);  // block 1 holds a parameter set

    w.MenuReadClick();
    EXPECT_EQ(w.link.txFrame.bytes[0], 64);
    for (int b = 0; b < 6; ++b) {
        w.session.command = static_cast<uint8_t>(64 + b);
        w.SendBlockFrame();
        for (int i = 1; i <= kFrameData; ++i)
            ASSERT_EQ(w.link.txFrame.bytes[static_cast<size_t>(i)], 0) << b << " " << i;
        EXPECT_EQ(w.link.txFrame.bytes[101],
                  FrameCheckByte(static_cast<uint8_t>(64 + b), TFrameBytes{}.data()));
    }

    w.MenuVerifyClick();
    for (int b = 1; b < 6; ++b) {
        w.session.command = static_cast<uint8_t>(64 + b);
        w.SendBlockFrame();
        EXPECT_EQ(w.link.txFrame.bytes[0], 64 + b);
        EXPECT_EQ(std::memcmp(w.link.txFrame.DataPtr(), w.image.Block(b), kFrameData), 0) << b;
        EXPECT_TRUE(FrameCheckOk(w.link.txFrame));
    }

    w.MenuProgramClick();
    EXPECT_EQ(w.link.txFrame.bytes[0], 0);
    EXPECT_EQ(std::memcmp(w.link.txFrame.DataPtr(), w.image.Block(0), kFrameData), 0);
    EXPECT_TRUE(FrameCheckOk(w.link.txFrame));
}

TEST(FrameBuild, EverySendOfABlockFrameRestartsItsTimeout) {
    THarness h;
    h.Start();
    h.form->session.ticksSinceSend = 3;
    h.form->SendMonitorRequest();
    EXPECT_EQ(h.form->session.ticksSinceSend, 3);
    h.form->session.kind = TSessionKind::Verify;
    h.form->session.command = 66;
    h.form->SendBlockFrame();
    EXPECT_EQ(h.form->session.ticksSinceSend, 0);
}
