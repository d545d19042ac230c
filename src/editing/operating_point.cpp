#include "editing/operating_point.h"

namespace {

const uint8_t kIapRowThresholds[9] = {15, 25, 35, 45, 55, 65, 75, 85, 95};
// Coolant and air codes (degrees Celsius plus 100) halfway between the correction points at -10,
// 20, 50, 80 and 110 degrees; from 125 degrees on no point applies.
const uint8_t kTemperatureThresholds[5] = {105, 135, 165, 195, 225};

const uint8_t* Axis(const TParamImage& image, TField f) {
    return image.Data() + TParamImage::ByteOf(f);
}

}  // namespace

TAxisPoint NearestAxisPoint(const uint8_t* a, uint8_t v) {
    int i = 0;
    while (i < 10 && a[i] <= v) ++i;
    if (i == 10) return {9, false};
    if (i == 0) return {0, true};
    const int lower = i - 1;
    return {static_cast<uint8_t>(a[lower] + a[i] >= 2 * v ? lower : i), false};
}

uint8_t ThresholdsReached(uint8_t v, const uint8_t* thresholds, int n) {
    uint8_t count = 0;
    for (int k = 0; k < n; ++k)
        if (v >= thresholds[k]) ++count;
    return count;
}

TOperatingPoint ComputeOperatingPoint(const TMonitorData& m, const TParamImage& image) {
    TOperatingPoint op;
    const auto r = static_cast<uint8_t>(m.rpm / 100);
    const TAxisPoint adv = NearestAxisPoint(Axis(image, TField::RPM_ADV), r);
    op.advanceIndex = adv.index;
    op.belowAdvanceCurve = adv.below;
    op.servoIndex = NearestAxisPoint(Axis(image, TField::RPM_PRIV), r).index;
    op.tp14Column = NearestAxisPoint(Axis(image, TField::RPM_JET_TP), r).index;
    op.tp23Column = NearestAxisPoint(Axis(image, TField::RPM_JET_TPi), r).index;
    op.iapColumn = NearestAxisPoint(Axis(image, TField::RPM_JET_IAP), r).index;
    op.tpRow = NearestAxisPoint(TP_ROW_PERCENT, m.tpPercent).index;
    op.iapRow = ThresholdsReached(m.iapPercent, kIapRowThresholds, 9);
    op.coolantIndex = ThresholdsReached(m.coolantCode, kTemperatureThresholds, 5);
    op.airIndex = ThresholdsReached(m.airCode, kTemperatureThresholds, 5);
    return op;
}
