// The 600-byte parameter image of the unit: six blocks of 100 bytes, every field one unsigned byte
// or an array of them. Shown value = raw * factor + offset.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

enum class TField : uint8_t {
    // block 0: the unit's identity
    UNIT_VERSION_TEXT,
    UNIT_VERSION_NUMBER,
    UNIT_DATE_DAY,
    UNIT_DATE_MONTH,
    UNIT_DATE_YEAR,
    UNIT_TIME_HOUR,
    UNIT_TIME_MINUTE,
    LAYOUT_VERSION,
    UNIT_TITLE_TEXT,
    // block 1: single values
    BIKE,
    RPM_PULSES,
    RPM_CORRECTION,
    LIMITER2,
    PILOT_LIGHT,
    ADVANCE_MAX,
    PRIV_HYSTER,
    BIKE_PARAM_A,
    PRIV_ENABLE,
    BLOK_ENABLE,
    IAP_TO_TPS,
    TPS_0,
    TPS_100,
    ACCEL_THRESHOLD,
    ACCEL_SIZE,
    BIKE_PARAM_B,
    BIKE_PARAM_C,
    START_JET,
    COOLING,
    TPS_MODE,
    CHOKE_TIME,
    CHOKE_CORR,
    INTAKE_VALVE,
    TUNING_LAMBDA,
    TUNING_ACCURACY,
    TUNING_RPM,
    TUNING_TPS,
    TUNING_STEP,
    // block 2: curves and axes
    WATER_TEMP,
    AIR_TEMP,
    RPM_ADV,
    ADVANCE,
    BIKE_CURVE,
    RPM_PRIV,
    NAP_PRIV,
    RPM_JET_TP,
    RPM_JET_TPi,
    RPM_JET_IAP,
    // blocks 3 to 5: the maps, row by row
    JET_TP,
    JET_TPi,
    JET_IAP,
    Count
};

struct TFieldInfo {
    const char* name;
    uint16_t base;   // first image byte
    uint8_t count;   // number of elements
    int16_t factor;  // shown = raw * factor + offset
    int16_t offset;
};

const TFieldInfo& FieldInfo(TField f);

// The three injection maps, in the order of their blocks.
enum class TMap : uint8_t { JetTp = 0, JetTpi = 1, JetIap = 2 };

constexpr int kLayoutVersion = 43;

class TParamImage {
  public:
    static constexpr int kSize = 600;
    static constexpr int kBlockSize = 100;
    static constexpr int kBlocks = 6;

    uint8_t& operator[](int i) { return bytes_[static_cast<size_t>(i)]; }
    uint8_t operator[](int i) const { return bytes_[static_cast<size_t>(i)]; }

    uint8_t* Data() { return bytes_.data(); }
    const uint8_t* Data() const { return bytes_.data(); }

    const uint8_t* Block(int b) const { return bytes_.data() + b * kBlockSize; }
    void SetBlock(int b, const uint8_t* data) {
        std::memcpy(bytes_.data() + b * kBlockSize, data, kBlockSize);
    }
    bool BlockEquals(int b, const uint8_t* data) const {
        return std::memcmp(Block(b), data, kBlockSize) == 0;
    }

    static int ByteOf(TField f, int k = 0) { return FieldInfo(f).base + k; }
    uint8_t Get(TField f, int k = 0) const { return bytes_[static_cast<size_t>(ByteOf(f, k))]; }
    void Set(TField f, int k, uint8_t v) { bytes_[static_cast<size_t>(ByteOf(f, k))] = v; }
    void Set(TField f, uint8_t v) { Set(f, 0, v); }

    static int CellByte(TMap m, int row, int col) {
        return 300 + 100 * static_cast<int>(m) + 10 * row + col;
    }
    uint8_t Cell(TMap m, int row, int col) const {
        return bytes_[static_cast<size_t>(CellByte(m, row, col))];
    }
    void SetCell(TMap m, int row, int col, uint8_t v) {
        bytes_[static_cast<size_t>(CellByte(m, row, col))] = v;
    }

    void Clear() { bytes_.fill(0); }
    bool operator==(const TParamImage& o) const { return bytes_ == o.bytes_; }
    bool operator!=(const TParamImage& o) const { return !(*this == o); }

  private:
    std::array<uint8_t, kSize> bytes_{};
};

// Raw byte to shown value and back; FromShown keeps the low 8 bits of the truncated quotient.
int ToShown(TField f, uint8_t raw);
uint8_t FromShown(TField f, int shown);
