// read, program, verify, monitor: the commands that talk to the unit, through the window's own
// link and transfer session (TUnitDriver).
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>

#include "commands.h"
#include "files/monitor_log.h"
#include "files/param_diff.h"
#include "files/param_set.h"
#include "unit_link_driver.h"

namespace {

std::atomic<bool> g_stop{false};
void OnStop(int) {
    g_stop = true;
}

bool Open(TUnitDriver& unit, const TCliOptions& o) {
    std::string error;
    if (unit.Connect(o.demo, o.port, error)) return true;
    CliError(error);
    return false;
}

// The exit code of a session that did not end in "Verify OK".
int Failure(const TUnitDriver& unit, const std::string& text, const char* what) {
    if (unit.VersionMismatch()) {
        CliError(std::string(what) + ": the unit has another parameter layout than version 43");
        return kExitDiffers;
    }
    if (!unit.Heard()) {
        CliError("no unit answering on " + unit.Device());
        return kExitNoUnit;
    }
    // The unit answered, but not as it should (or no longer): the block that failed.
    const int block = unit.session.command & 63;
    CliError(std::string(what) + " failed at block " + std::to_string(block) + " (" + text + ")");
    return kExitDiffers;
}

// A parameter file as the unit gets it: read as the window opens it, sanitized as before a send.
bool LoadForUnit(const std::string& path, TParamSet& set) {
    std::string error;
    if (!LoadParamSet(path, set, error)) {
        CliError(path + ": " + error);
        return false;
    }
    set = SanitizedParamSet(set);
    return true;
}

}  // namespace

int RunRead(const TCliOptions& o) {
    TUnitDriver unit;
    if (!Open(unit, o)) return kExitNoUnit;
    unit.session.StartRead();
    const std::string result = unit.Run("read");
    if (result != "Verify OK") return Failure(unit, result, "read");
    TParamSet set;
    set.image = unit.image;
    if (!SaveParamSet(o.output, set)) {
        CliError(o.output + ": cannot be written");
        return kExitUsage;
    }
    return kExitOk;
}

int RunProgram(const TCliOptions& o) {
    TParamSet set;
    if (!LoadForUnit(o.files[0], set)) return kExitUsage;  // nothing goes to the unit
    TUnitDriver unit;
    if (!Open(unit, o)) return kExitNoUnit;
    unit.image = set.image;
    unit.session.StartProgram();
    const std::string result = unit.Run("program");
    return result == "Verify OK" ? kExitOk : Failure(unit, result, "program");
}

// The unit against the file; on a difference the unit is read and what differs is listed.
int RunVerify(const TCliOptions& o) {
    TParamSet file;
    if (!LoadForUnit(o.files[0], file)) return kExitUsage;
    TUnitDriver unit;
    if (!Open(unit, o)) return kExitNoUnit;
    unit.image = file.image;
    unit.session.StartVerify();
    const std::string result = unit.Run("verify");
    if (result == "Verify OK") return kExitOk;
    const int code = Failure(unit, result, "verify");
    if (code != kExitDiffers) return code;
    unit.session.StartRead();
    if (unit.Run("read") == "Verify OK") {
        TParamSet held;
        held.image = unit.image;
        held.extMonitor = file.extMonitor;
        std::fputs(ChangesText(CompareParamSets(file, held), file).c_str(), stdout);
    }
    return kExitDiffers;
}

// Every monitor frame as a line on standard output and, with --csv, in a log.
int RunMonitor(const TCliOptions& o) {
    TUnitDriver unit;
    if (!Open(unit, o)) return kExitNoUnit;
    TMonitorLog log;
    if (!o.csv.empty()) {
        const std::string error = log.Start(o.csv);
        if (!error.empty()) {
            CliError(o.csv + ": " + error);
            return kExitUsage;
        }
    }
    std::signal(SIGINT, OnStop);
    std::signal(SIGTERM, OnStop);
    const auto start = std::chrono::steady_clock::now();
    const long long ticks = o.seconds > 0 ? o.seconds * 1000LL / 55 : -1;
    int frames = 0;
    for (long long t = 0; !g_stop && (ticks < 0 || t < ticks); ++t) {
        const uint8_t* f = unit.Tick();
        if (f == nullptr) continue;
        ++frames;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        const TMonitorData& m = unit.monitor;
        std::printf("%.3f rpm=%d tp=%d%% iap=%d%% lambda=%dmV tw=%d\n",
                    static_cast<double>(ms) / 1000.0, m.rpm, m.tpPercent, m.iapPercent, m.lambdaMv,
                    m.coolantCode - 100);
        std::fflush(stdout);
        log.Add(f, ms, TLogContext{unit.image.Get(TField::ADVANCE_MAX)});
        if (const char* e = log.TakeFailure()) CliError(o.csv + ": " + e);
    }
    log.Stop();
    if (frames == 0) {
        CliError("no unit answering on " + unit.Device());
        return kExitNoUnit;
    }
    return kExitOk;
}
