#include "files/monitor_values.h"

#include <algorithm>

namespace {

int32_t Word(const uint8_t* f, int offset) {
    return f[offset] | (f[offset + 1] << 8);
}

// A converter reading in millivolts, truncated.
int32_t Mv(const uint8_t* f, int offset) {
    return Word(f, offset) * 5000 / 4092;
}

int32_t Flag(uint8_t b) {
    return b != 0 ? 1 : 0;
}

void DecodeSensors(const uint8_t* f, TMonitorValues& v) {
    v.rpm = Word(f, 1);
    v.tpMv = Mv(f, 9);
    v.tpPercent = f[51] > 100 ? kNoValue : f[51];
    const int32_t iap = Word(f, 7);
    v.iapMv = Mv(f, 7);
    v.iapPercent = (iap < 421 || iap > 4024) ? kNoValue : f[52];
    v.apTenthKpa = Word(f, 5);
    v.lambdaMv = Mv(f, 11);
    v.coolantC = f[53] == 0 ? kNoValue : f[53] - 100;
    v.airC = f[54] == 0 ? kNoValue : f[54] - 100;
    v.batteryMv = Mv(f, 17) * 11 + 650;
    v.servoDesiredMv = Mv(f, 29);
    v.servoMeasuredMv = Mv(f, 27);
}

void DecodeInjection(const uint8_t* f, uint8_t advanceMax, TMonitorValues& v) {
    v.injection14Us = Word(f, 19) * 30;
    v.injection23Us = Word(f, 21) * 30;
    const int64_t longest = std::max(v.injection14Us, v.injection23Us);
    v.dutyPercent = static_cast<int32_t>(v.rpm * longest / 1200000);
    v.advanceDeg = f[55] >= advanceMax ? 0 : advanceMax - f[55];
    v.coolantCorrTenth = Word(f, 85);
    v.airCorrTenth = Word(f, 87);
    v.apCorrTenth = Word(f, 89);
    v.startCorrTenth = Word(f, 91);
    v.voltageCorrUs = Word(f, 93) - 1000;
}

}  // namespace

TMonitorValues DecodeMonitorValues(const uint8_t* f, uint8_t advanceMax) {
    TMonitorValues v;
    DecodeSensors(f, v);
    DecodeInjection(f, advanceMax, v);
    v.blocking = Flag(f[58]);
    v.ckps = Flag(f[73]);
    v.cmps = Flag(f[74]);
    v.mapSuspended = Flag(f[59]);
    v.tpMapActive = Flag(f[60]);
    v.savingCountdown = Word(f, 95);
    return v;
}
