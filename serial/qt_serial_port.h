// The serial port of the machine through QSerialPort.
#pragma once

#include <QSerialPort>

#include "app/platform.h"

class TQtSerialPort : public TSerialPort {
  public:
    bool Open(const char* device, TPortFailure& failure) override;
    void Close() override;
    bool IsOpen() const override { return port_.isOpen(); }
    bool Write(const uint8_t* data, size_t n) override;
    int BytesWaiting() override;
    int Read(uint8_t* buffer, size_t cap) override;
    // The system's handle of the open port, for checking its line settings.
    qintptr NativeHandle() const { return port_.handle(); }

  private:
    void DrainTransmitQueue();
    QSerialPort port_;
};
