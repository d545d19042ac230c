// Read, verify and program sessions, the single-block acknowledgement, the status message.
#include "link/transfer_session.h"

#include <cstring>

void TTransferSession::Attach(TUnitLink& link, TParamImage& image, TControl& message,
                              TControl& gauge, const uint8_t& language, TSessionHost& host) {
    link_ = &link;
    image_ = &image;
    message_ = &message;
    gauge_ = &gauge;
    language_ = &language;
    host_ = &host;
}

void TTransferSession::ShowStatus(const char* text, TColor color) {
    message_->SetColor(color);
    message_->SetText(text);
    messageTicks = kMessageTicks;
}

void TTransferSession::SendBlockFrame() {
    ticksSinceSend = 0;
    const int b = command & 63;
    link_->SendCommand(command, kind == TSessionKind::Read ? nullptr : image_->Block(b));
}

// A session takes over the link's one command: a single-block write of tuning still awaiting
// its answer is given up (a program writes that block anyway, a read replaces it, a verify
// compares it), so that its resends never go out with the session's command. With no attempt
// the first frame waits for the next time-out.
void TTransferSession::Begin(TSessionKind k, uint8_t firstCommand, uint8_t firstAttempts,
                             const char* text, int gauge) {
    host_->SessionBlockDone();
    kind = k;
    started = k;
    command = firstCommand;
    attempts = firstAttempts;
    if (firstAttempts > 0) SendBlockFrame();
    ShowStatus(text, TColor::BtnFace);
    message_->SetVisible(true);
    gauge_->SetPosition(gauge);
    gauge_->SetVisible(true);
    // A read is no programming: a program-complete text still pending from an earlier session
    // must not come back over the new session's texts.
    programDone = false;
}

void TTransferSession::StartRead() {
    Begin(TSessionKind::Read, kCmdReadBase, 1, Text(TMsg::ReadDevice), 0);
}
void TTransferSession::StartVerify() {
    Begin(TSessionKind::Verify, kCmdReadBase + 1, 1, Text(TMsg::VerifyDevice), 1);
}
void TTransferSession::StartProgram() {
    Begin(TSessionKind::Program, 0, 1, Text(TMsg::ProgramDevice), 0);
}
void TTransferSession::QueueProgram() {
    Begin(TSessionKind::Program, 0, 0, CommonMessage(*language_, TCommonMsg::Program), 0);
}

void TTransferSession::StartSingleBlock(uint8_t block) {
    command = block;
    attempts = 1;
    SendBlockFrame();
}

// After the last block of a read or a program: verify blocks 1 to 5.
void TTransferSession::SwitchToVerifyAfterTransfer() {
    kind = TSessionKind::Verify;
    command = kCmdReadBase + 1;
    attempts = 1;
    SendBlockFrame();
    ShowStatus(Text(TMsg::VerifyDeviceAuto), TColor::BtnFace);
    message_->SetVisible(true);
    gauge_->SetPosition(1);
    gauge_->SetVisible(true);
}

void TTransferSession::NextBlock() {
    gauge_->SetPosition(gauge_->Position() + 1);
    ++command;
    attempts = 1;
    SendBlockFrame();
}

void TTransferSession::HandleResponse(const uint8_t* frame) {
    if (!FrameCheckOk(frame)) return;
    link_->Heard();
    // Only the echo of the command sent counts.
    if (frame[0] != (command ^ kResponseBit)) return;
    const int b = command & 63;
    const uint8_t* data = frame + 1;
    switch (kind) {
        case TSessionKind::Read:
            return ReadAnswer(b, data);
        case TSessionKind::Verify:
            return VerifyAnswer(b, data);
        case TSessionKind::Program:
            return ProgramAnswer(b, data);
        case TSessionKind::None:
            return SingleBlockAnswer(b, data);
    }
}

void TTransferSession::ReadAnswer(int b, const uint8_t* data) {
    image_->SetBlock(b, data);
    if (b == 0) {
        host_->SessionIdentityChanged();
        if (image_->Get(TField::LAYOUT_VERSION) != kLayoutVersion) {
            kind = TSessionKind::None;
            host_->SessionImageChanged();
            host_->SessionVersionMismatch();
            return;
        }
    }
    if (b < 5) return NextBlock();
    host_->SessionImageChanged();
    SwitchToVerifyAfterTransfer();
}

void TTransferSession::VerifyAnswer(int b, const uint8_t* data) {
    if (!image_->BlockEquals(b, data)) return;
    if (b < 5) return NextBlock();
    gauge_->SetPosition(gauge_->Max());
    ShowStatus(Text(TMsg::VerifyOk), TColor::BtnFace);
    kind = TSessionKind::None;
    if (unitUnverified) {
        unitUnverified = false;
        host_->SessionUnverifiedChanged();
    }
    host_->SessionVerifyPassed(started);
}

void TTransferSession::ProgramAnswer(int b, const uint8_t* data) {
    if (b == 0) {
        // The unit's identity replaces the PC's copy of block 0.
        image_->SetBlock(0, data);
        host_->SessionIdentityChanged();
        host_->SessionImageChanged();
        if (image_->Get(TField::LAYOUT_VERSION) != kLayoutVersion) {
            kind = TSessionKind::None;
            host_->SessionVersionMismatch();
            return;
        }
    } else if (!image_->BlockEquals(b, data)) {
        return;
    }
    if (b < 5) return NextBlock();
    programDone = true;
    SwitchToVerifyAfterTransfer();
}

// Only a single-block write of tuning awaits an answer here; a late copy of a session's last
// answer acknowledges nothing.
void TTransferSession::SingleBlockAnswer(int b, const uint8_t* data) {
    if (!host_->SessionBlockPending() || b == 0 || !image_->BlockEquals(b, data)) return;
    if (command == 3 && image_->Get(TField::TPS_MODE) == 1) {
        // Coupled maps: block 4 follows block 3 before the write counts as done.
        StartSingleBlock(4);
        return;
    }
    host_->SessionBlockDone();
    gauge_->SetPosition(gauge_->Position() >= gauge_->Max() ? 0 : gauge_->Position() + 1);
    gauge_->SetVisible(true);
    ShowStatus(Text(TMsg::ProgramOk), TColor::BtnFace);
    message_->SetVisible(true);
}

void TTransferSession::TimeoutStep() {
    if (++ticksSinceSend >= kResendTicks) {
        ticksSinceSend = 0;
        ++attempts;
        if (attempts <= kMaxAttempts)
            SendBlockFrame();
        else
            Fail();
    }
    if (kind == TSessionKind::Read) programDone = false;
}

void TTransferSession::Fail() {
    const TMsg m = kind == TSessionKind::Program  ? TMsg::ProgramError
                   : kind == TSessionKind::Verify ? TMsg::VerifyError
                                                  : TMsg::ReadError;
    ShowStatus(Text(m), TColor::Red);
    if (kind == TSessionKind::Verify) programDone = false;
    // The red text goes after its display time (a verify failing after a program is even
    // followed by the unit's saving progress at once); the warning stays until a verify passes,
    // so a unit holding a set that did not verify is not overlooked. A program that got no
    // answer to block 0 has written nothing.
    const bool partlyProgrammed = kind == TSessionKind::Program && (command & 63) > 0;
    if (kind == TSessionKind::Verify || partlyProgrammed) {
        unitUnverified = true;
        host_->SessionUnverifiedChanged();
    }
    kind = TSessionKind::None;
}

void TTransferSession::MessageCountdownStep() {
    if (messageTicks == 0) return;
    if (--messageTicks == 0) {
        message_->SetVisible(false);
        gauge_->SetVisible(false);
        programDone = false;
    }
}

namespace {

// The month shown for the unit's month code: the low byte of the sum of the letters of the
// English abbreviation.
const char* MonthText(uint8_t code) {
    static const struct {
        uint8_t code;
        const char* text;
    } kMonths[] = {{25, " 1"}, {13, " 2"}, {32, " 3"}, {35, " 4"}, {39, " 5"}, {45, " 6"},
                   {43, " 7"}, {29, " 8"}, {40, " 9"}, {38, "10"}, {51, "11"}, {12, "12"}};
    for (const auto& m : kMonths)
        if (m.code == code) return m.text;
    return "00";
}

char Digit(int v) {
    return static_cast<char>('0' + v);
}

}  // namespace

TUnitIdentity UnitIdentityOf(const TParamImage& image) {
    TUnitIdentity identity;
    char* v = identity.version;
    if (image[16] != 0) {
        int i = 0;
        for (; i < 30 && image[16 + i] != 0; ++i) v[i] = static_cast<char>(image[16 + i]);
        v[i] = 0;
    } else {
        v[0] = static_cast<char>(image[0]);
        v[1] = static_cast<char>(image[1]);
        v[2] = static_cast<char>(image[2]);
        v[3] = Digit(image[3] / 10);
        v[4] = Digit(image[3] % 10);
        v[5] = 0;
    }
    const uint8_t day = image[4];
    char* d = identity.date;
    d[0] = day < 10 ? ' ' : Digit(day / 10);
    d[1] = Digit(day % 10);
    d[2] = '.';
    const char* month = MonthText(image[5]);
    d[3] = month[0];
    d[4] = month[1];
    d[5] = '.';
    d[6] = '2';
    d[7] = '0';
    d[8] = Digit(image[6] / 10);
    d[9] = Digit(image[6] % 10);
    d[10] = 0;
    char* t = identity.time;
    t[0] = Digit(image[7] / 10);
    t[1] = Digit(image[7] % 10);
    t[2] = ':';
    t[3] = Digit(image[8] / 10);
    t[4] = Digit(image[8] % 10);
    t[5] = 0;
    return identity;
}
