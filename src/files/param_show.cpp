#include "files/param_show.h"

#include <cstdio>

#include "files/json_text.h"
#include "params/bike_types.h"
#include "params/param_catalog.h"

namespace {

using F = TField;

const char* const kTpsModes[4] = {"separate", "coupled", "TP14 copied to TP23",
                                  "TP23 copied to TP14"};

const F kSingles[] = {F::BIKE,        F::RPM_PULSES,      F::RPM_CORRECTION,  F::LIMITER2,
                      F::PILOT_LIGHT, F::INTAKE_VALVE,    F::BLOK_ENABLE,     F::PRIV_ENABLE,
                      F::PRIV_HYSTER, F::IAP_TO_TPS,      F::TPS_MODE,        F::TPS_0,
                      F::TPS_100,     F::ACCEL_THRESHOLD, F::ACCEL_SIZE,      F::START_JET,
                      F::COOLING,     F::TUNING_LAMBDA,   F::TUNING_ACCURACY, F::TUNING_RPM,
                      F::TUNING_TPS,  F::TUNING_STEP};

struct TCurve {
    const char* caption;
    F rows[2];
};
const TCurve kCurves[] = {
    {"Ignition advance", {F::RPM_ADV, F::ADVANCE}},
    {"Servo", {F::RPM_PRIV, F::NAP_PRIV}},
    {"Temperature corrections at -10, 20, 50, 80, 110 C", {F::WATER_TEMP, F::AIR_TEMP}},
    {"Starting corrections", {F::CHOKE_TIME, F::CHOKE_CORR}}};

// The list entry without its padding: runs of blanks as one, none at the end.
std::string Trimmed(const char* s) {
    std::string t;
    for (; *s != 0; ++s)
        if (*s != ' ' || (!t.empty() && t.back() != ' ')) t += *s;
    if (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

// The name of a choice value, "" when the field has none.
std::string ChoiceName(const TParamImage& image, F f) {
    const int v = image.Get(f);
    if (f == F::BIKE) return v < kBikeTypes ? Trimmed(kBikeEntries[v]) : "no type";
    if (f == F::TPS_MODE) return v < 4 ? kTpsModes[v] : "unknown mode";
    return "";
}

std::string Cells(const char* label, const int* values, int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "  %-20s", label);
    std::string line = buf;
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, "%6d", values[i]);
        line += buf;
    }
    return line + "\n";
}

std::string FieldRow(const TParamImage& image, F f) {
    int v[10];
    const int n = FieldInfo(f).count;
    for (int k = 0; k < n; ++k) v[k] = ShownValue(image, f, k);
    const std::string label = std::string(FieldInfo(f).name) + " [" + FileParam(f)->unit + "]";
    return Cells(label.c_str(), v, n);
}

std::string Singles(const TParamSet& set) {
    std::string out = "Settings\n";
    char buf[96];
    for (F f : kSingles) {
        std::snprintf(buf, sizeof buf, "  %-20s%6d", FieldInfo(f).name,
                      ShownValue(set.image, f, 0));
        std::string line = buf;
        for (const std::string& word : {std::string(FileParam(f)->unit), ChoiceName(set.image, f)})
            if (!word.empty()) line += " " + word;
        out += line + "\n";
    }
    std::snprintf(buf, sizeof buf, "  %-20s%6d\n", "EXT_MON", set.extMonitor ? 1 : 0);
    return out + buf;
}

std::string Map(const TParamImage& image, F map) {
    const F axis = MapAxis(map);
    std::string out = std::string(MapCaption(map)) + ": " + FieldInfo(map).name + " [%], columns " +
                      FieldInfo(axis).name + " [rpm], rows " + MapLoadName(map) + " [%]\n";
    int v[10];
    for (int c = 0; c < 10; ++c) v[c] = ShownValue(image, axis, c);
    out += Cells((std::string(MapLoadName(map)) + " % \\ rpm").c_str(), v, 10);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 10; ++c) v[c] = ShownValue(image, map, 10 * r + c);
        char label[16];
        std::snprintf(label, sizeof label, "%5d", MapRowLoad(map, r));
        out += Cells(label, v, 10);
    }
    return out;
}

}  // namespace

std::string ShowParamSetText(const TParamSet& set) {
    std::string out = Singles(set);
    for (const TCurve& c : kCurves)
        out += std::string("\n") + c.caption + "\n" + FieldRow(set.image, c.rows[0]) +
               FieldRow(set.image, c.rows[1]);
    for (F map : {F::JET_TP, F::JET_TPi, F::JET_IAP}) out += "\n" + Map(set.image, map);
    return out;
}

namespace {

std::string JsonList(const int* v, int n) {
    std::string out = "[";
    for (int i = 0; i < n; ++i) out += (i > 0 ? ", " : "") + std::to_string(v[i]);
    return out + "]";
}

std::string JsonMap(const TParamImage& image, F map) {
    int v[10];
    for (int r = 0; r < 10; ++r) v[r] = MapRowLoad(map, r);
    std::string out = ", \"axis\": " + JsonString(FieldInfo(MapAxis(map)).name) +
                      ", \"load\": " + JsonString(MapLoadName(map)) +
                      ", \"rows\": " + JsonList(v, 10) + ", \"cells\": [";
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 10; ++c) v[c] = ShownValue(image, map, 10 * r + c);
        out += (r > 0 ? ", " : "") + JsonList(v, 10);
    }
    return out + "]";
}

std::string JsonParam(const TParamImage& image, const TParamEntry& e) {
    const int n = FieldInfo(e.field).count;
    std::string out = JsonString(FieldInfo(e.field).name) + ": {\"unit\": " + JsonString(e.unit);
    if (IsMap(e.field)) return out + JsonMap(image, e.field) + "}";
    if (n == 1) return out + ", \"value\": " + std::to_string(ShownValue(image, e.field, 0)) + "}";
    int v[10];
    for (int k = 0; k < n; ++k) v[k] = ShownValue(image, e.field, k);
    return out + ", \"values\": " + JsonList(v, n) + "}";
}

}  // namespace

std::string ShowParamSetJson(const TParamSet& set) {
    int count = 0;
    const TParamEntry* params = FileParams(count);
    std::string out = "{\"parameters\": {";
    for (int i = 0; i < count; ++i) out += "\n  " + JsonParam(set.image, params[i]) + ",";
    return out + "\n  \"EXT_MON\": {\"unit\": \"\", \"value\": " +
           std::to_string(set.extMonitor ? 1 : 0) + "}\n}}\n";
}
