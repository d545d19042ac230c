// The tuning review (baseline, corrections, revert, accept), the status text that says what
// tuning is doing, and the opt-in limits, against the virtual engine tick by tick.
#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace {

// Tuning on the TP Map 14 page while the engine holds row 4, column 3 (4000 rpm, 20 %), whose
// cells need a fifth more fuel than they hold.
struct TReviewRig {
    THarness h;
    TFormHlav& w;
    explicit TReviewRig(const std::string& word = "ENGLISH") : w(h.Start(word)) {
        h.sim.engine.lambdaNoiseMv = 0;
        h.sim.engine.lambdaDelayTicks = 0;
        w.MenuReadClick();
        h.RunSession();
        h.Ticks(1);
        w.PageControl1.UserSetPosition(kPageTp14);
        for (TMap map : {TMap::JetTp, TMap::JetTpi})
            h.sim.engine.SetTrueNeed(map == TMap::JetTp ? TFuelMap::Tp14 : TFuelMap::Tp23, 4, 3,
                                     w.image.Cell(map, 4, 3) * 12 / 10);
        h.sim.engine.HoldPoint(4000, 20, 39, true);
        h.Ticks(14);
    }
    void Box(TControl& box, bool on) {
        box.UserSetChecked(on);
        w.CheckBoxMouseUp(box);
    }
    void TuningOn() {
        Box(w.CheckBoxLadeniPovoleno, true);
        Box(w.CheckBoxLadeniOn, true);
    }
    int Cell() const { return w.image.Cell(TMap::JetTp, 4, 3); }
};

}  // namespace

TEST(TuningReview, BaselineCorrectionsRevertAndAccept) {
    TReviewRig r;
    const int start = r.Cell();
    r.TuningOn();
    ASSERT_TRUE(r.w.review.active);
    EXPECT_EQ(r.w.review.baseline.Cell(TMap::JetTp, 4, 3), start);
    EXPECT_TRUE(r.w.BitBtnLadeniZpet.Enabled());
    r.h.Ticks(150);
    const int steps = r.Cell() - start;
    ASSERT_GE(steps, 3);
    // Coupled maps: each correction moves the TP14 and the TP23 cell, and counts once.
    EXPECT_EQ(r.w.review.corrections, steps);
    EXPECT_EQ(r.w.LabelLadeniPrehled.Text(),
              "Corrections: " + std::to_string(steps) + ", cells changed: 2");
    EXPECT_EQ(r.w.Tp14.cellEdit[43].Hint(), "Baseline " + std::to_string(start) + ", now " +
                                                std::to_string(r.Cell()) + ", " +
                                                std::to_string(steps) + " steps");
    EXPECT_EQ(r.w.Tp14.cellEdit[44].Hint(), "");

    // Revert: the baseline comes back as one undo step, with tuning off meanwhile.
    r.Box(r.w.CheckBoxLadeniOn, false);
    r.h.Ticks(10);
    ASSERT_FALSE(r.w.tuning.blockPending);
    const uint16_t slot = r.w.history.currentSlot;
    r.w.Fire(r.w.BitBtnLadeniZpet, TEvent::Click);
    EXPECT_EQ(r.Cell(), start);
    // The unit still holds the corrections: the user is asked, and No leaves it alone.
    ASSERT_EQ(r.h.dialogs.questions.size(), 1u);
    EXPECT_EQ(r.h.dialogs.questions[0],
              "The unit still holds the tuned maps. Program the reverted maps into the unit now?");
    EXPECT_EQ(r.w.session.kind, TSessionKind::None);
    EXPECT_EQ(r.w.image.Cell(TMap::JetTpi, 4, 3), r.w.review.baseline.Cell(TMap::JetTpi, 4, 3));
    EXPECT_NE(r.w.history.currentSlot, slot);
    EXPECT_EQ(r.w.Tp14.cellEdit[43].Hint(), "");
    r.w.SpeedButtonZpetClick();
    EXPECT_EQ(r.Cell(), start + steps);

    // Accept with tuning off forgets the baseline.
    r.w.Fire(r.w.BitBtnLadeniPrijmout, TEvent::Click);
    EXPECT_FALSE(r.w.review.active);
    EXPECT_FALSE(r.w.BitBtnLadeniZpet.Enabled());
    EXPECT_EQ(r.w.Tp14.cellEdit[43].Hint(), "");
}

// Yes puts the reverted maps into the unit with a programming and its verify.
TEST(TuningReview, RevertProgramsTheUnitWhenAskedTo) {
    TReviewRig r;
    r.TuningOn();
    r.h.Ticks(150);
    r.Box(r.w.CheckBoxLadeniOn, false);
    r.h.Ticks(10);
    ASSERT_NE(std::memcmp(r.h.sim.Memory().data() + kMapBytesFirst,
                          r.w.review.baseline.Data() + kMapBytesFirst, kMapBytes),
              0);
    r.h.dialogs.answers.push_back(TAnswer::Yes);
    r.w.Fire(r.w.BitBtnLadeniZpet, TEvent::Click);
    EXPECT_EQ(r.w.session.kind, TSessionKind::Program);
    r.h.RunSession();
    EXPECT_EQ(std::memcmp(r.h.sim.Memory().data() + kMapBytesFirst,
                          r.w.image.Data() + kMapBytesFirst, kMapBytes),
              0);
    EXPECT_EQ(r.w.LabelHlaseni.Text(), "Verify OK");
}

// Switching tuning on keeps the maps of that moment as a backup too.
TEST(TuningReview, SwitchingOnKeepsABackup) {
    THarness h;
    h.platform.backupDir = h.dir.File("backups");
    TFormHlav& w = h.Start();
    for (TControl* box : {&w.CheckBoxLadeniPovoleno, &w.CheckBoxLadeniOn}) {
        box->UserSetChecked(true);
        w.CheckBoxMouseUp(*box);
    }
    int tuning = 0;
    for (const auto& e : std::filesystem::directory_iterator(h.platform.backupDir))
        tuning += e.path().filename().string().find("-tuning") != std::string::npos;
    EXPECT_EQ(tuning, 1);
}

TEST(TuningReview, RevertWaitsForAPendingBlock) {
    TReviewRig r;
    r.h.sim.faults.silentBlock = 3;
    r.TuningOn();
    for (int i = 0; i < 200 && !r.w.tuning.blockPending; ++i) r.h.Ticks(1);
    ASSERT_TRUE(r.w.tuning.blockPending);
    const int cell = r.Cell();
    r.w.BitBtnLadeniZpetClick();
    EXPECT_EQ(r.Cell(), cell);
    ASSERT_EQ(r.h.dialogs.messages.size(), 1u);
    EXPECT_EQ(r.h.dialogs.messages[0].rfind("A corrected block is still being written", 0), 0u);
}

// What the status bar and the tooltip of "Tuning On" say, case by case.
TEST(TuningStatus, SaysWhatTuningIsDoing) {
    const struct {
        const char* name;
        int page, rpm, tp;
        bool stopped, silentBlock, onTarget;
        const char* text;
    } cases[] = {
        {"wrong page", kPageIap, 4000, 20, false, false, false,
         "wrong page for the map the unit runs on"},
        {"out of window", kPageTp14, 4300, 23, false, false, false,
         "not in the tuning window (rpm 4300, cell 4000 +/- 100; TP 23 %, row 20 % +/- 1)"},
        {"lean", kPageTp14, 4000, 20, false, false, false, "lean for "},
        {"on target", kPageTp14, 4000, 20, false, false, true, "lambda on target"},
        {"waiting", kPageTp14, 4000, 20, false, true, false,
         "waiting for the unit to acknowledge block 3"},
        {"stopped", kPageTp14, 4000, 20, true, false, false, "engine stopped"},
    };
    for (const auto& c : cases) {
        TReviewRig r;
        if (c.onTarget) {
            r.w.image.Set(TField::TUNING_LAMBDA, 45);
            r.w.image.Set(TField::TUNING_ACCURACY, 40);
            r.w.RefreshFieldsFromImage();
        }
        r.h.sim.engine.HoldPoint(c.rpm, c.tp, 39, true);
        r.h.sim.faults.silentBlock = c.silentBlock ? 3 : -1;
        r.TuningOn();
        r.w.PageControl1.UserSetPosition(c.page);
        if (c.stopped) {
            r.h.sim.engine.ReleasePoint();
            r.h.sim.engine.running = false;
        }
        r.h.Ticks(c.silentBlock || c.stopped ? 80 : 20);
        EXPECT_EQ(r.w.StatusBar1.Text().rfind(c.text, 0), 0u)
            << c.name << ": " << r.w.StatusBar1.Text();
        EXPECT_EQ(r.w.CheckBoxLadeniOn.Hint(), r.w.StatusBar1.Text()) << c.name;
    }
    // Switched off, the status bar is given back.
    TReviewRig r("CESKY");
    r.TuningOn();
    r.h.Ticks(10);
    EXPECT_EQ(r.w.StatusBar1.Text().rfind("chudá směs", 0), 0u) << r.w.StatusBar1.Text();
    r.Box(r.w.CheckBoxLadeniOn, false);
    EXPECT_EQ(r.w.StatusBar1.Text(), "");
}

// Each limit stops exactly the corrections it should, says so, and none are stopped while the
// limits are off.
TEST(TuningLimits, EachStopsItsCorrectionsAndOnlyWhenOn) {
    const struct {
        const char* name;
        bool lock, change, coolant;
        int maxSteps;  // how far the cell may move
        const char* text;
    } cases[] = {
        {"off", false, false, false, 250, nullptr},
        {"locked", true, false, false, 0, "the cell is locked against tuning"},
        {"2 % change", false, true, false, 2, "the cell is 3 % from its baseline"},
        {"coolant", false, false, true, 0, "waiting for the coolant: "},
    };
    for (const auto& c : cases) {
        TReviewRig r;
        if (c.lock) r.w.CellLockToggle(r.w.Tp14.cellEdit[43]);
        EXPECT_EQ(r.w.CellLocked(r.w.Tp14.cellEdit[43]), c.lock);
        r.w.EditLadeniZmena.UserSetText("2");
        r.w.CheckBoxLadeniZmena.UserSetChecked(c.change);
        r.w.EditLadeniVoda.UserSetText("110");
        r.w.CheckBoxLadeniVoda.UserSetChecked(c.coolant);
        r.w.Fire(r.w.CheckBoxLadeniVoda, TEvent::MouseUp);
        const int start = r.Cell();
        r.TuningOn();
        r.h.Ticks(300);
        const int moved = r.Cell() - start;
        if (c.maxSteps == 250) {
            EXPECT_GE(moved, 5) << c.name;
        } else {
            EXPECT_EQ(moved, c.maxSteps) << c.name;
            EXPECT_EQ(r.w.StatusBar1.Text().rfind(c.text, 0), 0u)
                << c.name << ": " << r.w.StatusBar1.Text();
        }
    }
}

TEST(TuningLimits, KeptInTheSettingsAndHeldWithinTheirRanges) {
    THarness h;
    TFormHlav& w = h.Start();
    w.EditLadeniZmena.UserSetText("250");  // above the range: the range's end
    w.CheckBoxLadeniZmena.UserSetChecked(true);
    w.EditLadeniVoda.UserSetText("-5");
    w.Fire(w.EditLadeniVoda, TEvent::Leave);
    EXPECT_EQ(w.EditLadeniZmena.Text(), "100");
    w.CellLockToggle(w.Iap.cellEdit[12]);
    w.FormClose();
    h.form.reset();
    TFormHlav& again = h.Start();
    EXPECT_TRUE(again.limits.changeLimited);
    EXPECT_EQ(again.limits.maxChangePercent, 100);
    EXPECT_EQ(again.limits.minCoolantC, -5);
    EXPECT_FALSE(again.limits.coolantLimited);
    EXPECT_TRUE(again.CellLocked(again.Iap.cellEdit[12]));
    EXPECT_EQ(again.Iap.cellEdit[12].FontColor(), TColor::Blue);
    EXPECT_FALSE(again.CellLocked(again.Iap.cellEdit[13]));
}
