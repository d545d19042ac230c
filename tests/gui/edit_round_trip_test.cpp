// Typing into the real widgets reaches the image through the editor events and comes back shown.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "gui_fixture.h"

namespace {

QLineEdit* Edit(TGuiFixture& f, const char* name) {
    return f.view->findChild<QLineEdit*>(name);
}

void Type(QLineEdit* e, const char* text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

}  // namespace

TEST(EditRoundTrip, EnterInAnRpmFieldStoresWholeHundredsAndShowsGrouping) {
    TGuiFixture f;
    f.Start();
    f.view->show();
    f.view->activateWindow();
    QLineEdit* rpm = Edit(f, "Edit2");
    ASSERT_NE(rpm, nullptr);
    Type(rpm, "1150");
    QTest::keyClick(rpm, Qt::Key_Return);
    EXPECT_EQ(f.form->image.Get(TField::RPM_ADV, 1), 11);
    EXPECT_EQ(rpm->text().toStdString(), "1,100");
    // Enter moved the focus on, as Tab would.
    EXPECT_FALSE(rpm->hasFocus());
}

TEST(EditRoundTrip, LettersKeepTheValueAndTheRefreshPutsItBack) {
    TGuiFixture f;
    f.Start();
    f.view->show();
    f.view->activateWindow();
    QLineEdit* adv = Edit(f, "Edit11");
    ASSERT_NE(adv, nullptr);
    const uint8_t before = f.form->image.Get(TField::ADVANCE, 0);
    Type(adv, "abc");
    QTest::keyClick(adv, Qt::Key_Return);
    EXPECT_EQ(f.form->image.Get(TField::ADVANCE, 0), before);
    EXPECT_EQ(adv->text().toStdString(), std::to_string(before));
}

TEST(EditRoundTrip, SpinnerArrowStepsTheFieldAndCommits) {
    TGuiFixture f;
    f.Start();
    f.view->show();
    QWidget* updown = f.view->findChild<QWidget*>("UpDown11");
    ASSERT_NE(updown, nullptr);
    const uint8_t before = f.form->image.Get(TField::ADVANCE, 0);
    auto* up = updown->findChildren<QToolButton*>().value(0);
    ASSERT_NE(up, nullptr);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(f.form->image.Get(TField::ADVANCE, 0), before + 1);
    EXPECT_EQ(Edit(f, "Edit11")->text().toStdString(), std::to_string(before + 1));
    EXPECT_TRUE(f.view->findChild<QWidget*>("SpeedButtonZpet")->isEnabled());
}

TEST(EditRoundTrip, UndoFromTheToolbarRestoresTheImageAndItsPage) {
    TGuiFixture f;
    f.Start();
    f.view->show();
    f.view->activateWindow();
    auto* tabs = f.view->findChild<QTabWidget*>("PageControl1");
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(kPageTp14);
    QLineEdit* cell = Edit(f, "Edit73");  // row 2, column 3
    ASSERT_NE(cell, nullptr);
    Type(cell, "117");
    QTest::keyClick(cell, Qt::Key_Return);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 117);
    tabs->setCurrentIndex(kPageIgn);
    QTest::mouseClick(f.view->findChild<QWidget*>("SpeedButtonZpet"), Qt::LeftButton);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 100);
    EXPECT_EQ(cell->text().toStdString(), "100");
}

TEST(EditRoundTrip, EnterOnACheckBoxCommitsWhatTheFieldsHold) {
    TGuiFixture f;
    f.Start();
    f.view->show();
    f.view->activateWindow();
    // A value typed into a field that takes it only by an event of its own.
    QLineEdit* pulses = Edit(f, "EditRpmPulsu");
    ASSERT_NE(pulses, nullptr);
    Type(pulses, "5");
    auto* box = f.view->findChild<QCheckBox*>("CheckBoxBlokEnable");
    ASSERT_NE(box, nullptr);
    box->setFocus();
    EXPECT_EQ(f.form->image.Get(TField::RPM_PULSES), 2);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(f.form->image.Get(TField::RPM_PULSES), 5);
    EXPECT_FALSE(box->hasFocus());
}
