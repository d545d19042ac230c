// Message boxes, file dialogs, date and time and the document viewer through Qt.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "app/platform.h"

// Counts the modal boxes open, so the tick is held back while one is (a box opened from a tick
// would otherwise run the tick again inside its own event loop).
struct TModalGuard {
    int depth = 0;
    struct TScope {
        TModalGuard& g;
        explicit TScope(TModalGuard& guard) : g(guard) { ++g.depth; }
        ~TScope() { --g.depth; }
    };
};

// Closes every modal box that is open, each as its Cancel, No or OK would, so that nothing is
// lost: an information box as OK, a question as Cancel, a file dialog as Cancel.
void CloseModalBoxes();

class TQtDialogs : public TDialogs {
  public:
    explicit TQtDialogs(TModalGuard& guard) : guard_(guard) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    TAnswer AskYesNoCancel(const std::string& text) override;
    std::string OpenFileDialog(const TFileDialogRequest& request) override;
    std::string SaveFileDialog(const TFileDialogRequest& request) override;
    void ShowAbout(TFormAbout& about) override;
    std::string ChooseBackup(const TBackupChoice& choice) override;
    void ShowComparison(const TComparisonTable& table) override;
    void CloseComparison() override;

    // "Name(*.ign)|*.ign|All Files (*.*)|*.*" as a Qt name filter list.
    static QString QtFilter(const std::string& filter);

  private:
    QString Title() const;
    TModalGuard& guard_;
    QPointer<QWidget> parent_;
    QPointer<class TComparisonWindow> comparison_;
};

class TQtClock : public TClock {
  public:
    std::string ShortDate() override;
    std::string LongTime() override;
    std::string Stamp() override;
};

// The user manuals: the first file whose name matches the pattern ("*_en" matches
// "Quorvel05_en.html") in the folders searched, opened with the desktop's viewer.
class TQtDocuments : public TDocumentOpener {
  public:
    void Open(const std::string& pattern) override;
    // Folders searched in order: QUORVEL05_DOC_DIR, the installed documentation beside the
    // program, the manuals of the source tree.
    static QStringList Folders();
    // The manual that Open would show; empty when there is none.
    static QString Find(const std::string& pattern);
};
