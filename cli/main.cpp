// quorvel05-cli: parameter files and the unit from the command line (see --help).
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"

#ifdef QUORVEL05_CLI_SERIAL
#include <QCoreApplication>
#endif

void CliError(const std::string& message) {
    std::fprintf(stderr, "quorvel05-cli: %s\n", message.c_str());
}

namespace {

int Run(const TCliOptions& o) {
    switch (o.command) {
        case TCliCommand::Show:
            return RunShow(o);
        case TCliCommand::Diff:
            return RunDiff(o);
        case TCliCommand::Check:
            return RunCheck(o);
        case TCliCommand::New:
            return RunNew(o);
        case TCliCommand::Read:
            return RunRead(o);
        case TCliCommand::Program:
            return RunProgram(o);
        case TCliCommand::Verify:
            return RunVerify(o);
        case TCliCommand::Monitor:
            return RunMonitor(o);
        case TCliCommand::None:
            break;
    }
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A file at the size limit fails its write and is reported, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    TCliOptions options;
    std::string error;
    if (!ParseCliArgs(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        CliError(error + " (quorvel05-cli --help lists the commands)");
        return kExitUsage;
    }
    if (options.version) {
        std::printf("quorvel05-cli %s\n", QUORVEL05_VERSION);
        return kExitOk;
    }
    if (options.help) {
        std::fputs(CliHelp(options.command).c_str(), stdout);
        return kExitOk;
    }
#ifdef QUORVEL05_CLI_SERIAL
    // The serial port's notifiers want an application object, though no event loop runs.
    QCoreApplication app(argc, argv);
#endif
    return Run(options);
}
