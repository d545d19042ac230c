// The period of the window's tick as its timer delivers it: 100 ticks of the running window on the
// virtual unit, timed on the wall clock. Reported as mean_period_ms (55 wanted), with the shortest
// and the longest period seen.
#ifdef QUORVEL05_BENCH_GUI
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/Hlav.h"
#include "bench_ports.h"
#include "form_view.h"
#include "qt_services.h"
#include "sim_port.h"
#include "unit_sim.h"

namespace {

// The one application object, also when the other window benchmarks have made it already.
void PeriodApp() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "quorvel05_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// The virtual unit's port, noting the moment of every tick: the tick asks for waiting bytes once.
class TTimedPort : public TSimPort {
  public:
    TTimedPort(TUnitSim& sim, int ticks) : TSimPort(sim), wanted_(ticks) { clock_.start(); }
    int BytesWaiting() override {
        stamps.push_back(clock_.nsecsElapsed());
        if (static_cast<int>(stamps.size()) > wanted_) loop.quit();
        return TSimPort::BytesWaiting();
    }
    std::vector<qint64> stamps;
    QEventLoop loop;

  private:
    QElapsedTimer clock_;
    int wanted_;
};

void BM_TickPeriod(benchmark::State& state) {
    PeriodApp();
    constexpr int kTicks = 100;
    for (auto _ : state) {
        TUnitSim sim;
        TTimedPort port(sim, kTicks);
        TOnePort ports;
        TModalGuard guard;
        TPlatform platform;
        UseBenchPlatform(platform, port, ports);
        TFormHlav form(platform);
        TFormView view(form, guard);
        view.Start();
        view.show();
        port.stamps.clear();
        port.loop.exec();
        view.Shutdown();
        const auto& t = port.stamps;
        double shortest = 1e9, longest = 0;
        for (size_t i = 1; i < t.size(); ++i) {
            const double ms = static_cast<double>(t[i] - t[i - 1]) / 1e6;
            shortest = std::min(shortest, ms);
            longest = std::max(longest, ms);
        }
        state.counters["mean_period_ms"] =
            static_cast<double>(t.back() - t.front()) / 1e6 / static_cast<double>(t.size() - 1);
        state.counters["shortest_ms"] = shortest;
        state.counters["longest_ms"] = longest;
    }
}
BENCHMARK(BM_TickPeriod)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
#endif
