// The virtual unit behind the serial-port interface, in the same process. Its clock advances one
// tick on every query of waiting bytes, which the main window makes once per tick.
#pragma once

#include <cstring>

#include "link/serial_port.h"
#include "unit_sim.h"

constexpr const char* kSimDeviceName = "demo-unit";

class TSimPort : public TSerialPort {
  public:
    explicit TSimPort(TUnitSim& sim) : sim_(sim) {}

    bool Open(const char* device, TPortFailure& failure) override {
        if (std::strcmp(device, kSimDeviceName) != 0 || refuseOpen) {
            failure.code = TPortError::NotFound;
            return false;
        }
        open_ = true;
        ++opens;
        return true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Write(const uint8_t* data, size_t n) override {
        if (!open_) return false;
        sim_.Receive(data, n);
        return true;
    }
    int BytesWaiting() override {
        if (!open_) return -1;
        sim_.Tick();
        return static_cast<int>(sim_.Available());
    }
    int Read(uint8_t* buffer, size_t cap) override {
        if (!open_) return -1;
        return static_cast<int>(sim_.Take(buffer, cap));
    }

    bool refuseOpen = false;
    int opens = 0;

  private:
    TUnitSim& sim_;
    bool open_ = false;
};
