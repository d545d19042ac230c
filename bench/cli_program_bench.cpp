// Program and verify from the command-line driver against the virtual unit served on a
// pseudo-terminal, as a real unit on a serial port: how close the run comes to the protocol's
// pacing floor of one exchange per 55 ms tick.
#ifdef QUORVEL05_BENCH_UNIT_DRIVER
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "params/bike_types.h"
#include "unit_link_driver.h"

extern char** environ;

namespace {

// quorvel05-unitsim on a pseudo-terminal for as long as it lives.
struct TPtyUnit {
    pid_t pid = -1;
    std::string device;
    TPtyUnit() {
        int out[2];
        if (pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        char* argv[] = {const_cast<char*>(QUORVEL05_UNITSIM_BIN), nullptr};
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        char line[256] = {};
        FILE* f = fdopen(out[0], "r");
        if (f != nullptr && std::fgets(line, sizeof line, f) != nullptr) {
            device = line;
            while (!device.empty() && (device.back() == '\n' || device.back() == '\r'))
                device.pop_back();
        }
    }
    ~TPtyUnit() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

void BM_ProgramAndVerifyOnAPty(benchmark::State& state) {
    TPtyUnit unit;
    if (unit.device.empty()) {
        state.SkipWithError("the virtual unit did not start");
        return;
    }
    double ratio = 0;
    for (auto _ : state) {
        TUnitDriver driver;
        std::string error;
        if (!driver.Connect(false, unit.device, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        SetDefaults(driver.image);
        const auto start = std::chrono::steady_clock::now();
        driver.session.StartProgram();
        int ticks = 0;
        while (driver.session.kind != TSessionKind::None && ticks < 400) {
            driver.Tick();
            ++ticks;
        }
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        // Six blocks programmed and five verified: eleven exchanges, one per tick at best.
        ratio = ms / (11 * 55.0);
    }
    state.counters["x_pacing_floor"] = ratio;
}
BENCHMARK(BM_ProgramAndVerifyOnAPty)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
#endif
