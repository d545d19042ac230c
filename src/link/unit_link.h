// The serial link to the unit: the Com menu choice, the automatic port search, the receive buffer,
// the frame being sent and the connection watchdog, over a port of the platform.
#pragma once

#include <array>
#include <cstdint>

#include "link/serial_port.h"
#include "link/unit_frame.h"

constexpr int kRxBufferSize = 15000;
constexpr uint8_t kPortChoiceAuto = 20;
constexpr uint8_t kSilentLimit = 18;
constexpr uint8_t kReconnectPeriod = 30;
constexpr int kComChoices = 21;  // Com 1 .. Com 20 and Com Auto

// What the link shows of itself; the window puts it on screen, a program without one may ignore
// it.
class TLinkEvents {
  public:
    virtual ~TLinkEvents() = default;
    // The port being opened, by its short name ("ttyUSB0", "COM3").
    virtual void LinkPortShown(const char* shortName) = 0;
    // The chosen port could not be opened (never reported during the watchdog's reopening or the
    // automatic search).
    virtual void LinkPortFailed(const char* device, const TPortFailure& failure) = 0;
    // The Com menu choice now in force (0-19 a port, 20 the automatic search).
    virtual void LinkChoiceShown(uint8_t choice) = 0;
    // The unit has been silent too long (true) or answers (false).
    virtual void LinkLostShown(bool lost) = 0;
};

struct TUnitLink {
    bool open = false;           // a port is open (the handle)
    uint8_t portChoice = 0;      // 0-19 COM1-COM20, 20 the automatic search
    uint8_t scanPosition = 0;    // 0-20 COM1-COM21, port tried by the search
    bool autoReopen = false;     // set while the watchdog reopens: no message on failure
    uint8_t silentTicks = 0;     // ticks since the last frame with a correct check byte
    uint8_t reconnectTicks = 0;  // ticks in the lost state since the last reopen
    char device[128] = {};       // device of the last open
    std::array<uint8_t, kRxBufferSize> rxBuffer{};
    TUnitFrame txFrame;

    TSerialPort* port = nullptr;
    TPortDirectory* ports = nullptr;
    TLinkEvents* events = nullptr;

    // Opens the chosen port (or the one the search has reached).
    void Open();
    void Close();
    // A choice of the Com menu: 0-19 a port, 20 the automatic search.
    void Choose(int item);
    // The oldest complete frame waiting at the port, or nullptr; whatever came with it is dropped.
    const uint8_t* Poll();
    // The transmit frame, written synchronously.
    void Send();
    // A frame of code and data (nullptr: zeros), sealed and sent.
    void SendCommand(uint8_t code, const uint8_t* data);
    // One tick of the connection watchdog: lost after 18 silent ticks, reopened every 30 after.
    void WatchdogStep();
    // A frame with a correct check byte came in.
    void Heard() { silentTicks = 0; }
};

// The name shown after "COM= ": the device without its directory prefix, at most 10 characters.
void ShortDeviceName(const char* device, char* out, size_t cap);
