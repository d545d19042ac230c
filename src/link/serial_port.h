// The serial port and the machine's list of ports, as the link uses them; the front end provides
// the real ones, tests and the virtual unit their own.
#pragma once

#include <cstddef>
#include <cstdint>

enum class TPortError : uint8_t { None, NotFound, PermissionDenied, Busy, Other };

struct TPortFailure {
    TPortError code = TPortError::None;
    char detail[160] = {};  // the platform's own words, may be empty
};

// One serial port: opened exclusively at 57600 baud, 8 data bits, no parity, 1 stop bit, no flow
// control, with a read time-out of 100 ms.
class TSerialPort {
  public:
    virtual ~TSerialPort() = default;
    virtual bool Open(const char* device, TPortFailure& failure) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes the bytes and returns once they have left the port. The result may be ignored.
    virtual bool Write(const uint8_t* data, size_t n) = 0;
    // Received bytes waiting in the driver, clearing any line error; -1 when the query fails.
    virtual int BytesWaiting() = 0;
    // Reads up to cap bytes of those waiting; returns the number read, -1 on failure.
    virtual int Read(uint8_t* buffer, size_t cap) = 0;
};

// Maps the port numbers of the Com menu (1 to 21) to device names of this machine.
class TPortDirectory {
  public:
    virtual ~TPortDirectory() = default;
    // Writes the device for port n into out; false when no such device is present, in which case
    // out still receives a name to show ("COM5").
    virtual bool DeviceFor(int n, char* out, size_t cap) = 0;
};
