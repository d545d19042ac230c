// Serial device names for the Com menu's port numbers. On Windows port n is "\\.\COMn"; elsewhere
// it is the n-th serial device present at the moment of opening, in a stable order
// (/dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*, each by number), after any devices put first.
#pragma once

#include <string>
#include <vector>

#include "app/platform.h"

class TSystemPortDirectory : public TPortDirectory {
  public:
    // Devices that come before those found on the machine (--demo, --port DEVICE).
    std::vector<std::string> first;
    std::string devDir = "/dev";

    bool DeviceFor(int n, char* out, size_t cap) override;
    // The devices present now, in the order the ports are numbered.
    std::vector<std::string> List() const;
};
