#include "engine_model.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTpRows[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};

// Index of the axis point nearest below v (0 when below the first).
int Column(const std::array<uint8_t, 600>& m, int axisBase, int rpm) {
    int c = 0;
    for (int k = 0; k < 10; ++k)
        if (rpm >= m[static_cast<size_t>(axisBase + k)] * 100) c = k;
    return c;
}

int TpRow(int tp) {
    int r = 0;
    for (int k = 0; k < 10; ++k)
        if (tp >= kTpRows[k]) r = k;
    return r;
}

}  // namespace

void TEngineModel::Step(const std::array<uint8_t, 600>& m) {
    ++tick_;
    TEngineState& s = state_;
    // A 60-second programme: a short idle, throttle blips, a cruise, full throttle, idle.
    const int t = tick_ % 1100;
    double tpTarget = 0;
    if (t < 60)
        tpTarget = 0;
    else if (t < 400)
        tpTarget = (t % 60) < 15 ? 45 : 0;
    else if (t < 800)
        tpTarget = 20 + 8 * std::sin(t / 40.0);
    else if (t < 900)
        tpTarget = 70;
    else
        tpTarget = 0;
    if (!running) tpTarget = 0;
    tpNow_ += (tpTarget - tpNow_) * 0.3;
    s.tpPercent = std::clamp(static_cast<int>(std::lround(tpNow_)), 0, 100);

    const double rpmGoal = running ? 1200 + tpNow_ * 95 : 0;
    rpmNow_ += (rpmGoal - rpmNow_) * 0.15;
    s.rpm = std::max(0, static_cast<int>(std::lround(rpmNow_)) + (running ? (tick_ % 7) * 3 : 0));
    s.iapPercent = std::clamp(25 + s.tpPercent * 7 / 10, 10, 100);

    // Warm-up: the coolant climbs to 88 degrees over a few minutes.
    if (running && tick_ % 20 == 0 && s.coolantC < 88) ++s.coolantC;
    s.batteryMv = running ? 13900 + (tick_ % 11) * 10 : 12400;

    // Injection and lambda follow the map cell the engine runs in: a richer cell, a higher
    // probe voltage. Cell 100 with the default set sits near the middle of the window.
    const bool onTp = s.tpPercent > 0 || s.rpm > 1500;
    s.onTpMap = onTp;
    int cell14 = 100, cell23 = 100;
    const int row = TpRow(s.tpPercent);
    if (onTp) {
        cell14 = m[static_cast<size_t>(300 + 10 * row + Column(m, 260, s.rpm))];
        cell23 = m[static_cast<size_t>(400 + 10 * row + Column(m, 270, s.rpm))];
    } else {
        const int iapRow = std::clamp(s.iapPercent / 10 - 1, 0, 9);
        cell14 = cell23 = m[static_cast<size_t>(500 + 10 * iapRow + Column(m, 280, s.rpm))];
    }
    s.mapSuspended = !running || s.rpm < 300;
    const int base = 1500 + s.tpPercent * 60;
    s.injection14Us = running ? base * cell14 / 100 : 0;
    s.injection23Us = running ? base * cell23 / 100 : 0;
    const int richness = (cell14 + cell23) / 2;  // 100 is stoichiometric
    s.lambdaMv = running ? std::clamp(450 + (richness - 100) * 12 + (tick_ % 5) * 4, 50, 990) : 0;

    // Advance from the unit's curve at the current speed, as the unit reports it (max - angle).
    int adv = m[220];
    for (int k = 0; k < 10; ++k)
        if (s.rpm >= m[static_cast<size_t>(210 + k)] * 100) adv = m[static_cast<size_t>(220 + k)];
    s.advanceDeg = running ? adv : 0;
    s.ckps = s.cmps = running;

    int servo = m[250] * 20;
    for (int k = 0; k < 10; ++k)
        if (s.rpm >= m[static_cast<size_t>(240 + k)] * 100)
            servo = m[static_cast<size_t>(250 + k)] * 20;
    s.servoDesiredMv = servo;
    s.servoMeasuredMv += (servo - s.servoMeasuredMv) / 3;
}
