#include "params/bike_types.h"

const char* const kBikeEntries[kBikeTypes] = {
    "Honda CBR 600 F               01-02", "Honda CBR 900 RR            02-",
    "Honda CBR 1100 XX               ",    "Honda VTR 1000 SP-1       01-02",
    "Honda VFR 800                   ",
};

namespace {

void Fill(TParamImage& im, TField f, const uint8_t* values, int n) {
    for (int k = 0; k < n; ++k) im.Set(f, k, values[k]);
}

// Types 1, 2 and 4 share one set of tables; types 0 and 3 have their own.
int Family(int bike) {
    return bike == 1 || bike == 2 || bike == 4 ? 1 : bike;
}

constexpr uint8_t kCurve0[10] = {152, 150, 149, 227, 230, 240, 217, 212, 227, 227};
constexpr uint8_t kCurve1[10] = {191, 191, 188, 196, 205, 235, 21, 31, 31, 31};

constexpr uint8_t kWater[4][5] = {
    {136, 125, 111, 100, 99}, {160, 139, 126, 100, 100}, {}, {139, 110, 104, 100, 99}};
constexpr uint8_t kAir[4][5] = {
    {119, 109, 100, 100, 100}, {121, 105, 100, 98, 98}, {}, {121, 110, 100, 97, 97}};
constexpr uint8_t kRpmPriv1[10] = {25, 26, 63, 64, 150, 151, 152, 153, 154, 160};
constexpr uint8_t kNapPriv1[10] = {135, 226, 226, 24, 24, 24, 24, 24, 24, 24};
constexpr uint8_t kRpmPriv3[10] = {10, 20, 30, 40, 60, 80, 100, 120, 140, 160};
constexpr uint8_t kNapPriv3[10] = {100, 105, 110, 115, 120, 125, 130, 135, 140, 145};
constexpr uint8_t kCommonAxis[10] = {10, 20, 30, 40, 60, 80, 100, 120, 140, 160};
constexpr uint8_t kAxis3[10] = {10, 20, 30, 40, 50, 60, 70, 80, 100, 120};
constexpr uint8_t kAdvance[5][10] = {
    {7, 15, 25, 29, 35, 32, 31, 30, 33, 33}, {5, 10, 23, 40, 40, 40, 40, 37, 37, 37},
    {5, 10, 23, 40, 40, 40, 40, 37, 37, 37}, {13, 16, 31, 39, 39, 39, 38, 38, 38, 38},
    {5, 10, 23, 40, 40, 40, 40, 37, 37, 37},
};
constexpr uint8_t kLimiter[5] = {140, 120, 105, 110, 120};
constexpr uint8_t kPilot[5] = {120, 100, 90, 90, 100};
constexpr uint8_t kBlok[5] = {1, 1, 1, 0, 1};

}  // namespace

void UpdateBikeConstants(TParamImage& im) {
    const int bike = im.Get(TField::BIKE);
    if (bike >= kBikeTypes) return;
    static constexpr uint8_t kAdvanceMax[5] = {101, 100, 100, 95, 100};
    im.Set(TField::ADVANCE_MAX, kAdvanceMax[bike]);
    im.Set(TField::BIKE_PARAM_A, bike == 2 ? 1 : 0);
    im.Set(TField::BIKE_PARAM_B, bike == 3 ? 70 : 65);
    im.Set(TField::BIKE_PARAM_C, 0);
    Fill(im, TField::BIKE_CURVE, Family(bike) == 1 ? kCurve1 : kCurve0, 10);
}

void SetDefaults(TParamImage& im) {
    const int bike = im.Get(TField::BIKE);
    const bool known = bike < kBikeTypes;
    // 1. Common
    im.Set(TField::RPM_PULSES, 2);
    im.Set(TField::RPM_CORRECTION, 100);
    static constexpr uint8_t kChokeTime[4] = {5, 10, 15, 20};
    static constexpr uint8_t kChokeCorr[4] = {150, 50, 30, 10};
    Fill(im, TField::CHOKE_TIME, kChokeTime, 4);
    Fill(im, TField::CHOKE_CORR, kChokeCorr, 4);
    // 2. By type
    if (known) {
        const int fam = Family(bike);
        im.Set(TField::START_JET, 10);
        Fill(im, TField::WATER_TEMP, kWater[fam], 5);
        Fill(im, TField::AIR_TEMP, kAir[fam], 5);
        im.Set(TField::TPS_0, 50);
        im.Set(TField::TPS_100, 192);
        if (fam == 1) {
            Fill(im, TField::RPM_PRIV, kRpmPriv1, 10);
            Fill(im, TField::NAP_PRIV, kNapPriv1, 10);
        } else if (fam == 3) {
            Fill(im, TField::RPM_PRIV, kRpmPriv3, 10);
            Fill(im, TField::NAP_PRIV, kNapPriv3, 10);
        }
    }
    // 3. Common
    for (int i = 300; i < 600; ++i) im[i] = 100;
    im.Set(TField::PRIV_HYSTER, 40);
    im.Set(TField::COOLING, 100);
    im.Set(TField::ACCEL_THRESHOLD, 30);
    im.Set(TField::ACCEL_SIZE, 84);
    for (TField f : {TField::RPM_ADV, TField::RPM_JET_TP, TField::RPM_JET_TPi, TField::RPM_JET_IAP})
        Fill(im, f, kCommonAxis, 10);
    // 4. By type
    if (known) {
        if (bike == 3)
            for (TField f :
                 {TField::RPM_ADV, TField::RPM_JET_TP, TField::RPM_JET_TPi, TField::RPM_JET_IAP})
                Fill(im, f, kAxis3, 10);
        Fill(im, TField::ADVANCE, kAdvance[bike], 10);
        im.Set(TField::LIMITER2, kLimiter[bike]);
        im.Set(TField::PILOT_LIGHT, kPilot[bike]);
        im.Set(TField::BLOK_ENABLE, kBlok[bike]);
    }
    // 5. Common
    im.Set(TField::INTAKE_VALVE, 60);
    im.Set(TField::TPS_MODE, 1);
    im.Set(TField::IAP_TO_TPS, 5);
    im.Set(TField::PRIV_ENABLE, 1);
    im.Set(TField::TUNING_LAMBDA, 80);
    im.Set(TField::TUNING_ACCURACY, 5);
    im.Set(TField::TUNING_RPM, 10);
    im.Set(TField::TUNING_TPS, 1);
    im.Set(TField::TUNING_STEP, 10);
    // 6
    UpdateBikeConstants(im);
}
