// The Qt window mirrors the model: one widget per control, named after it, kept up to date.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

#include "gui_fixture.h"
#include "widgets.h"

TEST(Window, EveryControlHasAWidgetOrMenuActionNamedAfterIt) {
    TGuiFixture f;
    f.Start();
    int missing = 0;
    for (TControl* c : f.form->model.All()) {
        if (c->kind == TControlKind::MenuSeparator || c->kind == TControlKind::Form) continue;
        QObject* o = f.view->findChild<QObject*>(QString::fromStdString(c->name));
        if (o == nullptr) {
            ADD_FAILURE() << "no widget for " << c->name;
            ++missing;
        }
    }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(f.view->windowTitle().toStdString(), "Programming of Quorvel 05 unit");
    EXPECT_EQ(f.view->centralWidget()->size(), QSize(965, 771));
}

TEST(Window, TicksBringTheMonitorPanelToLifeAndApplyOnlyChanges) {
    TGuiFixture f;
    f.Start();
    f.Ticks(30);
    auto* rpm = f.view->findChild<QLabel*>("LabelRpm");
    ASSERT_NE(rpm, nullptr);
    EXPECT_TRUE(rpm->text().startsWith("RPM = ")) << rpm->text().toStdString();
    EXPECT_EQ(rpm->text().toStdString(), f.form->LabelRpm.Text());
    auto* com = f.view->findChild<QLabel*>("LabelCom");
    EXPECT_EQ(com->text().toStdString(), "COM= demo-unit");
    // A tick without a monitor frame changes next to nothing.
    const int before = f.view->appliedChanges;
    f.form->Timer1Timer();  // the frame requested at the last sixth tick has been decoded
    f.view->ApplyChanges();
    EXPECT_LT(f.view->appliedChanges - before, 60);
    EXPECT_EQ(f.form->model.PendingChanges(), 0u);
}

TEST(Window, MenusCarryTheirShortcuts) {
    TGuiFixture f;
    f.Start();
    auto* read = f.view->findChild<QAction*>("MenuRead");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->shortcut(), QKeySequence(Qt::Key_F7));
    auto* redo = f.view->findChild<QAction*>("MenuZnovu");
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(redo->shortcut(), QKeySequence("Ctrl+Alt+Z"));
    auto* com3 = f.view->findChild<QAction*>("MenuCom3");
    ASSERT_NE(com3, nullptr);
    EXPECT_EQ(com3->text().toStdString(), "Com 3");
    EXPECT_TRUE(f.view->findChild<QAction*>("MenuCom1")->isChecked());
}

// The tick is the time base of every time-out: a precise 55 ms timer, since a coarse one runs up
// to 5 % fast.
TEST(Window, TheTickIsAPrecise55MsTimer) {
    TGuiFixture f;
    f.Start();
    EXPECT_EQ(f.view->TickTimer().interval(), 55);
    EXPECT_EQ(f.view->TickTimer().timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(f.view->TickTimer().isActive());
}
