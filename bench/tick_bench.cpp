// The 55 ms tick with the virtual unit answering: one poll, at most one frame decoded, at most one
// frame sent.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/Hlav.h"
#include "bench_ports.h"
#include "sim_port.h"
#include "unit_sim.h"

namespace {

struct TBenchWindow {
    TUnitSim sim;
    TSimPort port{sim};
    TOnePort ports;
    TPlatform platform;
    std::unique_ptr<TFormHlav> form;
    TBenchWindow() {
        UseBenchPlatform(platform, port, ports);
        form = std::make_unique<TFormHlav>(platform);
        form->FormCreate();
        for (int i = 0; i < 12; ++i) form->Timer1Timer();
    }
};

// Six ticks: one carries a monitor frame, one sends the next request.
void BM_TickCycleWithMonitorFrame(benchmark::State& state) {
    TBenchWindow w;
    for (auto _ : state) {
        for (int i = 0; i < 6; ++i) w.form->Timer1Timer();
        w.form->model.TakeChanges([](TControl&) {});
    }
    state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_TickCycleWithMonitorFrame);

// Decoding one monitor frame into the panel, alone.
void BM_DecodeMonitorFrame(benchmark::State& state) {
    TBenchWindow w;
    TUnitSim sim;
    const uint8_t request[102] = {48, 0};
    uint8_t req[102];
    std::memcpy(req, request, sizeof req);
    req[101] = 207;
    sim.Receive(req, sizeof req);
    uint8_t frame[102];
    sim.Take(frame, sizeof frame);
    for (auto _ : state) {
        frame[1] ^= 1;  // a new engine speed each time
        frame[101] ^= 1;
        w.form->DecodeMonitorFrame(frame);
        w.form->model.TakeChanges([](TControl&) {});
    }
}
BENCHMARK(BM_DecodeMonitorFrame);

}  // namespace
