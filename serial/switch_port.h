// Sends the built-in virtual unit's device to the in-process unit and every other device to the
// machine's serial port.
#pragma once

#include <cstring>

#include "app/platform.h"
#include "sim_port.h"

class TSwitchPort : public TSerialPort {
  public:
    TSwitchPort(TSerialPort& machine, TSerialPort& demo) : machine_(machine), demo_(demo) {}

    bool Open(const char* device, TPortFailure& failure) override {
        Close();
        active_ = std::strcmp(device, kSimDeviceName) == 0 ? &demo_ : &machine_;
        if (active_->Open(device, failure)) return true;
        active_ = nullptr;
        return false;
    }
    void Close() override {
        if (active_ != nullptr) active_->Close();
        active_ = nullptr;
    }
    bool IsOpen() const override { return active_ != nullptr && active_->IsOpen(); }
    bool Write(const uint8_t* d, size_t n) override {
        return active_ ? active_->Write(d, n) : false;
    }
    int BytesWaiting() override { return active_ ? active_->BytesWaiting() : -1; }
    int Read(uint8_t* b, size_t cap) override { return active_ ? active_->Read(b, cap) : -1; }

  private:
    TSerialPort& machine_;
    TSerialPort& demo_;
    TSerialPort* active_ = nullptr;
};
