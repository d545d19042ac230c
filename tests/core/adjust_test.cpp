// The step commands: minus/plus on the operating cell or a whole table, the column spin buttons,
// the TPS calibration buttons and Tools > Minus/Plus, each one undo step.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

struct TAdjustRig {
    THarness h;
    TFormHlav& w;
    // The type 0 default set holds servo voltages below the field minimum: the first transfer
    // raises them, so settle that before a command is watched.
    TAdjustRig() : w(h.Start()) {
        w.TransferFieldsToImage();
        w.CommitChange();
    }

    // The engine as the last monitor frame left it; the operating point follows at once.
    void Engine(int rpm, int tp = 20, int iap = 30) {
        w.monitor.rpm = static_cast<uint16_t>(rpm);
        w.monitor.tpPercent = static_cast<uint8_t>(tp);
        w.monitor.iapPercent = static_cast<uint8_t>(iap);
        w.TrackOperatingPoint();
    }
    void Set(TField f, int k, int v) {
        w.image.Set(f, k, static_cast<uint8_t>(v));
        w.RefreshFieldsFromImage();
    }
    int Get(TField f, int k = 0) const { return w.image.Get(f, k); }
    uint16_t Slot() const { return w.history.currentSlot; }
};

using F = TFormHlav;

}  // namespace

// Each case: the table's byte, its starting value, the command, and the value it ends at.
TEST(AdjustCommands, SingleCellStepsHoldEachTablesBounds) {
    const struct {
        const char* name;
        TField field;
        int start;
        void (F::*command)();
        int rpm, expected;
    } cases[] = {
        {"TP14 plus", TField::JET_TP, 100, &F::BitBtnJetTpsPlusClick, 4000, 101},
        {"TP14 plus at 250", TField::JET_TP, 250, &F::BitBtnJetTpsPlusClick, 4000, 250},
        {"TP14 minus at 0", TField::JET_TP, 0, &F::BitBtnJetTpsMinusClick, 4000, 0},
        {"TP14 engine stopped", TField::JET_TP, 100, &F::BitBtnJetTpsPlusClick, 0, 100},
        {"TP23 minus", TField::JET_TPi, 100, &F::BitBtnJetTpsMinusiClick, 4000, 99},
        {"IAP plus", TField::JET_IAP, 100, &F::BitBtnJetIapPlusClick, 4000, 101},
        {"IAP engine stopped", TField::JET_IAP, 100, &F::BitBtnJetIapMinusClick, 0, 100},
        {"servo plus at 249", TField::NAP_PRIV, 249, &F::BitBtnServoPlusClick, 0, 249},
        {"servo minus at 1", TField::NAP_PRIV, 1, &F::BitBtnServoMinusClick, 0, 1},
        {"servo stopped: point 0", TField::NAP_PRIV, 100, &F::BitBtnServoPlusClick, 0, 101},
        {"advance plus below 60", TField::ADVANCE, 59, &F::CurvePlusClick, 9000, 60},
        {"advance plus at 60", TField::ADVANCE, 60, &F::CurvePlusClick, 9000, 60},
        {"advance below the curve", TField::ADVANCE, 30, &F::CurvePlusClick, 100, 30},
    };
    for (const auto& c : cases) {
        TAdjustRig r;
        r.Set(TField::TPS_MODE, 0, 0);
        r.w.image.Set(TField::ADVANCE_MAX, 125);
        r.Engine(c.rpm);
        const TOperatingPoint& op = r.w.operatingPoint;
        const bool map =
            c.field == TField::JET_TP || c.field == TField::JET_TPi || c.field == TField::JET_IAP;
        const int k = c.field == TField::JET_IAP    ? 10 * op.iapRow + op.iapColumn
                      : c.field == TField::JET_TP   ? 10 * op.tpRow + op.tp14Column
                      : c.field == TField::JET_TPi  ? 10 * op.tpRow + op.tp23Column
                      : c.field == TField::NAP_PRIV ? op.servoIndex
                                                    : op.advanceIndex;
        if (c.field == TField::NAP_PRIV && c.rpm == 0) {
            EXPECT_EQ(k, 0);
        }
        r.Set(c.field, k, c.start);
        (r.w.*c.command)();
        EXPECT_EQ(r.Get(c.field, k), c.expected) << c.name;
        // Nothing else of the table moved.
        if (map) {
            EXPECT_EQ(r.Get(c.field, (k + 1) % 100), r.Get(c.field, (k + 2) % 100)) << c.name;
        }
    }
}

TEST(AdjustCommands, AllBoxesColumnsAndCoupledMode) {
    TAdjustRig r;
    r.Engine(4000);
    r.Set(TField::TPS_MODE, 0, 1);  // Coupled
    r.Set(TField::JET_TP, 5, 250);
    r.w.CheckBoxJetTpsAll.UserSetChecked(true);
    const int tp23 = r.Get(TField::JET_TPi, 7);
    const uint16_t slot = r.Slot();
    r.w.BitBtnJetTpsPlusClick();
    EXPECT_EQ(r.Get(TField::JET_TP, 5), 250);
    EXPECT_EQ(r.Get(TField::JET_TPi, 7), tp23 + 1);
    EXPECT_NE(r.Slot(), slot);  // one undo step
    r.w.SpeedButtonZpetClick();
    EXPECT_EQ(r.Get(TField::JET_TPi, 7), tp23);

    // A TP14 column spin moves the same column of both maps; TP23 and IAP spins their own map.
    const int a = r.Get(TField::JET_TP, 30 + 2), b = r.Get(TField::JET_TPi, 30 + 2);
    r.w.CSpinButtonUpClick(r.w.CSpinButton3);
    EXPECT_EQ(r.Get(TField::JET_TP, 32), a + 1);
    EXPECT_EQ(r.Get(TField::JET_TPi, 32), b + 1);
    EXPECT_EQ(r.Get(TField::JET_TP, 33), r.Get(TField::JET_TP, 33));
    r.w.CSpinButton3iDownClick();
    EXPECT_EQ(r.Get(TField::JET_TPi, 32), b);
    EXPECT_EQ(r.Get(TField::JET_TP, 32), a + 1);
    const int iap = r.Get(TField::JET_IAP, 90 + 9);
    r.w.CSpinButton20UpClick();
    EXPECT_EQ(r.Get(TField::JET_IAP, 99), iap + 1);

    // Advance "All" raises past the single-cell ceiling of 60 up to the type's advance ceiling.
    r.w.image.Set(TField::ADVANCE_MAX, 62);
    r.Set(TField::ADVANCE, 4, 60);
    r.w.CheckBoxIgnAll.UserSetChecked(true);
    for (int i = 0; i < 4; ++i) r.w.CurvePlusClick();
    EXPECT_EQ(r.Get(TField::ADVANCE, 4), 62);
}

TEST(AdjustCommands, TpsCalibrationTakesTheLiveVoltageWithinItsRange) {
    const struct {
        int mv;
        bool zero;  // "TPS 0 %" or "TPS 100 %"
        int expected;
    } cases[] = {
        {299, true, -1},   {300, true, 30},  {2500, true, 250},  {2501, true, -1},
        {2499, false, -1}, {2500, false, 0}, {4600, false, 210}, {4601, false, -1},
    };
    for (const auto& c : cases) {
        TAdjustRig r;
        const TField f = c.zero ? TField::TPS_0 : TField::TPS_100;
        r.Set(f, 0, 77);
        r.w.monitor.tpMv = static_cast<uint16_t>(c.mv);
        // The editor is not taken in first: a value typed but not committed stays typed.
        r.w.EditStartJet.UserSetText("33");
        c.zero ? r.w.BitBtnTps0Click() : r.w.BitBtnTps100Click();
        EXPECT_EQ(r.Get(f), c.expected < 0 ? 77 : c.expected) << c.mv;
        EXPECT_TRUE(r.h.dialogs.messages.empty());
    }
}

TEST(AdjustCommands, ToolsMinusPlusActByPageAndDoNothingOnMiscellaneousAndTuning) {
    const struct {
        int page;
        TField field;  // what F5 raises at the operating point; JET_TP for none
        bool acts;
    } cases[] = {
        {kPageIgn, TField::ADVANCE, true},    {kPageTp14, TField::JET_TP, true},
        {kPageTp23, TField::JET_TPi, true},   {kPageIap, TField::JET_IAP, true},
        {kPageServo, TField::NAP_PRIV, true}, {kPageMisc, TField::JET_TP, false},
        {kPageLadeni, TField::JET_TP, false},
    };
    for (const auto& c : cases) {
        TAdjustRig r;
        r.Set(TField::TPS_MODE, 0, 0);
        r.w.image.Set(TField::ADVANCE_MAX, 125);
        r.Engine(4000);
        r.w.PageControl1.UserSetPosition(c.page);
        const TParamImage before = r.w.image;
        const uint16_t slot = r.Slot();
        r.w.MenuToolsPlusClick();
        EXPECT_EQ(r.Slot() != slot, c.acts) << c.page;
        int changed = 0;
        for (int i = 0; i < 600; ++i) changed += before[i] != r.w.image[i];
        EXPECT_EQ(changed, c.acts ? 1 : 0) << c.page;
        r.w.MenuToolsMinusClick();
        for (int i = 0; i < 600; ++i) EXPECT_EQ(before[i], r.w.image[i]) << c.page << " " << i;
    }
}
