// Read, verify and program sessions, the single-block acknowledgement, the status message.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/Hlav.h"

void TFormHlav::ShowStatus(const char* text, TColor color) {
    LabelHlaseni.SetColor(color);
    LabelHlaseni.SetText(text);
    session.messageTicks = kMessageTicks;
}

void TFormHlav::MenuReadClick() {
    StartRead();
}
void TFormHlav::MenuVerifyClick() {
    StartVerify();
}
void TFormHlav::MenuProgramClick() {
    StartProgram();
}

// A session takes over the link's one command: a single-block write of tuning still awaiting
// its answer is given up (a program writes that block anyway, a read replaces it, a verify
// compares it), so that its resends never go out with the session's command.
void TFormHlav::BeginSession() {
    tuning.blockPending = false;
}

void TFormHlav::StartRead() {
    BeginSession();
    session.kind = TSessionKind::Read;
    session.command = kCmdReadBase;
    session.attempts = 1;
    SendBlockFrame();
    ShowStatus(Text(TMsg::ReadDevice), TColor::BtnFace);
    LabelHlaseni.SetVisible(true);
    CGaugeProgram.SetPosition(0);
    CGaugeProgram.SetVisible(true);
    LabelFile2.SetText("");
    // A read is no programming: a program-complete text still pending from an earlier session
    // must not come back over the read's texts, also when the read ends on its first answer.
    session.programDone = false;
}

void TFormHlav::StartVerify() {
    BeginSession();
    TransferFieldsToImage();
    Sanitize();
    RefreshFieldsFromImage();
    session.kind = TSessionKind::Verify;
    session.command = kCmdReadBase + 1;
    session.attempts = 1;
    SendBlockFrame();
    ShowStatus(Text(TMsg::VerifyDevice), TColor::BtnFace);
    LabelHlaseni.SetVisible(true);
    session.programDone = false;
    CGaugeProgram.SetPosition(1);
    CGaugeProgram.SetVisible(true);
}

void TFormHlav::StartProgram() {
    BeginSession();
    TransferFieldsToImage();
    Sanitize();
    RefreshFieldsFromImage();
    session.kind = TSessionKind::Program;
    session.command = 0;
    session.attempts = 1;
    SendBlockFrame();
    ShowStatus(Text(TMsg::ProgramDevice), TColor::BtnFace);
    LabelHlaseni.SetVisible(true);
    CGaugeProgram.SetPosition(0);
    CGaugeProgram.SetVisible(true);
    session.programDone = false;
}

void TFormHlav::QueueProgram() {
    BeginSession();
    session.kind = TSessionKind::Program;
    session.command = 0;
    session.attempts = 0;
    ShowStatus(programCaption, TColor::BtnFace);
    LabelHlaseni.SetVisible(true);
    CGaugeProgram.SetPosition(0);
    CGaugeProgram.SetVisible(true);
    session.programDone = false;
}

// After the last block of a read or a program: verify blocks 1 to 5.
void TFormHlav::SwitchToVerifyAfterTransfer() {
    session.kind = TSessionKind::Verify;
    session.command = kCmdReadBase + 1;
    session.attempts = 1;
    SendBlockFrame();
    ShowStatus(Text(TMsg::VerifyDeviceAuto), TColor::BtnFace);
    LabelHlaseni.SetVisible(true);
    CGaugeProgram.SetPosition(1);
    CGaugeProgram.SetVisible(true);
}

void TFormHlav::HandleResponse(const uint8_t* frame) {
    if (!FrameCheckOk(frame)) return;
    link.silentTicks = 0;
    const int b = session.command & 63;
    const uint8_t code = frame[0];
    const uint8_t* data = frame + 1;
    const bool echo = code == (session.command ^ kResponseBit);

    auto nextBlock = [this] {
        CGaugeProgram.SetPosition(CGaugeProgram.Position() + 1);
        ++session.command;
        session.attempts = 1;
        SendBlockFrame();
    };

    switch (session.kind) {
        case TSessionKind::Read:
            if (!echo) return;
            image.SetBlock(b, data);
            if (b == 0) {
                UpdateUnitIdentity();
                if (image.Get(TField::LAYOUT_VERSION) != kLayoutVersion) {
                    session.kind = TSessionKind::None;
                    Sanitize();
                    RefreshFieldsFromImage();
                    DialogMessage(Text(TMsg::VersionMismatchBox));
                    return;
                }
            }
            if (b < 5) {
                nextBlock();
                return;
            }
            Sanitize();
            RefreshFieldsFromImage();
            SwitchToVerifyAfterTransfer();
            return;

        case TSessionKind::Verify:
            if (!echo || !image.BlockEquals(b, data)) return;
            if (b < 5) {
                nextBlock();
                return;
            }
            CGaugeProgram.SetPosition(CGaugeProgram.Max());
            ShowStatus(Text(TMsg::VerifyOk), TColor::BtnFace);
            session.kind = TSessionKind::None;
            if (unitUnverified) {
                unitUnverified = false;
                ShowVerifyWarning();
            }
            return;

        case TSessionKind::Program:
            if (!echo) return;
            if (b == 0) {
                image.SetBlock(0, data);
                UpdateUnitIdentity();
                Sanitize();
                RefreshFieldsFromImage();
                if (image.Get(TField::LAYOUT_VERSION) != kLayoutVersion) {
                    session.kind = TSessionKind::None;
                    DialogMessage(Text(TMsg::VersionMismatchBox));
                    return;
                }
            } else if (!image.BlockEquals(b, data)) {
                return;
            }
            if (b < 5) {
                nextBlock();
                return;
            }
            session.programDone = true;
            SwitchToVerifyAfterTransfer();
            return;

        case TSessionKind::None:
            // Only a single-block write of tuning awaits an answer here; a late copy of a
            // session's last answer acknowledges nothing.
            if (!tuning.blockPending) return;
            if (!echo || b == 0 || !image.BlockEquals(b, data)) return;
            if (session.command == 3 && image.Get(TField::TPS_MODE) == 1) {
                session.command = 4;
                session.attempts = 1;
                SendBlockFrame();
                return;
            }
            tuning.blockPending = false;
            CGaugeProgram.SetPosition(
                CGaugeProgram.Position() >= CGaugeProgram.Max() ? 0 : CGaugeProgram.Position() + 1);
            CGaugeProgram.SetVisible(true);
            ShowStatus(Text(TMsg::ProgramOk), TColor::BtnFace);
            LabelHlaseni.SetVisible(true);
            return;
    }
}

void TFormHlav::SessionTimeoutStep() {
    if (++session.ticksSinceSend >= kResendTicks) {
        session.ticksSinceSend = 0;
        ++session.attempts;
        if (session.attempts <= kMaxAttempts) {
            SendBlockFrame();
        } else {
            TMsg m = session.kind == TSessionKind::Program  ? TMsg::ProgramError
                     : session.kind == TSessionKind::Verify ? TMsg::VerifyError
                                                            : TMsg::ReadError;
            ShowStatus(Text(m), TColor::Red);
            if (session.kind == TSessionKind::Verify) session.programDone = false;
            // The red text goes after its display time (a verify failing after a program is even
            // followed by the unit's saving progress at once); the warning stays until a verify
            // passes, so a unit holding a set that did not verify is not overlooked. A program
            // that got no answer to block 0 has written nothing.
            const bool partlyProgrammed =
                session.kind == TSessionKind::Program && (session.command & 63) > 0;
            if (session.kind == TSessionKind::Verify || partlyProgrammed) {
                unitUnverified = true;
                ShowVerifyWarning();
            }
            session.kind = TSessionKind::None;
        }
    }
    if (session.kind == TSessionKind::Read) session.programDone = false;
}

void TFormHlav::ShowVerifyWarning() {
    const char* caption = WindowCaption(language);
    if (*caption == '\0') return;
    std::string text = caption;
    if (unitUnverified) {
        text += " - ";
        text += Text(TMsg::UnverifiedWarning);
    }
    FormHlav.SetText(text);
    StatusBar1.SetText(unitUnverified ? Text(TMsg::UnverifiedWarning) : "");
}

void TFormHlav::MessageCountdownStep() {
    if (session.messageTicks == 0) return;
    if (--session.messageTicks == 0) {
        LabelHlaseni.SetVisible(false);
        CGaugeProgram.SetVisible(false);
        session.programDone = false;
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

void TFormHlav::UpdateUnitIdentity() {
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
}
