// Read, verify and program sessions against the virtual unit, their time-outs and status texts,
// and the acknowledgement of single-block writes.
#include <gtest/gtest.h>

#include "harness.h"
#include "test_frames.h"

namespace {

// Runs ticks until the session ends and records the gauge each time it changes.
std::vector<int> RunRecordingGauge(THarness& h, int limit = 400) {
    std::vector<int> gauge = {h.form->CGaugeProgram.Position()};
    for (int n = 0; n < limit && h.form->session.kind != TSessionKind::None; ++n) {
        h.form->Timer1Timer();
        if (h.form->CGaugeProgram.Position() != gauge.back())
            gauge.push_back(h.form->CGaugeProgram.Position());
    }
    return gauge;
}

bool ImageMatchesUnit(const TFormHlav& w, const TUnitSim& sim, int fromBlock) {
    return std::memcmp(w.image.Data() + 100 * fromBlock, sim.Memory().data() + 100 * fromBlock,
                       static_cast<size_t>(600 - 100 * fromBlock)) == 0;
}

}  // namespace

TEST(SessionRead, CompleteReadThenVerify) {
    THarness h;
    h.Start();
    h.Ticks(10);
    h.form->LabelFile2.SetText("old.ign");
    h.form->MenuReadClick();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Read device:");
    EXPECT_TRUE(h.form->LabelHlaseni.Visible());
    EXPECT_TRUE(h.form->CGaugeProgram.Visible());
    EXPECT_EQ(h.form->LabelFile2.Text(), "");
    const auto gauge = RunRecordingGauge(h);
    EXPECT_EQ(gauge, (std::vector<int>{0, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
    EXPECT_EQ(h.sim.BlockCommandLog(),
              (std::vector<uint8_t>{64, 65, 66, 67, 68, 69, 65, 66, 67, 68, 69}));
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    EXPECT_EQ(h.form->LabelHlaseni.Color(), TColor::BtnFace);
    EXPECT_TRUE(ImageMatchesUnit(*h.form, h.sim, 0));
    EXPECT_FALSE(h.form->session.programDone);
    EXPECT_STREQ(h.form->identity.version, "Qvl12");
    // Monitor requests resume.
    const int before = h.sim.CommandsSeen(kCmdMonitor);
    h.Ticks(12);
    EXPECT_EQ(h.sim.CommandsSeen(kCmdMonitor), before + 2);
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
}

TEST(SessionRead, GermanTextsOfAReadDistinguishTheAutomaticVerify) {
    THarness h;
    h.Start("DEUTSCH");
    h.form->MenuReadClick();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Lesen:");
    for (int n = 0; n < 20 && h.form->session.kind == TSessionKind::Read; ++n)
        h.form->Timer1Timer();
    EXPECT_EQ(h.form->session.kind, TSessionKind::Verify);
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verifikation:");
    h.RunSession();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Vergleich OK");
    h.form->MenuVerifyClick();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Vergleichen:");
}

TEST(SessionRead, UnitWithAnotherLayoutVersionIsRefusedAfterBlockZero) {
    THarness h;
    h.sim.faults.layoutVersion = 42;
    h.Start();
    h.Ticks(3);
    TParamImage before = h.form->image;
    h.form->MenuReadClick();
    h.Ticks(30);
    EXPECT_EQ(h.form->session.kind, TSessionKind::None);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], "Unmatched version of PC and Ignition programs!");
    EXPECT_EQ(h.sim.CommandsSeen(64), 1);
    for (uint8_t c = 65; c <= 69; ++c) EXPECT_EQ(h.sim.CommandsSeen(c), 0) << int(c);
    EXPECT_EQ(h.form->image[10], 42);
    EXPECT_EQ(std::memcmp(h.form->image.Data() + 1, h.sim.Memory().data() + 1, 9), 0);
    EXPECT_EQ(h.form->image[0], 'Q');
    EXPECT_EQ(std::memcmp(h.form->image.Data() + 100, before.Data() + 100, 500), 0);
    // The status label keeps its start text until its time runs out.
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Read device:");
}

TEST(SessionRead, ReadRefusedOnItsFirstAnswerDoesNotBringBackAnEarlierProgramOkText) {
    THarness h;
    h.sim.faults.saveTicks = 0;
    h.Start();
    h.form->MenuProgramClick();
    h.RunSession();
    h.form->Timer1Timer();
    ASSERT_EQ(h.form->LabelHlaseni.Text(), "Program device: OK");
    ASSERT_TRUE(h.form->session.programDone);
    // Another unit on the same port; its block 0 answer ends the read on the very next tick.
    h.sim.faults.layoutVersion = 42;
    h.form->MenuReadClick();
    h.form->Timer1Timer();
    ASSERT_EQ(h.form->session.kind, TSessionKind::None);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    h.Ticks(20);
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Read device:");
    EXPECT_EQ(h.form->CGaugeProgram.Position(), 0);
    EXPECT_FALSE(h.form->session.programDone);
}

TEST(SessionRead, AnswerWithTheCodeOfAnotherBlockIsIgnoredButKeepsTheLink) {
    THarness h;
    h.sim.faults.wrongCodeBlock = 2;
    h.Start();
    h.form->MenuReadClick();
    int ticks = 0;
    while (h.form->session.kind != TSessionKind::None && ticks < 100) {
        h.form->Timer1Timer();
        ++ticks;
        EXPECT_FALSE(h.form->LabelSpojeni.Visible()) << "tick " << ticks;
    }
    EXPECT_EQ(h.sim.CommandsSeen(66), 5);
    EXPECT_EQ(h.sim.CommandsSeen(67), 0);
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Read error!");
    EXPECT_EQ(h.form->LabelHlaseni.Color(), TColor::Red);
    EXPECT_EQ(h.form->CGaugeProgram.Position(), 2);
}

TEST(SessionRead, SilentUnitFailsAfterFiveSendsFourTicksApart) {
    THarness h;
    h.sim.faults.silent = true;
    h.Start();
    h.form->MenuReadClick();
    std::vector<int> sendTicks;
    int last = h.sim.CommandsSeen(64);
    for (int tick = 1; tick <= 30; ++tick) {
        h.form->Timer1Timer();
        if (h.sim.CommandsSeen(64) != last) {
            last = h.sim.CommandsSeen(64);
            sendTicks.push_back(tick);
        }
        if (tick < 20) {
            EXPECT_EQ(h.form->session.kind, TSessionKind::Read) << tick;
        }
    }
    EXPECT_EQ(sendTicks, (std::vector<int>{4, 8, 12, 16}));
    EXPECT_EQ(h.sim.CommandsSeen(64), 5);
    EXPECT_EQ(h.form->session.kind, TSessionKind::None);
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Read error!");
    EXPECT_EQ(h.form->LabelHlaseni.Color(), TColor::Red);
}

TEST(SessionVerify, OneDifferingByteInBlockThreeFailsAfterFiveSends) {
    THarness h;
    h.Start();
    // Bring the unit in line with the PC first, then let block 3 differ.
    h.form->MenuProgramClick();
    h.RunSession();
    ASSERT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    h.Ticks(300);
    h.sim.faults.differingBlock = 3;
    const int sent67 = h.sim.CommandsSeen(67);
    h.form->MenuVerifyClick();
    EXPECT_EQ(h.form->CGaugeProgram.Position(), 1);
    h.RunSession();
    EXPECT_EQ(h.sim.CommandsSeen(67) - sent67, 5);
    EXPECT_EQ(h.sim.CommandsSeen(68), 1);  // only from the program session
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify error!");
    EXPECT_EQ(h.form->LabelHlaseni.Color(), TColor::Red);
    EXPECT_FALSE(h.form->session.programDone);
}

TEST(SessionProgram, CompleteProgramWithoutSavingShowsTheProgramOkText) {
    THarness h;
    h.sim.faults.saveTicks = 0;
    h.Start();
    h.Ticks(7);
    h.form->image.Set(TField::LIMITER2, 130);
    h.form->RefreshFieldsFromImage();
    h.form->MenuProgramClick();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Program device:");
    const auto gauge = RunRecordingGauge(h);
    EXPECT_EQ(gauge, (std::vector<int>{0, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
    EXPECT_EQ(h.sim.BlockCommandLog(),
              (std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 65, 66, 67, 68, 69}));
    EXPECT_EQ(h.sim.Memory()[104], 130);
    EXPECT_TRUE(ImageMatchesUnit(*h.form, h.sim, 0));
    // The tick on which the verify passed shows its result.
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    EXPECT_TRUE(h.form->session.programDone);
    h.form->Timer1Timer();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Program device: OK");
    EXPECT_EQ(h.form->CGaugeProgram.Position(), 5);
    // Until 200 ticks after the verify passed.
    h.Ticks(197);
    EXPECT_TRUE(h.form->LabelHlaseni.Visible());
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Program device: OK");
    h.form->Timer1Timer();
    EXPECT_FALSE(h.form->LabelHlaseni.Visible());
    EXPECT_FALSE(h.form->CGaugeProgram.Visible());
    EXPECT_FALSE(h.form->session.programDone);
    EXPECT_EQ(h.form->session.messageTicks, 0);
}

TEST(SessionProgram, SavingCountdownShowsSavingAndThenTheProgramOkText) {
    THarness h;
    h.sim.faults.saveTicks = 40;
    h.Start();
    h.form->MenuProgramClick();
    h.RunSession();
    ASSERT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    // Until the first monitor frame after the verify the PC knows of no saving and shows the
    // program-complete text; the unit's countdown then shows "Saving:" with a growing gauge,
    // renewing the display time, and when it ends the program-complete text returns.
    std::vector<std::string> texts = {h.form->LabelHlaseni.Text()};
    std::vector<int> savingGauge;
    int ticks = 0, lastSaving = 0;
    while (h.form->LabelHlaseni.Visible() && ticks < 600) {
        h.form->Timer1Timer();
        ++ticks;
        if (!h.form->LabelHlaseni.Visible()) break;
        if (h.form->LabelHlaseni.Text() != texts.back())
            texts.push_back(h.form->LabelHlaseni.Text());
        if (h.form->LabelHlaseni.Text() == "Saving:") {
            lastSaving = ticks;
            EXPECT_EQ(h.form->session.messageTicks, kMessageTicks - 1);
            if (savingGauge.empty() || savingGauge.back() != h.form->CGaugeProgram.Position())
                savingGauge.push_back(h.form->CGaugeProgram.Position());
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Verify OK", "Program device: OK",
                                               "Saving:", "Program device: OK"}));
    ASSERT_GE(savingGauge.size(), 3u);
    EXPECT_TRUE(std::is_sorted(savingGauge.begin(), savingGauge.end()));
    EXPECT_LT(savingGauge.front(), 2);
    EXPECT_LE(savingGauge.back(), 5);
    // Hidden 200 ticks after the last saving text.
    EXPECT_EQ(ticks - lastSaving, kMessageTicks - 1);
    EXPECT_FALSE(h.form->session.programDone);
}

TEST(SessionProgram, UnitWithAnotherLayoutVersionGetsNoBlockBeyondZero) {
    THarness h;
    h.sim.faults.layoutVersion = 42;
    h.Start();
    h.form->MenuProgramClick();
    h.Ticks(40);
    EXPECT_EQ(h.form->session.kind, TSessionKind::None);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], "Unmatched version of PC and Ignition programs!");
    EXPECT_EQ(h.sim.CommandsSeen(0), 1);
    for (uint8_t c = 1; c <= 5; ++c) EXPECT_EQ(h.sim.CommandsSeen(c), 0) << int(c);
    EXPECT_EQ(h.form->image[10], 42);
    EXPECT_FALSE(h.form->session.programDone);
}

TEST(SessionProgram, QueuedProgramSendsBlockZeroWithinFourTicks) {
    for (int phase = 0; phase < 8; ++phase) {
        THarness h;
        h.Start();
        h.Ticks(phase);
        h.form->QueueProgram();
        EXPECT_EQ(h.sim.CommandsSeen(0), 0);
        EXPECT_EQ(h.form->LabelHlaseni.Text(), "Program device:");
        EXPECT_EQ(h.form->session.attempts, 0);
        int ticks = 0;
        while (h.sim.CommandsSeen(0) == 0 && ticks < 10) {
            h.form->Timer1Timer();
            ++ticks;
        }
        EXPECT_GE(ticks, 1) << phase;
        EXPECT_LE(ticks, 4) << phase;
        EXPECT_EQ(h.form->session.attempts, 1);
        h.RunSession();
        EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify OK") << phase;
        EXPECT_EQ(h.sim.CommandsSeen(0), 1);
    }
}

TEST(SessionSingleBlock, CoupledMapsWriteBlockFourAfterThreeThenAcknowledge) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    ASSERT_EQ(w.image.Get(TField::TPS_MODE), 1);
    w.image.SetCell(TMap::JetTp, 2, 2, 120);
    w.image.SetCell(TMap::JetTpi, 2, 2, 120);
    w.session.command = 3;
    w.session.attempts = 1;
    w.tuning.blockPending = true;
    w.SendBlockFrame();
    w.Timer1Timer();
    EXPECT_EQ(h.sim.CommandsSeen(4), 1);
    EXPECT_TRUE(w.tuning.blockPending);
    EXPECT_FALSE(w.LabelHlaseni.Visible());
    w.Timer1Timer();
    EXPECT_FALSE(w.tuning.blockPending);
    EXPECT_TRUE(w.LabelHlaseni.Visible());
    EXPECT_EQ(w.LabelHlaseni.Text(), "Program OK");
    EXPECT_EQ(w.CGaugeProgram.Position(), 1);
    EXPECT_TRUE(w.CGaugeProgram.Visible());
    EXPECT_EQ(w.session.messageTicks, kMessageTicks - 1);
    EXPECT_EQ(h.sim.Memory()[422], 120);
}

TEST(SessionSingleBlock, SeparateMapsAcknowledgeAtOnceAndTheGaugeWraps) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    w.image.Set(TField::TPS_MODE, 0);
    w.CGaugeProgram.SetPosition(w.CGaugeProgram.Max());
    w.session.command = 3;
    w.session.attempts = 1;
    w.tuning.blockPending = true;
    w.SendBlockFrame();
    w.Timer1Timer();
    EXPECT_EQ(h.sim.CommandsSeen(4), 0);
    EXPECT_FALSE(w.tuning.blockPending);
    EXPECT_EQ(w.LabelHlaseni.Text(), "Program OK");
    EXPECT_EQ(w.CGaugeProgram.Position(), 0);
}

TEST(SessionSingleBlock, AnswersThatDoNotMatchAreNotAcknowledged) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    h.sim.faults.differingBlock = 5;
    w.session.command = 5;
    w.session.attempts = 1;
    w.tuning.blockPending = true;
    w.SendBlockFrame();
    w.Timer1Timer();
    EXPECT_TRUE(w.tuning.blockPending);
    EXPECT_FALSE(w.LabelHlaseni.Visible());
    // Block 0 is never acknowledged either.
    h.sim.faults.differingBlock = -1;
    w.session.command = 0;
    w.SendBlockFrame();
    w.Timer1Timer();
    EXPECT_TRUE(w.tuning.blockPending);
    EXPECT_FALSE(w.LabelHlaseni.Visible());
}

TEST(SessionMessage, StatusTextStaysTwoHundredTicksThenHides) {
    THarness h;
    h.sim.faults.silent = true;
    h.Start();
    h.form->MenuReadClick();
    EXPECT_EQ(h.form->session.messageTicks, kMessageTicks);
    h.RunSession();  // the error text is set on the tick the session fails
    ASSERT_EQ(h.form->LabelHlaseni.Text(), "Read error!");
    EXPECT_EQ(h.form->session.messageTicks, kMessageTicks - 1);
    h.Ticks(kMessageTicks - 2);
    EXPECT_TRUE(h.form->LabelHlaseni.Visible());
    EXPECT_TRUE(h.form->CGaugeProgram.Visible());
    h.Ticks(1);
    EXPECT_FALSE(h.form->LabelHlaseni.Visible());
    EXPECT_FALSE(h.form->CGaugeProgram.Visible());
    h.Ticks(5);
    EXPECT_EQ(h.form->session.messageTicks, 0);
}

TEST(SessionTexts, EveryStatusTextInTheThreeLanguages) {
    const struct {
        const char* word;
        const char* read;
        const char* verify;
        const char* program;
        const char* readError;
        const char* verifyError;
        const char* programError;
        const char* verifyOk;
        const char* programOk;
    } cases[] = {
        {"ENGLISH", "Read device:", "Verify device:", "Program device:", "Read error!",
         "Verify error!", "Program error!", "Verify OK", "Program OK"},
        {"CESKY", "Čtení:", "Verifikace:", "Programování:", "Chyba čtení!", "Chyba verifikace!",
         "Chyba programování", "Verifikace OK", "Programování OK"},
        {"DEUTSCH", "Lesen:", "Vergleichen:", "Programmieren:", "Lesefehler", "Vergleichsfehler",
         "Programmier. Fehler", "Vergleich OK", "Programmieren OK"},
    };
    for (const auto& c : cases) {
        THarness h;
        h.sim.faults.silent = true;
        h.Start(c.word);
        TFormHlav& w = *h.form;
        w.MenuReadClick();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.read);
        h.RunSession();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.readError);
        w.MenuVerifyClick();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.verify);
        h.RunSession();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.verifyError);
        w.MenuProgramClick();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.program);
        h.RunSession();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.programError);
        EXPECT_EQ(w.LabelHlaseni.Color(), TColor::Red);
        // A queued program that never gets an answer: block 0 five times, then the error.
        const int sent0 = h.sim.CommandsSeen(0);
        w.QueueProgram();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.program);
        EXPECT_EQ(w.LabelHlaseni.Color(), TColor::BtnFace);
        h.RunSession();
        EXPECT_EQ(h.sim.CommandsSeen(0) - sent0, 5);
        EXPECT_EQ(w.LabelHlaseni.Text(), c.programError);

        h.sim.faults.silent = false;
        w.image.Set(TField::TPS_MODE, 0);
        w.session.command = 5;
        w.session.attempts = 1;
        w.tuning.blockPending = true;
        w.SendBlockFrame();
        w.Timer1Timer();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.programOk);
        EXPECT_EQ(w.LabelHlaseni.Color(), TColor::BtnFace);
        w.MenuProgramClick();
        h.RunSession();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.verifyOk);
        w.Timer1Timer();
        EXPECT_EQ(w.LabelHlaseni.Text(), std::string(c.program) + " OK");
    }
}

TEST(SessionTexts, VersionMismatchBoxInTheThreeLanguages) {
    const struct {
        const char* word;
        const char* box;
    } cases[] = {
        {"ENGLISH", "Unmatched version of PC and Ignition programs!"},
        {"CESKY", "Neshodné verze proramu v PC a zapalování!"},
        {"DEUTSCH", "Uneinig Version von den PC and Zündung Programme!"},
    };
    for (const auto& c : cases) {
        THarness h;
        h.sim.faults.layoutVersion = 44;
        h.Start(c.word);
        h.form->MenuReadClick();
        h.Ticks(3);
        h.form->MenuProgramClick();
        h.Ticks(3);
        EXPECT_EQ(h.dialogs.messages, (std::vector<std::string>{c.box, c.box})) << c.word;
    }
}

TEST(SessionCommands, ACommandDuringASessionStartsOverFromItsOwnFirstBlock) {
    THarness h;
    h.Start();
    h.form->MenuReadClick();
    h.Ticks(3);  // blocks 0 to 2 read, 67 in flight
    h.form->MenuProgramClick();
    EXPECT_EQ(h.form->session.kind, TSessionKind::Program);
    EXPECT_EQ(h.form->session.command, 0);
    EXPECT_EQ(h.form->CGaugeProgram.Position(), 0);
    h.RunSession();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    // Read 64-67, then the program from block 0; the answer to 67 waits with the first answer of
    // the program, so that one is lost and block 0 goes out again.
    EXPECT_EQ(h.sim.BlockCommandLog(),
              (std::vector<uint8_t>{64, 65, 66, 67, 0, 0, 1, 2, 3, 4, 5, 65, 66, 67, 68, 69}));
    EXPECT_TRUE(h.form->session.programDone);
    // The other way round: a read during a program clears the program-complete flag.
    h.form->MenuProgramClick();
    h.Ticks(2);
    h.form->MenuReadClick();
    h.RunSession();
    EXPECT_EQ(h.form->LabelHlaseni.Text(), "Verify OK");
    EXPECT_FALSE(h.form->session.programDone);
}
