#include "files/monitor_log_format.h"

#include <charconv>
#include <cstring>

namespace {

enum class TKind : uint8_t { Time, Number, Word, Frame };

const char* const kActiveMap[] = {"IAP", "TP", nullptr};
const char* const kTuning[] = {"off", "window", "on_target", nullptr};
const char* const kMaps[] = {"TP14", "TP23", "IAP", nullptr};

struct TColumn {
    const char* name;
    TKind kind;
    uint8_t decimals;
    int32_t TMonitorValues::*value;
    int32_t TLogExtras::*extra;
    const char* const* words;
};

using V = TMonitorValues;
using E = TLogExtras;
constexpr TKind N = TKind::Number;
constexpr TKind W = TKind::Word;

const TColumn kColumns[] = {
    {"time_s", TKind::Time, 3, nullptr, nullptr, nullptr},
    {"rpm", N, 0, &V::rpm, nullptr, nullptr},
    {"tp_pct", N, 0, &V::tpPercent, nullptr, nullptr},
    {"tp_mV", N, 0, &V::tpMv, nullptr, nullptr},
    {"iap_pct", N, 0, &V::iapPercent, nullptr, nullptr},
    {"iap_mV", N, 0, &V::iapMv, nullptr, nullptr},
    {"ap_kPa", N, 1, &V::apTenthKpa, nullptr, nullptr},
    {"lambda_mV", N, 0, &V::lambdaMv, nullptr, nullptr},
    {"coolant_C", N, 0, &V::coolantC, nullptr, nullptr},
    {"air_C", N, 0, &V::airC, nullptr, nullptr},
    {"battery_V", N, 3, &V::batteryMv, nullptr, nullptr},
    {"advance_deg", N, 0, &V::advanceDeg, nullptr, nullptr},
    {"inj14_us", N, 0, &V::injection14Us, nullptr, nullptr},
    {"inj23_us", N, 0, &V::injection23Us, nullptr, nullptr},
    {"duty_pct", N, 0, &V::dutyPercent, nullptr, nullptr},
    {"corr_coolant_pct", N, 1, &V::coolantCorrTenth, nullptr, nullptr},
    {"corr_air_pct", N, 1, &V::airCorrTenth, nullptr, nullptr},
    {"corr_ap_pct", N, 1, &V::apCorrTenth, nullptr, nullptr},
    {"corr_start_pct", N, 1, &V::startCorrTenth, nullptr, nullptr},
    {"corr_voltage_us", N, 0, &V::voltageCorrUs, nullptr, nullptr},
    {"servo_desired_mV", N, 0, &V::servoDesiredMv, nullptr, nullptr},
    {"servo_measured_mV", N, 0, &V::servoMeasuredMv, nullptr, nullptr},
    {"blocking", N, 0, &V::blocking, nullptr, nullptr},
    {"ckps", N, 0, &V::ckps, nullptr, nullptr},
    {"cmps", N, 0, &V::cmps, nullptr, nullptr},
    {"map_suspended", N, 0, &V::mapSuspended, nullptr, nullptr},
    {"map_active", W, 0, &V::tpMapActive, nullptr, kActiveMap},
    {"saving_countdown", N, 0, &V::savingCountdown, nullptr, nullptr},
    {"tp14_row", N, 0, nullptr, &E::tp14Row, nullptr},
    {"tp14_col", N, 0, nullptr, &E::tp14Col, nullptr},
    {"tp23_row", N, 0, nullptr, &E::tp23Row, nullptr},
    {"tp23_col", N, 0, nullptr, &E::tp23Col, nullptr},
    {"iap_row", N, 0, nullptr, &E::iapRow, nullptr},
    {"iap_col", N, 0, nullptr, &E::iapCol, nullptr},
    {"tuning", W, 0, nullptr, &E::tuning, kTuning},
    {"tune_map", W, 0, nullptr, &E::tuneMap, kMaps},
    {"tune_row", N, 0, nullptr, &E::tuneRow, nullptr},
    {"tune_col", N, 0, nullptr, &E::tuneCol, nullptr},
    {"tune_old", N, 0, nullptr, &E::tuneOld, nullptr},
    {"tune_new", N, 0, nullptr, &E::tuneNew, nullptr},
    {"frame", TKind::Frame, 0, nullptr, nullptr, nullptr},
};
constexpr int kColumnCount = static_cast<int>(sizeof kColumns / sizeof kColumns[0]);

int32_t& Slot(const TColumn& c, TLogRow& row) {
    return c.value != nullptr ? row.values.*c.value : row.extras.*c.extra;
}
int32_t Slot(const TColumn& c, const TLogRow& row) {
    return c.value != nullptr ? row.values.*c.value : row.extras.*c.extra;
}

int64_t Pow10(int d) {
    int64_t p = 1;
    while (d-- > 0) p *= 10;
    return p;
}

// A fixed-point number: v / 10^decimals with exactly `decimals` digits after a dot.
char* PutFixed(char* p, char* end, int64_t v, int decimals) {
    if (decimals == 0) return std::to_chars(p, end, v).ptr;
    if (v < 0 && p < end) *p++ = '-';
    const uint64_t a = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    const uint64_t scale = static_cast<uint64_t>(Pow10(decimals));
    p = std::to_chars(p, end, a / scale).ptr;
    if (end - p < decimals + 1) return end;
    *p++ = '.';
    uint64_t frac = a % scale;
    for (int i = decimals - 1; i >= 0; --i, frac /= 10) p[i] = static_cast<char>('0' + frac % 10);
    return p + decimals;
}

char* PutText(char* p, char* end, const char* s) {
    const size_t n = std::strlen(s);
    if (static_cast<size_t>(end - p) < n) return end;
    std::memcpy(p, s, n);
    return p + n;
}

char* PutHex(char* p, char* end, const TLogFrame& frame) {
    static const char kHex[] = "0123456789abcdef";
    if (end - p < 2 * static_cast<long>(frame.size())) return end;
    for (uint8_t b : frame) {
        *p++ = kHex[b >> 4];
        *p++ = kHex[b & 15];
    }
    return p;
}

// The field of one column; none of them ever needs quoting.
char* PutField(char* p, char* end, const TColumn& c, const TLogRow& row) {
    if (c.kind == TKind::Time) return PutFixed(p, end, row.timeMs, c.decimals);
    if (c.kind == TKind::Frame) return PutHex(p, end, row.frame);
    const int32_t v = Slot(c, row);
    if (v == kNoValue) return p;
    if (c.kind == TKind::Number) return PutFixed(p, end, v, c.decimals);
    for (int i = 0; c.words[i] != nullptr; ++i)
        if (i == v) return PutText(p, end, c.words[i]);
    return p;  // a value without a word is written as none
}

}  // namespace

std::string LogHeader() {
    std::string h;
    for (int i = 0; i < kColumnCount; ++i) {
        if (i > 0) h += ',';
        h += kColumns[i].name;
    }
    return h + "\r\n";
}

size_t FormatLogLine(const TLogRow& row, char* out, size_t cap) {
    char* p = out;
    char* const end = out + cap;
    for (int i = 0; i < kColumnCount && p < end; ++i) {
        if (i > 0) *p++ = ',';
        p = PutField(p, end, kColumns[i], row);
    }
    if (end - p < 2) return 0;
    *p++ = '\r';
    *p++ = '\n';
    return static_cast<size_t>(p - out);
}

int LogColumnCount() {
    return kColumnCount;
}

const char* LogColumnName(int column) {
    return kColumns[column].name;
}

int LogColumnOf(const std::string& name) {
    for (int i = 0; i < kColumnCount; ++i)
        if (name == kColumns[i].name) return i;
    return -1;
}

namespace {

// A fixed-point number with at most `decimals` significant digits after the dot.
bool ParseFixed(const std::string& s, int decimals, int64_t& out) {
    const char* p = s.data();
    const char* const end = p + s.size();
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    uint64_t whole = 0;
    const auto r = std::from_chars(p, end, whole);
    if (r.ec != std::errc() || whole > (uint64_t{1} << 62) / static_cast<uint64_t>(Pow10(decimals)))
        return false;
    p = r.ptr;
    int64_t v = static_cast<int64_t>(whole) * Pow10(decimals);
    if (p < end && *p == '.') {
        ++p;
        if (p == end) return false;
        for (int d = 1; p < end; ++p, ++d) {
            if (*p < '0' || *p > '9') return false;
            if (d > decimals && *p != '0') return false;
            if (d <= decimals) v += (*p - '0') * Pow10(decimals - d);
        }
    }
    if (p != end) return false;
    out = negative ? -v : v;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseFrame(const std::string& s, TLogFrame& frame, std::string& reason) {
    if (s.size() != 2 * frame.size()) {
        reason = std::to_string(s.size()) + " hex digits where a frame has " +
                 std::to_string(2 * frame.size());
        return false;
    }
    for (size_t i = 0; i < frame.size(); ++i) {
        const int hi = HexDigit(s[2 * i]), lo = HexDigit(s[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            reason = "\"" + s.substr(2 * i, 2) + "\" is not a hex byte";
            return false;
        }
        frame[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    return true;
}

bool ParseWord(const TColumn& c, const std::string& s, int32_t& v) {
    for (int i = 0; c.words[i] != nullptr; ++i)
        if (s == c.words[i]) {
            v = i;
            return true;
        }
    return false;
}

}  // namespace

bool ParseLogField(int column, const std::string& text, TLogRow& row, std::string& reason) {
    const TColumn& c = kColumns[column];
    if (c.kind == TKind::Frame) return ParseFrame(text, row.frame, reason);
    int64_t v = 0;
    if (c.kind == TKind::Time) {
        if (ParseFixed(text, c.decimals, v) && v >= 0) {
            row.timeMs = v;
            return true;
        }
    } else if (text.empty()) {
        Slot(c, row) = kNoValue;
        return true;
    } else if (c.kind == TKind::Word) {
        if (ParseWord(c, text, Slot(c, row))) return true;
    } else if (ParseFixed(text, c.decimals, v) && v > INT32_MIN && v <= INT32_MAX) {
        Slot(c, row) = static_cast<int32_t>(v);
        return true;
    }
    reason = "\"" + text + "\" is not " +
             (c.kind == TKind::Word   ? "one of its words"
              : c.kind == TKind::Time ? "a time in seconds"
                                      : "a number");
    return false;
}
