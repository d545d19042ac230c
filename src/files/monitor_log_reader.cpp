#include "files/monitor_log_reader.h"

#include <cstdio>

#include "files/word_reader.h"
#include "link/unit_frame.h"

namespace {

// One CSV record as RFC 4180 has it; `line` is the physical line it starts on.
class TCsvRecords {
  public:
    explicit TCsvRecords(std::istream& in) : in_(in) {}
    // False at the end of the stream or on an error (error then set).
    bool Next(std::vector<std::string>& fields, int& line, std::string& error);

  private:
    bool Quoted(std::string& field, std::string& error);
    std::istream& in_;
    int line_ = 1;
};

bool TCsvRecords::Quoted(std::string& field, std::string& error) {
    const int start = line_;
    for (int c; (c = in_.get()) != EOF;) {
        if (c == '\n') ++line_;
        if (c != '"') {
            field += static_cast<char>(c);
        } else if (in_.peek() == '"') {
            field += static_cast<char>(in_.get());
        } else {
            const int next = in_.peek();
            if (next == ',' || next == '\r' || next == '\n' || next == EOF) return true;
            error = "line " + std::to_string(line_) + ": characters after a quoted field";
            return false;
        }
    }
    error = "line " + std::to_string(start) + ": the file ends inside a quoted field";
    return false;
}

bool TCsvRecords::Next(std::vector<std::string>& fields, int& line, std::string& error) {
    for (;;) {
        fields.assign(1, std::string());
        line = line_;
        bool any = false;
        int c;
        while ((c = in_.get()) != EOF && c != '\n') {
            any = true;
            if (c == '"' && fields.back().empty()) {
                if (!Quoted(fields.back(), error)) return false;
            } else if (c == ',') {
                fields.emplace_back();
            } else if (c != '\r' || in_.peek() != '\n') {
                fields.back() += static_cast<char>(c);
            }
        }
        if (c == '\n') ++line_;
        if (any && !(fields.size() == 1 && fields[0].empty())) return true;
        if (c == EOF) return false;  // blank lines are skipped
    }
}

std::string At(int line) {
    return "line " + std::to_string(line) + ": ";
}

// The column of each header field; false with the reason for a header that is not the log's.
bool MapHeader(const std::vector<std::string>& names, std::vector<int>& columns,
               std::string& error) {
    if (names.empty() || names[0] != LogColumnName(0)) {
        error = At(1) + "not a monitor log of this program (the header does not begin with " +
                LogColumnName(0) + ")";
        return false;
    }
    std::vector<bool> seen(static_cast<size_t>(LogColumnCount()), false);
    for (const std::string& name : names) {
        const int c = LogColumnOf(name);
        if (c < 0) error = At(1) + "unknown column \"" + name + "\"";
        if (c >= 0 && seen[static_cast<size_t>(c)]) error = At(1) + "column " + name + " twice";
        if (!error.empty()) return false;
        seen[static_cast<size_t>(c)] = true;
        columns.push_back(c);
    }
    for (int c = 0; c < LogColumnCount(); ++c)
        if (!seen[static_cast<size_t>(c)]) {
            error = At(1) + "column " + LogColumnName(c) + " is missing";
            return false;
        }
    return true;
}

std::string CheckFrame(const TLogFrame& f) {
    if (f[0] != kCodeMonitorFrame) return "not a monitor frame (code " + std::to_string(f[0]) + ")";
    if (!FrameCheckOk(f.data())) return "the frame's check byte is wrong";
    return {};
}

// One line into a row; an empty text when it is sound, else the reason.
std::string ParseRow(const std::vector<std::string>& fields, const std::vector<int>& columns,
                     int line, TLogRow& row) {
    if (fields.size() != columns.size())
        return At(line) + std::to_string(fields.size()) + " fields where the header has " +
               std::to_string(columns.size()) + " (a line cut short?)";
    std::string reason;
    for (size_t i = 0; i < fields.size(); ++i)
        if (!ParseLogField(columns[i], fields[i], row, reason))
            return "line " + std::to_string(line) + ", column " + LogColumnName(columns[i]) + ": " +
                   reason;
    reason = CheckFrame(row.frame);
    return reason.empty() ? reason : At(line) + reason;
}

std::string Seconds(int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld s", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

}  // namespace

TLogReadResult ReadMonitorLog(std::istream& in) {
    TLogReadResult result;
    if (in.peek() == 0xEF) {  // a byte order mark, as some spreadsheets write
        char bom[3] = {};
        in.read(bom, 3);
    }
    TCsvRecords records(in);
    std::vector<std::string> fields;
    std::vector<int> columns;
    int line = 0;
    if (!records.Next(fields, line, result.error)) {
        if (result.error.empty()) result.error = At(1) + "empty file, not a monitor log";
        return result;
    }
    if (!MapHeader(fields, columns, result.error)) return result;
    while (records.Next(fields, line, result.error)) {
        TLogRow row;
        result.error = ParseRow(fields, columns, line, row);
        if (result.error.empty() && !result.rows.empty() && row.timeMs < result.rows.back().timeMs)
            result.error = At(line) + "the time goes back from " +
                           Seconds(result.rows.back().timeMs) + " to " + Seconds(row.timeMs);
        if (!result.error.empty()) break;
        result.rows.push_back(row);
    }
    if (!result.error.empty()) result.rows.clear();
    return result;
}

TLogReadResult ReadMonitorLogFile(const std::string& path) {
    TInputFile file;
    if (!file.Open(path)) {
        TLogReadResult r;
        r.error = "cannot be opened (missing, not a regular file, or not readable)";
        return r;
    }
    std::istream in(&file);
    TLogReadResult r = ReadMonitorLog(in);
    if (file.Failed() || in.bad()) {
        r.rows.clear();
        r.error = "read error";
    }
    return r;
}
