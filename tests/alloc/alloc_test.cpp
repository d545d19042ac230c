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

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
