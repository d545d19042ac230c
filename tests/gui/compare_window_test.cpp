// The Backups and comparison commands in the menus, and a comparison framing the differing cell's
// widget with the file's value in its tooltip until the table is closed.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>

#include "files/atomic_file.h"
#include "files/file_commands.h"
#include "gui_fixture.h"
#include "table_dialogs.h"

namespace {

QStringList ActionNames(QMenu* menu) {
    QStringList names;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) names << a->objectName();
    return names;
}

// Picks `path` in the next file dialog that opens, looking for it every 20 ms however long the
// machine takes to show it.
void AnswerFileDialog(const QString& path) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, path] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFileDialog*>(w); d != nullptr && d->isVisible()) {
                d->selectFile(path);
                QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
                poll->deleteLater();
                poll->stop();
                return;
            }
    });
    poll->start(20);
}

}  // namespace

TEST(CompareWindow, MenusHoldBackupsAndTheComparisonCommands) {
    TGuiFixture f;
    f.Start();
    const QStringList file = ActionNames(f.view->findChild<QMenu*>("MenuFile"));
    EXPECT_EQ(file.indexOf("MenuBackups"), file.indexOf("MenuOpenExeDir") + 1);
    const QStringList tools = ActionNames(f.view->findChild<QMenu*>("MenuTools"));
    EXPECT_TRUE(tools.contains("MenuCompare"));
    auto* close = f.view->findChild<QAction*>("MenuCloseComparison");
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(close->isEnabled());
}

TEST(CompareWindow, DifferingCellFramedWithTheFilesValueUntilTheTableIsClosed) {
    TGuiFixture f;
    f.Start();
    f.form->EnterKeyPress(f.form->Tp14.cellEdit[25]);  // the fields as the editor holds them
    const std::string path = f.dir.filePath("saved.ign").toStdString();
    TAtomicFile file;
    ASSERT_TRUE(file.Create(path) && SaveParamFile(file, f.form->image, false));
    f.form->Tp14.cellEdit[25].UserSetText("117");
    f.form->EnterKeyPress(f.form->Tp14.cellEdit[25]);
    AnswerFileDialog(QString::fromStdString(path));
    f.view->findChild<QAction*>("MenuCompare")->trigger();

    auto* cell = f.view->findChild<QLineEdit*>("Edit75");
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->property("marked").toBool());
    auto* frame = cell->findChild<QFrame*>("markFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->isHidden());
    EXPECT_TRUE(cell->toolTip().contains("File: 100 %")) << cell->toolTip().toStdString();
    EXPECT_FALSE(f.view->findChild<QLineEdit*>("Edit76")->property("marked").toBool());
    auto* table = f.view->findChild<QTableWidget*>("ComparisonTable");
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    ASSERT_EQ(table->rowCount(), 2);  // TP Map 23 coupled
    EXPECT_EQ(table->item(0, 1)->text(), "117 %");
    // The table follows the set: the cell typed back to the file's value reads so, greyed.
    f.form->Tp14.cellEdit[25].UserSetText("100");
    f.form->EnterKeyPress(f.form->Tp14.cellEdit[25]);
    f.view->ApplyChanges();
    f.view->findChild<TComparisonWindow*>()->Follow();
    EXPECT_EQ(table->item(0, 1)->text(), "100 %");
    EXPECT_NE(table->item(0, 0)->foreground().color(), table->palette().color(QPalette::Text));
    EXPECT_FALSE(cell->property("marked").toBool());

    f.view->findChild<QDialog*>("ComparisonWindow")->reject();
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(cell->toolTip().contains("File:"));
    EXPECT_FALSE(f.view->findChild<QAction*>("MenuCloseComparison")->isEnabled());
}
