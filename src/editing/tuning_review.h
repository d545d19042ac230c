// What automatic tuning has changed since it was switched on, the opt-in limits on its
// corrections, and the text that says what tuning is doing at this moment.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "editing/tuning.h"
#include "params/param_image.h"

constexpr int kMapBytesFirst = 300;  // the three maps, image bytes 300 to 599
constexpr int kMapBytes = 300;

// The maps at the moment tuning was switched on, and the steps tuning has made since.
struct TTuningReview {
    bool active = false;  // a baseline is held
    TParamImage baseline;
    uint16_t corrections = 0;                // corrections that changed a cell
    std::array<uint8_t, kMapBytes> steps{};  // by map byte, stopping at 255

    void Start(const TParamImage& image);
    // One correction moved these map bytes (300 to 599): one, or both TP maps in Coupled mode.
    void Record(const int* imageBytes, int count);
    int CellsChanged(const TParamImage& image) const;
    // The baseline's maps back into the image.
    void RevertInto(TParamImage& image) const;
    // The review starts afresh from the image: the changes count as accepted.
    void Accept(const TParamImage& image);
    // How far the byte would stand from its baseline after one more step, in percent.
    int PercentFromBaseline(int imageByte, int newValue) const;
};

// Limits that hold corrections back; each is off unless switched on. Locked cells are kept by
// map byte.
struct TTuningLimits {
    bool changeLimited = false;
    int maxChangePercent = 10;  // 1 to 100
    bool coolantLimited = false;
    int minCoolantC = 60;  // -10 to 120
    std::array<bool, kMapBytes> locked{};

    bool Locked(int imageByte) const;
    void SetLocked(int imageByte, bool on);
    // The locked bytes as text for the settings ("312 415 ..."), and back.
    size_t LockedText(char* out, size_t cap) const;
    void ReadLocked(const char* text);
};

// Why a correction was held back, or None.
enum class TLimitStop : uint8_t { None, Locked, Change, Coolant };

// The map bytes that a correction of the target would move (one, or two in Coupled mode on the
// TP14 target); returns their count.
int CorrectionBytes(const TParamImage& image, const TOperatingPoint& op, TTuningTarget target,
                    int (&bytes)[2]);
// Whether a limit holds the correction back; percent receives the change the limit saw.
TLimitStop CheckLimits(const TTuningLimits& limits, const TTuningReview& review,
                       const TParamImage& image, const int* bytes, int count, TLambdaReading lambda,
                       int coolantC, int& percent);
