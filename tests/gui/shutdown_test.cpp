// However the program is ended, the shut-down sequence runs once and the settings are kept.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <csignal>

#include "gui_fixture.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whether the process has a handler of its own for the signal (the caught-signal mask in /proc).
bool CatchesSignal(qint64 pid, int sig) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:")) continue;
        bool ok = false;
        const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
        return ok && (mask & (1ULL << (sig - 1))) != 0;
    }
    return false;
}

// Starts the program (on the virtual unit unless told otherwise), lets it tick for a while, then
// sends the signal. fileSizeLimit: the largest file the program may write, 0 for no limit.
void RunAndSignal(const QString& configDir, int sig, QStringList args = {"--demo"},
                  rlim_t fileSizeLimit = 0) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.setChildProcessModifier([fileSizeLimit] {
        std::signal(SIGXFSZ, SIG_DFL);
        if (fileSizeLimit == 0) return;
        rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start(QUORVEL05_APP_BIN, QStringList{"ENGLISH", "--config-dir", configDir} + args);
    ASSERT_TRUE(p.waitForStarted(5000));
    // Wait until the program has installed its handler of the signal, then let it tick a while.
    QElapsedTimer waited;
    waited.start();
    while (!CatchesSignal(p.processId(), sig) && waited.elapsed() < 15000) QThread::msleep(50);
    ASSERT_TRUE(CatchesSignal(p.processId(), sig));
    QThread::msleep(500);
    ::kill(static_cast<pid_t>(p.processId()), sig);
    const bool finished = p.waitForFinished(10000);
    if (!finished) p.kill();
    ASSERT_TRUE(finished) << "still running after the signal";
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
}

// Runs the event loop until the window has closed, at most the given time.
bool WaitForClose(QWidget& w, int ms) {
    QElapsedTimer t;
    t.start();
    while (w.isVisible() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !w.isVisible();
}

}  // namespace

TEST(Shutdown, TermAndInterruptSignalsSaveTheSettingsAndTheSnapshot) {
    for (int sig : {SIGTERM, SIGINT}) {
        QTemporaryDir dir;
        RunAndSignal(dir.path(), sig);
        const QByteArray ini = ReadAll(dir.path() + "/Quorvel05.ini");
        EXPECT_TRUE(ini.contains("[FORM_HLAV]")) << "signal " << sig;
        EXPECT_TRUE(ini.contains("Language=1")) << "signal " << sig;
        EXPECT_EQ(ReadAll(dir.path() + "/_Quorvel05.ini").size(), 60 * 62) << "signal " << sig;
    }
}

TEST(Shutdown, ClosingTheWindowRunsTheSequenceOnlyOnce) {
    TGuiFixture f;
    f.Start();
    f.view->show();
    f.Ticks(10);
    f.view->close();
    const QString ini = QString::fromStdString(f.form->settingsPath);
    const QByteArray first = ReadAll(ini);
    ASSERT_FALSE(first.isEmpty());
    // A second request (the desktop session ending after the window closed) changes nothing.
    f.form->language = kLangGerman;
    f.view->Shutdown();
    EXPECT_EQ(ReadAll(ini), first);
    EXPECT_FALSE(f.form->link.open);
}

// A stop signal while a box is open (the start-up report of a port that cannot be opened, before
// any tick runs) closes the box and ends the program through its shut-down sequence.
TEST(Shutdown, StopSignalClosesABoxOpenAtStartUpAndSavesTheSettings) {
    QTemporaryDir dir;
    RunAndSignal(dir.path(), SIGTERM, {"--port", dir.path() + "/no-such-tty"});
    EXPECT_TRUE(ReadAll(dir.path() + "/Quorvel05.ini").contains("Language=1"));
    EXPECT_EQ(ReadAll(dir.path() + "/_Quorvel05.ini").size(), 60 * 62);
}

// A save that reaches the file-size limit fails like any write error: the old snapshot stays whole
// and the program ends normally instead of being killed by the signal.
TEST(Shutdown, FileSizeLimitAtCloseKeepsTheOldSnapshotAndEndsNormally) {
    QTemporaryDir dir;
    const QByteArray old(60 * 62, '7');
    {
        QFile f(dir.path() + "/_Quorvel05.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    RunAndSignal(dir.path(), SIGTERM, {"--demo"}, 1500);  // the settings fit, the snapshot not
    EXPECT_TRUE(ReadAll(dir.path() + "/Quorvel05.ini").contains("Language=1"));
    EXPECT_EQ(ReadAll(dir.path() + "/_Quorvel05.ini"), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file left";
}

// Boxes opened by a command and by the tick: a stop request closes them without changing
// anything (New's question as Cancel, the version message as OK) and the window then closes
// with its shut-down sequence.
TEST(Shutdown, StopRequestClosesOpenBoxesLosingNothingThenTheWindow) {
    struct TCase {
        const char* what;
        const char* action;
        int layout;  // the unit's layout version
    };
    const TCase cases[] = {{"New asks for the default set", "MenuNew", 43},
                           {"a read meets another layout version", "MenuRead", 42}};
    for (const TCase& c : cases) {
        TGuiFixture f;
        f.sim.faults.layoutVersion = static_cast<uint8_t>(c.layout);
        f.Start();
        f.view->show();
        f.form->image.Set(TField::JET_TP, 0, 99);
        f.form->RefreshFieldsFromImage();
        bool boxSeen = false;
        QTimer watch;  // requests the stop once the box is open; gives up after 5 s
        QElapsedTimer since;
        since.start();
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != nullptr && !boxSeen) {
                boxSeen = true;
                TFormView::stopRequested = 1;
            }
            if (since.elapsed() > 5000) CloseModalBoxes();
        });
        watch.start(20);
        f.view->findChild<QAction*>(c.action)->trigger();
        EXPECT_TRUE(WaitForClose(*f.view, 3000)) << c.what;
        watch.stop();
        TFormView::stopRequested = 0;
        EXPECT_TRUE(boxSeen) << c.what;
        EXPECT_LT(since.elapsed(), 3000) << c.what;
        EXPECT_EQ(f.form->image.Get(TField::JET_TP, 0), 99) << c.what;
        EXPECT_FALSE(f.form->link.open) << c.what;
        EXPECT_TRUE(ReadAll(QString::fromStdString(f.form->settingsPath)).contains("[FORM_HLAV]"))
            << c.what;
    }
}
