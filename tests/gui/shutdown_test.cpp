// However the program is ended, the shut-down sequence runs once and the settings are kept.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
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

// Starts the program on the virtual unit, lets it tick for a while, then sends the signal.
void RunAndSignal(const QString& configDir, int sig) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QUORVEL05_APP_BIN, {"ENGLISH", "--demo", "--config-dir", configDir});
    ASSERT_TRUE(p.waitForStarted(5000));
    // Wait until the program has installed its handler of the signal, then let it tick a while.
    QElapsedTimer waited;
    waited.start();
    while (!CatchesSignal(p.processId(), sig) && waited.elapsed() < 15000) QThread::msleep(50);
    ASSERT_TRUE(CatchesSignal(p.processId(), sig));
    QThread::msleep(500);
    ::kill(static_cast<pid_t>(p.processId()), sig);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
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
