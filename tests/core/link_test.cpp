// The serial link: the connection watchdog, reopening, the automatic port search, polling and
// the port caption, check marks and failure messages.
#include <gtest/gtest.h>

#include "harness.h"
#include "test_frames.h"

namespace {

// A window on a scripted port; port 1 is "/dev/ttyS0" unless the test changes the directory.
struct TScriptHarness : THarness {
    TScriptPort script;
    TScriptHarness() {
        platform.port = &script;
        ports.devices[1] = "/dev/ttyS0";
    }
};

}  // namespace

TEST(LinkWatchdog, SilentUnitIsLostOnTheNineteenthTickAndReopenedEveryThirtyTicks) {
    THarness h;
    h.sim.faults.silent = true;
    h.Start();
    EXPECT_EQ(h.port.opens, 1);
    for (int tick = 1; tick <= 100; ++tick) {
        h.form->Timer1Timer();
        EXPECT_EQ(h.form->LabelSpojeni.Visible(), tick >= 19) << "tick " << tick;
        // Lost from tick 19; reopened on the 30th tick of the lost state and every 30 after.
        const int reopens = tick < 48 ? 0 : 1 + (tick - 48) / 30;
        EXPECT_EQ(h.port.opens, 1 + reopens) << "tick " << tick;
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_TRUE(h.port.IsOpen());
}

TEST(LinkWatchdog, AValidFrameReconnectsOnTheSameTickAndKeepsTheReconnectCount) {
    TScriptHarness h;
    h.Start();
    h.Ticks(25);  // lost since tick 19, 7 ticks into the lost state
    ASSERT_TRUE(h.form->LabelSpojeni.Visible());
    EXPECT_EQ(h.form->link.reconnectTicks, 7);
    h.script.Feed(IdleMonitorFrame());
    h.form->Timer1Timer();
    EXPECT_FALSE(h.form->LabelSpojeni.Visible());
    EXPECT_EQ(h.form->link.reconnectTicks, 7);
}

TEST(LinkWatchdog, FramesOfEitherKindKeepTheLinkButBadCheckBytesDoNot) {
    // A response with a code nothing waits for counts as a sign of life.
    {
        TScriptHarness h;
        h.Start();
        uint8_t zeros[kFrameData] = {};
        for (int tick = 1; tick <= 120; ++tick) {
            if (tick % 10 == 0) h.script.Feed(ResponseFrame(tick % 20 == 0 ? 200 : 131, zeros));
            h.form->Timer1Timer();
            EXPECT_FALSE(h.form->LabelSpojeni.Visible()) << "tick " << tick;
        }
    }
    // The same frames with a broken check byte are silence.
    {
        TScriptHarness h;
        h.Start();
        for (int tick = 1; tick <= 19; ++tick) {
            TFrameBytes f = IdleMonitorFrame();
            f[101] ^= 1;
            h.script.Feed(f);
            h.form->Timer1Timer();
        }
        EXPECT_TRUE(h.form->LabelSpojeni.Visible());
        EXPECT_EQ(h.form->monitor.rpm, 0);
    }
}

TEST(LinkSearch, UnitOnCom3IsFoundAndKeptWithNoCom1OrCom2) {
    THarness h;
    h.ports.devices.clear();
    h.ports.devices[3] = kSimDeviceName;
    h.Start();  // fixed COM1: missing, reported once
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    h.form->MenuCom1Click(kPortChoiceAuto);  // Com Auto from position 0: no message
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.form->LabelCom.Text(), "COM= COM1");
    EXPECT_EQ(h.form->link.scanPosition, 0);

    h.Ticks(18);
    EXPECT_EQ(h.form->link.scanPosition, 0);
    h.form->Timer1Timer();  // 19th: lost, COM2 tried and missing
    EXPECT_EQ(h.form->link.scanPosition, 1);
    EXPECT_EQ(h.form->LabelCom.Text(), "COM= COM2");
    EXPECT_FALSE(h.port.IsOpen());
    h.form->Timer1Timer();  // 20th: COM3 opens
    EXPECT_EQ(h.form->link.scanPosition, 2);
    EXPECT_TRUE(h.port.IsOpen());

    h.Ticks(200);
    EXPECT_EQ(h.form->link.scanPosition, 2);
    EXPECT_FALSE(h.form->LabelSpojeni.Visible());
    EXPECT_GT(h.sim.CommandsSeen(kCmdMonitor), 20);
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    for (int i = 0; i < TMainWindow::kComItems; ++i)
        EXPECT_EQ(h.form->MenuComItem[i].Checked(), i == kPortChoiceAuto) << i;
}

TEST(LinkSearch, PositionTwentyIsCom21AndTheSearchThenReturnsToCom1) {
    THarness h;
    h.sim.faults.silent = true;
    h.Start();
    h.form->MenuCom1Click(kPortChoiceAuto);
    h.form->link.scanPosition = 19;
    h.form->link.silentTicks = kSilentLimit;
    h.form->link.reconnectTicks = kReconnectPeriod - 1;
    h.form->Timer1Timer();
    EXPECT_EQ(h.form->link.scanPosition, 20);
    EXPECT_EQ(h.form->LabelCom.Text(), "COM= COM21");
    h.form->Timer1Timer();  // COM21 missing: left on the very next tick
    EXPECT_EQ(h.form->link.scanPosition, 0);
    EXPECT_EQ(h.form->LabelCom.Text(), "COM= demo-unit");
    EXPECT_TRUE(h.port.IsOpen());
}

TEST(LinkPoll, FewerThan102BytesStayAndAWholeBacklogIsReadAtOnce) {
    TScriptHarness h;
    h.Start();
    const TFrameBytes f = IdleMonitorFrame();
    h.script.FeedBytes(f.data(), 101);
    h.form->Timer1Timer();
    EXPECT_EQ(h.script.reads, 0);
    EXPECT_EQ(h.script.rx.size(), 101u);
    EXPECT_EQ(h.form->monitor.rpm, 0);

    h.script.FeedBytes(f.data() + 101, 1);
    const uint8_t junk[40] = {1, 2, 3};
    h.script.FeedBytes(junk, sizeof junk);
    h.form->Timer1Timer();
    EXPECT_EQ(h.script.reads, 1);
    EXPECT_TRUE(h.script.rx.empty());
    EXPECT_EQ(h.form->monitor.rpm, 1200);
}

TEST(LinkPoll, OfTwoWaitingFramesOnlyTheFirstCounts) {
    TScriptHarness h;
    h.Start();
    TFrameBytes first = IdleMonitorFrame();
    TFrameBytes second = IdleMonitorFrame();
    PutWord(second, 1, 4321);
    SealFrame(second);
    h.script.Feed(first);
    h.script.Feed(second);
    h.form->Timer1Timer();
    EXPECT_EQ(h.form->monitor.rpm, 1200);
    EXPECT_TRUE(h.script.rx.empty());
    h.form->Timer1Timer();
    EXPECT_EQ(h.form->monitor.rpm, 1200);
}

TEST(LinkPoll, DuplicatedAnswersDoNotAdvanceARead) {
    THarness h;
    h.sim.faults.copies = 2;
    h.Start();
    h.form->MenuReadClick();
    h.RunSession();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    const std::vector<uint8_t> expected = {64, 65, 66, 67, 68, 69, 65, 66, 67, 68, 69};
    EXPECT_EQ(h.sim.BlockCommandLog(), expected);
}

TEST(LinkPort, MissingFixedPortIsReportedOnceAndAgainOnlyForANewChoice) {
    THarness h;
    h.Start();
    ASSERT_TRUE(h.dialogs.messages.empty());
    h.form->MenuCom1Click(4);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_NE(h.dialogs.messages[0].find("COM5"), std::string::npos) << h.dialogs.messages[0];
    EXPECT_EQ(h.form->LabelCom.Text(), "COM= COM5");
    h.Ticks(200);  // lost, reopened several times
    EXPECT_TRUE(h.form->LabelSpojeni.Visible());
    EXPECT_EQ(h.form->LabelCom.Text(), "COM= COM5");
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.form->link.portChoice, 4);

    h.form->MenuCom1Click(6);
    ASSERT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_NE(h.dialogs.messages[1].find("COM7"), std::string::npos);
    // Back to the unit's port: found again, no message.
    h.form->MenuCom1Click(0);
    EXPECT_EQ(h.dialogs.messages.size(), 2u);
    h.Ticks(10);
    EXPECT_FALSE(h.form->LabelSpojeni.Visible());
}

TEST(LinkPort, CaptionShowsTheDeviceWithoutItsDirectoryInAtMostTenCharacters) {
    const struct {
        const char* device;
        const char* caption;
    } cases[] = {
        {"\\\\.\\COM5", "COM= COM5"},
        {"\\\\.\\COM12", "COM= COM12"},
        {"/dev/ttyUSB0", "COM= ttyUSB0"},
        {"/dev/pts/3", "COM= pts/3"},
        {"/dev/serial/by-id/usb-FTDI", "COM= serial/by-"},
    };
    for (const auto& c : cases) {
        TScriptHarness h;
        h.ports.devices[1] = c.device;
        h.Start();
        EXPECT_EQ(h.form->LabelCom.Text(), c.caption) << c.device;
        ASSERT_FALSE(h.script.openedDevices.empty());
        EXPECT_EQ(h.script.openedDevices.back(), c.device);
    }
}

TEST(LinkPort, ExactlyTheChosenComItemIsChecked) {
    THarness h;
    h.Start();
    for (int choice : {0, 4, 19, 20, 3}) {
        h.form->MenuCom1Click(choice);
        for (int i = 0; i < TMainWindow::kComItems; ++i)
            EXPECT_EQ(h.form->MenuComItem[i].Checked(), i == choice) << choice << " " << i;
    }
    EXPECT_EQ(h.form->MenuComItem[0].Text(), "Com 1");
    EXPECT_EQ(h.form->MenuComItem[19].Text(), "Com 20");
    EXPECT_EQ(h.form->MenuComItem[20].Text(), "Com Auto");
}

TEST(LinkPort, FailureMessageNamesTheDeviceAndTheCause) {
    {
        TScriptHarness h;
        h.script.refuse = TPortError::PermissionDenied;
        h.Start();
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_NE(h.dialogs.messages[0].find("/dev/ttyS0"), std::string::npos);
        EXPECT_NE(h.dialogs.messages[0].find("dialout"), std::string::npos);
    }
    for (const char* lang : {"CESKY", "DEUTSCH"}) {
        TScriptHarness h;
        h.script.refuse = TPortError::PermissionDenied;
        h.Start(lang);
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_NE(h.dialogs.messages[0].find("dialout"), std::string::npos) << lang;
        EXPECT_NE(h.dialogs.messages[0].find("/dev/ttyS0"), std::string::npos) << lang;
    }
    {
        TScriptHarness h;
        h.script.refuse = TPortError::Busy;
        h.Start();
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_NE(h.dialogs.messages[0].find("/dev/ttyS0"), std::string::npos);
        EXPECT_EQ(h.dialogs.messages[0].find("dialout"), std::string::npos);
    }
}
