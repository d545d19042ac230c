// The texts of the window's monitor log in the three languages.
#pragma once

#include <cstdint>

enum class TLogText : uint8_t {
    Running,      // file name, kilobytes
    Failed,       // reason
    CannotStart,  // file, reason
    Count
};

// The text of t in language lang (0 Czech, 1 English, 2 German; English for any other).
const char* LogText(uint8_t lang, TLogText t);

struct TMainWindow;
// The caption of Device > "Record log..." in language lang.
void ApplyLogCaptions(TMainWindow& window, uint8_t lang);
