// Playing a recorded monitor log back as the virtual unit's monitor answers: the frame answered
// is the one that was due at the same time since the start of the recording, at real speed or
// `speed` times faster; after the last line the last frame stays. The replay's clock starts
// with the first monitor request. Block reads and writes are still answered from the unit's
// memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/monitor_log_format.h"
#include "monitor_source.h"
#include "unit_sim.h"

class TMonitorReplay : public TMonitorSource {
  public:
    // Reads the log; an empty text on success, else the reader's reason (with its line).
    std::string Load(const std::string& path);
    void SetRows(const std::vector<TLogRow>& rows);
    // Answers the unit's monitor requests from now on.
    void AttachTo(TUnitSim& sim) { sim.monitorSource = this; }

    bool FrameAt(int tick, uint8_t* frame) override;
    // The line whose frame was answered last, -1 before the first request.
    int Position() const { return position_; }
    bool Finished() const { return !times_.empty() && position_ + 1 == Lines(); }
    int Lines() const { return static_cast<int>(times_.size()); }

    double speed = 1.0;

  private:
    std::vector<int64_t> times_;  // ms since the first line
    std::vector<TLogFrame> frames_;
    int startTick_ = -1;
    int position_ = -1;
};

// Parses a replay speed ("4", "0.5"): a number above 0 and at most 1000.
bool ParseReplaySpeed(const char* text, double& speed);
