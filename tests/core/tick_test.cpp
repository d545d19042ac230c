// The tick's pacing of monitor requests and the connection watchdog.
#include <gtest/gtest.h>

#include "harness.h"
#include "test_frames.h"

TEST(Tick, MonitorRequestOnEverySixthTickFromStartUp) {
    THarness h;
    h.Start();
    for (int tick = 1; tick <= 24; ++tick) {
        h.form->Timer1Timer();
        EXPECT_EQ(h.sim.CommandsSeen(kCmdMonitor), tick / 6) << "tick " << tick;
    }
}

TEST(Tick, NoConnectionFromTheNineteenthTickWithASilentUnit) {
    THarness h;
    h.sim.faults.silent = true;
    h.Start();
    for (int tick = 1; tick <= 18; ++tick) {
        h.form->Timer1Timer();
        EXPECT_FALSE(h.form->LabelSpojeni.Visible()) << "tick " << tick;
    }
    h.form->Timer1Timer();
    EXPECT_TRUE(h.form->LabelSpojeni.Visible());
}

TEST(Tick, AnsweringUnitKeepsTheLinkUp) {
    THarness h;
    h.Start();
    h.Ticks(200);
    EXPECT_FALSE(h.form->LabelSpojeni.Visible());
    EXPECT_EQ(h.form->link.reconnectTicks, 0);
}

namespace {

// A window on a scripted port at Com 1, fed frame by frame.
struct TScriptHarness : THarness {
    TScriptPort script;
    TScriptHarness() {
        platform.port = &script;
        ports.devices[1] = "/dev/ttyS0";
    }
    void FeedMonitor(int savingCountdown, int rpm = 1200, uint8_t mapSuspended = 0) {
        TFrameBytes f = IdleMonitorFrame();
        PutWord(f, 1, rpm);
        PutWord(f, 95, savingCountdown);
        f[59] = mapSuspended;
        SealFrame(f);
        script.Feed(f);
    }
    int MonitorRequests() const {
        int n = 0;
        for (const TFrameBytes& f : script.written) n += f[0] == kCmdMonitor ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST(TickIdle, SavingProgressGaugeAndTextWithoutChangingTheirVisibility) {
    TScriptHarness h;
    h.Start();
    TFormHlav& w = *h.form;
    ASSERT_FALSE(w.LabelHlaseni.Visible());
    // (503 - countdown) * 5 / 503, truncated; a countdown above 503 leaves the gauge at 0.
    const struct {
        int countdown, gauge;
    } cases[] = {{503, 0}, {403, 0}, {402, 1}, {300, 2},  {101, 3},
                 {100, 4}, {1, 4},   {504, 0}, {1000, 0}, {65535, 0}};
    for (const auto& c : cases) {
        w.LabelHlaseni.SetText("x");
        w.LabelHlaseni.SetColor(TColor::Red);
        h.FeedMonitor(c.countdown);
        w.Timer1Timer();
        EXPECT_EQ(w.CGaugeProgram.Position(), c.gauge) << c.countdown;
        EXPECT_EQ(w.LabelHlaseni.Text(), "Saving:") << c.countdown;
        EXPECT_EQ(w.LabelHlaseni.Color(), TColor::BtnFace);
        EXPECT_EQ(w.session.messageTicks, kMessageTicks - 1);
        EXPECT_FALSE(w.LabelHlaseni.Visible());
        EXPECT_FALSE(w.CGaugeProgram.Visible());
    }
    // Countdown 0: nothing more is written, the display time runs down.
    h.FeedMonitor(0);
    w.Timer1Timer();
    EXPECT_EQ(w.session.messageTicks, kMessageTicks - 2);
    EXPECT_EQ(w.CGaugeProgram.Position(), 0);  // as the last countdown left it
}

TEST(TickIdle, MonitorRequestsGoOnWhileTuningCannotRun) {
    // Tuning switched on, but the engine stands still or the unit uses no map cell.
    for (const auto& [rpm, suspended] : {std::pair<int, uint8_t>{0, 0}, {1500, 1}}) {
        TScriptHarness h;
        h.Start();
        h.form->CheckBoxLadeniOn.UserSetChecked(true);
        for (int tick = 1; tick <= 60; ++tick) {
            h.FeedMonitor(0, rpm, suspended);
            h.form->Timer1Timer();
            EXPECT_EQ(h.MonitorRequests(), tick / 6) << rpm << " tick " << tick;
        }
    }
}

TEST(TickSession, AnswerIsTakenBeforeTheTimeOutStepOfTheSameTick) {
    TScriptHarness h;
    h.Start();
    TFormHlav& w = *h.form;
    w.MenuReadClick();
    ASSERT_EQ(h.script.written.back()[0], 64);
    h.Ticks(3);
    EXPECT_EQ(w.session.ticksSinceSend, 3);
    // The answer comes on the tick that would otherwise resend: the next block goes out and its
    // time-out has already counted this tick.
    TFrameBytes block0{};
    std::memcpy(block0.data() + 1, w.image.Block(0), kFrameData);
    block0[0] = 64 ^ kResponseBit;
    block0[11] = kLayoutVersion;
    SealFrame(block0);
    h.script.Feed(block0);
    w.Timer1Timer();
    EXPECT_EQ(h.script.written.back()[0], 65);
    EXPECT_EQ(w.session.attempts, 1);
    EXPECT_EQ(w.session.ticksSinceSend, 1);
    int sends64 = 0;
    for (const TFrameBytes& f : h.script.written) sends64 += f[0] == 64 ? 1 : 0;
    EXPECT_EQ(sends64, 1);
}

TEST(TickShutDown, ClosingDuringAProgramSessionSendsNothingMoreAndSavesTheEditedImage) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    w.image.Set(TField::LIMITER2, 123);
    w.RefreshFieldsFromImage();
    w.MenuProgramClick();
    h.Ticks(2);
    ASSERT_EQ(w.session.kind, TSessionKind::Program);
    const int received = h.sim.FramesReceived();
    w.FormClose();
    EXPECT_FALSE(h.port.IsOpen());
    EXPECT_EQ(h.sim.FramesReceived(), received);
    EXPECT_TRUE(h.dialogs.messages.empty());
    // The next start finds the image as edited.
    THarness next;
    next.platform.configDir = h.platform.configDir;
    next.Start();
    EXPECT_EQ(next.form->image.Get(TField::LIMITER2), 123);
}

TEST(TickStartUp, LanguageWordOfTheCommandLineIsExactAndCaseSensitive) {
    // Stored German; only an exact word replaces it.
    const struct {
        const char* word;
        uint8_t language;
    } cases[] = {{"ENGLISH", kLangEnglish}, {"CESKY", kLangCzech},     {"DEUTSCH", kLangGerman},
                 {"english", kLangGerman},  {"ENGLISH ", kLangGerman}, {"", kLangGerman},
                 {"GERMAN", kLangGerman}};
    for (const auto& c : cases) {
        THarness h;
        PutFile(h.dir.File("Quorvel05.ini"), "[FORM_HLAV]\r\nLanguage=2\r\n");
        h.Start(c.word);
        EXPECT_EQ(h.form->language, c.language) << c.word;
        EXPECT_EQ(h.form->MenuGerman.Checked(), c.language == kLangGerman) << c.word;
        EXPECT_EQ(h.form->MenuEnglish.Checked(), c.language == kLangEnglish) << c.word;
        EXPECT_EQ(h.form->MenuCzech.Checked(), c.language == kLangCzech) << c.word;
    }
}

TEST(TickStartUp, StatusAndWarningLabelsStartHiddenAndTestLabelsFollowTheMarker) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    EXPECT_FALSE(w.LabelHlaseni.Visible());
    EXPECT_FALSE(w.CGaugeProgram.Visible());
    EXPECT_FALSE(w.LabelEeDataErr.Visible());
    EXPECT_FALSE(w.LabelVersion.Visible());
    EXPECT_EQ(w.session.kind, TSessionKind::None);
    EXPECT_FALSE(w.session.programDone);
    for (const TControl& t : w.LabelTest) EXPECT_EQ(t.Visible(), w.testMode);
    EXPECT_EQ(h.port.opens, 1);
    EXPECT_EQ(w.LabelCom.Text(), "COM= demo-unit");
}
