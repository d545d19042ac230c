// A small engine for the virtual unit: idle, throttle blips and a cruise, with the lambda probe
// following the unit's own injection map cells.
#pragma once

#include <array>
#include <cstdint>

struct TEngineState {
    int rpm = 0;
    int tpPercent = 0;
    int iapPercent = 0;
    int coolantC = 20;
    int airC = 18;
    int batteryMv = 13800;
    int lambdaMv = 450;
    int injection14Us = 0;
    int injection23Us = 0;
    int advanceDeg = 10;
    bool onTpMap = true;
    bool mapSuspended = false;
    bool ckps = true;
    bool cmps = true;
    int servoDesiredMv = 2000;
    int servoMeasuredMv = 2000;
    int apTenthKpa = 1013;
};

class TEngineModel {
  public:
    bool running = true;  // false: engine stopped, rpm 0
    // Advances the engine by one tick and recomputes its values from the unit's memory.
    void Step(const std::array<uint8_t, 600>& memory);
    const TEngineState& State() const { return state_; }

  private:
    TEngineState state_;
    int tick_ = 0;
    int rpmTarget_ = 1200;
    double rpmNow_ = 1200;  // the engine is already idling when the unit powers up
    double tpNow_ = 0;
};
