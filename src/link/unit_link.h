// The serial link to the unit: the Com menu choice, the automatic port search, the receive buffer,
// the frame being sent and the connection watchdog counters.
#pragma once

#include <array>
#include <cstdint>

#include "link/unit_frame.h"

constexpr int kRxBufferSize = 15000;
constexpr uint8_t kPortChoiceAuto = 20;
constexpr uint8_t kSilentLimit = 18;
constexpr uint8_t kReconnectPeriod = 30;

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
};
