// A small engine for the virtual unit: idle, throttle blips, a cruise and a dynamometer stretch,
// with a lambda probe that answers to the unit's own injection map cells.
//
// Every cell of the three maps has a hidden true fuel need. Unless a test sets it, the need is
// the unit's stored cell at the first step, moved by a few percent in a handful of cells, so
// that those cells run lean or rich until someone tunes them. The mixture error of the cell the
// engine runs in, (stored - need) / need, drives a narrowband probe: about 100 mV lean, 450 to
// 800 mV near the right mixture, about 900 mV rich, seen a few ticks late and with a little
// noise. On the TP maps the probe sees the exhaust of both cylinder pairs, so the error is that
// of the sum of the TP14 and TP23 cells against the sum of their needs.
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

// The three injection maps in the order of their blocks 3, 4 and 5.
enum class TFuelMap : uint8_t { Tp14 = 0, Tp23 = 1, Iap = 2 };

// An operating point held fixed, as on a dynamometer.
struct TEnginePoint {
    bool held = false;
    int rpm = 0;
    int tpPercent = 0;
    int iapPercent = 0;
    bool onTpMap = true;
    bool operator==(const TEnginePoint&) const = default;
};

class TEngineModel {
  public:
    static constexpr int kMaxLambdaDelay = 31;  // ticks

    bool running = true;       // false: engine stopped, rpm 0
    int lambdaDelayTicks = 6;  // the probe reading lags the mixture by this many ticks (0-31)
    int lambdaNoiseMv = 8;     // the reading wanders by up to this much either way

    // Advances the engine by one tick and recomputes its values from the unit's memory.
    void Step(const std::array<uint8_t, 600>& memory);
    const TEngineState& State() const { return state_; }

    // Holds rpm, throttle and pressure still on the given map until released; the engine runs
    // and the unit uses a map cell all the while.
    void HoldPoint(int rpm, int tpPercent, int iapPercent, bool onTpMap);
    void ReleasePoint();
    bool Holding() const { return point_.held; }

    // The true need of one cell (row and column 0-9); a need set here is kept when the others
    // are taken from the memory at the first step. Values are clamped to 1-1000.
    void SetTrueNeed(TFuelMap map, int row, int column, int value);
    // 0 until set or taken from the memory.
    int TrueNeed(TFuelMap map, int row, int column) const;

    // The mixture error of this step, before the probe's delay: 0.05 is 5 % rich.
    double MixtureError() const { return mixtureError_; }
    // The probe voltage for a mixture error, without delay or noise.
    static int ProbeMv(double mixtureError);
    void SeedNoise(uint32_t seed) { noise_ = seed != 0 ? seed : 1; }

  private:
    void RunProgramme(const std::array<uint8_t, 600>& memory);
    void ApplyHeldPoint();
    void TakeNeedsFrom(const std::array<uint8_t, 600>& m);
    void Fuel(const std::array<uint8_t, 600>& m);
    void Probe();
    void Ignition(const std::array<uint8_t, 600>& m);
    int Noise();

    TEngineState state_;
    int tick_ = 0;
    double rpmNow_ = 1200;  // the engine is already idling when the unit powers up
    double tpNow_ = 0;
    TEnginePoint point_;

    std::array<std::array<int16_t, 100>, 3> need_{};  // 0: not yet known
    bool needsTaken_ = false;
    double mixtureError_ = 0;
    std::array<int16_t, kMaxLambdaDelay + 1> probe_{};  // readings of the last ticks, a ring
    int probeNext_ = 0;
    bool probePrimed_ = false;
    uint32_t noise_ = 0x2545F491u;
};
