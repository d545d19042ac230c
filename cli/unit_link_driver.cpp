#include "unit_link_driver.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "link/unit_frame.h"
#include "params/sanitize.h"
#include "sim_port.h"
#include "unit_sim.h"
#ifdef QUORVEL05_CLI_SERIAL
#include "port_directory.h"
#include "qt_serial_port.h"
#endif

struct TUnitDriver::TPorts {
    TUnitSim sim;
    TSimPort simPort{sim};
#ifdef QUORVEL05_CLI_SERIAL
    TQtSerialPort machine;
    TSystemPortDirectory directory;
#endif
};

namespace {

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const char* Reason(TPortError e) {
    switch (e) {
        case TPortError::NotFound:
            return "the device is not present";
        case TPortError::PermissionDenied:
            return "permission denied (add your user to the dialout group: sudo usermod -aG "
                   "dialout $USER, then log in again)";
        case TPortError::Busy:
            return "the port is in use by another program";
        default:
            return nullptr;
    }
}

}  // namespace

TUnitDriver::TUnitDriver() : ports_(std::make_unique<TPorts>()) {
    gauge_.kind = TControlKind::Gauge;
    gauge_.SetRange(0, 5);
    link_.events = this;
    session.Attach(link_, image, message_, gauge_, language_, *this);
}

TUnitDriver::~TUnitDriver() {
    link_.Close();
}

void TUnitDriver::SessionImageChanged() {
    SanitizeImage(image, {});
}

void TUnitDriver::LinkPortFailed(const char* device, const TPortFailure& failure) {
    const char* why = Reason(failure.code);
    failure_ = std::string(device) + ": " +
               (why != nullptr           ? why
                : failure.detail[0] != 0 ? failure.detail
                                         : "cannot be opened");
}

// Opens the device; with probe set, it must also answer a monitor request within a second.
bool TUnitDriver::TryDevice(const std::string& device, bool probe, std::string& error) {
    failure_.clear();
    std::snprintf(link_.device, sizeof link_.device, "%s", device.c_str());
    TPortFailure f;
    link_.open = link_.port != nullptr && link_.port->Open(link_.device, f);
    if (!link_.open) {
        LinkPortFailed(link_.device, f);
        error = failure_;
        return false;
    }
    device_ = device;
    if (!probe) return true;
    link_.SendCommand(kCmdMonitor, nullptr);
    for (int i = 0; i < 18 && !heard_; ++i) Tick();
    if (heard_) return true;
    link_.Close();
    error = device + ": no unit answers";
    return false;
}

bool TUnitDriver::Connect(bool demo, const std::string& port, std::string& error) {
    if (demo) {
        link_.port = &ports_->simPort;
        return TryDevice(kSimDeviceName, false, error);
    }
#ifdef QUORVEL05_CLI_SERIAL
    link_.port = &ports_->machine;
    if (port != "auto") return TryDevice(port, false, error);
    const std::vector<std::string> devices = ports_->directory.List();
    for (const std::string& d : devices)
        if (TryDevice(d, true, error)) return true;
    error = devices.empty() ? "no serial device found" : "no unit answers on any serial port";
    return false;
#else
    (void)port;
    error = "this program was built without serial port support";
    return false;
#endif
}

const uint8_t* TUnitDriver::Tick() {
    // The protocol's time base: one tick every 55 ms.
    const long long now = NowNs();
    if (nextTickNs_ == 0) nextTickNs_ = now;
    nextTickNs_ += 55'000'000;
    if (nextTickNs_ > now) std::this_thread::sleep_for(std::chrono::nanoseconds(nextTickNs_ - now));
    const uint8_t* monitorFrame = nullptr;
    if (const uint8_t* f = link_.Poll()) {
        heard_ = heard_ || FrameCheckOk(f);
        if (f[0] == kCodeMonitorFrame) {
            if (ReadMonitorFrame(f, monitor)) {
                link_.Heard();
                monitorFrame = f;
            }
        } else {
            session.HandleResponse(f);
        }
    }
    if (session.kind != TSessionKind::None) {
        session.TimeoutStep();
    } else if (++session.ticksSinceSend >= kMonitorPeriod) {
        session.ticksSinceSend = 0;
        link_.SendCommand(kCmdMonitor, nullptr);
    }
    session.MessageCountdownStep();
    return monitorFrame;
}

std::string TUnitDriver::Run(const char* what) {
    int shown = -1;
    TSessionKind kind = session.kind;
    for (int i = 0; i < 2000 && session.kind != TSessionKind::None; ++i) {
        const int block = session.command & 63;
        if (block != shown || session.kind != kind) {
            kind = session.kind;
            shown = block;
            const char* phase = kind == TSessionKind::Verify ? "verify" : what;
            std::fprintf(stderr, "%s: block %d of 5\n", phase, block);
        }
        Tick();
    }
    return message_.Text();
}
