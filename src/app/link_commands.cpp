// The window's side of the link and the sessions: the Com menu, the tick's poll and watchdog, the
// Read, Verify and Program commands, and what the link and the sessions show.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/Hlav.h"

void TFormHlav::OpenPort() {
    link.Open();
}
void TFormHlav::ClosePort() {
    link.Close();
}
void TFormHlav::MenuCom1Click(int item) {
    link.Choose(item);
}
void TFormHlav::SendFrame() {
    link.Send();
}
void TFormHlav::LinkWatchdogStep() {
    link.WatchdogStep();
}
void TFormHlav::SendBlockFrame() {
    session.SendBlockFrame();
}
void TFormHlav::SendMonitorRequest() {
    link.SendCommand(kCmdMonitor, nullptr);
}

// Only the oldest frame of the tick counts: a monitor frame to the panel, any other to the
// session.
void TFormHlav::PollReceive() {
    const uint8_t* frame = link.Poll();
    if (frame == nullptr) return;
    if (frame[0] == kCodeMonitorFrame)
        DecodeMonitorFrame(frame);
    else
        HandleResponse(frame);
}

void TFormHlav::DecodeMonitorFrame(const uint8_t* frame) {
    if (!::DecodeMonitorFrame(frame, monitor, *this, image, versionMismatchText)) return;
    link.Heard();
    std::memcpy(lastFrame.data(), frame, kFrameSize);
    frameThisTick = true;
}

void TFormHlav::HandleResponse(const uint8_t* frame) {
    session.HandleResponse(frame);
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

void TFormHlav::StartRead() {
    session.StartRead();
    LabelFile2.SetText("");
}

// A verify and a program take the editor's values first.
void TFormHlav::StartVerify() {
    TransferFieldsToImage();
    Sanitize();
    RefreshFieldsFromImage();
    session.StartVerify();
}

// The set about to be programmed is kept as a backup first.
void TFormHlav::StartProgram() {
    TransferFieldsToImage();
    Sanitize();
    RefreshFieldsFromImage();
    KeepBackup(TBackupReason::Program);
    session.StartProgram();
}

void TFormHlav::QueueProgram() {
    KeepBackup(TBackupReason::Program);
    session.QueueProgram();
}

void TFormHlav::SessionTimeoutStep() {
    session.TimeoutStep();
}

void TFormHlav::MessageCountdownStep() {
    session.MessageCountdownStep();
}

void TFormHlav::ShowStatus(const char* text, TColor color) {
    session.ShowStatus(text, color);
}

void TFormHlav::UpdateUnitIdentity() {
    identity = UnitIdentityOf(image);
}

void TFormHlav::ShowVerifyWarning() {
    const char* caption = WindowCaption(language);
    if (*caption == '\0') return;
    std::string text = caption;
    if (session.unitUnverified) {
        text += " - ";
        text += Text(TMsg::UnverifiedWarning);
    }
    FormHlav.SetText(text);
    StatusBar1.SetText(session.unitUnverified ? Text(TMsg::UnverifiedWarning) : "");
}

void TFormHlav::DialogMessage(const char* text) {
    if (platform.dialogs != nullptr) platform.dialogs->ShowMessage(text);
}

// ---- what the link shows

void TFormHlav::LinkPortShown(const char* shortName) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "COM= %s", shortName);
    LabelCom.SetText(caption);
}

void TFormHlav::LinkPortFailed(const char* device, const TPortFailure& failure) {
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
    std::snprintf(text, sizeof text, Text(TMsg::PortFailure), device, reason);
    DialogMessage(text);
}

void TFormHlav::LinkChoiceShown(uint8_t choice) {
    for (int i = 0; i < kComItems; ++i) MenuComItem[i].SetChecked(i == choice);
}

void TFormHlav::LinkLostShown(bool lost) {
    LabelSpojeni.SetVisible(lost);
}

// ---- what the sessions ask of the window

void TFormHlav::SessionImageChanged() {
    Sanitize();
    RefreshFieldsFromImage();
}
void TFormHlav::SessionIdentityChanged() {
    UpdateUnitIdentity();
}
void TFormHlav::SessionVersionMismatch() {
    DialogMessage(Text(TMsg::VersionMismatchBox));
}
void TFormHlav::SessionUnverifiedChanged() {
    ShowVerifyWarning();
}
bool TFormHlav::SessionBlockPending() const {
    return tuning.blockPending;
}
void TFormHlav::SessionBlockDone() {
    tuning.blockPending = false;
}
