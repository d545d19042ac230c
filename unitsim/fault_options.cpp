#include "fault_options.h"

#include <cstdlib>

bool ApplyFaultOption(TUnitFaults& f, const std::string& word) {
    const size_t eq = word.find('=');
    const std::string name = word.substr(0, eq);
    const bool hasValue = eq != std::string::npos;
    const int v = hasValue ? std::atoi(word.c_str() + eq + 1) : 0;
    if (name == "silent") {
        f.silent = true;
    } else if (name == "wrong-check") {
        f.wrongCheck = true;
    } else if (name == "layout" && hasValue) {
        f.layoutVersion = static_cast<uint8_t>(v);
    } else if (name == "hold" && hasValue) {
        f.holdTicks = v;
    } else if (name == "differ" && hasValue) {
        f.differingBlock = v;
    } else if (name == "mute" && hasValue) {
        f.silentBlock = v;
    } else if (name == "wrong-code" && hasValue) {
        f.wrongCodeBlock = v;
    } else if (name == "drop-every" && hasValue) {
        f.dropEvery = v;
    } else if (name == "copies" && hasValue) {
        f.copies = v;
    } else if (name == "trailing" && hasValue) {
        f.trailingBytes = v;
    } else {
        return false;
    }
    return true;
}
