// A machine whose only serial device is the in-process virtual unit, on Com 1, and the platform
// of a benchmark's window on it.
#pragma once

#include <cstdio>

#include "app/platform.h"
#include "sim_port.h"

class TOnePort : public TPortDirectory {
  public:
    bool DeviceFor(int n, char* out, size_t cap) override {
        std::snprintf(out, cap, "%s", n == 1 ? kSimDeviceName : "COM");
        return n == 1;
    }
};

// English, the given port on Com 1, and a settings folder that does not exist, so nothing of the
// user's is read or written.
inline void UseBenchPlatform(TPlatform& platform, TSerialPort& port, TPortDirectory& ports) {
    platform.port = &port;
    platform.ports = &ports;
    platform.firstArgument = "ENGLISH";
    platform.configDir = "/nonexistent-quorvel05-bench";
}
