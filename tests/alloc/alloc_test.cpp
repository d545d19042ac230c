// The core allocates nothing on the heap while ticking with the virtual unit answering.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include "core/harness.h"

namespace {
std::atomic<long> g_allocations{0};
std::atomic<bool> g_counting{false};
}  // namespace

void* operator new(std::size_t n) {
    if (g_counting) ++g_allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    return operator new(n);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

TEST(Allocations, NoneOverAThousandTicksWithTheUnitAnswering) {
    THarness h;
    h.Start();
    h.Ticks(50);  // the first frames have set every label once
    g_allocations = 0;
    g_counting = true;
    h.Ticks(1000);
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0);
    EXPECT_GT(h.sim.CommandsSeen(kCmdMonitor), 150);
}

TEST(Allocations, NoneOverEditsUndoAndRedo) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    TControl& cell = w.Tp14.cellEdit[34];
    TControl& rpm = w.EditAdv[3];
    // One round of everything first, so texts have taken their final room.
    cell.UserSetText("120");
    w.EnterKeyPress(cell);
    w.SpeedButtonZpetClick();
    g_allocations = 0;
    g_counting = true;
    for (int i = 0; i < 300; ++i) {
        cell.UserSetText(i % 2 ? "120" : "121");
        w.EnterKeyPress(cell);
        rpm.UserSetText(i % 2 ? "4,100" : "4200");
        w.Edit1Exit(rpm);
        w.SpinnerClick(w.UpDownAdv[12], i % 2 == 0);
        w.CheckBoxMouseUp(w.CheckBoxExtMonitor);
        w.SpeedButtonZpetClick();
        w.SpeedButtonZnovuClick();
        w.Timer1Timer();
    }
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0);
    EXPECT_EQ(w.image.Cell(TMap::JetTp, 3, 4), 120);
}

// A running engine moving between cells while tuning corrects them, with step commands between
// ticks: the highlight, the corrections, the block writes and the commands allocate nothing.
TEST(Allocations, NoneWhileTuningAndSteppingOnARunningEngine) {
    THarness h;
    TFormHlav& w = h.Start();
    for (TControl* box : {&w.CheckBoxLadeniPovoleno, &w.CheckBoxLadeniOn}) {
        box->UserSetChecked(true);
        w.CheckBoxMouseUp(*box);
    }
    w.PageControl1.UserSetPosition(kPageTp14);
    w.CheckBoxJetTpsAll.UserSetChecked(false);
    h.sim.engine.SetTrueNeed(TFuelMap::Tp14, 4, 3, 300);
    auto round = [&](int i) {
        h.sim.engine.HoldPoint(i % 2 ? 4000 : 6000, 20, 39, true);
        h.Ticks(40);
        w.MenuToolsPlusClick();
        w.CSpinButtonDownClick(w.CSpinButton3);
        w.BitBtnTps0Click();
    };
    round(0);
    round(1);
    const int writes = h.sim.CommandsSeen(3);
    g_allocations = 0;
    g_counting = true;
    for (int i = 0; i < 40; ++i) round(i);
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0);
    EXPECT_GT(h.sim.CommandsSeen(3), writes + 10);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
