// The live values of one monitor frame in the units the monitor panel shows them, as plain
// numbers: the content of a monitor log line.
#pragma once

#include <cstdint>

// A value that the frame does not give: the panel shows a sensor error in its place.
constexpr int32_t kNoValue = INT32_MIN;

struct TMonitorValues {
    int32_t rpm = 0;
    int32_t tpPercent = 0;  // kNoValue above 100 (TP sensor error)
    int32_t tpMv = 0;
    int32_t iapPercent = 0;  // kNoValue while the IAP sensor is out of its range
    int32_t iapMv = 0;
    int32_t apTenthKpa = 0;  // 0.1 kPa
    int32_t lambdaMv = 0;
    int32_t coolantC = 0;  // kNoValue for the TW sensor error (the panel shows 80 in red)
    int32_t airC = 0;      // kNoValue for the AT sensor error (the panel shows 50 in red)
    int32_t batteryMv = 0;
    int32_t advanceDeg = 0;
    int32_t injection14Us = 0;
    int32_t injection23Us = 0;
    int32_t dutyPercent = 0;
    int32_t coolantCorrTenth = 0;  // 0.1 %
    int32_t airCorrTenth = 0;
    int32_t apCorrTenth = 0;
    int32_t startCorrTenth = 0;
    int32_t voltageCorrUs = 0;  // may be negative
    int32_t servoDesiredMv = 0;
    int32_t servoMeasuredMv = 0;
    int32_t blocking = 0;  // flags: 0 or 1
    int32_t ckps = 0;
    int32_t cmps = 0;
    int32_t mapSuspended = 0;
    int32_t tpMapActive = 0;  // 1 while the unit injects by the TP maps, 0 by the IAP map
    int32_t savingCountdown = 0;

    bool operator==(const TMonitorValues&) const = default;
};

// The values of a 102-byte monitor frame (code byte first) as the panel derives them; the advance
// needs the motorbike type's ADVANCE_MAX. Does not check code or check byte.
TMonitorValues DecodeMonitorValues(const uint8_t* frame, uint8_t advanceMax);
