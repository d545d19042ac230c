// Automatic tuning from the lambda probe: the tolerance window around the operating cell, the
// lambda band, and the one-step correction of the cell.
#pragma once

#include <cstdint>

#include "editing/operating_point.h"
#include "link/monitor.h"
#include "params/param_image.h"

struct TTuningState {
    bool inTuningWindow = false;  // the engine holds the operating cell within the tolerances
    bool lambdaOnTarget = false;  // the lambda voltage lies within the required band
    uint16_t offTargetTicks = 0;  // consecutive ticks in the window with lambda off target
    bool blockPending = false;    // a corrected map block awaits the unit's acknowledgement

    void CountOffTarget() {
        if (inTuningWindow && !lambdaOnTarget) {
            if (offTargetTicks != UINT16_MAX) ++offTargetTicks;
        } else {
            offTargetTicks = 0;
        }
    }
};

// The map that tuning works on: that of the page shown, if the unit runs on it.
enum class TTuningTarget : uint8_t { None, Tp14, Tp23, Iap };
TTuningTarget TuningTargetOf(int page, uint8_t tpMapActive);

// The tolerance window around the target's operating cell: the cell's load row and RPM point,
// the engine's load and speed, and the tolerances of TUNING_TPS and TUNING_RPM.
struct TTuningWindow {
    int rowLoad = 0, load = 0, loadTolerance = 0;  // percent
    int axisRpm = 0, rpm = 0, rpmTolerance = 0;
    bool inside = false;  // load bounds inclusive, speed bounds exclusive
};
TTuningWindow TuningWindowOf(const TParamImage& image, const TMonitorData& monitor,
                             const TOperatingPoint& op, TTuningTarget target);

// Whether load and speed lie within the tolerances of TUNING_TPS and TUNING_RPM around the
// target's operating cell (load bounds inclusive, speed bounds exclusive).
bool InTuningWindow(const TParamImage& image, const TMonitorData& monitor,
                    const TOperatingPoint& op, TTuningTarget target);

// The lambda voltage against the band TUNING_LAMBDA +/- TUNING_ACCURACY, in signed arithmetic:
// an accuracy wider than the required value gives a band that starts below zero.
struct TLambdaReading {
    bool lean = false;
    bool rich = false;
    bool OnTarget() const { return !lean && !rich; }
};
TLambdaReading ReadLambda(const TParamImage& image, uint16_t lambdaMv);

// One correction of the target's operating cell (and of the TP23 cell in Coupled mode on the
// TP14 target): up by one when lean, down by one when rich, within 0 to 250. Returns the block to
// write, or 0 when nothing is to be written (no target, or a TP23 or IAP cell that did not
// change; the TP14 block is written even when unchanged).
uint8_t CorrectOperatingCell(TParamImage& image, const TOperatingPoint& op, TTuningTarget target,
                             TLambdaReading lambda);
