#include "files/monitor_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "link/unit_frame.h"

namespace {

std::string Reason(int error) {
    return std::error_code(error, std::generic_category()).message();
}

void LitCell(bool lit, uint8_t row, uint8_t column, int32_t& r, int32_t& c) {
    r = lit ? row : kNoValue;
    c = lit ? column : kNoValue;
}

}  // namespace

TLogRow MakeLogRow(const uint8_t* frame, int64_t timeMs, const TLogContext& context) {
    TLogRow row;
    row.timeMs = timeMs;
    std::copy(frame, frame + row.frame.size(), row.frame.begin());
    row.values = DecodeMonitorValues(frame, context.advanceMax);
    const bool onCell = row.values.rpm != 0 && row.values.mapSuspended == 0;
    const bool tp = onCell && row.values.tpMapActive != 0;
    const bool iap = onCell && row.values.tpMapActive == 0;
    TLogExtras& e = row.extras;
    LitCell(tp, context.tpRow, context.tp14Column, e.tp14Row, e.tp14Col);
    LitCell(tp, context.tpRow, context.tp23Column, e.tp23Row, e.tp23Col);
    LitCell(iap, context.iapRow, context.iapColumn, e.iapRow, e.iapCol);
    e.tuning = static_cast<int32_t>(context.tuning);
    return row;
}

TMonitorLog::TMonitorLog(std::chrono::milliseconds writerPeriod)
    : slots_(new TSlot[kSlots]), period_(writerPeriod) {}

TMonitorLog::~TMonitorLog() {
    Stop();
}

std::string TMonitorLog::Start(const std::string& path) {
    if (running_ && Failed()) Stop();  // a failed log makes room for the next one
    if (running_) return "a log is already running";
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return "not a regular file";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return Reason(errno);
    fd_ = fd;
    path_ = path;
    head_ = 0;
    tail_ = 0;
    bytes_ = 0;
    dropped_ = 0;
    correctionCount_ = 0;
    failureTaken_ = false;
    failed_ = false;
    const std::string header = LogHeader();
    if (!WriteAll(header.data(), header.size())) return error_;
    stop_ = false;
    try {
        thread_ = std::thread(&TMonitorLog::WriterLoop, this);
    } catch (const std::system_error& e) {
        ::close(fd_);
        fd_ = -1;
        return e.what();
    }
    running_ = true;
    return {};
}

void TMonitorLog::Stop() {
    if (!running_) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
    running_ = false;
}

bool TMonitorLog::Add(const uint8_t* frame, int64_t timeMs, const TLogContext& context) {
    if (!Running() || frame[0] != kCodeMonitorFrame || !FrameCheckOk(frame)) return false;
    const uint32_t head = head_.load(std::memory_order_relaxed);
    if (head - tail_.load(std::memory_order_acquire) >= kSlots) {
        ++dropped_;
        return false;
    }
    TLogRow row = MakeLogRow(frame, timeMs, context);
    if (correctionCount_ > 0) {
        const TCorrection& c = corrections_[0];
        row.extras.tuneMap = static_cast<int32_t>(c.map);
        row.extras.tuneRow = c.row;
        row.extras.tuneCol = c.column;
        row.extras.tuneOld = c.oldValue;
        row.extras.tuneNew = c.newValue;
        for (int i = 1; i < correctionCount_; ++i) corrections_[i - 1] = corrections_[i];
        --correctionCount_;
    }
    TSlot& slot = slots_[head % kSlots];
    slot.length = static_cast<uint32_t>(FormatLogLine(row, slot.text, sizeof slot.text));
    head_.store(head + 1, std::memory_order_release);
    // A burst of lines wakes the writer before its period ends (the only call into the system
    // from here, and a rare one: frames come six ticks apart).
    if (head + 1 - tail_.load(std::memory_order_acquire) == kSlots / 2) wake_.notify_one();
    return true;
}

void TMonitorLog::NoteCorrection(TLogMap map, uint8_t row, uint8_t column, uint8_t oldValue,
                                 uint8_t newValue) {
    if (!Running() || correctionCount_ >= static_cast<int>(std::size(corrections_))) return;
    corrections_[correctionCount_++] = {map, row, column, oldValue, newValue};
}

const char* TMonitorLog::TakeFailure() {
    if (!Failed() || failureTaken_) return nullptr;
    failureTaken_ = true;
    return error_;
}

// ---- the writer thread

void TMonitorLog::WriterLoop() {
    const size_t cap = kSlots * kLogLineCapacity;
    std::unique_ptr<char[]> buffer(new char[cap]);
    for (;;) {
        bool stopping;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait_for(lock, period_, [this] { return stop_ || QueuedLines() >= kSlots / 2; });
            stopping = stop_;
        }
        const size_t n = Drain(buffer.get(), cap);
        if (n > 0 && !WriteAll(buffer.get(), n)) return;
        if (stopping) break;
    }
    if (::close(fd_) != 0) Fail(errno);
    fd_ = -1;
}

// Copies the queued lines into the buffer and frees their slots.
size_t TMonitorLog::Drain(char* buffer, size_t cap) {
    const uint32_t head = head_.load(std::memory_order_acquire);
    uint32_t tail = tail_.load(std::memory_order_relaxed);
    size_t n = 0;
    for (; tail != head && n + kLogLineCapacity <= cap; ++tail) {
        const TSlot& slot = slots_[tail % kSlots];
        std::copy(slot.text, slot.text + slot.length, buffer + n);
        n += slot.length;
    }
    tail_.store(tail, std::memory_order_release);
    return n;
}

bool TMonitorLog::WriteAll(const char* data, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd_, data, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            Fail(w < 0 ? errno : ENOSPC);
            return false;
        }
        bytes_.fetch_add(static_cast<uint64_t>(w), std::memory_order_relaxed);
        data += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

void TMonitorLog::Fail(int error) {
    std::snprintf(error_, sizeof error_, "%s", Reason(error).c_str());
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    failed_.store(true, std::memory_order_release);
}
