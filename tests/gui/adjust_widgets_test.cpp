// The step commands and the field events through the real widgets: buttons, spin buttons, F5,
// and leaving or clicking fields commit what was typed.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "gui_fixture.h"

namespace {

// The window shown, on the TP Map 14 page, with the engine held in one cell.
struct TAdjustWindow : TGuiFixture {
    TAdjustWindow() {
        Start();
        view->show();
        QApplication::setActiveWindow(view.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
        sim.engine.HoldPoint(4000, 20, 39, true);
        Ticks(14);
        view->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(kPageTp14);
    }
    int OperatingCell() const {
        return form->image.Cell(TMap::JetTp, form->operatingPoint.tpRow,
                                form->operatingPoint.tp14Column);
    }
    QLineEdit* Edit(const char* name) const { return view->findChild<QLineEdit*>(name); }
};

}  // namespace

TEST(AdjustWidgets, PlusButtonSpinButtonAndF5StepTheMap) {
    TAdjustWindow f;
    const int cell = f.OperatingCell();
    ASSERT_EQ(f.form->Tp14.cellEdit[43].Color(), TColor::Lime);
    QTest::mouseClick(f.view->findChild<QPushButton*>("BitBtnJetTpsPlus"), Qt::LeftButton);
    EXPECT_EQ(f.OperatingCell(), cell + 1);
    QTest::keyClick(f.view.get(), Qt::Key_F5);
    EXPECT_EQ(f.OperatingCell(), cell + 2);
    EXPECT_EQ(f.Edit("Edit93")->text().toStdString(), std::to_string(cell + 2));
    // The spin button of column 3 moves the whole column, up then down.
    QWidget* spin = f.view->findChild<QWidget*>("CSpinButton4");
    ASSERT_NE(spin, nullptr);
    const int top = f.form->image.Cell(TMap::JetTp, 0, 3);
    auto arrows = spin->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    QTest::mouseClick(arrows[0], Qt::LeftButton);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 0, 3), top + 1);
    QTest::mouseClick(arrows[1], Qt::LeftButton);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 0, 3), top);
    // One undo step per command.
    QTest::mouseClick(f.view->findChild<QWidget*>("SpeedButtonZpet"), Qt::LeftButton);
    QTest::mouseClick(f.view->findChild<QWidget*>("SpeedButtonZpet"), Qt::LeftButton);
    EXPECT_EQ(f.OperatingCell(), cell + 2);
    QTest::mouseClick(f.view->findChild<QWidget*>("SpeedButtonZpet"), Qt::LeftButton);
    EXPECT_EQ(f.OperatingCell(), cell + 1);
}

TEST(AdjustWidgets, TabAndAMouseClickIntoAnotherFieldCommitWhatWasTyped) {
    TAdjustWindow f;
    QLineEdit* cell = f.Edit("Edit73");
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, "117");
    QTest::keyClick(cell, Qt::Key_Tab);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 117);
    QLineEdit* next = f.Edit("Edit74");
    next->setFocus();
    next->selectAll();
    QTest::keyClicks(next, "118");
    QTest::mouseClick(f.Edit("Edit84"), Qt::LeftButton);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 4), 118);
    // A field of the miscellaneous page commits when clicked into.
    f.view->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(kPageMisc);
    QLineEdit* start = f.Edit("EditStartJet");
    start->setFocus();
    start->selectAll();
    QTest::keyClicks(start, "3");
    const int before = f.form->image.Get(TField::START_JET);
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_NE(f.form->image.Get(TField::START_JET), before);
}
