#include "table_dialogs.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "params/param_catalog.h"

namespace {

QTableWidget* NewTable(QWidget* parent, const QStringList& headers) {
    auto* t = new QTableWidget(parent);
    t->setColumnCount(static_cast<int>(headers.size()));
    t->setHorizontalHeaderLabels(headers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void SetRow(QTableWidget* t, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c) t->setItem(row, c, new QTableWidgetItem(cells[c]));
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

std::string RunBackupChooser(QWidget* parent, const TBackupChoice& choice) {
    QDialog dialog(parent);
    dialog.setObjectName("BackupChooser");
    dialog.setWindowTitle(Q(choice.title));
    auto* layout = new QVBoxLayout(&dialog);
    QTableWidget* t =
        NewTable(&dialog, {Q(choice.dateHeader), Q(choice.timeHeader), Q(choice.occasionHeader)});
    t->setRowCount(static_cast<int>(choice.rows.size()));
    for (size_t i = 0; i < choice.rows.size(); ++i) {
        const TBackupRow& r = choice.rows[i];
        SetRow(t, static_cast<int>(i), {Q(r.date), Q(r.time), Q(r.occasion)});
    }
    t->resizeColumnsToContents();
    t->selectRow(0);
    layout->addWidget(t);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(t, &QTableWidget::cellDoubleClicked, &dialog, &QDialog::accept);
    dialog.resize(420, 360);
    if (dialog.exec() != QDialog::Accepted || t->currentRow() < 0) return {};
    return choice.rows[static_cast<size_t>(t->currentRow())].path;
}

TComparisonWindow::TComparisonWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("ComparisonWindow");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    table_ = NewTable(this, {"", "", ""});
    table_->setObjectName("ComparisonTable");
    layout->addWidget(table_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Closed by the user (the button, Escape, the frame): the comparison ends in the core too.
    connect(this, &QDialog::finished, this, [this] {
        follow_.stop();
        if (onClosed) onClosed();
    });
    connect(&follow_, &QTimer::timeout, this, &TComparisonWindow::Follow);
    resize(520, 420);
}

void TComparisonWindow::Show(const TComparisonTable& table) {
    setWindowTitle(Q(table.title));
    table_->setHorizontalHeaderLabels(
        {Q(table.nameHeader), Q(table.mineHeader), Q(table.otherHeader)});
    table_->setRowCount(static_cast<int>(table.rows.size()));
    for (size_t i = 0; i < table.rows.size(); ++i) {
        const TCompareRow& r = table.rows[i];
        SetRow(table_, static_cast<int>(i), {Q(r.name), Q(r.mine), Q(r.other)});
    }
    table_->resizeColumnsToContents();
    rows_ = table.rows;
    mine_ = table.mine;
    if (mine_ != nullptr) shown_ = *mine_;
    follow_.start(250);
    show();
    raise();
}

void TComparisonWindow::Close() {
    follow_.stop();
    hide();
}

void TComparisonWindow::Follow() {
    if (mine_ == nullptr || *mine_ == shown_) return;
    shown_ = *mine_;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const TCompareRow& r = rows_[i];
        if (r.change.field == TField::Count) continue;  // the monitor box, not in the image
        const int row = static_cast<int>(i);
        const QString now =
            Q(ShownWithUnit(r.change.field, ShownValue(shown_, r.change.field, r.change.element)));
        table_->item(row, 1)->setText(now);
        const QColor ink = now == Q(r.other) ? palette().color(QPalette::Disabled, QPalette::Text)
                                             : palette().color(QPalette::Text);
        for (int c = 0; c < 3; ++c) table_->item(row, c)->setForeground(ink);
    }
}
