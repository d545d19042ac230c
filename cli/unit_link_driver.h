// The unit from the command line: the link and the one transfer session of the window, driven by
// a loop of 55 ms ticks, over the machine's serial port or the built-in virtual unit.
#pragma once

#include <memory>
#include <string>

#include "link/monitor.h"
#include "link/transfer_session.h"
#include "params/param_image.h"

class TUnitDriver : private TSessionHost, private TLinkEvents {
  public:
    TUnitDriver();
    ~TUnitDriver() override;

    // Opens the unit: the virtual one (demo), a device, or with "auto" the first device of the
    // machine that answers a monitor request. False with the reason.
    bool Connect(bool demo, const std::string& port, std::string& error);
    const std::string& Device() const { return device_; }

    // Runs a session to its end, reporting its blocks on standard error; the text it ended with
    // ("Verify OK", "Read error!", ...).
    std::string Run(const char* what);
    // One tick, paced to 55 ms of real time: the frame waiting, the session's time-out, or a
    // monitor request every sixth idle tick. The monitor frame decoded on this tick, or nullptr.
    const uint8_t* Tick();
    // Whether anything with a correct check byte ever came from the unit.
    bool Heard() const { return heard_; }
    bool VersionMismatch() const { return mismatch_; }

    TParamImage image;
    TTransferSession session;
    TMonitorData monitor;

  private:
    void SessionImageChanged() override;
    void SessionIdentityChanged() override {}
    void SessionVersionMismatch() override { mismatch_ = true; }
    void SessionUnverifiedChanged() override {}
    bool SessionBlockPending() const override { return false; }
    void SessionBlockDone() override {}
    void LinkPortShown(const char*) override {}
    void LinkPortFailed(const char* device, const TPortFailure& failure) override;
    void LinkChoiceShown(uint8_t) override {}
    void LinkLostShown(bool) override {}
    bool TryDevice(const std::string& device, bool probe, std::string& error);

    struct TPorts;
    std::unique_ptr<TPorts> ports_;
    TUnitLink link_;
    TControl message_, gauge_;
    uint8_t language_ = kLangEnglish;
    std::string device_, failure_;
    bool heard_ = false, mismatch_ = false;
    long long nextTickNs_ = 0;
};
