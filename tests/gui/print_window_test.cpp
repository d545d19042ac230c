// Printing through Qt into a PDF, the hints in the status bar, the window's undo keys and its
// place on the screen, with the real widgets under the offscreen platform.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui_fixture.h"
#include "qt_printing.h"
#include "qt_services.h"
#include "ui/print.h"

namespace {

struct TPrintWindow : TGuiFixture {
    std::unique_ptr<TQtPrinter> printer;
    TPrintWindow() {
        Start();
        printer = std::make_unique<TQtPrinter>([this] { return view->ClientPicture(); });
        printer->forcePdf = true;
        printer->pdfFolder = dir.path() + "/Documents";
        form->platform.printer = printer.get();
        form->platform.screen = view.get();
        view->show();
        QApplication::setActiveWindow(view.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
        Ticks(14);
    }
    QWidget* Widget(const char* name) const { return view->findChild<QWidget*>(name); }
    QString StatusText() const { return view->findChild<QLabel*>("StatusBar1")->text(); }
};

// Page objects of a PDF, however the writer spaced them ("/Type /Page", "/Type/Page").
int PdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString pdf = QString::fromLatin1(f.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(pdf.count(page));
}

}  // namespace

TEST(PrintWindow, OnePagePdfOfThePrintLayoutAndTheWindowRestored) {
    TPrintWindow f;
    f.view->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(kPageIap);
    QTest::keyClick(f.view.get(), Qt::Key_P, Qt::ControlModifier);
    const std::string label = f.form->LabelHlaseni.Text();
    ASSERT_EQ(label.rfind("No printer is installed: the page was saved as ", 0), 0u) << label;
    const QString pdf = QString::fromStdString(label.substr(label.find(" as ") + 4));
    EXPECT_TRUE(pdf.startsWith(f.printer->pdfFolder));
    EXPECT_EQ(PdfPages(pdf), 1);
    // The picture filled the page by the fit rule.
    const QPixmap& pic = f.printer->lastPicture;
    ASSERT_FALSE(pic.isNull());
    const QRect page = f.printer->lastPage;
    const TPrintRect fit = FitToPage(pic.width(), pic.height(), page.width(), page.height());
    EXPECT_EQ(f.printer->lastTarget, QRect(0, 0, fit.width, fit.height));
    EXPECT_EQ(fit.width, page.width());  // a portrait page: the width is filled
    // In the picture the toolbar and the spin buttons are gone: white where they stood.
    const QImage img = pic.toImage();
    const QPoint toolbar = f.Widget("SpeedButton5")->mapTo(f.view->centralWidget(), QPoint(8, 8));
    EXPECT_EQ(img.pixelColor(toolbar), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(5, img.height() - 5), QColor(Qt::white));  // status bar
    // Afterwards the window is as before.
    for (const char* name : {"SpeedButton5", "UpDown160", "CSpinButton11", "StatusBar1"})
        EXPECT_TRUE(f.Widget(name)->isVisible()) << name;
    auto* tabs = f.view->findChild<QTabWidget*>("PageControl1");
    for (int i = 0; i < tabs->count(); ++i) EXPECT_TRUE(tabs->isTabVisible(i)) << i;
}

TEST(PrintWindow, HintsReachTheStatusBarInEachLanguage) {
    TPrintWindow f;
    const struct {
        void (TFormHlav::*language)();
        const char* button;  // SpeedButton5
        const char* menu;    // MenuRead: the long part after the bar
        const char* undoTip;
    } cases[] = {
        {&TFormHlav::MenuEnglishClick, "Open file with parametrs", "Reading parameters from unit",
         "Undo"},
        {&TFormHlav::MenuCzechClick, "Otevření souboru s parametry", "Čtení parametrů z jednotky",
         "Zpet"},
        {&TFormHlav::MenuGermanClick, "öffnen Datei mit Kenndaten", "Lesen Kenndaten aus Zündbox",
         "Zurück"},
    };
    for (const auto& c : cases) {
        (f.form.get()->*c.language)();
        f.view->ApplyChanges();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(f.Widget("SpeedButton5"), &enter);
        EXPECT_EQ(f.StatusText().toStdString(), c.button);
        EXPECT_EQ(f.Widget("SpeedButton5")->toolTip().toStdString(), c.button);
        f.view->findChild<QAction*>("MenuRead")->hover();
        EXPECT_EQ(f.StatusText().toStdString(), c.menu);
        EXPECT_EQ(f.Widget("SpeedButtonZpet")->toolTip().toStdString(), c.undoTip);
    }
    // Leaving the control gives the status bar its own text back.
    f.form->StatusBar1.SetText("lambda on target");
    f.view->ApplyChanges();
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(f.Widget("SpeedButton5"), &enter);
    QApplication::sendEvent(f.Widget("SpeedButton5"), &leave);
    EXPECT_EQ(f.StatusText().toStdString(), "lambda on target");
}

TEST(PrintWindow, CtrlZInAnEditFieldIsTheWindowsUndo) {
    TPrintWindow f;
    f.view->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(kPageTp14);
    // The type 0 default set changes at its first transfer: settle that on this page first.
    f.form->TransferFieldsToImage();
    f.form->CommitChange();
    f.view->ApplyChanges();
    auto* cell = f.view->findChild<QLineEdit*>("Edit73");
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, "117");
    QTest::keyClick(cell, Qt::Key_Return);
    ASSERT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 117);
    auto* next = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(next, nullptr);
    QTest::keyClick(next, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 100);
    QTest::keyClick(next, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 117);
    QTest::keyClick(f.view.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 100);
    QTest::keyClick(f.view.get(), Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(f.form->image.Cell(TMap::JetTp, 2, 3), 117) << "view";
}

// The page sent to a real print server's default printer arrives there as a one-page PDF. Run
// by tests/print/with_cups.sh, which starts the server.
TEST(PrintCups, PageArrivesAtTheDefaultPrinterAsOnePage) {
    const QByteArray out = qgetenv("QUORVEL05_CUPS_PDF_DIR");
    if (out.isEmpty() || qgetenv("CUPS_SERVER").isEmpty())
        GTEST_SKIP() << "no print server of the test's own (run through tests/print/with_cups.sh)";
    const QDir folder(QString::fromLocal8Bit(out));
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    TPrintWindow f;
    f.printer->forcePdf = false;
    QTest::keyClick(f.view.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(f.form->LabelHlaseni.Text().rfind("Date and Time of printing:  ", 0), 0u)
        << f.form->LabelHlaseni.Text();
    QString arrived;
    for (int i = 0; i < 300 && arrived.isEmpty(); ++i) {
        QTest::qWait(100);
        for (const QFileInfo& pdf : folder.entryInfoList({"*.pdf"}, QDir::Files, QDir::Time))
            if (pdf.lastModified() >= started && pdf.size() > 0) arrived = pdf.absoluteFilePath();
    }
    ASSERT_FALSE(arrived.isEmpty()) << "nothing arrived in " << out.constData();
    QTest::qWait(500);  // the backend may still be writing
    EXPECT_EQ(PdfPages(arrived), 1) << arrived.toStdString();
    QFile::remove(arrived);
}

// Help > Contents finds the manual of the language by its suffix; none found is no error.
TEST(Manuals, FoundByTheLanguageSuffixAndNothingWhenMissing) {
    QTemporaryDir docs;
    for (const char* name : {"Quorvel05_cz.html", "Quorvel05_en.html", "notes.txt"}) {
        QFile f(docs.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    qputenv("QUORVEL05_DOC_DIR", docs.path().toLocal8Bit());
    EXPECT_EQ(QFileInfo(TQtDocuments::Find("*_en")).fileName(), "Quorvel05_en.html");
    EXPECT_EQ(QFileInfo(TQtDocuments::Find("*_cz")).fileName(), "Quorvel05_cz.html");
    // The installed and source manuals come after the folder of the variable.
    EXPECT_TRUE(TQtDocuments::Find("*_xx").isEmpty());
    qunsetenv("QUORVEL05_DOC_DIR");
    EXPECT_TRUE(TQtDocuments::Find("*_de").endsWith("Quorvel05_de.html"));
}
