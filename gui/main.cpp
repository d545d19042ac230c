// Program entry: the command line, the platform services, the main window and the event loop.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/Hlav.h"
#include "app/command_line.h"
#include "app_icons.h"
#include "fault_options.h"
#include "form_view.h"
#include "port_directory.h"
#include "qt_printing.h"
#include "qt_serial_port.h"
#include "qt_services.h"
#include "replay.h"
#include "sim_port.h"
#include "switch_port.h"
#include "unit_sim.h"

namespace {

void OnStopSignal(int) {
    TFormView::stopRequested = 1;
}

// Signals that would end the program without its shut-down sequence. A save that reaches the
// file-size limit then fails with EFBIG like any other write error, the old file staying whole,
// instead of SIGXFSZ ending the program.
void IgnoreFatalFileSignals() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

// Settings live in the per-user configuration folder unless told otherwise; the demo keeps its
// own, so trying the virtual unit never changes the port or the tune of the real one.
std::string ConfigDir(const TCommandLine& cl) {
    QString dir;
    if (!cl.configDir.empty())
        dir = QString::fromStdString(cl.configDir);
    else if (const char* env = std::getenv("QUORVEL05_CONFIG_DIR"); env != nullptr && *env)
        dir = QString::fromLocal8Bit(env);
    else {
#ifdef _WIN32
        const char* appData = std::getenv("APPDATA");
        dir = QString::fromLocal8Bit(appData ? appData : ".") + "/Quorvel05";
#else
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        if (xdg != nullptr && *xdg)
            dir = QString::fromLocal8Bit(xdg) + "/Quorvel05";
        else
            dir = QDir::homePath() + "/.config/Quorvel05";
#endif
        if (cl.demo) dir += "/demo";
    }
    QDir().mkpath(dir);
    return QDir::cleanPath(dir).toStdString();
}

// Backups live in the per-user data folder; the demo keeps its own, as for the settings. With a
// settings folder of the user's choice they go beside the settings, into its "backups" folder.
std::string BackupDir(const TCommandLine& cl, const std::string& configDir) {
    if (!cl.configDir.empty() || !qEnvironmentVariableIsEmpty("QUORVEL05_CONFIG_DIR"))
        return configDir + "/backups";
    QString dir;
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    dir = QString::fromLocal8Bit(appData ? appData : ".") + "/Quorvel05";
#else
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg)
        dir = QString::fromLocal8Bit(xdg) + "/Quorvel05";
    else
        dir = QDir::homePath() + "/.local/share/Quorvel05";
#endif
    if (cl.demo) dir += "/demo";
    return QDir::cleanPath(dir + "/backups").toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    IgnoreFatalFileSignals();
    std::vector<std::string> args(argv + 1, argv + argc);
    const TCommandLine cl = ParseCommandLine(args);
    if (cl.help) {
        std::fputs(CommandLineUsage(), stdout);
        return 0;
    }
    if (cl.version) {
        std::printf("quorvel05 %s (parameter layout %d)\n", QUORVEL05_VERSION, kLayoutVersion);
        return 0;
    }
    if (!cl.error.empty()) {
        std::fprintf(stderr, "quorvel05: %s\n\n%s", cl.error.c_str(), CommandLineUsage());
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvel05");
    // The desktop entry and its icon, for the window and every box it opens.
    QGuiApplication::setDesktopFileName("quorvel05");
    QApplication::setWindowIcon(AppIcon());
    // Qt takes the user's locale for the C library too; the monitor's numbers always use a point.
    std::setlocale(LC_NUMERIC, "C");
    try {
        TUnitSim sim;
        for (const std::string& f : cl.demoFaults) {
            if (!ApplyFaultOption(sim.faults, f)) {
                std::fprintf(stderr, "quorvel05: unknown --demo-fault %s\n", f.c_str());
                return 2;
            }
        }
        // A recorded run played back as the virtual unit's monitor answers.
        TMonitorReplay replay;
        if (!cl.replay.empty()) {
            const std::string error = replay.Load(cl.replay);
            if (!error.empty()) {
                std::fprintf(stderr, "quorvel05: %s: %s\n", cl.replay.c_str(), error.c_str());
                return 2;
            }
            if (!cl.replaySpeed.empty() &&
                !ParseReplaySpeed(cl.replaySpeed.c_str(), replay.speed)) {
                std::fprintf(stderr, "quorvel05: bad --replay-speed %s\n", cl.replaySpeed.c_str());
                return 2;
            }
            replay.AttachTo(sim);
        }
        TSimPort simPort(sim);
        TQtSerialPort machinePort;
        TSwitchPort port(machinePort, simPort);
        TSystemPortDirectory ports;
        if (cl.demo) ports.first.push_back(kSimDeviceName);
        if (!cl.port.empty()) ports.first.push_back(cl.port);

        TModalGuard guard;
        TQtDialogs dialogs(guard);
        TQtClock clock;
        TQtDocuments documents;

        TPlatform platform;
        platform.port = &port;
        platform.ports = &ports;
        platform.dialogs = &dialogs;
        platform.clock = &clock;
        platform.documents = &documents;
        platform.exePath = QApplication::applicationFilePath().toStdString();
        platform.firstArgument = cl.languageWord;
        platform.configDir = ConfigDir(cl);
        platform.backupDir = BackupDir(cl, platform.configDir);
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            platform.screenWidth = s->geometry().width();
            platform.screenHeight = s->geometry().height();
        }
        platform.groupSeparator = QLocale().groupSeparator().toStdString();
        platform.buildDate = BuildDateText(__DATE__);
        platform.buildTime = __TIME__;

        TFormHlav form(platform);
        TFormView view(form, guard);
        TQtPrinter printer([&view] { return view.ClientPicture(); });
        form.platform.printer = &printer;
        form.platform.screen = &view;
        dialogs.SetParent(&view);
        std::signal(SIGINT, OnStopSignal);
        std::signal(SIGTERM, OnStopSignal);
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &view,
                         [&view](QSessionManager&) { view.Shutdown(); });
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &view, [&view] { view.Shutdown(); });
        view.Start();
        view.show();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Quorvel 05", QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
