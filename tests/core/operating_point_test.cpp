// The operating point: nearest axis points, load rows and temperature points, and the fields lit
// on every tick by engine speed, map source and tuning state.
#include <gtest/gtest.h>

#include "harness.h"

TEST(OperatingPoint, NearestAxisPointMidpointsGoDown) {
    const uint8_t axis[10] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    const uint8_t cut[10] = {10, 20, 15, 40, 50, 60, 70, 80, 90, 100};  // not ascending
    const struct {
        const uint8_t* a;
        int v, index;
        bool below;
    } cases[] = {
        {axis, 15, 0, false},
        {axis, 16, 1, false},
        {axis, 9, 0, true},
        {axis, 10, 0, false},
        {axis, 100, 9, false},
        {axis, 255, 9, false},
        {axis, 96, 9, false},
        {axis, 95, 8, false},
        {cut, 19, 1, false},
        {cut, 25, 2, false},  // cut at its first point above 25: 15 < 25
        {TP_ROW_PERCENT, 3, 1, false},
        {TP_ROW_PERCENT, 4, 2, false},
        {TP_ROW_PERCENT, 101, 9, false},
        {TP_ROW_PERCENT, 0, 0, false},
    };
    for (const auto& c : cases) {
        const TAxisPoint p = NearestAxisPoint(c.a, static_cast<uint8_t>(c.v));
        EXPECT_EQ(p.index, c.index) << c.v;
        EXPECT_EQ(p.below, c.below) << c.v;
    }
}

TEST(OperatingPoint, SpeedLoadAndTemperaturesGiveTheIndices) {
    TParamImage im;
    const uint8_t axis[10] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    for (TField f : {TField::RPM_ADV, TField::RPM_PRIV, TField::RPM_JET_TP, TField::RPM_JET_TPi,
                     TField::RPM_JET_IAP})
        for (int k = 0; k < 10; ++k) im.Set(f, k, axis[k]);
    const struct {
        int rpm, tp, iap, coolant;
        int column, tpRow, iapRow, coolantIndex;
        bool below;
    } cases[] = {
        {1500, 0, 14, 0, 0, 0, 0, 0, false},     {1600, 3, 15, 104, 1, 1, 1, 0, false},
        {1599, 4, 100, 105, 0, 2, 9, 1, false},  {900, 255, 95, 224, 0, 9, 9, 4, true},
        {25500, 100, 0, 225, 9, 9, 0, 5, false}, {0, 20, 55, 255, 0, 4, 5, 5, true},
    };
    for (const auto& c : cases) {
        TMonitorData m;
        m.rpm = static_cast<uint16_t>(c.rpm);
        m.tpPercent = static_cast<uint8_t>(c.tp);
        m.iapPercent = static_cast<uint8_t>(c.iap);
        m.coolantCode = m.airCode = static_cast<uint8_t>(c.coolant);
        const TOperatingPoint op = ComputeOperatingPoint(m, im);
        EXPECT_EQ(op.tp14Column, c.column) << c.rpm;
        EXPECT_EQ(op.iapColumn, c.column) << c.rpm;
        EXPECT_EQ(op.advanceIndex, c.column) << c.rpm;
        EXPECT_EQ(op.belowAdvanceCurve, c.below) << c.rpm;
        EXPECT_EQ(op.tpRow, c.tpRow) << c.tp;
        EXPECT_EQ(op.iapRow, c.iapRow) << c.iap;
        EXPECT_EQ(op.coolantIndex, c.coolantIndex) << c.coolant;
        EXPECT_EQ(op.airIndex, c.coolantIndex) << c.coolant;
    }
}

namespace {

int Lit(const TControl* fields, int n) {
    int count = 0;
    for (int i = 0; i < n; ++i) count += fields[i].Color() != TColor::Window;
    return count;
}

}  // namespace

TEST(OperatingPointPaint, WhatIsLitBySpeedMapSourceAndSuspension) {
    const struct {
        const char* name;
        int rpm;
        uint8_t suspended, tpMap;
        int tpCells, iapCells, axes;
    } cases[] = {
        {"TP map", 4000, 0, 1, 2, 0, 3},
        {"IAP map", 4000, 0, 0, 0, 1, 3},
        {"suspended", 4000, 1, 1, 0, 0, 3},
        {"stopped", 0, 0, 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        THarness h;
        TFormHlav& w = h.Start();
        w.monitor.rpm = static_cast<uint16_t>(c.rpm);
        w.monitor.tpPercent = 20;
        w.monitor.iapPercent = 40;
        w.monitor.coolantCode = 180;
        w.monitor.mapSuspended = c.suspended;
        w.monitor.tpMapActive = c.tpMap;
        w.TrackOperatingPoint();
        EXPECT_EQ(Lit(w.Tp14.cellEdit, 100) + Lit(w.Tp23.cellEdit, 100), c.tpCells) << c.name;
        EXPECT_EQ(Lit(w.Iap.cellEdit, 100), c.iapCells) << c.name;
        EXPECT_EQ(Lit(w.Tp14.axisEdit, 10) + Lit(w.Tp23.axisEdit, 10) + Lit(w.Iap.axisEdit, 10),
                  c.axes)
            << c.name;
        // Rows, the servo point and the temperatures are lit whatever the speed.
        EXPECT_EQ(w.Tp14.rowLabel[4].Color(), TColor::Lime) << c.name;
        EXPECT_EQ(w.Iap.rowLabel[3].Color(), TColor::Lime) << c.name;
        EXPECT_EQ(w.Tp14.rowLabel[3].Color(), TColor::BtnFace) << c.name;
        EXPECT_EQ(Lit(w.EditRpmPriv, 10) + Lit(w.EditNapPriv, 10), 2) << c.name;
        EXPECT_EQ(w.EditVoda[3].Color(), TColor::Lime) << c.name;
        EXPECT_EQ(Lit(w.EditVzduch, 5), 1) << c.name;
        EXPECT_EQ(Lit(w.EditAdv, 20), c.rpm == 0 ? 0 : 2) << c.name;
    }
}

// The lit cell follows the engine and shows the tuning state; with no frame the last stays.
TEST(OperatingPointPaint, HighlightFollowsTheEngineAndTheTuningState) {
    THarness h;
    TFormHlav& w = h.Start();
    h.sim.engine.HoldPoint(4000, 20, 39, true);
    h.Ticks(14);
    const int cell = 10 * w.operatingPoint.tpRow + w.operatingPoint.tp14Column;
    EXPECT_EQ(w.Tp14.cellEdit[cell].Color(), TColor::Lime);
    h.sim.engine.HoldPoint(8000, 60, 39, true);
    h.Ticks(14);
    EXPECT_EQ(w.Tp14.cellEdit[cell].Color(), TColor::Window);
    const int moved = 10 * w.operatingPoint.tpRow + w.operatingPoint.tp14Column;
    EXPECT_EQ(w.Tp14.cellEdit[moved].Color(), TColor::Lime);
    w.tuning.inTuningWindow = true;
    w.TrackOperatingPoint();
    EXPECT_EQ(w.Tp14.cellEdit[moved].Color(), TColor::Yellow);
    w.tuning.lambdaOnTarget = true;
    w.TrackOperatingPoint();
    EXPECT_EQ(w.Tp14.cellEdit[moved].Color(), TColor::Fuchsia);
    // Tuning off: the idle tick clears the window flag, so the cell is lime again.
    h.Ticks(1);
    EXPECT_EQ(w.Tp14.cellEdit[moved].Color(), TColor::Lime);
    // The unit falls silent: the last highlight stays.
    h.sim.faults.silent = true;
    h.Ticks(40);
    EXPECT_EQ(w.Tp14.cellEdit[moved].Color(), TColor::Lime);
}
