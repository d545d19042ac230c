// The serial port: Com menu, open and close, polling, sending and the connection watchdog.
#include <cstdio>
#include <cstring>

#include "app/Hlav.h"

namespace {

// The name shown after "COM= ": the device without its directory prefix, at most 10 characters.
void ShortDeviceName(const char* device, char* out, size_t cap) {
    const char* s = device;
    if (std::strncmp(s, "\\\\.\\", 4) == 0)
        s += 4;
    else if (std::strncmp(s, "/dev/", 5) == 0)
        s += 5;
    std::snprintf(out, cap, "%.10s", s);
}

}  // namespace

void TFormHlav::OpenPort() {
    const int n = (link.portChoice == kPortChoiceAuto ? link.scanPosition : link.portChoice) + 1;
    bool present =
        platform.ports != nullptr && platform.ports->DeviceFor(n, link.device, sizeof link.device);
    if (platform.ports == nullptr) std::snprintf(link.device, sizeof link.device, "COM%d", n);

    char shown[16];
    ShortDeviceName(link.device, shown, sizeof shown);
    char caption[32];
    std::snprintf(caption, sizeof caption, "COM= %s", shown);
    LabelCom.SetText(caption);

    TPortFailure failure;
    bool opened = false;
    if (!present) {
        failure.code = TPortError::NotFound;
    } else if (platform.port != nullptr) {
        opened = platform.port->Open(link.device, failure);
    }
    link.open = opened;
    if (!opened) {
        if (!link.autoReopen && link.portChoice != kPortChoiceAuto) ShowPortFailure(failure);
        if (link.portChoice == kPortChoiceAuto) link.reconnectTicks = 200;
    }
    for (int i = 0; i < kComItems; ++i) MenuComItem[i].SetChecked(i == link.portChoice);
}

void TFormHlav::ShowPortFailure(const TPortFailure& failure) {
    char shown[16];
    ShortDeviceName(link.device, shown, sizeof shown);
    char reason[320];
    switch (failure.code) {
        case TPortError::NotFound:
            std::snprintf(reason, sizeof reason, "%s", Text(TMsg::PortNotFound));
            break;
        case TPortError::PermissionDenied:
            std::snprintf(reason, sizeof reason, "%s", Text(TMsg::PortPermission));
            break;
        case TPortError::Busy:
            std::snprintf(reason, sizeof reason, "%s", Text(TMsg::PortBusy));
            break;
        default:
            std::snprintf(reason, sizeof reason, Text(TMsg::PortOther),
                          failure.detail[0] != 0 ? failure.detail : "?");
            break;
    }
    char text[512];
    std::snprintf(text, sizeof text, Text(TMsg::PortFailure), link.device, reason);
    DialogMessage(text);
}

void TFormHlav::DialogMessage(const char* text) {
    if (platform.dialogs != nullptr) platform.dialogs->ShowMessage(text);
}

void TFormHlav::ClosePort() {
    if (!link.open) return;
    if (platform.port != nullptr) platform.port->Close();
    link.open = false;
}

void TFormHlav::MenuCom1Click(int item) {
    if (item < 0 || item >= kComItems) return;
    link.portChoice = static_cast<uint8_t>(item);
    ClosePort();
    link.autoReopen = false;
    OpenPort();
}

void TFormHlav::PollReceive() {
    if (!link.open || platform.port == nullptr) return;
    const int waiting = platform.port->BytesWaiting();
    if (waiting < kFrameSize) return;
    const int want = waiting < kRxBufferSize ? waiting : kRxBufferSize;
    const int got = platform.port->Read(link.rxBuffer.data(), static_cast<size_t>(want));
    if (got < kFrameSize) return;
    // Only the oldest frame counts; whatever came with it is dropped.
    if (link.rxBuffer[0] == kCodeMonitorFrame)
        DecodeMonitorFrame(link.rxBuffer.data());
    else
        HandleResponse(link.rxBuffer.data());
}

void TFormHlav::SendFrame() {
    if (!link.open || platform.port == nullptr) return;
    (void)platform.port->Write(link.txFrame.bytes.data(), kFrameSize);
}

void TFormHlav::LinkWatchdogStep() {
    if (link.silentTicks < kSilentLimit) {
        ++link.silentTicks;
        LabelSpojeni.SetVisible(false);
        return;
    }
    LabelSpojeni.SetVisible(true);
    ++link.reconnectTicks;
    if (link.reconnectTicks >= kReconnectPeriod) {
        link.reconnectTicks = 0;
        ClosePort();
        link.autoReopen = true;
        if (++link.scanPosition > 20) link.scanPosition = 0;
        OpenPort();
    }
}

void TFormHlav::SendBlockFrame() {
    session.ticksSinceSend = 0;
    TUnitFrame& f = link.txFrame;
    f.bytes[0] = session.command;
    const int b = session.command & 63;
    if (session.kind == TSessionKind::Read)
        std::memset(f.DataPtr(), 0, kFrameData);
    else
        std::memcpy(f.DataPtr(), image.Block(b), kFrameData);
    f.Seal();
    SendFrame();
}

void TFormHlav::SendMonitorRequest() {
    TUnitFrame& f = link.txFrame;
    f.bytes[0] = kCmdMonitor;
    std::memset(f.DataPtr(), 0, kFrameData);
    f.Seal();
    SendFrame();
}
