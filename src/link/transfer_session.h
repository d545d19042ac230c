// The one transfer running between PC and unit, and the status message shared by all commands.
#pragma once

#include <cstdint>

enum class TSessionKind : uint8_t { None = 0, Program = 1, Verify = 2, Read = 3 };

constexpr uint8_t kMessageTicks = 200;
constexpr uint8_t kResendTicks = 4;
constexpr uint8_t kMaxAttempts = 5;
constexpr uint8_t kMonitorPeriod = 6;

struct TTransferSession {
    TSessionKind kind = TSessionKind::None;
    uint8_t command = 0;         // 0-5 program block n, 64-69 read block n
    uint8_t attempts = 0;        // sends of the current block frame so far
    uint8_t ticksSinceSend = 0;  // also paces monitor requests while idle
    uint8_t messageTicks = 0;    // remaining display time of the status message
    bool programDone = false;    // all six blocks programmed; verify running or just ended well
};

// The identity texts of the unit, rebuilt from image block 0.
struct TUnitIdentity {
    char version[31] = {};
    char date[11] = {};
    char time[6] = {};
};
