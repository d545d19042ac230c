#include "qt_services.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

QString TQtDialogs::Title() const {
    return parent_ ? parent_->window()->windowTitle() : QStringLiteral("Quorvel 05");
}

void TQtDialogs::ShowMessage(const std::string& text) {
    TModalGuard::TScope scope(guard_);
    QMessageBox::information(parent_, Title(), QString::fromStdString(text));
}

TAnswer TQtDialogs::AskYesNoCancel(const std::string& text) {
    TModalGuard::TScope scope(guard_);
    const auto b = QMessageBox::question(parent_, Title(), QString::fromStdString(text),
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                         QMessageBox::Yes);
    return b == QMessageBox::Yes  ? TAnswer::Yes
           : b == QMessageBox::No ? TAnswer::No
                                  : TAnswer::Cancel;
}

QString TQtDialogs::QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        // Qt takes the patterns from the last parentheses of the name.
        if (!name.endsWith(")")) name += " (" + pattern + ")";
        out << name;
    }
    return out.join(";;");
}

namespace {

std::string RunDialog(QWidget* parent, const TFileDialogRequest& r, bool save) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = TQtDialogs::QtFilter(r.filter).split(";;");
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[r.filterIndex - 1]);
    dialog.setDefaultSuffix(QString::fromStdString(r.defaultExt));
    if (!r.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QString proposed = QString::fromStdString(r.proposedPath).trimmed();
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::string TQtDialogs::OpenFileDialog(const TFileDialogRequest& request) {
    TModalGuard::TScope scope(guard_);
    return RunDialog(parent_, request, false);
}

std::string TQtDialogs::SaveFileDialog(const TFileDialogRequest& request) {
    TModalGuard::TScope scope(guard_);
    return RunDialog(parent_, request, true);
}

std::string TQtClock::ShortDate() {
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string TQtClock::LongTime() {
    return QLocale().toString(QTime::currentTime(), QLocale::LongFormat).toStdString();
}

void TQtDocuments::Open(const std::string& pattern) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(pattern)));
}
