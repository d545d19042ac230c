// The tick of a running engine: a monitor frame decoded, the operating point found and about 410
// fields coloured, with the highlight moving on every tick; and one tuning correction.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/Hlav.h"
#include "bench_ports.h"
#include "sim_port.h"
#include "unit_sim.h"

#ifdef QUORVEL05_BENCH_GUI
#include <QCoreApplication>

#include "bench_qt.h"
#include "form_view.h"
#include "plots_view.h"
#include "qt_services.h"
#endif

namespace {

struct TEngineWindow {
    TUnitSim sim;
    TSimPort port{sim};
    TOnePort ports;
    TPlatform platform;
    std::unique_ptr<TFormHlav> form;
    bool high = false;

    TEngineWindow() {
        UseBenchPlatform(platform, port, ports);
        form = std::make_unique<TFormHlav>(platform);
        form->FormCreate();
        for (int i = 0; i < 12; ++i) form->Timer1Timer();
        sim.engine.lambdaDelayTicks = 0;
    }
    // The engine moves between two cells, and a monitor frame waits for the next tick's poll.
    void NextPoint() {
        high = !high;
        sim.engine.HoldPoint(high ? 8000 : 3000, high ? 60 : 10, 40, true);
        form->SendMonitorRequest();
    }
};

void BM_TickWithFrameAndMovingHighlight(benchmark::State& state) {
    TEngineWindow w;
    for (auto _ : state) {
        w.NextPoint();
        w.form->Timer1Timer();
        w.form->model.TakeChanges([](TControl&) {});
    }
}
BENCHMARK(BM_TickWithFrameAndMovingHighlight)->Repetitions(5)->ReportAggregatesOnly(true);

// The correction of the operating cell alone: step, sanitize, refresh, block frame.
void BM_TuningCorrection(benchmark::State& state) {
    TEngineWindow w;
    TFormHlav& f = *w.form;
    f.CheckBoxLadeniOn.UserSetChecked(true);
    f.PageControl1.UserSetPosition(kPageTp14);
    f.monitor.rpm = static_cast<uint16_t>(f.image.Get(TField::RPM_JET_TP, 4) * 100);
    f.monitor.tpPercent = 20;
    f.monitor.tpMapActive = 1;
    f.operatingPoint = ComputeOperatingPoint(f.monitor, f.image);
    bool lean = false;
    uint8_t drain[4096];
    for (auto _ : state) {
        lean = !lean;
        f.monitor.lambdaMv = lean ? 100 : 900;
        f.monitor.freshMonitorFrame = true;
        f.tuning.blockPending = false;
        f.tuning.offTargetTicks = 1000;
        f.session.ticksSinceSend = 4;
        f.TuningStep();
        f.model.TakeChanges([](TControl&) {});
        w.sim.Take(drain, sizeof drain);
    }
}
BENCHMARK(BM_TuningCorrection)->Repetitions(5)->ReportAggregatesOnly(true);

// A tick while tuning runs: the tolerance window, the lambda band and the status text of what
// tuning is doing (status bar and tooltip), with the highlight moving.
void BM_TickWhileTuningWithStatus(benchmark::State& state) {
    TEngineWindow w;
    TFormHlav& f = *w.form;
    for (TControl* box : {&f.CheckBoxLadeniPovoleno, &f.CheckBoxLadeniOn}) {
        box->UserSetChecked(true);
        f.CheckBoxMouseUp(*box);
    }
    f.PageControl1.UserSetPosition(kPageTp14);
    for (auto _ : state) {
        w.NextPoint();
        f.Timer1Timer();
        f.model.TakeChanges([](TControl&) {});
    }
}
BENCHMARK(BM_TickWhileTuningWithStatus)->Repetitions(5)->ReportAggregatesOnly(true);

#ifdef QUORVEL05_BENCH_GUI
// The same tick applied to the offscreen widgets: only the fields whose colour changed.
void BM_GuiTickWithMovingHighlight(benchmark::State& state) {
    BenchApp();
    TEngineWindow w;
    TModalGuard guard;
    TFormView view(*w.form, guard);
    view.ApplyChanges();
    view.show();
    int applied = 0;
    for (auto _ : state) {
        w.NextPoint();
        const int before = view.appliedChanges;
        view.Tick();
        applied += view.appliedChanges - before;
    }
    state.counters["controls_applied"] =
        benchmark::Counter(applied, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GuiTickWithMovingHighlight)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// With the plots shown: the tick's own path (the plots only note that a redraw is due), and the
// redraw that follows it outside the tick.
// The engine window on the offscreen widgets with the plots shown.
struct TPlotsWindow {
    TEngineWindow w;
    TModalGuard guard;
    TFormView view{(BenchApp(), *w.form), guard};
    TPlotsWindow() {
        view.show();
        w.form->MenuPlotsClick();
        view.ApplyChanges();
    }
};

void BM_GuiTickWithPlotsShown(benchmark::State& state) {
    TPlotsWindow p;
    TEngineWindow& w = p.w;
    TFormView& view = p.view;
    for (auto _ : state) {
        w.NextPoint();
        view.Tick();
        state.PauseTiming();
        QCoreApplication::processEvents();  // the redraw, after the tick
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GuiTickWithPlotsShown)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_PlotsRedraw(benchmark::State& state) {
    TPlotsWindow p;
    TEngineWindow& w = p.w;
    TFormView& view = p.view;
    for (auto _ : state) {
        w.form->image.SetCell(TMap::JetTp, 3, 3,
                              static_cast<uint8_t>(100 + state.iterations() % 2));
        view.Plots()->Redraw();
    }
}
BENCHMARK(BM_PlotsRedraw)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
#endif

}  // namespace
