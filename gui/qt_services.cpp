#include "qt_services.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include "about_dialog.h"
#include "form_view.h"
#include "table_dialogs.h"

void CloseModalBoxes() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QDialog*>(w);
        if (box == nullptr || !box->isVisible() || !box->isModal()) continue;
        // Closing picks the box's own escape answer (OK of an information box, Cancel of a
        // question); a box without one is rejected, which the callers take as Cancel.
        if (!box->close()) box->reject();
    }
}

namespace {

// While a box is open, a stop request (SIGTERM, SIGINT) closes it. The tick, which closes the
// window on such a request, is held back while a box is open, and does not run at all inside a
// box opened from the tick itself or during start-up.
struct TStopWatch {
    QTimer timer;
    TStopWatch() {
        QObject::connect(&timer, &QTimer::timeout, [] {
            if (TFormView::stopRequested) CloseModalBoxes();
        });
        timer.start(50);
    }
};

}  // namespace

QString TQtDialogs::Title() const {
    return parent_ ? parent_->window()->windowTitle() : QStringLiteral("Quorvel 05");
}

void TQtDialogs::ShowMessage(const std::string& text) {
    TModalGuard::TScope scope(guard_);
    TStopWatch watch;
    QMessageBox::information(parent_, Title(), QString::fromStdString(text));
}

TAnswer TQtDialogs::AskYesNoCancel(const std::string& text) {
    TModalGuard::TScope scope(guard_);
    TStopWatch watch;
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
    TStopWatch watch;
    return RunDialog(parent_, request, false);
}

std::string TQtDialogs::SaveFileDialog(const TFileDialogRequest& request) {
    TModalGuard::TScope scope(guard_);
    TStopWatch watch;
    return RunDialog(parent_, request, true);
}

std::string TQtClock::ShortDate() {
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string TQtClock::LongTime() {
    return QLocale().toString(QTime::currentTime(), QLocale::LongFormat).toStdString();
}

std::string TQtClock::Stamp() {
    return QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString();
}

std::string TQtDialogs::ChooseBackup(const TBackupChoice& choice) {
    TModalGuard::TScope scope(guard_);
    TStopWatch watch;
    return RunBackupChooser(parent_, choice);
}

// The table is the main window's own, so it stays in front of it; closing it by hand ends the
// comparison in the core through the close command, as the menu item does.
void TQtDialogs::ShowComparison(const TComparisonTable& table) {
    if (!comparison_) comparison_ = new TComparisonWindow(parent_);
    TControl* command = table.closeCommand;
    comparison_->onClosed = [this, command] {
        auto* view = qobject_cast<TFormView*>(parent_.data());
        if (view != nullptr && command != nullptr) view->Forward(*command, TEvent::Click);
    };
    comparison_->Show(table);
}

void TQtDialogs::CloseComparison() {
    if (comparison_) comparison_->Close();
}

void TQtDialogs::ShowAbout(TFormAbout& about) {
    TModalGuard::TScope scope(guard_);
    TStopWatch watch;
    RunAboutDialog(parent_, about);
}

QStringList TQtDocuments::Folders() {
    QStringList folders;
    if (const QByteArray env = qgetenv("QUORVEL05_DOC_DIR"); !env.isEmpty())
        folders << QString::fromLocal8Bit(env);
    folders << QCoreApplication::applicationDirPath() + "/../share/doc/quorvel05";
#ifdef QUORVEL05_SOURCE_DOC_DIR
    folders << QStringLiteral(QUORVEL05_SOURCE_DOC_DIR);
#endif
    return folders;
}

QString TQtDocuments::Find(const std::string& pattern) {
    const QString name = QString::fromStdString(pattern) + ".*";
    for (const QString& folder : Folders()) {
        const QFileInfoList found = QDir(folder).entryInfoList({name}, QDir::Files, QDir::Name);
        if (!found.isEmpty()) return found.first().absoluteFilePath();
    }
    return {};
}

// The viewer is started by the desktop and not waited for; without a manual nothing happens.
void TQtDocuments::Open(const std::string& pattern) {
    const QString path = Find(pattern);
    if (!path.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
