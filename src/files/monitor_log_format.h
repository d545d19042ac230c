// One line of a monitor log: the CSV columns, their header names and their text. A log is UTF-8
// text with CR LF line ends: one header row, then one line per monitor frame. Numbers use a dot
// as decimal separator whatever the locale; an empty field stands for "none" (no cell lit, no
// tuning correction) or for a sensor error; the last column holds the frame as 204 hex digits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/monitor_values.h"

// The automatic tuning's view of the lit cell: not in the tolerance window, in it with lambda
// off target (yellow), in it with lambda on target (fuchsia).
enum class TLogTuning : uint8_t { Off = 0, Window = 1, OnTarget = 2 };

// The maps as the log names them: TP14, TP23, IAP.
enum class TLogMap : uint8_t { Tp14 = 0, Tp23 = 1, Iap = 2 };

// What the line tells beyond the frame. Every field is kNoValue when there is nothing to tell.
struct TLogExtras {
    int32_t tp14Row = kNoValue, tp14Col = kNoValue;  // the lit cell of each map
    int32_t tp23Row = kNoValue, tp23Col = kNoValue;
    int32_t iapRow = kNoValue, iapCol = kNoValue;
    int32_t tuning = 0;          // TLogTuning
    int32_t tuneMap = kNoValue;  // TLogMap of a tuning correction made since the last line
    int32_t tuneRow = kNoValue, tuneCol = kNoValue;
    int32_t tuneOld = kNoValue, tuneNew = kNoValue;

    bool operator==(const TLogExtras&) const = default;
};

using TLogFrame = std::array<uint8_t, 102>;

struct TLogRow {
    int64_t timeMs = 0;  // since the log started
    TMonitorValues values;
    TLogExtras extras;
    TLogFrame frame{};

    bool operator==(const TLogRow&) const = default;
};

// The longest line FormatLogLine writes, line end included.
constexpr size_t kLogLineCapacity = 1024;

// The header row, line end included.
std::string LogHeader();
// Writes the row's line with its line end into out; returns its length (0 when cap is too
// small). Allocates nothing.
size_t FormatLogLine(const TLogRow& row, char* out, size_t cap);

// ---- reading a line back

// The columns in the order of the header; kLogColumns of them.
int LogColumnCount();
const char* LogColumnName(int column);
// The column of a header name, -1 for a name the log does not have.
int LogColumnOf(const std::string& name);
// Takes the text of one column into the row; false (with a reason) for a text the column cannot
// hold.
bool ParseLogField(int column, const std::string& text, TLogRow& row, std::string& reason);
