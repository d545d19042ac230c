// The 102-byte frame of both directions: code, 100 data bytes, check byte making the XOR of all
// 102 bytes equal to 255.
#pragma once

#include <array>
#include <cstdint>

constexpr int kFrameSize = 102;
constexpr int kFrameData = 100;

constexpr uint8_t kCmdMonitor = 48;
constexpr uint8_t kCodeMonitorFrame = 176;
constexpr uint8_t kCmdReadBase = 64;
constexpr uint8_t kResponseBit = 128;

struct TUnitFrame {
    std::array<uint8_t, kFrameSize> bytes{};

    uint8_t Code() const { return bytes[0]; }
    const uint8_t* DataPtr() const { return bytes.data() + 1; }
    uint8_t* DataPtr() { return bytes.data() + 1; }
    uint8_t Check() const { return bytes[kFrameSize - 1]; }
    // Sets the check byte from the code and the data.
    void Seal();
};

// The check byte for a code and 100 data bytes.
uint8_t FrameCheckByte(uint8_t code, const uint8_t* data);
// True when 255 XOR all 102 bytes gives 0.
bool FrameCheckOk(const uint8_t* frame);
inline bool FrameCheckOk(const TUnitFrame& f) {
    return FrameCheckOk(f.bytes.data());
}

// 16-bit values on the wire: unsigned, low byte first; offsets count from the code byte.
inline uint16_t FrameWord(const uint8_t* frame, int offset) {
    return static_cast<uint16_t>(frame[offset] | (frame[offset + 1] << 8));
}
