// The operating point: which curve points, map columns and load rows the engine runs in, from the
// latest live values and the axes of the image.
#pragma once

#include <cstdint>

#include "link/monitor.h"
#include "params/param_image.h"

// The throttle percentages of the TP map rows 0 to 9.
constexpr uint8_t TP_ROW_PERCENT[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};

struct TOperatingPoint {
    uint8_t advanceIndex = 0;
    bool belowAdvanceCurve = false;  // the speed is below the first advance RPM point
    uint8_t servoIndex = 0;
    uint8_t tp14Column = 0;
    uint8_t tp23Column = 0;
    uint8_t iapColumn = 0;
    uint8_t tpRow = 0;
    uint8_t iapRow = 0;
    uint8_t coolantIndex = 0;  // 0 to 4, 5 for none
    uint8_t airIndex = 0;      // 0 to 4, 5 for none
};

struct TAxisPoint {
    uint8_t index = 0;
    bool below = false;  // v lies below the first point
};

// The nearest point of a ten-point axis: scanning upwards, the axis is cut at its first point
// above v; a value exactly halfway between two points goes to the lower one.
TAxisPoint NearestAxisPoint(const uint8_t* axis, uint8_t v);

// How many of the n ascending thresholds v reaches or exceeds.
uint8_t ThresholdsReached(uint8_t v, const uint8_t* thresholds, int n);

TOperatingPoint ComputeOperatingPoint(const TMonitorData& monitor, const TParamImage& image);
