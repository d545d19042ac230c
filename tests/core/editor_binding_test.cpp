// The editor binding: field tables, reading and showing fields, the whole-window transfer and
// refresh, and which events start a transfer.
#include <gtest/gtest.h>

#include "harness.h"
#include "params/bike_types.h"
#include "params/sanitize.h"

namespace {

struct EditorBinding : ::testing::Test {
    THarness h;
    TFormHlav* f = nullptr;
    void SetUp() override { f = &h.Start(); }
    // The user types into a field and leaves it.
    void TypeAndLeave(TControl& edit, const char* text) {
        edit.UserSetText(text);
        f->Edit1Exit(edit);
    }
    TControl& Cell(TMainWindow::TMapGrid& g, int r, int c) { return g.cellEdit[10 * r + c]; }
};

TEST(EditorTables, EveryFieldBoundOnceWithTheSpinnersRangeAndItsEvent) {
    TMainWindow fresh;  // ranges as the window design sets them
    TFieldTables t = BuildFieldTables(fresh);
    ASSERT_EQ(t.count, kFieldCount);
    int leave = 0, click = 0, none = 0;
    for (const TFieldBinding& b : t.bindings) {
        EXPECT_EQ(t.ByEdit(*b.edit), &b) << b.edit->name;
        EXPECT_EQ(t.ByUpDown(*b.updown), &b) << b.updown->name;
        EXPECT_EQ(
            "Up"
            "Down" +
                b.edit->name.substr(4),
            b.updown->name);
        EXPECT_EQ(b.min, b.updown->Min()) << b.updown->name;
        EXPECT_EQ(b.max, b.updown->Max()) << b.updown->name;
        EXPECT_EQ(b.step, b.updown->Step()) << b.updown->name;
        leave += b.event == TFieldEvent::Leave;
        click += b.event == TFieldEvent::Click;
        none += b.event == TFieldEvent::None;
        EXPECT_EQ(b.spinnerEvent, b.event != TFieldEvent::None) << b.updown->name;
    }
    EXPECT_EQ(leave, 375);
    EXPECT_EQ(click, 29);
    EXPECT_EQ(none, 2);
    EXPECT_EQ(t.ByEdit(fresh.LabelVerze1), nullptr);
    EXPECT_EQ(t.ByUpDown(fresh.EditAdv[0]), nullptr);  // an edit is not a spinner
    EXPECT_EQ(t.ByField(TField::JET_TPi, 23)->edit, &fresh.Tp23.cellEdit[23]);
    ASSERT_EQ(fresh.ComboBoxBike.items.size(), 5u);
    EXPECT_EQ(fresh.ComboBoxBike.items[0], "Honda CBR 600 F               01-02");
}

TEST(EditorText, ParsesWholeNumbersWithTheLocalesSeparatorOnly) {
    int v = -1;
    EXPECT_TRUE(ParseFieldText("1,100", ",", v));
    EXPECT_EQ(v, 1100);
    EXPECT_TRUE(
        ParseFieldText("12\xC2\xA0"
                       "000",
                       "\xC2\xA0", v));
    EXPECT_EQ(v, 12000);
    EXPECT_TRUE(ParseFieldText("-60", ",", v));
    EXPECT_EQ(v, -60);
    EXPECT_TRUE(ParseFieldText(" 1,100 ", ",", v));  // blanks left around the number
    EXPECT_EQ(v, 1100);
    for (const char* bad : {"", "  ", "-", "abc", "12a", "1 2", "- 5", "1.100", ",100", "100,",
                            "1,,100", "+5", "99999999999"})
        EXPECT_FALSE(ParseFieldText(bad, ",", v)) << bad;
    char buf[32];
    FormatFieldValue(20100, true, "\xC2\xA0", buf, sizeof buf);
    EXPECT_STREQ(buf,
                 "20\xC2\xA0"
                 "100");
    FormatFieldValue(999, true, ",", buf, sizeof buf);
    EXPECT_STREQ(buf, "999");
    FormatFieldValue(-60, true, ",", buf, sizeof buf);
    EXPECT_STREQ(buf, "-60");
    FormatFieldValue(123456, true, ".", buf, 6);  // truncated, still terminated
    EXPECT_STREQ(buf, "123.4");
}

TEST_F(EditorBinding, TypedRpmKeepsTheWholeMultipleAndShowsGrouped) {
    f->EditAdv[0].UserSetText("1150");
    f->EnterKeyPress(f->EditAdv[0]);
    EXPECT_EQ(f->image.Get(TField::RPM_ADV, 0), 11);
    EXPECT_EQ(f->EditAdv[0].Text(), "1,100");
    f->image.Set(TField::NAP_PRIV, 0, 50);
    f->image.Set(TField::RPM_PRIV, 0, 10);
    f->RefreshFieldsFromImage();
    EXPECT_EQ(f->EditNapPriv[0].Text(), "1000");  // voltages are never grouped
    EXPECT_EQ(f->EditRpmPriv[0].Text(), "1,000");
    f->EditRpmKorekce.UserSetText("-60");
    f->EnterKeyPress(f->EditAdv[0]);
    EXPECT_EQ(f->image.Get(TField::RPM_CORRECTION), 40);
    EXPECT_EQ(f->EditRpmKorekce.Text(), "-60");
}

TEST_F(EditorBinding, InvalidOrOutOfRangeTextKeepsThePreviousValue) {
    f->Edit1Exit(f->EditAdv[1]);  // takes the clamped servo voltages of type 0 once
    const uint16_t slot = f->history.currentSlot;
    for (const char* text : {"abc", "30000", "", "2O00"}) {
        TypeAndLeave(f->EditAdv[1], text);
        EXPECT_EQ(f->image.Get(TField::RPM_ADV, 1), 20) << text;
        EXPECT_EQ(f->EditAdv[1].Text(), "2,000") << text;
    }
    EXPECT_EQ(f->history.currentSlot, slot);
}

TEST_F(EditorBinding, RpmGroupChangesOnlyTheFieldUntilTheNextTransfer) {
    f->SpinnerClick(f->UpDownRpmPulsu, true);
    EXPECT_EQ(f->EditRpmPulsu.Text(), "3");
    EXPECT_EQ(f->image.Get(TField::RPM_PULSES), 2);
    f->UpDown1Click(f->UpDownRpmPulsu, true);  // wrongly routed: nothing
    f->EnterKeyPress(f->EditRpmPulsu);
    EXPECT_EQ(f->image.Get(TField::RPM_PULSES), 2);
    f->MenuProgramClick();
    EXPECT_EQ(f->image.Get(TField::RPM_PULSES), 3);
}

TEST_F(EditorBinding, SpinnerStepsTheTypedTextAndStopsAtTheRangeEnd) {
    f->EditAdv[10].UserSetText("30");
    f->SpinnerClick(f->UpDownAdv[10], true);
    EXPECT_EQ(f->image.Get(TField::ADVANCE, 0), 31);
    f->EditLadeniTps.UserSetText("20");
    f->SpinnerClick(f->UpDownLadeniTps, true);
    EXPECT_EQ(f->EditLadeniTps.Text(), "20");
    EXPECT_EQ(f->image.Get(TField::TUNING_TPS), 20);
}

TEST_F(EditorBinding, ClickFieldsTransferBeforeTypingAndLeaveFieldsDoNotOnClick) {
    f->EditRpmPulsu.UserSetText("4");
    f->EditClick(f->EditAdv[0]);    // a leave field: a click does nothing
    f->Edit1Exit(f->EditStartJet);  // a click field: leaving does nothing
    EXPECT_EQ(f->image.Get(TField::RPM_PULSES), 2);
    f->EditClick(f->EditStartJet);
    EXPECT_EQ(f->image.Get(TField::RPM_PULSES), 4);
    f->EditStartJet.UserSetText("20");
    f->PageControl1.UserSetPosition(kPageIgn);  // left by a tab: stays in the text
    EXPECT_EQ(f->image.Get(TField::START_JET), 10);
    f->EditClick(f->EditChlazeni);
    EXPECT_EQ(f->image.Get(TField::START_JET), 20);
}

TEST_F(EditorBinding, CoupledMapsCarryTp14CellChangesToTp23WithinRange) {
    ASSERT_EQ(f->image.Get(TField::TPS_MODE), 1);
    f->image.SetCell(TMap::JetTpi, 4, 4, 248);
    f->RefreshFieldsFromImage();
    TypeAndLeave(Cell(f->Tp14, 2, 3), "105");
    EXPECT_EQ(f->image.Cell(TMap::JetTp, 2, 3), 105);
    EXPECT_EQ(f->image.Cell(TMap::JetTpi, 2, 3), 105);
    TypeAndLeave(Cell(f->Tp14, 4, 4), "105");
    EXPECT_EQ(f->image.Cell(TMap::JetTpi, 4, 4), 250);
    EXPECT_EQ(Cell(f->Tp23, 4, 4).Text(), "250");
    TypeAndLeave(Cell(f->Tp23, 0, 0), "90");  // never carried back
    EXPECT_EQ(f->image.Cell(TMap::JetTp, 0, 0), 100);
    EXPECT_EQ(f->image.Cell(TMap::JetTpi, 0, 0), 90);
}

TEST_F(EditorBinding, CoupledAxisMovesByTheSameNumberOfSteps) {
    f->image.Set(TField::RPM_JET_TPi, 4, 65);
    f->RefreshFieldsFromImage();
    TypeAndLeave(f->Tp14.axisEdit[4], "6500");
    EXPECT_EQ(f->image.Get(TField::RPM_JET_TP, 4), 65);
    EXPECT_EQ(f->image.Get(TField::RPM_JET_TPi, 4), 70);
    // Separate maps: no coupling.
    f->MenuTpNormalClick(f->MenuTpNormal);
    TypeAndLeave(f->Tp14.axisEdit[4], "6000");
    EXPECT_EQ(f->image.Get(TField::RPM_JET_TPi, 4), 70);
}

TEST_F(EditorBinding, OutOfRangeImageValueIsShownClampedAndStoredAtTheNextTransfer) {
    f->image.Set(TField::TPS_100, 250);  // 5000 mV
    f->RefreshFieldsFromImage();
    EXPECT_EQ(f->EditTps100.Text(), "4,600");
    EXPECT_EQ(f->image.Get(TField::TPS_100), 250);
    f->TransferFieldsToImage();
    EXPECT_EQ(f->image.Get(TField::TPS_100), 210);
}

TEST_F(EditorBinding, BikeWithoutEntrySelectsNothingAndIsStoredAs255) {
    f->image.Set(TField::BIKE, 7);
    f->RefreshFieldsFromImage();
    EXPECT_EQ(f->ComboBoxBike.ItemIndex(), -1);
    f->TransferFieldsToImage();
    EXPECT_EQ(f->image.Get(TField::BIKE), 255);
}

TEST_F(EditorBinding, CheckBoxesTransferOnlyFromTheElevenBoxes) {
    f->CheckBoxBlokEnable.UserSetChecked(false);
    f->CheckBoxMouseUp(f->MenuTP14);  // not a box of the event
    EXPECT_EQ(f->image.Get(TField::BLOK_ENABLE), 1);
    f->CheckBoxMouseUp(f->CheckBoxBlokEnable);
    EXPECT_EQ(f->image.Get(TField::BLOK_ENABLE), 0);
    f->CheckBoxExtMonitor.UserSetChecked(true);
    f->CheckBoxMouseUp(f->CheckBoxExtMonitor);
    EXPECT_TRUE(f->LabelPocetProgramovani.Visible());
}

TEST_F(EditorBinding, PickingType3SetsItsConstantsAtOnce) {
    h.dialogs.answers.push_back(TAnswer::No);
    f->ComboBoxBike.UserSetItemIndex(3);
    f->ComboBoxBikeChange();
    EXPECT_EQ(f->image.Get(TField::BIKE), 3);
    EXPECT_EQ(f->image.Get(TField::ADVANCE_MAX), 95);
}

TEST(DefaultSets, TypesOneToFourPassSanitizingUnchanged) {
    for (uint8_t bike = 1; bike <= 4; ++bike) {
        TParamImage im;
        im.Set(TField::BIKE, bike);
        SetDefaults(im);
        TParamImage before = im;
        SanitizeImage(im, {nullptr, nullptr, nullptr});
        EXPECT_TRUE(im == before) << "type " << int(bike);
    }
}

TEST_F(EditorBinding, CoupledChangesAreHeldWithinTheTp23Range) {
    ASSERT_EQ(f->image.Get(TField::TPS_MODE), 1);
    f->image.SetCell(TMap::JetTpi, 1, 1, 30);
    f->image.Set(TField::RPM_JET_TPi, 9, 190);
    f->image.Set(TField::RPM_JET_TPi, 0, 5);  // 500 rpm against 1000 rpm on TP14
    f->RefreshFieldsFromImage();
    TypeAndLeave(Cell(f->Tp14, 1, 1), "0");  // down by 100: the TP23 cell stops at 0
    EXPECT_EQ(f->image.Cell(TMap::JetTp, 1, 1), 0);
    EXPECT_EQ(f->image.Cell(TMap::JetTpi, 1, 1), 0);
    // Up by 40 steps from 16000 rpm: the TP23 point would reach 23000 and stops at the top of
    // the field, 20100, which sanitizing then pulls to its last permitted point, 20000.
    TypeAndLeave(f->Tp14.axisEdit[9], "20000");
    EXPECT_EQ(f->image.Get(TField::RPM_JET_TP, 9), 200);
    EXPECT_EQ(f->image.Get(TField::RPM_JET_TPi, 9), 200);
    // Down by 7 steps from 1000 rpm: the TP23 point at 500 rpm would go below 0 and stops at the
    // bottom of the field, 300 rpm.
    TypeAndLeave(f->Tp14.axisEdit[0], "300");
    EXPECT_EQ(f->image.Get(TField::RPM_JET_TP, 0), 3);
    EXPECT_EQ(f->image.Get(TField::RPM_JET_TPi, 0), 3);
    EXPECT_EQ(f->Tp23.axisEdit[0].Text(), "300");
    // Cells and axis points the user left alone on TP14 keep their TP23 twins.
    EXPECT_EQ(f->image.Cell(TMap::JetTpi, 1, 2), 100);
}

TEST_F(EditorBinding, CheckBoxesStoreOneOrZeroAndShowAnyOtherByteTicked) {
    f->image.Set(TField::BLOK_ENABLE, 7);
    f->image.Set(TField::PRIV_ENABLE, 0);
    f->RefreshFieldsFromImage();
    EXPECT_TRUE(f->CheckBoxBlokEnable.Checked());
    EXPECT_FALSE(f->CheckBoxPrivEnable.Checked());
    f->TransferFieldsToImage();
    EXPECT_EQ(f->image.Get(TField::BLOK_ENABLE), 1);
    EXPECT_EQ(f->image.Get(TField::PRIV_ENABLE), 0);
}

TEST_F(EditorBinding, FieldRulesFollowTheBoxesAndTheType) {
    // Type 0: no servo, whatever the tick.
    f->CheckBoxPrivEnable.UserSetChecked(true);
    f->CheckBoxMouseUp(f->CheckBoxPrivEnable);
    EXPECT_FALSE(f->CheckBoxPrivEnable.Visible());
    EXPECT_FALSE(f->GroupBoxPrivera.Visible());
    EXPECT_FALSE(f->LabelPriveraPoz.Visible());
    EXPECT_FALSE(f->LabelPriveraMer.Visible());
    EXPECT_EQ(f->image.Get(TField::PRIV_ENABLE), 1);  // still transferred
    // Another type: the servo group shows with the tick.
    f->image.Set(TField::BIKE, 1);
    f->RefreshFieldsFromImage();
    EXPECT_TRUE(f->CheckBoxPrivEnable.Visible());
    EXPECT_TRUE(f->GroupBoxPrivera.Visible());
    EXPECT_TRUE(f->LabelPriveraPoz.Visible());
    EXPECT_TRUE(f->LabelPriveraMer.Visible());
    f->CheckBoxPrivEnable.UserSetChecked(false);
    f->CheckBoxMouseUp(f->CheckBoxPrivEnable);
    EXPECT_TRUE(f->CheckBoxPrivEnable.Visible());
    EXPECT_FALSE(f->GroupBoxPrivera.Visible());
    EXPECT_FALSE(f->LabelPriveraMer.Visible());
    // Tuning: unlocking shows "Tuning On" and the group; locking again unticks it.
    EXPECT_FALSE(f->CheckBoxLadeniOn.Visible());
    EXPECT_FALSE(f->GroupBoxLadeni.Visible());
    f->CheckBoxLadeniPovoleno.UserSetChecked(true);
    f->CheckBoxMouseUp(f->CheckBoxLadeniPovoleno);
    EXPECT_TRUE(f->CheckBoxLadeniOn.Visible());
    EXPECT_TRUE(f->GroupBoxLadeni.Visible());
    f->CheckBoxLadeniOn.UserSetChecked(true);
    f->CheckBoxMouseUp(f->CheckBoxLadeniOn);
    EXPECT_EQ(f->CheckBoxLadeniOn.Color(), TColor::Red);
    f->CheckBoxLadeniPovoleno.UserSetChecked(false);
    f->CheckBoxMouseUp(f->CheckBoxLadeniPovoleno);
    EXPECT_FALSE(f->CheckBoxLadeniOn.Checked());
    EXPECT_FALSE(f->CheckBoxLadeniOn.Visible());
    EXPECT_FALSE(f->GroupBoxLadeni.Visible());
    EXPECT_EQ(f->CheckBoxLadeniOn.Color(), TColor::BtnFace);
    EXPECT_EQ(f->CheckBoxProgHned.Color(), TColor::BtnFace);
}

TEST_F(EditorBinding, RefreshShowsEveryGroupedFieldGroupedAndTheOthersPlain) {
    f->RefreshFieldsFromImage();
    EXPECT_EQ(f->EditOmez2.Text(), "14,000");
    EXPECT_EQ(f->Edit46.Text(), "12,000");
    EXPECT_EQ(f->EditKlapkaSani.Text(), "6,000");
    EXPECT_EQ(f->EditTps100.Text(), "4,420");
    EXPECT_EQ(f->EditAkcelJet.Text(), "2,520");
    EXPECT_EQ(f->EditLadeniCas.Text(), "1,000");
    EXPECT_EQ(f->EditTps0.Text(), "500");
    EXPECT_EQ(f->Tp23.axisEdit[9].Text(), "16,000");
    EXPECT_EQ(f->Iap.axisEdit[0].Text(), "1,000");
    EXPECT_EQ(f->EditPrivHyster.Text(), "200");
    f->image.Set(TField::PRIV_HYSTER, 255);
    f->image.Set(TField::TUNING_LAMBDA, 100);
    f->image.Set(TField::ACCEL_THRESHOLD, 250);
    f->image.Set(TField::TUNING_RPM, 200);
    f->RefreshFieldsFromImage();
    EXPECT_EQ(f->EditPrivHyster.Text(), "1275");
    EXPECT_EQ(f->EditLadeniLambda.Text(), "1000");
    EXPECT_EQ(f->EditAkcelPrah.Text(), "2,500");
    EXPECT_EQ(f->EditLadeniRpm.Text(), "2,000");
}

}  // namespace
