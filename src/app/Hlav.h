// The main window: owns the parameter image, the serial link, the transfer session, the live
// values, the history, the editor controls and the settings for its whole life. Its handlers run
// on the user-interface thread only and never overlap.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/platform.h"
#include "app/routes.h"
#include "editing/adjust.h"
#include "editing/history.h"
#include "editing/operating_point.h"
#include "editing/tp_modes.h"
#include "editing/tuning.h"
#include "editing/tuning_review.h"
#include "files/backups.h"
#include "files/file_commands.h"
#include "files/monitor_log.h"
#include "files/param_set.h"
#include "link/monitor.h"
#include "link/transfer_session.h"
#include "link/unit_link.h"
#include "params/field_binding.h"
#include "params/param_image.h"
#include "ui/About.h"
#include "ui/language.h"
#include "ui/log_texts.h"
#include "ui/main_window.h"
#include "ui/tuning_texts.h"

class TFormHlav : public TMainWindow, private TLinkEvents, private TSessionHost {
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
    void MenuCom1Click(TControl& item);
    void OpenPort();
    void ClosePort();
    void PollReceive();
    void SendFrame();
    void LinkWatchdogStep();
    void SendBlockFrame();
    void SendMonitorRequest();

    // ---- transfer sessions (the session itself is link/transfer_session)
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
    void ShowTpMode(uint8_t mode);
    void TrackOperatingPoint();
    void TuningStep();

    // ---- adjustment commands (editing/adjust)
    void CurveMinusClick();
    void CurvePlusClick();
    void BitBtnServoMinusClick();
    void BitBtnServoPlusClick();
    void BitBtnJetTpsMinusClick();
    void BitBtnJetTpsPlusClick();
    void BitBtnJetTpsMinusiClick();
    void BitBtnJetTpsPlusiClick();
    void BitBtnJetIapMinusClick();
    void BitBtnJetIapPlusClick();
    void CSpinButtonUpClick(TControl& sender);  // CSpinButton1 .. CSpinButton10
    void CSpinButtonDownClick(TControl& sender);
    void CSpinButton1iUpClick(), CSpinButton1iDownClick(), CSpinButton2iUpClick(),
        CSpinButton2iDownClick(), CSpinButton3iUpClick(), CSpinButton3iDownClick(),
        CSpinButton4iUpClick(), CSpinButton4iDownClick(), CSpinButton5iUpClick(),
        CSpinButton5iDownClick(), CSpinButton6iUpClick(), CSpinButton6iDownClick(),
        CSpinButton7iUpClick(), CSpinButton7iDownClick(), CSpinButton8iUpClick(),
        CSpinButton8iDownClick(), CSpinButton9iUpClick(), CSpinButton9iDownClick(),
        CSpinButton10iUpClick(), CSpinButton10iDownClick();
    void CSpinButton11UpClick(), CSpinButton11DownClick(), CSpinButton12UpClick(),
        CSpinButton12DownClick(), CSpinButton13UpClick(), CSpinButton13DownClick(),
        CSpinButton14UpClick(), CSpinButton14DownClick(), CSpinButton15UpClick(),
        CSpinButton15DownClick(), CSpinButton16UpClick(), CSpinButton16DownClick(),
        CSpinButton17UpClick(), CSpinButton17DownClick(), CSpinButton18UpClick(),
        CSpinButton18DownClick(), CSpinButton19UpClick(), CSpinButton19DownClick(),
        CSpinButton20UpClick(), CSpinButton20DownClick();
    void BitBtnTps0Click();
    void BitBtnTps100Click();
    void MenuToolsMinusClick();
    void MenuToolsPlusClick();

    // ---- tuning review, limits and status (app/tuning_review_commands)
    void TuningSwitched();
    void BitBtnLadeniZpetClick();
    void BitBtnLadeniPrijmoutClick();
    void UpdateTuningReview();
    void TuningLimitsChanged(TControl& sender);
    void TuningLimitSpinner(TControl& updown, bool up);
    void TakeTuningLimits();
    void ShowTuningLimits();
    void LoadTuningLimits(const struct TWindowSettings& settings);
    struct TWindowSettings WindowSettingsNow();
    // A map cell locked against tuning, or unlocked (the cell's context menu).
    void CellLockToggle(TControl& edit);
    bool CellLocked(const TControl& edit) const;
    // Says what tuning is doing now; nullptr: tuning is off.
    void ShowTuningStatus(const char* text);
    void UpdateTuningStatus(TTuningTarget target, TLambdaReading lambda);
    TTuningReview review;
    TTuningLimits limits;
    TLimitStop limitStop = TLimitStop::None;  // why the last correction was held back
    int limitPercent = 0;
    bool tuningStatusShown = false;

    // ---- the monitor log (app/log_commands)
    void MenuRecordLogClick();
    void ShowLogStatus();
    void LogStep();
    void LogCorrection(int imageByte, uint8_t oldValue, uint8_t newValue);
    TMonitorLog monitorLog;
    std::string logDialogPath;
    uint32_t logTicks = 0;
    std::array<uint8_t, kFrameSize> lastFrame{};  // the monitor frame decoded on this tick
    bool frameThisTick = false;

    // The View menu's plots, shown or hidden.
    void MenuPlotsClick();

    // ---- printout and help
    void SpeedButtonPrintClick();
    void SetPrintLayout();
    bool PrintLayout = false;  // the print layout is in force
    void MenuContensClick();
    void MenuAboutClick();
    // The About window, once, after the main window has been created.
    void CreateAboutWindow();
    TFormAbout FormAbout;

    // ---- event routing (app/routes)
    void BuildRoutes();
    // Runs the handler of the control's event; false when the event has none.
    bool Fire(TControl& c, TEvent e);

    // ---- files (files/)
    void MenuNewClick();
    void MenuOpenClick();
    void MenuOpenExeDirClick();
    void MenuSaveClick();
    void MenuSaveExeDirClick();
    void MenuExitClick();
    // Keeps the image as a backup file named by the clock and the reason (nothing is sent to the
    // unit); a backups folder that cannot be written is reported once a run.
    void KeepBackup(TBackupReason reason);
    void MenuBackupsClick();
    // The chosen backup into the image as Open does it (one undo step, its name in LabelFile2).
    void LoadBackup(const std::string& path);
    bool backupFailureShown = false;
    // Compare with file: a table of the values that differ and the editor fields marked, until
    // Close comparison (or the table is closed).
    void MenuCompareClick();
    void MenuCloseComparisonClick();
    // Marks every editor field whose value differs from the compared file's, the note giving the
    // file's value in the current language; run after every change while a comparison is shown.
    void UpdateComparisonMarks();
    bool comparisonShown = false;
    TParamSet comparedSet;  // the file's set while a comparison is shown
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
    TOperatingPoint operatingPoint;
    TTuningState tuning;
    TRouteTable routes;

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
    void DialogMessage(const char* text);
    void LinkPortShown(const char* shortName) override;
    void LinkPortFailed(const char* device, const TPortFailure& failure) override;
    void LinkChoiceShown(uint8_t choice) override;
    void LinkLostShown(bool lost) override;
    void SessionImageChanged() override;
    void SessionIdentityChanged() override;
    void SessionVersionMismatch() override;
    void SessionUnverifiedChanged() override;
    bool SessionBlockPending() const override;
    void SessionBlockDone() override;
    void SessionVerifyPassed(TSessionKind started) override;
    void ReportPrintResult(const TPrintResult& result);
    void FormatLimitStop(char* text, size_t cap);
    std::string AskParamFileToOpen();
    bool ReportOpenResult(TOpenResult result);
    void MapStepCommand(TMap map, const TControl& all, TStep step);
    void ColumnStepCommand(TMap map, int column, TStep step);
    void ServoStepCommand(TStep step);
    void AdvanceStepCommand(TStep step);
    void PaintOperatingPoint();
    void PaintMapCells(TMainWindow::TMapGrid& grid, TMap map, bool lit);
    TSanitizeSettings SanitizeSettings();
};
