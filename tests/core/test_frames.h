// Frames as the unit sends them and a scripted serial port, for feeding the main window
// directly without the virtual unit.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "app/platform.h"
#include "link/unit_frame.h"

using TFrameBytes = std::array<uint8_t, kFrameSize>;

inline void SealFrame(TFrameBytes& f) {
    f[kFrameSize - 1] = FrameCheckByte(f[0], f.data() + 1);
}

inline void PutWord(TFrameBytes& f, int offset, int v) {
    f[static_cast<size_t>(offset)] = static_cast<uint8_t>(v & 255);
    f[static_cast<size_t>(offset + 1)] = static_cast<uint8_t>((v >> 8) & 255);
}

// A monitor frame of a healthy idling engine; change fields, then SealFrame.
inline TFrameBytes IdleMonitorFrame() {
    TFrameBytes f{};
    f[0] = kCodeMonitorFrame;
    PutWord(f, 1, 1200);
    PutWord(f, 5, 1013);
    PutWord(f, 7, 1000);
    PutWord(f, 17, 1000);
    f[51] = 0;
    f[52] = 30;
    f[53] = 180;
    f[54] = 120;
    f[62] = 1;
    f[100] = 43;
    SealFrame(f);
    return f;
}

inline TFrameBytes ResponseFrame(uint8_t code, const uint8_t* data) {
    TFrameBytes f{};
    f[0] = code;
    if (data != nullptr) std::memcpy(f.data() + 1, data, kFrameData);
    SealFrame(f);
    return f;
}

// A serial port whose received bytes the test puts in; everything written is kept.
class TScriptPort : public TSerialPort {
  public:
    std::deque<uint8_t> rx;
    std::vector<TFrameBytes> written;
    std::vector<std::string> openedDevices;  // every open attempt, in order
    TPortError refuse = TPortError::None;    // every open fails with this code
    int reads = 0;

    void Feed(const TFrameBytes& f) { rx.insert(rx.end(), f.begin(), f.end()); }
    void FeedBytes(const uint8_t* p, size_t n) { rx.insert(rx.end(), p, p + n); }

    bool Open(const char* device, TPortFailure& failure) override {
        openedDevices.emplace_back(device);
        if (refuse != TPortError::None) {
            failure.code = refuse;
            return false;
        }
        open_ = true;
        return true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Write(const uint8_t* data, size_t n) override {
        if (!open_) return false;
        if (n == kFrameSize) {
            TFrameBytes f;
            std::memcpy(f.data(), data, kFrameSize);
            written.push_back(f);
        }
        return true;
    }
    int BytesWaiting() override { return open_ ? static_cast<int>(rx.size()) : -1; }
    int Read(uint8_t* buffer, size_t cap) override {
        if (!open_) return -1;
        ++reads;
        size_t n = 0;
        while (n < cap && !rx.empty()) {
            buffer[n++] = rx.front();
            rx.pop_front();
        }
        return static_cast<int>(n);
    }

  private:
    bool open_ = false;
};
