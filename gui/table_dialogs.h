// The two table windows of the tool: the list of kept parameter sets to load one from, and the
// table of the values in which the window's set differs from a file.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/platform.h"

class QTableWidget;

// The list of backups, modally; the chosen row's path, or "" on cancel.
std::string RunBackupChooser(QWidget* parent, const TBackupChoice& choice);

// The comparison table, shown beside the main window without holding it up. `onClosed` runs when
// the user closes it (not when Close hides it).
class TComparisonWindow : public QDialog {
    Q_OBJECT
  public:
    explicit TComparisonWindow(QWidget* parent);
    void Show(const TComparisonTable& table);
    void Close();
    // The "this set" column brought up to the window's set after an edit, an undo or a read; a
    // row whose value has come to the file's is greyed. Runs by itself while the table is shown.
    void Follow();
    std::function<void()> onClosed;

  private:
    QTableWidget* table_ = nullptr;
    std::vector<TCompareRow> rows_;
    const TParamImage* mine_ = nullptr;
    TParamImage shown_;  // the set the column shows
    QTimer follow_;
};
