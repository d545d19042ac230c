// The window model applied to the Qt widgets under the offscreen platform: a full refresh of all
// fields after an edit, and a tick with a monitor frame.
#ifdef QUORVEL05_BENCH_GUI
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <memory>

#include "app/Hlav.h"
#include "bench_ports.h"
#include "bench_qt.h"
#include "form_view.h"
#include "qt_services.h"
#include "sim_port.h"
#include "unit_sim.h"

namespace {

struct TBenchView {
    TUnitSim sim;
    TSimPort port{sim};
    TOnePort ports;
    TModalGuard guard;
    TPlatform platform;
    std::unique_ptr<TFormHlav> form;
    std::unique_ptr<TFormView> view;
    TBenchView() {
        BenchApp();
        UseBenchPlatform(platform, port, ports);
        form = std::make_unique<TFormHlav>(platform);
        view = std::make_unique<TFormView>(*form, guard);
        view->Start();
        view->show();
        for (int i = 0; i < 12; ++i) view->Tick();
    }
};

// Every map cell changed in the image, then one refresh of all fields shown by the widgets.
void BM_GuiFullRefresh(benchmark::State& state) {
    TBenchView b;
    uint8_t v = 100;
    for (auto _ : state) {
        v = v == 100 ? 101 : 100;
        for (int i = 300; i < 600; ++i) b.form->image[i] = v;
        b.form->RefreshFieldsFromImage();
        b.view->ApplyChanges();
    }
}
BENCHMARK(BM_GuiFullRefresh)->Unit(benchmark::kMicrosecond);

// One typed cell committed: transfer, sanitize, refresh, history, and the widgets updated.
void BM_GuiCommitOneEdit(benchmark::State& state) {
    TBenchView b;
    TControl& cell = b.form->Tp14.cellEdit[23];
    bool up = false;
    for (auto _ : state) {
        up = !up;
        cell.UserSetText(up ? "117" : "116");
        b.form->EnterKeyPress(cell);
        b.view->ApplyChanges();
    }
}
BENCHMARK(BM_GuiCommitOneEdit)->Unit(benchmark::kMicrosecond);

// Six ticks, one of them with a monitor frame, applied to the widgets.
void BM_GuiTickCycle(benchmark::State& state) {
    TBenchView b;
    for (auto _ : state)
        for (int i = 0; i < 6; ++i) b.view->Tick();
    state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_GuiTickCycle)->Unit(benchmark::kMicrosecond);

}  // namespace
#endif
