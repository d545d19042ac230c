// read, program, verify, monitor: the commands that talk to the unit. Their options are parsed
// and checked (ParseCliArgs); the transfer itself is not in this program yet.
#include "commands.h"

namespace {

int NotYet(const char* command) {
    CliError(std::string(command) + ": not yet available");
    return kExitUsage;
}

}  // namespace

int RunRead(const TCliOptions&) {
    return NotYet("read");
}

int RunProgram(const TCliOptions&) {
    return NotYet("program");
}

int RunVerify(const TCliOptions&) {
    return NotYet("verify");
}

int RunMonitor(const TCliOptions&) {
    return NotYet("monitor");
}
