// The monitor log's share of a tick (one line formatted into the writer's ring), and diff and
// check of parameter files as the command line runs them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "files/monitor_log.h"
#include "files/param_diff.h"
#include "files/param_set.h"
#include "unit_sim.h"

namespace {

// A monitor frame of the running virtual engine.
TLogFrame EngineFrame() {
    TUnitSim sim;
    for (int i = 0; i < 200; ++i) sim.Tick();
    TLogFrame request{};
    request[0] = 48;
    request[101] = 255 ^ 48;
    sim.Receive(request.data(), request.size());
    TLogFrame frame{};
    sim.Take(frame.data(), frame.size());
    return frame;
}

// Add on the tick, with the writer thread running (looking at the ring every millisecond here);
// the ring is let drain, outside the timing, before it could fill, so that every Add formats and
// queues a line.
void BM_LogAddOnTick(benchmark::State& state) {
    const std::string path = "/tmp/quorvel05-bench-" + std::to_string(::getpid()) + ".csv";
    TMonitorLog log(std::chrono::milliseconds(1));
    if (!log.Start(path).empty()) {
        state.SkipWithError("cannot create the log");
        return;
    }
    const TLogFrame frame = EngineFrame();
    const TLogContext context{101, 4, 5, 5, 3, 4, TLogTuning::Window};
    int64_t t = 0;
    for (auto _ : state) {
        if (log.QueuedLines() >= TMonitorLog::kSlots / 2) {
            state.PauseTiming();
            while (log.QueuedLines() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            state.ResumeTiming();
        }
        if (!log.Add(frame.data(), t += 330, context)) state.SkipWithError("line not queued");
    }
    log.Stop();
    state.counters["bytes_per_line"] =
        static_cast<double>(log.BytesWritten()) / static_cast<double>(state.iterations());
    ::unlink(path.c_str());
}
BENCHMARK(BM_LogAddOnTick)->Unit(benchmark::kMicrosecond)->Iterations(50000);

const std::string kData = QUORVEL05_BENCH_DATA;

// quorvel05-cli diff: both files read, compared and the differences written out.
void BM_DiffTwoFiles(benchmark::State& state) {
    for (auto _ : state) {
        TParamSet a, b;
        std::string error;
        LoadParamSet(kData + "/default_bike0.ign", a, error);
        LoadParamSet(kData + "/pattern.ign", b, error);
        benchmark::DoNotOptimize(ChangesText(CompareParamSets(a, b), a));
    }
}
BENCHMARK(BM_DiffTwoFiles)->Unit(benchmark::kMicrosecond);

// quorvel05-cli check: the file read, sanitized on a copy and the changes written out.
void BM_CheckFile(benchmark::State& state) {
    for (auto _ : state) {
        TParamSet set;
        std::string error;
        LoadParamSet(kData + "/pattern.ign", set, error);
        benchmark::DoNotOptimize(ChangesText(SanitizingChanges(set), set));
    }
}
BENCHMARK(BM_CheckFile)->Unit(benchmark::kMicrosecond);

}  // namespace
