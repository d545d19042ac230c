// The one transfer running between PC and unit (read, verify, program, or a single-block write of
// automatic tuning) and the status message shared by all commands. The session owns its state,
// sends through the link, reads and writes the image, shows its progress in a message label and
// a gauge, and tells its owner what the editor has to follow.
#pragma once

#include <cstdint>

#include "link/unit_link.h"
#include "params/param_image.h"
#include "ui/controls.h"
#include "ui/language.h"

enum class TSessionKind : uint8_t { None = 0, Program = 1, Verify = 2, Read = 3 };

constexpr uint8_t kMessageTicks = 200;
constexpr uint8_t kResendTicks = 4;
constexpr uint8_t kMaxAttempts = 5;
constexpr uint8_t kMonitorPeriod = 6;

// The identity texts of the unit, rebuilt from image block 0.
struct TUnitIdentity {
    char version[31] = {};
    char date[11] = {};
    char time[6] = {};
};
TUnitIdentity UnitIdentityOf(const TParamImage& image);

// What a session asks of its owner.
class TSessionHost {
  public:
    virtual ~TSessionHost() = default;
    // The image changed under the editor (the blocks of a read, the unit's block 0): sanitize it
    // and show it.
    virtual void SessionImageChanged() = 0;
    // The unit's block 0 arrived: its identity is to be shown.
    virtual void SessionIdentityChanged() = 0;
    // The unit has another parameter layout: the session has ended; say so.
    virtual void SessionVersionMismatch() = 0;
    // Whether the unit holds a set that failed its program or verify has changed.
    virtual void SessionUnverifiedChanged() = 0;
    // A single-block write awaits its acknowledgement.
    virtual bool SessionBlockPending() const = 0;
    // The single-block write is over: acknowledged, or given up for a session.
    virtual void SessionBlockDone() = 0;
    // The last block of a verify matched: the unit holds the image (blocks 1 to 5). `started`
    // tells the command the session began with (a read or a program, then its own verify).
    virtual void SessionVerifyPassed(TSessionKind started) { (void)started; }
};

class TTransferSession {
  public:
    TSessionKind kind = TSessionKind::None;
    uint8_t command = 0;          // 0-5 program block n, 64-69 read block n
    uint8_t attempts = 0;         // sends of the current block frame so far
    uint8_t ticksSinceSend = 0;   // also paces monitor requests while idle
    uint8_t messageTicks = 0;     // remaining display time of the status message
    bool programDone = false;     // all six blocks programmed; verify running or just ended well
    bool unitUnverified = false;  // the last program or verify failed, until a verify passes
    TSessionKind started = TSessionKind::None;  // what the running or last session began as

    // The parts the session works with; they outlive it.
    void Attach(TUnitLink& link, TParamImage& image, TControl& message, TControl& gauge,
                const uint8_t& language, TSessionHost& host);

    // A read of all six blocks, then a verify of blocks 1-5.
    void StartRead();
    // A verify of blocks 1-5 against the image as it stands.
    void StartVerify();
    // A program of all six blocks, then a verify.
    void StartProgram();
    // A program whose first frame goes out at the next time-out (programming after change).
    void QueueProgram();
    // A single-block write of map block 3, 4 or 5, outside any session.
    void StartSingleBlock(uint8_t block);
    // An answer of the unit that is not a monitor frame.
    void HandleResponse(const uint8_t* frame);
    // The tick step while a session runs: time-out, resend, or the end with its error.
    void TimeoutStep();
    // The tick step of the status message's display time.
    void MessageCountdownStep();
    // The frame of the current command: the image block, or zeros for a read request.
    void SendBlockFrame();
    // The status message in the given colour, for the full display time.
    void ShowStatus(const char* text, TColor color);
    const char* Text(TMsg m) const { return LanguageText(*language_, m); }

  private:
    void Begin(TSessionKind k, uint8_t firstCommand, uint8_t firstAttempts, const char* text,
               int gauge);
    void SwitchToVerifyAfterTransfer();
    void NextBlock();
    void ReadAnswer(int block, const uint8_t* data);
    void VerifyAnswer(int block, const uint8_t* data);
    void ProgramAnswer(int block, const uint8_t* data);
    void SingleBlockAnswer(int block, const uint8_t* data);
    void Fail();

    TUnitLink* link_ = nullptr;
    TParamImage* image_ = nullptr;
    TControl* message_ = nullptr;
    TControl* gauge_ = nullptr;
    const uint8_t* language_ = nullptr;
    TSessionHost* host_ = nullptr;
};
