#include "unit_sim.h"

#include <algorithm>
#include <cstring>

#include "link/unit_frame.h"

namespace {

constexpr int kFrame = kFrameSize;

// The unit seals its answers with the same check byte as every frame of the link.
uint8_t Check(const uint8_t* f) {
    return FrameCheckByte(f[0], f + 1);
}

void PutWord(uint8_t* f, int off, int v) {
    v = std::clamp(v, 0, 65535);
    f[off] = static_cast<uint8_t>(v & 255);
    f[off + 1] = static_cast<uint8_t>(v >> 8);
}

// Millivolts back to the converter reading (mV = value * 5000 / 4092).
int SensorValue(int mv) {
    return (std::max(mv, 0) * 4092 + 4999) / 5000;
}

}  // namespace

TUnitSim::TUnitSim() {
    // Identity: version text, number, date 7 March 2007, time 19:26, layout 43.
    memory_[0] = 'Q';
    memory_[1] = 'v';
    memory_[2] = 'l';
    memory_[3] = 12;
    memory_[4] = 7;
    memory_[5] = 32;
    memory_[6] = 7;
    memory_[7] = 19;
    memory_[8] = 26;
    memory_[10] = 43;
    // A plausible stored set until the PC programs its own: all cells at 100, rising axes.
    for (int i = 300; i < 600; ++i) memory_[static_cast<size_t>(i)] = 100;
    static constexpr uint8_t kAxis[10] = {10, 20, 30, 40, 60, 80, 100, 120, 140, 160};
    for (int base : {210, 240, 260, 270, 280})
        for (int k = 0; k < 10; ++k) memory_[static_cast<size_t>(base + k)] = kAxis[k];
    static constexpr uint8_t kAdv[10] = {7, 15, 25, 29, 35, 32, 31, 30, 33, 33};
    for (int k = 0; k < 10; ++k) memory_[static_cast<size_t>(220 + k)] = kAdv[k];
    // Block 1 and the temperature corrections of a CBR 600 F as it leaves the workshop, so that
    // a read from the unit is already within every limit the PC enforces.
    memory_[100] = 0;    // motorbike type
    memory_[102] = 2;    // pulses per revolution
    memory_[103] = 100;  // no speed correction
    memory_[104] = 140;  // limiter 14000 rpm
    memory_[106] = 120;  // shift light 12000 rpm
    memory_[107] = 101;  // largest advance
    memory_[108] = 40;   // servo hysteresis 200 mV
    memory_[111] = 1;
    memory_[112] = 1;
    memory_[113] = 5;
    memory_[121] = 50;   // throttle 0 % at 500 mV
    memory_[122] = 192;  // throttle 100 % at 4420 mV
    memory_[123] = 30;
    memory_[124] = 84;
    memory_[125] = 65;
    memory_[127] = 10;
    memory_[129] = 100;
    memory_[137] = 1;  // coupled throttle maps
    static constexpr uint8_t kChoke[8] = {5, 10, 15, 20, 150, 50, 30, 10};
    for (int k = 0; k < 8; ++k) memory_[static_cast<size_t>(140 + k)] = kChoke[k];
    memory_[150] = 60;  // intake valve 6000 rpm
    static constexpr uint8_t kTuning[5] = {80, 5, 10, 1, 10};
    for (int k = 0; k < 5; ++k) memory_[static_cast<size_t>(151 + k)] = kTuning[k];
    static constexpr uint8_t kTemps[10] = {136, 125, 111, 100, 99, 119, 109, 100, 100, 100};
    for (int k = 0; k < 10; ++k) memory_[static_cast<size_t>(200 + k)] = kTemps[k];
    static constexpr uint8_t kCurve[10] = {152, 150, 149, 227, 230, 240, 217, 212, 227, 227};
    for (int k = 0; k < 10; ++k) memory_[static_cast<size_t>(230 + k)] = kCurve[k];
    for (int k = 0; k < 10; ++k)
        memory_[static_cast<size_t>(250 + k)] = static_cast<uint8_t>(100 + 5 * k);
}

void TUnitSim::SetTitle(const char* title) {
    std::memset(memory_.data() + 16, 0, 30);
    std::strncpy(reinterpret_cast<char*>(memory_.data() + 16), title, 30);
}

void TUnitSim::Receive(const uint8_t* data, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        inFrame_[inCount_++] = data[i];
        if (inCount_ < kFrame) continue;
        if (FrameCheckOk(inFrame_.data())) {
            Answer(inFrame_.data());
            inCount_ = 0;
        } else {
            // Out of step: slide by one byte and look again.
            std::memmove(inFrame_.data(), inFrame_.data() + 1, kFrame - 1);
            inCount_ = kFrame - 1;
        }
    }
}

void TUnitSim::Answer(const uint8_t* in) {
    ++framesReceived_;
    const uint8_t code = in[0];
    ++commandCount_[code];
    if (logCount_ < kCommandLogSize) commandLog_[static_cast<size_t>(logCount_++)] = code;
    if (faults.silent) return;

    uint8_t out[kFrame] = {};
    int block = -1;
    if (code == 48) {
        if (monitorSource == nullptr || !monitorSource->FrameAt(tick_, out)) BuildMonitorFrame(out);
    } else if (code <= 5) {
        if (code == faults.silentWriteBlock) return;
        block = code;
        if (code == 0) {
            std::fill(std::begin(programmed_), std::end(programmed_), false);
        } else {
            std::memcpy(memory_.data() + 100 * code, in + 1, 100);
        }
        programmed_[code] = true;
        out[0] = static_cast<uint8_t>(code | 128);
        std::memcpy(out + 1, memory_.data() + 100 * code, 100);
        if (code == 0) out[11] = faults.layoutVersion;
        if (code == 5 &&
            std::all_of(std::begin(programmed_), std::end(programmed_), [](bool b) { return b; })) {
            savingTicksLeft_ = std::max(0, faults.saveTicks);
            savingCountdown_ = savingTicksLeft_ > 0 ? 503 : 0;
            ++programmings_;
            // A later lone write of block 5 (automatic tuning) is no new programming.
            std::fill(std::begin(programmed_), std::end(programmed_), false);
        }
    } else if (code >= 64 && code <= 69) {
        block = code - 64;
        out[0] = static_cast<uint8_t>(code | 128);
        std::memcpy(out + 1, memory_.data() + 100 * block, 100);
        if (block == 0) out[11] = faults.layoutVersion;
    } else {
        return;  // nothing else is ever answered
    }
    if (block >= 0 && block == faults.silentBlock) return;
    if (block >= 0 && block == faults.differingBlock) out[1 + 37] ^= 0x01;
    if (block >= 0 && block == faults.wrongCodeBlock) out[0] = static_cast<uint8_t>(out[0] + 1);
    out[101] = Check(out);
    if (faults.wrongCheck) out[101] ^= 0x5A;
    ++answers_;
    if (faults.dropEvery > 0 && answers_ % faults.dropEvery == 0) return;
    Queue(out);
}

void TUnitSim::Queue(const uint8_t* frame) {
    if (faults.holdTicks <= 0) {
        Send(frame);
        return;
    }
    if (heldCount_ >= static_cast<int>(held_.size())) return;
    THeld& h = held_[static_cast<size_t>(heldCount_++)];
    std::memcpy(h.frame.data(), frame, kFrame);
    h.dueTick = tick_ + faults.holdTicks;
}

// One answer on the line: its copies, then the garbage that follows it.
void TUnitSim::Send(const uint8_t* frame) {
    for (int i = 0; i < std::max(1, faults.copies); ++i) Emit(frame, kFrame);
    for (int i = 0; i < faults.trailingBytes; ++i) {
        const uint8_t junk = static_cast<uint8_t>(0xA5 ^ i);
        Emit(&junk, 1);
    }
}

void TUnitSim::Emit(const uint8_t* bytes, size_t n) {
    for (size_t i = 0; i < n && outCount_ < out_.size(); ++i) {
        out_[(outStart_ + outCount_) % out_.size()] = bytes[i];
        ++outCount_;
    }
}

size_t TUnitSim::Take(uint8_t* out, size_t cap) {
    const size_t n = std::min(cap, outCount_);
    for (size_t i = 0; i < n; ++i) out[i] = out_[(outStart_ + i) % out_.size()];
    outStart_ = (outStart_ + n) % out_.size();
    outCount_ -= n;
    return n;
}

void TUnitSim::Tick() {
    ++tick_;
    // A point given among the faults is handed to the engine once; the engine's own calls may
    // release or move it afterwards.
    if (faults.point != appliedPoint_) {
        const TEnginePoint& p = faults.point;
        if (p.held)
            engine.HoldPoint(p.rpm, p.tpPercent, p.iapPercent, p.onTpMap);
        else
            engine.ReleasePoint();
        appliedPoint_ = p;
    }
    engine.Step(memory_);
    // The countdown falls from 503 evenly and reaches 0 after saveTicks ticks.
    if (savingTicksLeft_ > 0) {
        --savingTicksLeft_;
        const int total = std::max(1, faults.saveTicks);
        savingCountdown_ =
            static_cast<uint16_t>(std::min(503, (503 * savingTicksLeft_ + total - 1) / total));
    }
    // Release the held answers that are due, oldest first.
    int kept = 0;
    for (int i = 0; i < heldCount_; ++i) {
        THeld& h = held_[static_cast<size_t>(i)];
        if (h.dueTick <= tick_) {
            Send(h.frame.data());
        } else {
            held_[static_cast<size_t>(kept++)] = h;
        }
    }
    heldCount_ = kept;
}

void TUnitSim::BuildMonitorFrame(uint8_t* f) {
    const TEngineState& s = engine.State();
    f[0] = 176;
    PutWord(f, 1, s.rpm);
    PutWord(f, 3, SensorValue(4000));
    PutWord(f, 5, s.apTenthKpa);
    PutWord(f, 7, SensorValue(500 + s.iapPercent * 40));
    PutWord(f, 9, SensorValue(500 + s.tpPercent * 39));
    PutWord(f, 11, SensorValue(s.lambdaMv));
    PutWord(f, 13, SensorValue(3500 - s.coolantC * 25));
    PutWord(f, 15, SensorValue(3000 - s.airC * 20));
    PutWord(f, 17, SensorValue((s.batteryMv - 650) / 11));
    PutWord(f, 19, s.injection14Us / 30);
    PutWord(f, 21, s.injection23Us / 30);
    PutWord(f, 27, SensorValue(s.servoMeasuredMv));
    PutWord(f, 29, SensorValue(s.servoDesiredMv));
    PutWord(f, 31, programmings_);
    for (int i = 0; i < 8; ++i) PutWord(f, 33 + 2 * i, (s.rpm / (i + 1)) & 0x3FF);
    f[51] = static_cast<uint8_t>(s.tpPercent);
    f[52] = static_cast<uint8_t>(s.iapPercent);
    f[53] = static_cast<uint8_t>(s.coolantC + 100);
    f[54] = static_cast<uint8_t>(s.airC + 100);
    const int advMax = memory_[107];
    f[55] = static_cast<uint8_t>(std::max(0, advMax - s.advanceDeg));
    f[57] = s.rpm >= memory_[104] * 100 ? 1 : 0;
    f[58] = 0;
    f[59] = s.mapSuspended ? 1 : 0;
    f[60] = s.onTpMap ? 1 : 0;
    f[61] = s.rpm >= memory_[106] * 100 ? 1 : 0;
    f[62] = 1;
    f[73] = s.ckps ? 1 : 0;
    f[74] = s.cmps ? 1 : 0;
    // Corrections in 0.1 %: warm-up enrichment fading as the coolant warms.
    PutWord(f, 85, std::max(0, (88 - s.coolantC) * 4));
    PutWord(f, 87, 12);
    PutWord(f, 89, 5);
    PutWord(f, 91, 0);
    PutWord(f, 93, 1000 + (13500 - s.batteryMv) / 20);
    PutWord(f, 95, savingCountdown_);
    f[99] = 0;
    f[100] = faults.layoutVersion;
    f[101] = Check(f);
}
