// The tick's pacing of monitor requests and the connection watchdog.
#include <gtest/gtest.h>

#include "harness.h"

TEST(Tick, MonitorRequestOnEverySixthTickFromStartUp) {
    THarness h;
    h.Start();
    for (int tick = 1; tick <= 24; ++tick) {
        h.form->Timer1Timer();
        EXPECT_EQ(h.sim.CommandsSeen(kCmdMonitor), tick / 6) << "tick " << tick;
    }
}

TEST(Tick, NoConnectionFromTheNineteenthTickWithASilentUnit) {
    THarness h;
    h.sim.faults.silent = true;
    h.Start();
    for (int tick = 1; tick <= 18; ++tick) {
        h.form->Timer1Timer();
        EXPECT_FALSE(h.form->LabelSpojeni.Visible()) << "tick " << tick;
    }
    h.form->Timer1Timer();
    EXPECT_TRUE(h.form->LabelSpojeni.Visible());
}

TEST(Tick, AnsweringUnitKeepsTheLinkUp) {
    THarness h;
    h.Start();
    h.Ticks(200);
    EXPECT_FALSE(h.form->LabelSpojeni.Visible());
    EXPECT_EQ(h.form->link.reconnectTicks, 0);
}
