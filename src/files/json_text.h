// Small pieces of JSON output.
#pragma once

#include <cstdio>
#include <string>

// s as a JSON string, quotes included.
inline std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", static_cast<unsigned char>(c));
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}
