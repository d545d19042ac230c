#include "fault_options.h"

#include <charconv>

namespace {

// The whole text as a decimal number within [lo, hi].
bool Number(const std::string& text, int lo, int hi, int& out) {
    int v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || v < lo || v > hi) return false;
    out = v;
    return true;
}

// "RPM,TP,IAP,MAP": speed 300-20000 rpm (the unit uses no map cell below 300), throttle and
// pressure 0-100 %, map "tp" or "iap".
bool Point(const std::string& text, TEnginePoint& out) {
    std::string part[4];
    size_t from = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = i < 3 ? text.find(',', from) : text.size();
        if (comma == std::string::npos) return false;
        part[i] = text.substr(from, comma - from);
        from = comma + 1;
    }
    TEnginePoint p;
    p.held = true;
    if (part[3] != "tp" && part[3] != "iap") return false;
    p.onTpMap = part[3] == "tp";
    if (!Number(part[0], 300, 20000, p.rpm) || !Number(part[1], 0, 100, p.tpPercent) ||
        !Number(part[2], 0, 100, p.iapPercent))
        return false;
    out = p;
    return true;
}

}  // namespace

bool ApplyFaultOption(TUnitFaults& f, const std::string& word) {
    const size_t eq = word.find('=');
    const std::string name = word.substr(0, eq);
    if (eq == std::string::npos) {
        if (name == "silent") {
            f.silent = true;
        } else if (name == "wrong-check") {
            f.wrongCheck = true;
        } else {
            return false;
        }
        return true;
    }
    const std::string value = word.substr(eq + 1);
    int v = 0;
    // The bounds keep every knob meaningful: a block number, a version byte, and counts the
    // unit's output buffer can hold, so that no value makes the unit hang or wrap around.
    if (name == "layout" && Number(value, 0, 255, v)) {
        f.layoutVersion = static_cast<uint8_t>(v);
    } else if (name == "hold" && Number(value, 0, 1000, v)) {
        f.holdTicks = v;
    } else if (name == "differ" && Number(value, 0, 5, v)) {
        f.differingBlock = v;
    } else if (name == "mute" && Number(value, 0, 5, v)) {
        f.silentWriteBlock = v;
    } else if (name == "wrong-code" && Number(value, 0, 5, v)) {
        f.wrongCodeBlock = v;
    } else if (name == "drop-every" && Number(value, 0, 1000, v)) {
        f.dropEvery = v;
    } else if (name == "copies" && Number(value, 1, 16, v)) {
        f.copies = v;
    } else if (name == "trailing" && Number(value, 0, 1000, v)) {
        f.trailingBytes = v;
    } else if (name == "save-ticks" && Number(value, 0, 10000, v)) {
        f.saveTicks = v;
    } else if (name == "point") {
        return Point(value, f.point);
    } else {
        return false;
    }
    return true;
}
