#include "replay.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>

#include "files/monitor_log_reader.h"
#include "link/unit_frame.h"

namespace {

constexpr int64_t kTickMs = 55;

}  // namespace

std::string TMonitorReplay::Load(const std::string& path) {
    const TLogReadResult r = ReadMonitorLogFile(path);
    if (!r.Ok()) return r.error;
    if (r.rows.empty()) return "the log holds no frame";
    SetRows(r.rows);
    return {};
}

void TMonitorReplay::SetRows(const std::vector<TLogRow>& rows) {
    times_.clear();
    frames_.clear();
    for (const TLogRow& row : rows) {
        times_.push_back(row.timeMs - rows.front().timeMs);
        frames_.push_back(row.frame);
    }
    startTick_ = -1;
    position_ = -1;
}

bool TMonitorReplay::FrameAt(int tick, uint8_t* frame) {
    if (times_.empty()) return false;
    if (startTick_ < 0) startTick_ = tick;
    const double elapsed = static_cast<double>((tick - startTick_) * kTickMs) * speed;
    const int64_t due = static_cast<int64_t>(elapsed + 0.5);
    const auto next = std::upper_bound(times_.begin(), times_.end(), due);
    position_ = static_cast<int>(std::max<std::ptrdiff_t>(0, next - times_.begin() - 1));
    std::memcpy(frame, frames_[static_cast<size_t>(position_)].data(), kFrameSize);
    return true;
}

bool ParseReplaySpeed(const char* text, double& speed) {
    const char* end = text + std::strlen(text);
    double v = 0;
    const auto r = std::from_chars(text, end, v);
    if (r.ec != std::errc() || r.ptr != end || !(v > 0) || v > 1000) return false;
    speed = v;
    return true;
}
