// Recording the live monitor into a CSV log (the line format is in monitor_log_format.h).
//
// The tick only formats a line into a fixed slot of a ring and moves on: no allocation, no lock,
// no system call (but a wake-up of the writer when the ring is half full). A thread of the log's
// own takes the lines from the ring and writes them to the file. A write error stops the log: the
// thread closes the file and raises Failed(), which the owner polls on its tick; nothing is thrown.
// When the ring is full (the disk stalls for half a minute) lines are dropped and counted.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "files/monitor_log_format.h"

// The window's state on the tick a frame was logged, beside the frame itself.
struct TLogContext {
    uint8_t advanceMax = 0;  // image byte ADVANCE_MAX, for the advance shown
    // The operating point's rows and columns; the log blanks a map's cell when the frame says
    // that the unit uses no cell of it (speed 0, map suspended, the other kind of map active).
    uint8_t tpRow = 0, tp14Column = 0, tp23Column = 0;
    uint8_t iapRow = 0, iapColumn = 0;
    TLogTuning tuning = TLogTuning::Off;
};

// The values of a log line from a frame and the window's context.
TLogRow MakeLogRow(const uint8_t* frame, int64_t timeMs, const TLogContext& context);

class TMonitorLog {
  public:
    static constexpr int kSlots = 128;

    // The writer thread looks at the ring every writerPeriod.
    explicit TMonitorLog(std::chrono::milliseconds writerPeriod = std::chrono::milliseconds(50));
    TMonitorLog(const TMonitorLog&) = delete;
    TMonitorLog& operator=(const TMonitorLog&) = delete;
    ~TMonitorLog();  // stops a running log

    // Creates (or empties) the file, writes the header and starts the writer thread. Returns an
    // empty text on success, else the reason ("Permission denied", "a log is already running").
    // A log that failed is stopped first.
    std::string Start(const std::string& path);
    // Writes what is still in the ring, closes the file and ends the thread. Harmless when no log
    // runs.
    void Stop();

    // On the tick: one valid monitor frame (code 176, check byte right) with the time since the
    // log started. False when nothing was queued: no log running, an invalid frame, a full ring.
    bool Add(const uint8_t* frame, int64_t timeMs, const TLogContext& context);
    // On the tick: a tuning correction, written with the next frame's line (one per line, in the
    // order noted; up to 8 wait).
    void NoteCorrection(TLogMap map, uint8_t row, uint8_t column, uint8_t oldValue,
                        uint8_t newValue);

    bool Running() const { return running_ && !failed_.load(std::memory_order_acquire); }
    bool Failed() const { return failed_.load(std::memory_order_acquire); }
    // The system's reason of the failure ("No space left on device"); empty while not failed.
    const char* Error() const { return Failed() ? error_ : ""; }
    // The reason once, on the first call after the failure; nullptr otherwise.
    const char* TakeFailure();
    uint64_t BytesWritten() const { return bytes_.load(std::memory_order_relaxed); }
    uint32_t DroppedLines() const { return dropped_; }
    // Lines formatted but not yet taken by the writer thread.
    uint32_t QueuedLines() const {
        return head_.load(std::memory_order_relaxed) - tail_.load(std::memory_order_acquire);
    }
    const std::string& Path() const { return path_; }

  private:
    struct TSlot {
        uint32_t length;
        char text[kLogLineCapacity];
    };
    struct TCorrection {
        TLogMap map;
        uint8_t row, column, oldValue, newValue;
    };

    void WriterLoop();
    size_t Drain(char* buffer, size_t cap);
    bool WriteAll(const char* data, size_t n);
    void Fail(int error);

    std::unique_ptr<TSlot[]> slots_;
    std::atomic<uint32_t> head_{0};  // lines queued, written by the tick
    std::atomic<uint32_t> tail_{0};  // lines taken, written by the thread
    std::atomic<bool> failed_{false};
    std::atomic<uint64_t> bytes_{0};
    char error_[160] = {};
    bool failureTaken_ = false;
    bool running_ = false;
    uint32_t dropped_ = 0;
    int fd_ = -1;
    std::string path_;
    TCorrection corrections_[8] = {};
    int correctionCount_ = 0;

    std::chrono::milliseconds period_;
    std::thread thread_;
    std::mutex mutex_;  // only between Stop and the thread's wait
    std::condition_variable wake_;
    bool stop_ = false;
};
