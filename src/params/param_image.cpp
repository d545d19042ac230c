#include "params/param_image.h"

namespace {

constexpr TFieldInfo kFields[] = {
    {"UNIT_VERSION_TEXT", 0, 3, 1, 0},  {"UNIT_VERSION_NUMBER", 3, 1, 1, 0},
    {"UNIT_DATE_DAY", 4, 1, 1, 0},      {"UNIT_DATE_MONTH", 5, 1, 1, 0},
    {"UNIT_DATE_YEAR", 6, 1, 1, 0},     {"UNIT_TIME_HOUR", 7, 1, 1, 0},
    {"UNIT_TIME_MINUTE", 8, 1, 1, 0},   {"LAYOUT_VERSION", 10, 1, 1, 0},
    {"UNIT_TITLE_TEXT", 16, 30, 1, 0},  {"BIKE", 100, 1, 1, 0},
    {"RPM_PULSES", 102, 1, 1, 0},       {"RPM_CORRECTION", 103, 1, 1, -100},
    {"LIMITER2", 104, 1, 100, 0},       {"PILOT_LIGHT", 106, 1, 100, 0},
    {"ADVANCE_MAX", 107, 1, 1, 0},      {"PRIV_HYSTER", 108, 1, 5, 0},
    {"BIKE_PARAM_A", 110, 1, 1, 0},     {"PRIV_ENABLE", 111, 1, 1, 0},
    {"BLOK_ENABLE", 112, 1, 1, 0},      {"IAP_TO_TPS", 113, 1, 1, 0},
    {"TPS_0", 121, 1, 10, 0},           {"TPS_100", 122, 1, 10, 2500},
    {"ACCEL_THRESHOLD", 123, 1, 10, 0}, {"ACCEL_SIZE", 124, 1, 30, 0},
    {"BIKE_PARAM_B", 125, 1, 1, 0},     {"BIKE_PARAM_C", 126, 1, 1, 0},
    {"START_JET", 127, 1, 1, 0},        {"COOLING", 129, 1, 1, 0},
    {"TPS_MODE", 137, 1, 1, 0},         {"CHOKE_TIME", 140, 4, 1, 0},
    {"CHOKE_CORR", 144, 4, 1, 100},     {"INTAKE_VALVE", 150, 1, 100, 0},
    {"TUNING_LAMBDA", 151, 1, 10, 0},   {"TUNING_ACCURACY", 152, 1, 10, 0},
    {"TUNING_RPM", 153, 1, 10, 0},      {"TUNING_TPS", 154, 1, 1, 0},
    {"TUNING_STEP", 155, 1, 100, 0},    {"WATER_TEMP", 200, 5, 1, 0},
    {"AIR_TEMP", 205, 5, 1, 0},         {"RPM_ADV", 210, 10, 100, 0},
    {"ADVANCE", 220, 10, 1, 0},         {"BIKE_CURVE", 230, 10, 1, 0},
    {"RPM_PRIV", 240, 10, 100, 0},      {"NAP_PRIV", 250, 10, 20, 0},
    {"RPM_JET_TP", 260, 10, 100, 0},    {"RPM_JET_TPi", 270, 10, 100, 0},
    {"RPM_JET_IAP", 280, 10, 100, 0},   {"JET_TP", 300, 100, 1, 0},
    {"JET_TPi", 400, 100, 1, 0},        {"JET_IAP", 500, 100, 1, 0},
};
static_assert(sizeof(kFields) / sizeof(kFields[0]) == static_cast<size_t>(TField::Count));

}  // namespace

const TFieldInfo& FieldInfo(TField f) {
    return kFields[static_cast<size_t>(f)];
}

int ToShown(TField f, uint8_t raw) {
    const TFieldInfo& info = FieldInfo(f);
    return raw * info.factor + info.offset;
}

uint8_t FromShown(TField f, int shown) {
    switch (f) {
        case TField::RPM_CORRECTION:
            return static_cast<uint8_t>(shown + 100);
        case TField::CHOKE_CORR:
            return static_cast<uint8_t>(shown - 100);
        case TField::TPS_100:
            // (v / 10 + 6) mod 256 equals (v - 2500) / 10 over the whole on-screen range.
            return static_cast<uint8_t>(shown / 10 + 6);
        default:
            return static_cast<uint8_t>(shown / FieldInfo(f).factor);
    }
}
