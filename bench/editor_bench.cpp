// The editor's whole-window operations: an edit that ends in the change pipeline, and a full
// refresh of every field from the image.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/Hlav.h"

namespace {

// The main window with no platform services at all: no port, no dialogs.
struct TEditorWindow {
    TPlatform platform;
    std::unique_ptr<TFormHlav> form;
    TEditorWindow() {
        platform.firstArgument = "ENGLISH";
        platform.configDir = "/nonexistent-quorvel05-bench";
        form = std::make_unique<TFormHlav>(platform);
        form->FormCreate();
        form->EnterKeyPress(form->FormHlav);  // settle the first transfer
        form->model.TakeChanges([](TControl&) {});
    }
};

// A value typed into a TP Map 14 cell (coupled maps) and the field left: the transfer of all
// fields, sanitizing, the refresh and a history snapshot.
void BM_TypedCellLeaveAndCommit(benchmark::State& state) {
    TEditorWindow w;
    TFormHlav& f = *w.form;
    TControl& cell = f.Tp14.cellEdit[34];
    bool high = false;
    for (auto _ : state) {
        high = !high;
        cell.UserSetText(high ? "105" : "100");
        f.Edit1Exit(cell);
        f.model.TakeChanges([](TControl&) {});
    }
    benchmark::DoNotOptimize(f.image[334]);
}
BENCHMARK(BM_TypedCellLeaveAndCommit);

// The change pipeline alone, after a cell of the image was changed.
void BM_CommitChange(benchmark::State& state) {
    TEditorWindow w;
    TFormHlav& f = *w.form;
    uint8_t v = 100;
    for (auto _ : state) {
        v = v == 100 ? 101 : 100;
        f.image.SetCell(TMap::JetIap, 3, 4, v);
        f.CommitChange();
        f.model.TakeChanges([](TControl&) {});
    }
}
BENCHMARK(BM_CommitChange);

// A refresh of every field from an image whose values all differ from the screen's.
void BM_RefreshFieldsFromImage(benchmark::State& state) {
    TEditorWindow w;
    TFormHlav& f = *w.form;
    const TParamImage a = f.image;
    TParamImage b = a;
    for (int i = 300; i < 600; ++i) b[i] = static_cast<uint8_t>(a[i] + 1);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        f.image = flip ? b : a;
        f.RefreshFieldsFromImage();
        f.model.TakeChanges([](TControl&) {});
    }
}
BENCHMARK(BM_RefreshFieldsFromImage);

}  // namespace
