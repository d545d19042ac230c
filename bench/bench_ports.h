// A machine whose only serial device is the in-process virtual unit, on Com 1.
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
