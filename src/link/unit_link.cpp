#include "link/unit_link.h"

#include <cstdio>
#include <cstring>

void ShortDeviceName(const char* device, char* out, size_t cap) {
    const char* s = device;
    if (std::strncmp(s, "\\\\.\\", 4) == 0)
        s += 4;
    else if (std::strncmp(s, "/dev/", 5) == 0)
        s += 5;
    std::snprintf(out, cap, "%.10s", s);
}

void TUnitLink::Open() {
    const int n = (portChoice == kPortChoiceAuto ? scanPosition : portChoice) + 1;
    const bool present = ports != nullptr && ports->DeviceFor(n, device, sizeof device);
    if (ports == nullptr) std::snprintf(device, sizeof device, "COM%d", n);
    char shown[16];
    ShortDeviceName(device, shown, sizeof shown);
    if (events != nullptr) events->LinkPortShown(shown);

    TPortFailure failure;
    bool opened = false;
    if (!present)
        failure.code = TPortError::NotFound;
    else if (port != nullptr)
        opened = port->Open(device, failure);
    open = opened;
    if (!opened) {
        if (!autoReopen && portChoice != kPortChoiceAuto && events != nullptr)
            events->LinkPortFailed(device, failure);
        if (portChoice == kPortChoiceAuto) reconnectTicks = 200;
    }
    if (events != nullptr) events->LinkChoiceShown(portChoice);
}

void TUnitLink::Close() {
    if (!open) return;
    if (port != nullptr) port->Close();
    open = false;
}

void TUnitLink::Choose(int item) {
    if (item < 0 || item >= kComChoices) return;
    portChoice = static_cast<uint8_t>(item);
    Close();
    autoReopen = false;
    Open();
}

const uint8_t* TUnitLink::Poll() {
    if (!open || port == nullptr) return nullptr;
    const int waiting = port->BytesWaiting();
    if (waiting < kFrameSize) return nullptr;
    const int want = waiting < kRxBufferSize ? waiting : kRxBufferSize;
    const int got = port->Read(rxBuffer.data(), static_cast<size_t>(want));
    return got < kFrameSize ? nullptr : rxBuffer.data();
}

void TUnitLink::Send() {
    if (!open || port == nullptr) return;
    (void)port->Write(txFrame.bytes.data(), kFrameSize);
}

void TUnitLink::SendCommand(uint8_t code, const uint8_t* data) {
    txFrame.bytes[0] = code;
    if (data == nullptr)
        std::memset(txFrame.DataPtr(), 0, kFrameData);
    else
        std::memcpy(txFrame.DataPtr(), data, kFrameData);
    txFrame.Seal();
    Send();
}

void TUnitLink::WatchdogStep() {
    if (silentTicks < kSilentLimit) {
        ++silentTicks;
        if (events != nullptr) events->LinkLostShown(false);
        return;
    }
    if (events != nullptr) events->LinkLostShown(true);
    ++reconnectTicks;
    if (reconnectTicks >= kReconnectPeriod) {
        reconnectTicks = 0;
        Close();
        autoReopen = true;
        if (++scanPosition > 20) scanPosition = 0;
        Open();
    }
}
