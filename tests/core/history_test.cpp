// The change pipeline: history snapshots, undo and redo, programming after change.
#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace {

struct History : ::testing::Test {
    THarness h;
    TFormHlav* f = nullptr;
    void SetUp() override { f = &h.Start(); }
    // One committed edit of an IAP map cell (uncoupled, on its own page).
    void EditIapCell(int value, int cell = 0) {
        f->Iap.cellEdit[cell].UserSetText(std::to_string(value));
        f->Edit1Exit(f->Iap.cellEdit[cell]);
    }
    // The first transfer after start-up stores the type-0 servo voltages clamped into their
    // on-screen range; this takes that change once so a test starts from a settled editor.
    void Settle() { f->EnterKeyPress(f->FormHlav); }
    int UndoAll() {
        int n = 0;
        while (f->SpeedButtonZpet.Enabled() && n < 1000) {
            f->SpeedButtonZpetClick();
            ++n;
        }
        return n;
    }
};

TEST_F(History, StartsWithBothCommandsDisabledAndAnUnchangedPassCommitsNothing) {
    EXPECT_FALSE(f->SpeedButtonZpet.Enabled());
    EXPECT_FALSE(f->MenuZpet.Enabled());
    EXPECT_FALSE(f->SpeedButtonZnovu.Enabled());
    EXPECT_FALSE(f->MenuZnovu.Enabled());
    Settle();
    f->image.Set(TField::LIMITER2, 10);
    f->CommitChange();
    const uint16_t slot = f->history.currentSlot;
    f->EditOmez2.UserSetText("999");  // stored as 9, sanitized back to 10
    f->Edit1Exit(f->EditOmez2);
    EXPECT_EQ(f->history.currentSlot, slot);
    EXPECT_EQ(f->EditOmez2.Text(), "1,000");
}

TEST_F(History, TwoHundredChangesLeave199UndoStepsAndLoseTheStartImage) {
    for (int i = 1; i <= 200; ++i) EditIapCell(i);
    EXPECT_EQ(UndoAll(), 199);
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 0), 1);
    EXPECT_FALSE(f->MenuZpet.Enabled());
    EXPECT_TRUE(f->MenuZnovu.Enabled());
    f->SpeedButtonZpetClick();  // at the floor: nothing
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 0), 1);
    f->SpeedButtonZnovuClick();
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 0), 2);
}

TEST_F(History, AnEditAfterUndoDropsTheRedoSteps) {
    const TParamImage start = f->image;
    EditIapCell(110);
    EditIapCell(120);
    EXPECT_EQ(UndoAll(), 2);
    EXPECT_TRUE(f->image == start);
    EXPECT_EQ(f->Iap.cellEdit[0].Text(), "100");
    EditIapCell(130, 1);
    EXPECT_FALSE(f->SpeedButtonZnovu.Enabled());
    f->SpeedButtonZnovuClick();
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 0), 100);
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 1), 130);
    EXPECT_EQ(UndoAll(), 1);
}

TEST_F(History, UndoSelectsThePageOfTheRestoredSnapshot) {
    f->PageControl1.UserSetPosition(kPageTp14);
    f->Tp14.cellEdit[0].UserSetText("101");
    f->Edit1Exit(f->Tp14.cellEdit[0]);
    f->PageControl1.UserSetPosition(kPageIap);
    EditIapCell(102);
    f->PageControl1.UserSetPosition(kPageMisc);
    f->SpeedButtonZpetClick();
    EXPECT_EQ(f->PageControl1.Position(), kPageTp14);
    f->SpeedButtonZpetClick();
    EXPECT_EQ(f->PageControl1.Position(), kPageIgn);  // the start-up page
    f->SpeedButtonZnovuClick();
    f->SpeedButtonZnovuClick();
    EXPECT_EQ(f->PageControl1.Position(), kPageIap);
}

TEST_F(History, AReadFollowedByOneEditIsOneSnapshot) {
    const TParamImage before = f->image;
    std::copy(before.Data(), before.Data() + 600, h.sim.Memory().begin());
    h.sim.Memory()[505] = 77;  // the unit's IAP map differs
    h.sim.Memory()[10] = kLayoutVersion;
    f->MenuReadClick();
    h.RunSession();
    ASSERT_EQ(f->image.Cell(TMap::JetIap, 0, 5), 77);
    EditIapCell(111);
    f->SpeedButtonZpetClick();
    EXPECT_FALSE(f->SpeedButtonZpet.Enabled());
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 5), 100);
    EXPECT_TRUE(f->image == before);
}

TEST_F(History, ProgrammingAfterChangeFollowsTheBoxThroughThePipeline) {
    Settle();
    f->CheckBoxProgHned.UserSetChecked(true);
    f->CheckBoxMouseUp(f->CheckBoxProgHned);  // ticking the box alone programs nothing
    EXPECT_EQ(f->session.kind, TSessionKind::None);
    EXPECT_EQ(f->CheckBoxProgHned.Color(), TColor::Red);
    f->EnterKeyPress(f->EditAdv[0]);  // unchanged field, box already armed
    EXPECT_EQ(f->session.kind, TSessionKind::Program);
    EXPECT_EQ(f->session.attempts, 0);  // queued, sent at the next time-out slot
    h.RunSession();
    EditIapCell(120);
    h.RunSession();
    EXPECT_EQ(h.sim.Memory()[500], 120);
    f->SpeedButtonZpetClick();
    EXPECT_EQ(f->session.kind, TSessionKind::Program);
    h.RunSession();
    EXPECT_EQ(h.sim.Memory()[500], 100);
    f->CheckBoxProgHned.UserSetChecked(false);
    f->CheckBoxMouseUp(f->CheckBoxProgHned);
    EXPECT_FALSE(f->history.programArmed);
    f->SpeedButtonZnovuClick();
    EXPECT_EQ(f->session.kind, TSessionKind::None);
}

TEST_F(History, RingIndicesAcrossTheWrap) {
    for (int i = 1; i <= 199; ++i) EditIapCell(i);
    EXPECT_EQ(f->history.currentSlot, 199);
    EXPECT_EQ(f->history.oldestSlot, 0);
    EditIapCell(200);  // slot 0 again: the start-up image goes
    EXPECT_EQ(f->history.currentSlot, 0);
    EXPECT_EQ(f->history.oldestSlot, 1);
    EXPECT_EQ(f->history.newestSlot, 0);
    EditIapCell(201);
    EXPECT_EQ(f->history.currentSlot, 1);
    EXPECT_EQ(f->history.oldestSlot, 2);
    EXPECT_EQ(f->history.Slot(1)[500], 201);
    EXPECT_EQ(f->history.Slot(0)[500], 200);
    // Back across the wrap to the oldest snapshot kept, then forward again to the newest.
    EXPECT_EQ(UndoAll(), 199);
    EXPECT_EQ(f->history.currentSlot, 2);
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 0), 2);
    int redo = 0;
    while (f->SpeedButtonZnovu.Enabled() && redo < 1000) {
        f->SpeedButtonZnovuClick();
        ++redo;
    }
    EXPECT_EQ(redo, 199);
    EXPECT_EQ(f->history.currentSlot, 1);
    EXPECT_EQ(f->image.Cell(TMap::JetIap, 0, 0), 201);
    // A commit after some undos in a full ring drops the redo steps and keeps the oldest.
    for (int i = 0; i < 5; ++i) f->SpeedButtonZpetClick();
    EXPECT_EQ(f->history.currentSlot, 196);
    EditIapCell(7, 3);
    EXPECT_EQ(f->history.currentSlot, 197);
    EXPECT_EQ(f->history.newestSlot, 197);
    EXPECT_EQ(f->history.oldestSlot, 2);
    EXPECT_FALSE(f->MenuZnovu.Enabled());
    EXPECT_TRUE(f->MenuZpet.Enabled());
}

TEST_F(History, SnapshotHoldsTheImageAndThePageByteOnly) {
    f->PageControl1.UserSetPosition(kPageServo);
    EditIapCell(140);
    const uint8_t* slot = f->history.Slot(f->history.currentSlot);
    EXPECT_EQ(std::memcmp(slot, f->image.Data(), TParamImage::kSize), 0);
    EXPECT_EQ(slot[600], kPageServo);
    for (int i = 601; i < kHistorySlotSize; ++i) EXPECT_EQ(slot[i], 0) << i;
    EXPECT_EQ(f->history.Slot(1) - f->history.Slot(0), kHistorySlotSize);
    // Undo from another page back to that snapshot selects its page; the same page stays.
    EditIapCell(150);
    f->PageControl1.UserSetPosition(kPageLadeni);
    f->SpeedButtonZpetClick();
    EXPECT_EQ(f->PageControl1.Position(), kPageServo);
}

TEST_F(History, ProgramArmedOnEveryPath) {
    Settle();
    // Ticking the box in a pass that also carries a change programs at once.
    f->CheckBoxProgHned.UserSetChecked(true);
    f->Iap.cellEdit[0].UserSetText("123");
    f->CheckBoxMouseUp(f->CheckBoxProgHned);
    EXPECT_EQ(f->session.kind, TSessionKind::Program);
    EXPECT_TRUE(f->history.programArmed);
    h.RunSession();
    // Undo and redo program without reading or changing the flag.
    f->history.programArmed = false;
    f->SpeedButtonZpetClick();
    EXPECT_EQ(f->session.kind, TSessionKind::Program);
    EXPECT_FALSE(f->history.programArmed);
    h.RunSession();
    f->SpeedButtonZnovuClick();
    EXPECT_EQ(f->session.kind, TSessionKind::Program);
    EXPECT_FALSE(f->history.programArmed);
    h.RunSession();
    // Undo at the floor does nothing at all, not even programming.
    while (f->SpeedButtonZpet.Enabled()) {
        f->SpeedButtonZpetClick();
        h.RunSession();
    }
    f->SpeedButtonZpetClick();
    EXPECT_EQ(f->session.kind, TSessionKind::None);
    // A pass without the box disarms; the next ticked pass without a change only arms again.
    f->CheckBoxProgHned.UserSetChecked(false);
    f->EnterKeyPress(f->FormHlav);
    EXPECT_FALSE(f->history.programArmed);
    f->CheckBoxProgHned.UserSetChecked(true);
    f->EnterKeyPress(f->FormHlav);
    EXPECT_EQ(f->session.kind, TSessionKind::None);
    EXPECT_TRUE(f->history.programArmed);
    f->EnterKeyPress(f->FormHlav);
    EXPECT_EQ(f->session.kind, TSessionKind::Program);
}

}  // namespace
