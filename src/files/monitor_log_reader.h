// Reading a monitor log back: every line with its time, values, cells, tuning and frame.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "files/monitor_log_format.h"

struct TLogReadResult {
    std::vector<TLogRow> rows;
    // Empty when the whole log was read; else the reason, beginning with the line it concerns
    // ("line 7, column rpm: \"12x\" is not a number").
    std::string error;
    bool Ok() const { return error.empty(); }
};

// The header may name the columns in any order but must name each column of the log once and
// nothing else; every line must have a field for each column, a valid monitor frame and a time
// not before the line above. RFC 4180 quoting, CR LF or LF line ends, a leading UTF-8 byte order
// mark and blank lines are accepted.
TLogReadResult ReadMonitorLog(std::istream& in);
// The same from a file; only a regular file is read.
TLogReadResult ReadMonitorLogFile(const std::string& path);
