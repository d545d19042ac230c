// However the program is ended, the shut-down sequence runs once and the settings are kept.
#include <gtest/gtest.h>

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

// Starts the program on the virtual unit, lets it tick for a while, then sends the signal.
void RunAndSignal(const QString& configDir, int sig) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QUORVEL05_APP_BIN, {"ENGLISH", "--demo", "--config-dir", configDir});
    ASSERT_TRUE(p.waitForStarted(5000));
    QThread::msleep(1500);
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
