// The main window: owns the parameter image, the serial link, the transfer session, the live
// values, the history, the editor controls and the settings for its whole life. Its handlers run
// on the user-interface thread only and never overlap.
#pragma once

#include <cstdint>
#include <string>

#include "app/platform.h"
#include "editing/history.h"
#include "link/monitor.h"
#include "link/transfer_session.h"
#include "link/unit_link.h"
#include "params/field_binding.h"
#include "params/param_image.h"
#include "ui/language.h"
#include "ui/main_window.h"

class TFormHlav : public TMainWindow {
  public:
    explicit TFormHlav(const TPlatform& platform);

    // ---- life (app/)
    void FormCreate();
    void Timer1Timer();
    void IdleStep();
    void FormClose();
    bool closeRequested = false;  // set by Exit; the front end then closes the window

    // ---- link (link/)
    void MenuCom1Click(int item);
    void OpenPort();
    void ClosePort();
    void PollReceive();
    void SendFrame();
    void LinkWatchdogStep();
    void SendBlockFrame();
    void SendMonitorRequest();

    // ---- transfer sessions
    void MenuReadClick();
    void MenuVerifyClick();
    void MenuProgramClick();
    void StartRead();
    void StartVerify();
    void StartProgram();
    void QueueProgram();
    void HandleResponse(const uint8_t* frame);
    void SessionTimeoutStep();
    void MessageCountdownStep();
    void UpdateUnitIdentity();
    // The caption and the status bar warn while the unit holds a set that failed its program or
    // verify, until a verify passes.
    void ShowVerifyWarning();

    // ---- live monitor
    void DecodeMonitorFrame(const uint8_t* frame);

    // ---- parameter set (params/)
    void Sanitize();  // SanitizeImage on the image and the three settings values
    void ApplyFieldRules();
    void ComboBoxBikeChange();
    void TransferFieldsToImage();
    void RefreshFieldsFromImage();
    // A click on a spinner arrow: the field's value moves by one step (its text with it), then
    // the spinners that have the event take all fields into the image and commit.
    void SpinnerClick(TControl& updown, bool up);
    // Editor events; each takes all fields into the image and commits.
    void UpDown1Click(TControl& updown, bool up);
    void Edit1Exit(TControl& edit);
    void EditClick(TControl& edit);
    void CheckBoxMouseUp(TControl& box);
    void EnterKeyPress(TControl& edit);

    // ---- editing (editing/)
    void CommitChange();
    void HistoryReset();
    bool HistoryCommit();
    void HistoryStore();
    void HistoryRestore();
    void SpeedButtonZpetClick();
    void SpeedButtonZnovuClick();
    void UpdateUndoRedoControls();
    void ProgramAfterChange();
    void MenuTpNormalClick(TControl& item);
    void ApplyTpModeView();
    void TrackOperatingPoint();
    void TuningStep();

    // ---- files (files/)
    void MenuNewClick();
    void MenuOpenClick();
    void MenuOpenExeDirClick();
    void MenuSaveClick();
    void MenuSaveExeDirClick();
    void MenuExitClick();
    void LoadSettings();
    void SaveSettings();
    void ReadTestMarker();

    // ---- language (ui/)
    void ApplyLanguage(uint8_t lang);
    void MenuEnglishClick();
    void MenuCzechClick();
    void MenuGermanClick();
    const char* Text(TMsg m) const { return LanguageText(language, m); }

    // ---- state
    TPlatform platform;
    TParamImage image;
    TUnitLink link;
    TTransferSession session;
    TUnitIdentity identity;
    TMonitorData monitor;
    THistoryRing history;
    TFieldTables fields;
    uint8_t language = kLangCzech;
    bool testMode = false;
    // The last program or verify of the unit failed (ShowVerifyWarning).
    bool unitUnverified = false;
    bool blockPending = false;  // a single-block write of automatic tuning awaits its answer
    uint8_t offTargetTicks = 0;
    bool inTuningWindow = false;

    // The message text table, filled by ApplyLanguage.
    const char* programCaption = "";
    const char* savingCaption = "";
    const char* versionMismatchText = "";

    std::string ExeDirFileName;
    std::string LastFilePath;
    std::string openDialogPath = " ";  // the design's blank; LoadSettings sets LastFilePath
    std::string saveDialogPath;

    std::string settingsPath;  // Quorvel05.ini
    std::string snapshotPath;  // _Quorvel05.ini beside it
    std::string markerPath;    // test_xumelo.txt

  private:
    void ShowStatus(const char* text, TColor color);
    void SwitchToVerifyAfterTransfer();
    void ShowPortFailure(const TPortFailure& failure);
    void DialogMessage(const char* text);
};
