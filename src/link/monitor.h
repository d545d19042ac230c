// Live values of the last valid monitor frame.
#pragma once

#include <cstdint>

#include "params/param_image.h"
#include "ui/controls.h"
#include "ui/main_window.h"

struct TMonitorData {
    uint16_t rpm = 0;
    uint8_t tpPercent = 0;
    uint8_t iapPercent = 0;
    uint8_t coolantCode = 0;
    uint8_t airCode = 0;
    uint16_t tpMv = 0;
    uint16_t lambdaMv = 0;
    uint8_t mapSuspended = 0;
    uint8_t tpMapActive = 0;
    bool freshMonitorFrame = false;
    uint16_t savingCountdown = 0;
};

// A converter reading in millivolts: value * 5000 / 4092, truncated.
inline int SensorMv(int value) {
    return value * 5000 / 4092;
}

// Colour of the battery voltage u (mV): red at 7000 or less and at 17999 or more, yellow at 11000
// or less and at 14999 or more, the normal colour in between.
TColor BatteryVoltageColor(int uMv);

// The live values of a monitor frame; false (nothing changed) when it is no monitor frame or its
// check byte is wrong.
bool ReadMonitorFrame(const uint8_t* frame, TMonitorData& monitor);
// The monitor panel for a frame whose live values have been read.
void ShowMonitorFrame(const uint8_t* frame, const TMonitorData& monitor, TMainWindow& window,
                      const TParamImage& image, const char* versionMismatchText);
// A monitor frame into the live values and the monitor panel; false (nothing changed) when it is
// no monitor frame or its check byte is wrong.
bool DecodeMonitorFrame(const uint8_t* frame, TMonitorData& monitor, TMainWindow& window,
                        const TParamImage& image, const char* versionMismatchText);
