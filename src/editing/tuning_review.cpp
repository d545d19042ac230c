#include "editing/tuning_review.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editing/adjust.h"

void TTuningReview::Start(const TParamImage& image) {
    active = true;
    baseline = image;
    corrections = 0;
    steps.fill(0);
}

void TTuningReview::Record(const int* imageBytes, int count) {
    if (!active) return;
    bool counted = false;
    for (int i = 0; i < count; ++i) {
        const int b = imageBytes[i];
        if (b < kMapBytesFirst || b >= kMapBytesFirst + kMapBytes) continue;
        uint8_t& s = steps[static_cast<size_t>(b - kMapBytesFirst)];
        if (s != UINT8_MAX) ++s;
        counted = true;
    }
    if (counted && corrections != UINT16_MAX) ++corrections;
}

int TTuningReview::CellsChanged(const TParamImage& image) const {
    if (!active) return 0;
    int n = 0;
    for (int b = kMapBytesFirst; b < kMapBytesFirst + kMapBytes; ++b) n += image[b] != baseline[b];
    return n;
}

void TTuningReview::RevertInto(TParamImage& image) const {
    if (!active) return;
    std::memcpy(image.Data() + kMapBytesFirst, baseline.Data() + kMapBytesFirst, kMapBytes);
}

void TTuningReview::Accept(const TParamImage& image) {
    Start(image);
}

int TTuningReview::PercentFromBaseline(int b, int v) const {
    const int base = baseline[b];
    if (base == 0) return v == 0 ? 0 : 100;
    return std::abs(v - base) * 100 / base;
}

bool TTuningLimits::Locked(int b) const {
    return b >= kMapBytesFirst && b < kMapBytesFirst + kMapBytes &&
           locked[static_cast<size_t>(b - kMapBytesFirst)];
}

void TTuningLimits::SetLocked(int b, bool on) {
    if (b >= kMapBytesFirst && b < kMapBytesFirst + kMapBytes)
        locked[static_cast<size_t>(b - kMapBytesFirst)] = on;
}

size_t TTuningLimits::LockedText(char* out, size_t cap) const {
    size_t n = 0;
    if (cap > 0) out[0] = 0;
    for (int i = 0; i < kMapBytes && n + 5 < cap; ++i) {
        if (!locked[static_cast<size_t>(i)]) continue;
        const int w = std::snprintf(out + n, cap - n, n == 0 ? "%d" : " %d", kMapBytesFirst + i);
        if (w > 0) n += static_cast<size_t>(w);
    }
    return n;
}

void TTuningLimits::ReadLocked(const char* text) {
    locked.fill(false);
    const char* p = text;
    while (p != nullptr && *p != 0) {
        char* end = nullptr;
        const long v = std::strtol(p, &end, 10);
        if (end == p) {
            ++p;  // anything but a number is skipped
            continue;
        }
        if (v >= kMapBytesFirst && v < kMapBytesFirst + kMapBytes)
            SetLocked(static_cast<int>(v), true);
        p = end;
    }
}

int CorrectionBytes(const TParamImage& image, const TOperatingPoint& op, TTuningTarget target,
                    int (&bytes)[2]) {
    auto byteOf = [&](TMap map) {
        const TCellIndex c = OperatingCell(op, map);
        return TParamImage::CellByte(map, c.row, c.column);
    };
    switch (target) {
        case TTuningTarget::Tp14:
            bytes[0] = byteOf(TMap::JetTp);
            if (image.Get(TField::TPS_MODE) != 1) return 1;
            bytes[1] = byteOf(TMap::JetTpi);
            return 2;
        case TTuningTarget::Tp23:
            bytes[0] = byteOf(TMap::JetTpi);
            return 1;
        case TTuningTarget::Iap:
            bytes[0] = byteOf(TMap::JetIap);
            return 1;
        case TTuningTarget::None:
            break;
    }
    return 0;
}

TLimitStop CheckLimits(const TTuningLimits& limits, const TTuningReview& review,
                       const TParamImage& image, const int* bytes, int count, TLambdaReading lambda,
                       int coolantC, int& percent) {
    percent = 0;
    if (limits.coolantLimited && coolantC < limits.minCoolantC) return TLimitStop::Coolant;
    const int step = lambda.lean ? 1 : lambda.rich ? -1 : 0;
    for (int i = 0; i < count; ++i) {
        if (limits.Locked(bytes[i])) return TLimitStop::Locked;
        if (!limits.changeLimited || !review.active || step == 0) continue;
        percent = review.PercentFromBaseline(bytes[i], image[bytes[i]] + step);
        if (percent > limits.maxChangePercent) return TLimitStop::Change;
    }
    return TLimitStop::None;
}
