// The plots dock: hidden until the View menu shows it, redrawn after a change and only then.
#include <gtest/gtest.h>

#include <QAction>
#include <QChartView>
#include <QLineSeries>
#include <QTest>

#include "gui_fixture.h"
#include "plots_view.h"

TEST(Plots, ShownFromTheViewMenuAndRedrawnOnlyAfterChanges) {
    TGuiFixture f;
    f.Start();
    f.view->show();
    TPlotsView* plots = f.view->Plots();
    ASSERT_NE(plots, nullptr);
    EXPECT_FALSE(plots->isVisible());
    f.view->findChild<QAction*>("MenuPlots")->trigger();
    EXPECT_TRUE(plots->isVisible());
    EXPECT_TRUE(f.form->MenuPlots.Checked());
    QCoreApplication::processEvents();
    const int drawn = plots->redraws;
    EXPECT_GE(drawn, 1);

    // A changed cell is drawn after the handler, as the point of its row's line.
    f.form->Tp14.cellEdit[23].UserSetText("177");
    f.form->EnterKeyPress(f.form->Tp14.cellEdit[23]);
    f.view->ApplyChanges();
    EXPECT_EQ(plots->redraws, drawn);  // not inside the handler
    QCoreApplication::processEvents();
    EXPECT_EQ(plots->redraws, drawn + 1);
    auto views = plots->findChildren<QChartView*>();
    ASSERT_EQ(views.size(), 5);
    auto* row2 = qobject_cast<QLineSeries*>(views[2]->chart()->series().value(2));
    ASSERT_NE(row2, nullptr);
    EXPECT_EQ(row2->at(3).y(), 177);

    // Nothing changed: nothing drawn.
    f.view->ApplyChanges();
    QCoreApplication::processEvents();
    EXPECT_EQ(plots->redraws, drawn + 1);
    f.view->findChild<QAction*>("MenuPlots")->trigger();
    EXPECT_FALSE(plots->isVisible());
    EXPECT_FALSE(f.form->MenuPlots.Checked());
}
