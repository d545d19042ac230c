// Operating-point tracking: at the end of every tick the curve points, axis points, load rows and
// map cells the engine runs in are lit, and every other one of those fields returns to normal.
#include "app/Hlav.h"

namespace {

void Light(TControl& c, bool lit, TColor normal) {
    c.SetColor(lit ? TColor::Lime : normal);
}

}  // namespace

void TFormHlav::TrackOperatingPoint() {
    operatingPoint = ComputeOperatingPoint(monitor, image);
    PaintOperatingPoint();
}

void TFormHlav::PaintOperatingPoint() {
    const TOperatingPoint& op = operatingPoint;
    const bool running = monitor.rpm != 0;
    for (int k = 0; k < 10; ++k) {
        const bool advance = k == op.advanceIndex && !op.belowAdvanceCurve;
        Light(EditAdv[k], advance, TColor::Window);
        Light(EditAdv[10 + k], advance, TColor::Window);
        Light(Tp14.axisEdit[k], running && k == op.tp14Column, TColor::Window);
        Light(Tp23.axisEdit[k], running && k == op.tp23Column, TColor::Window);
        Light(Iap.axisEdit[k], running && k == op.iapColumn, TColor::Window);
        Light(Tp14.rowLabel[k], k == op.tpRow, TColor::BtnFace);
        Light(Tp23.rowLabel[k], k == op.tpRow, TColor::BtnFace);
        Light(Iap.rowLabel[k], k == op.iapRow, TColor::BtnFace);
        Light(EditRpmPriv[k], k == op.servoIndex, TColor::Window);
        Light(EditNapPriv[k], k == op.servoIndex, TColor::Window);
    }
    const bool onMap = running && monitor.mapSuspended == 0;
    PaintMapCells(Tp14, TMap::JetTp, onMap && monitor.tpMapActive != 0);
    PaintMapCells(Tp23, TMap::JetTpi, onMap && monitor.tpMapActive != 0);
    PaintMapCells(Iap, TMap::JetIap, onMap && monitor.tpMapActive == 0);
    for (int k = 0; k < 5; ++k) {
        Light(EditVoda[k], k == op.coolantIndex, TColor::Window);
        Light(EditVzduch[k], k == op.airIndex, TColor::Window);
    }
}

// The map's operating cell, when lit, shows the state of automatic tuning: fuchsia with lambda
// on target inside the tuning window, yellow inside the window, lime otherwise.
void TFormHlav::PaintMapCells(TMainWindow::TMapGrid& grid, TMap map, bool lit) {
    const TCellIndex cell = OperatingCell(operatingPoint, map);
    const int current = lit ? 10 * cell.row + cell.column : -1;
    const TColor litColor = !tuning.inTuningWindow  ? TColor::Lime
                            : tuning.lambdaOnTarget ? TColor::Fuchsia
                                                    : TColor::Yellow;
    for (int i = 0; i < 100; ++i)
        grid.cellEdit[i].SetColor(i == current ? litColor : TColor::Window);
}
