#include "engine_model.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t kTpRows[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
constexpr int kMapBase[3] = {300, 400, 500};
constexpr int kAxisBase[3] = {260, 270, 280};

// The programme: the ordinary ride first, then a dynamometer that holds 20 % throttle on three
// RPM points of the TP14 axis for half a minute each, long enough to tune those cells.
constexpr int kOrdinaryTicks = 1100;
constexpr int kDwellTicks = 600;
constexpr int kDwellRow = 4;  // 20 %
constexpr int kDwellColumns[3] = {3, 4, 5};
constexpr int kCycleTicks = kOrdinaryTicks + 3 * kDwellTicks;

// The cells whose true need differs from the stored set, in percent of the stored cell; a TP
// entry applies to both TP maps. The dynamometer cells are among them.
struct TNeedOffset {
    bool tp;
    int row, column, percent;
};
constexpr TNeedOffset kNeedOffsets[] = {
    {true, 4, 3, 6},  {true, 4, 4, -5}, {true, 4, 5, 8},   {true, 6, 2, 4},
    {true, 7, 6, -4}, {false, 4, 3, 5}, {false, 6, 5, -6},
};

// The probe's S-curve: a logistic on the mixture error from 100 to 900 mV, 625 mV at the right
// mixture and within 450-800 mV for errors up to 1 % either way.
constexpr double kProbeSlope = 75;
constexpr double kProbeCentre = 0.6466;  // ln(525 / 275): 625 mV at error 0

// The axis point nearest to v; below the first point 0, at or above the last 9, a value exactly
// between two points goes to the lower one. An axis that is not ascending is cut at its first
// point above v.
int NearestPoint(const uint8_t* a, int v) {
    int i = 0;
    while (i < 10 && a[i] <= v) ++i;
    if (i == 10) return 9;
    if (i == 0) return 0;
    return a[i - 1] + a[i] >= 2 * v ? i - 1 : i;
}

int TpRow(int tp) {
    return NearestPoint(kTpRows, std::min(tp, 255));
}

// The nearest of the rows at 10, 20, ..., 100 %, a midpoint going up.
int IapRow(int iap) {
    int row = 0;
    for (int t = 15; t <= 95; t += 10)
        if (iap >= t) ++row;
    return row;
}

int Column(const std::array<uint8_t, 600>& m, TFuelMap map, int rpm) {
    const uint8_t* axis = m.data() + kAxisBase[static_cast<int>(map)];
    return NearestPoint(axis, std::min(rpm / 100, 255));
}

int OffsetPercent(int map, int cell) {
    for (const TNeedOffset& o : kNeedOffsets)
        if (o.tp == (map != 2) && 10 * o.row + o.column == cell) return o.percent;
    return 0;
}

double OrdinaryThrottle(int t) {
    if (t < 60) return 0;
    if (t < 400) return (t % 60) < 15 ? 45 : 0;
    if (t < 800) return 20 + 8 * std::sin(t / 40.0);
    if (t < 900) return 70;
    return 0;
}

}  // namespace

void TEngineModel::Step(const std::array<uint8_t, 600>& m) {
    ++tick_;
    if (!needsTaken_) TakeNeedsFrom(m);
    if (point_.held)
        ApplyHeldPoint();
    else
        RunProgramme(m);
    TEngineState& s = state_;
    // Warm-up: the coolant climbs to 88 degrees over a few minutes.
    if (running && tick_ % 20 == 0 && s.coolantC < 88) ++s.coolantC;
    s.batteryMv = running ? 13900 + (tick_ % 11) * 10 : 12400;
    Fuel(m);
    Probe();
    Ignition(m);
}

void TEngineModel::RunProgramme(const std::array<uint8_t, 600>& m) {
    TEngineState& s = state_;
    const int t = tick_ % kCycleTicks;
    const bool dyno = t >= kOrdinaryTicks;
    double tpTarget = OrdinaryThrottle(t);
    int dynoRpm = 0;
    if (dyno) {
        tpTarget = kTpRows[kDwellRow];
        const int column = kDwellColumns[(t - kOrdinaryTicks) / kDwellTicks];
        dynoRpm = std::clamp(m[static_cast<size_t>(kAxisBase[0] + column)] * 100, 1000, 15000);
    }
    if (!running) tpTarget = 0;
    tpNow_ += (tpTarget - tpNow_) * 0.3;
    s.tpPercent = std::clamp(static_cast<int>(std::lround(tpNow_)), 0, 100);

    // On the dynamometer the brake holds the speed and it wanders only a little either way.
    const double rpmGoal = !running ? 0 : dyno ? dynoRpm : 1200 + tpNow_ * 95;
    const int jitter = !running ? 0 : dyno ? (tick_ % 7) * 3 - 9 : (tick_ % 7) * 3;
    rpmNow_ += (rpmGoal - rpmNow_) * 0.15;
    s.rpm = std::max(0, static_cast<int>(std::lround(rpmNow_)) + jitter);
    s.iapPercent = std::clamp(25 + s.tpPercent * 7 / 10, 10, 100);
    s.onTpMap = s.tpPercent > 0 || s.rpm > 1500;
    s.mapSuspended = !running || s.rpm < 300;
}

void TEngineModel::HoldPoint(int rpm, int tpPercent, int iapPercent, bool onTpMap) {
    point_ = TEnginePoint{true, std::clamp(rpm, 300, 20000), std::clamp(tpPercent, 0, 100),
                          std::clamp(iapPercent, 0, 100), onTpMap};
    running = true;
}

void TEngineModel::ReleasePoint() {
    point_.held = false;
}

void TEngineModel::ApplyHeldPoint() {
    TEngineState& s = state_;
    s.rpm = point_.rpm;
    s.tpPercent = point_.tpPercent;
    s.iapPercent = point_.iapPercent;
    s.onTpMap = point_.onTpMap;
    s.mapSuspended = false;
    // Released, the engine moves on from here without a jump.
    rpmNow_ = point_.rpm;
    tpNow_ = point_.tpPercent;
}

void TEngineModel::SetTrueNeed(TFuelMap map, int row, int column, int value) {
    if (row < 0 || row > 9 || column < 0 || column > 9) return;
    need_[static_cast<size_t>(map)][static_cast<size_t>(10 * row + column)] =
        static_cast<int16_t>(std::clamp(value, 1, 1000));
}

int TEngineModel::TrueNeed(TFuelMap map, int row, int column) const {
    if (row < 0 || row > 9 || column < 0 || column > 9) return 0;
    return need_[static_cast<size_t>(map)][static_cast<size_t>(10 * row + column)];
}

void TEngineModel::TakeNeedsFrom(const std::array<uint8_t, 600>& m) {
    for (int map = 0; map < 3; ++map) {
        for (int cell = 0; cell < 100; ++cell) {
            int16_t& need = need_[static_cast<size_t>(map)][static_cast<size_t>(cell)];
            if (need != 0) continue;  // set by a test
            const int stored = m[static_cast<size_t>(kMapBase[map] + cell)];
            const double value = stored * (100 + OffsetPercent(map, cell)) / 100.0;
            need = static_cast<int16_t>(std::max(1L, std::lround(value)));
        }
    }
    needsTaken_ = true;
}

// The cell the unit injects by, as the PC finds it: nearest RPM point, nearest load row.
void TEngineModel::Fuel(const std::array<uint8_t, 600>& m) {
    TEngineState& s = state_;
    int stored14 = 100, stored23 = 100, need = 200;
    if (s.onTpMap) {
        const int row = TpRow(s.tpPercent);
        const int c14 = 10 * row + Column(m, TFuelMap::Tp14, s.rpm);
        const int c23 = 10 * row + Column(m, TFuelMap::Tp23, s.rpm);
        stored14 = m[static_cast<size_t>(kMapBase[0] + c14)];
        stored23 = m[static_cast<size_t>(kMapBase[1] + c23)];
        need = need_[0][static_cast<size_t>(c14)] + need_[1][static_cast<size_t>(c23)];
    } else {
        const int cell = 10 * IapRow(s.iapPercent) + Column(m, TFuelMap::Iap, s.rpm);
        stored14 = stored23 = m[static_cast<size_t>(kMapBase[2] + cell)];
        need = 2 * need_[2][static_cast<size_t>(cell)];
    }
    mixtureError_ = static_cast<double>(stored14 + stored23 - need) / need;
    const int base = 1500 + s.tpPercent * 60;
    s.injection14Us = running ? base * stored14 / 100 : 0;
    s.injection23Us = running ? base * stored23 / 100 : 0;
}

int TEngineModel::ProbeMv(double e) {
    const double share = 1.0 / (1.0 + std::exp(-(kProbeSlope * e + kProbeCentre)));
    return static_cast<int>(std::lround(100 + 800 * share));
}

int TEngineModel::Noise() {
    // xorshift32: the same wander on every run.
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    const int amplitude = std::clamp(lambdaNoiseMv, 0, 100);
    return static_cast<int>(noise_ % static_cast<uint32_t>(2 * amplitude + 1)) - amplitude;
}

// The reading of this tick enters a ring; the one shown is lambdaDelayTicks old.
void TEngineModel::Probe() {
    const int now = running ? std::clamp(ProbeMv(mixtureError_) + Noise(), 0, 1000) : 0;
    constexpr int kRing = kMaxLambdaDelay + 1;
    if (!probePrimed_) {
        probe_.fill(static_cast<int16_t>(now));
        probePrimed_ = true;
    }
    probe_[static_cast<size_t>(probeNext_)] = static_cast<int16_t>(now);
    const int delay = std::clamp(lambdaDelayTicks, 0, kMaxLambdaDelay);
    state_.lambdaMv = probe_[static_cast<size_t>((probeNext_ - delay + kRing) % kRing)];
    probeNext_ = (probeNext_ + 1) % kRing;
}

void TEngineModel::Ignition(const std::array<uint8_t, 600>& m) {
    TEngineState& s = state_;
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
