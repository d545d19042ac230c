// Device > "Record log...": every monitor frame into a CSV log, written off the tick by the log's
// own thread, with the tuning corrections; the status bar says that a log runs and its size.
#include <cstdio>
#include <cstring>

#include "app/Hlav.h"

void TFormHlav::MenuRecordLogClick() {
    if (monitorLog.Running()) {
        monitorLog.Stop();
        MenuRecordLog.SetChecked(false);
        if (!tuningStatusShown) StatusBar1.SetText("");
        return;
    }
    TFileDialogRequest request;
    request.filter = "CSV log (*.csv)|*.csv|All Files (*.*)|*.*";
    request.defaultExt = "csv";
    request.proposedPath = logDialogPath;
    request.confirmOverwrite = true;
    const std::string path =
        platform.dialogs != nullptr ? platform.dialogs->SaveFileDialog(request) : std::string();
    if (path.empty()) return;
    logDialogPath = path;
    const std::string error = monitorLog.Start(path);
    if (!error.empty()) {
        char text[600];
        std::snprintf(text, sizeof text, LogText(language, TLogText::CannotStart), path.c_str(),
                      error.c_str());
        return DialogMessage(text);
    }
    logTicks = 0;
    MenuRecordLog.SetChecked(true);
    ShowLogStatus();
}

void TFormHlav::ShowLogStatus() {
    if (tuningStatusShown || !monitorLog.Running()) return;
    const std::string& path = monitorLog.Path();
    const size_t slash = path.find_last_of("/\\");
    char text[200];
    std::snprintf(text, sizeof text, LogText(language, TLogText::Running),
                  path.c_str() + (slash == std::string::npos ? 0 : slash + 1),
                  static_cast<unsigned long long>(monitorLog.BytesWritten() / 1024));
    StatusBar1.SetText(text);
}

// At the end of every tick: this tick's monitor frame into the log, with the operating point and
// the tuning state as the window shows them. A log that failed (a full disk) is stopped and says
// so once; the tool's own work goes on.
void TFormHlav::LogStep() {
    if (const char* error = monitorLog.TakeFailure()) {
        char text[300];
        std::snprintf(text, sizeof text, LogText(language, TLogText::Failed), error);
        ShowStatus(text, TColor::Red);
        LabelHlaseni.SetVisible(true);
        MenuRecordLog.SetChecked(false);
        if (!tuningStatusShown) StatusBar1.SetText(text);
        return;
    }
    if (!monitorLog.Running()) return;
    ++logTicks;
    if (frameThisTick) {
        const TOperatingPoint& op = operatingPoint;
        TLogContext context{image.Get(TField::ADVANCE_MAX),
                            op.tpRow,
                            op.tp14Column,
                            op.tp23Column,
                            op.iapRow,
                            op.iapColumn,
                            TLogTuning::Off};
        if (CheckBoxLadeniOn.Checked() && tuning.inTuningWindow)
            context.tuning = tuning.lambdaOnTarget ? TLogTuning::OnTarget : TLogTuning::Window;
        monitorLog.Add(lastFrame.data(), static_cast<int64_t>(logTicks) * 55, context);
    }
    if (logTicks % 18 == 0) ShowLogStatus();
}

// A tuning correction of a map byte, for the log's next line.
void TFormHlav::LogCorrection(int imageByte, uint8_t oldValue, uint8_t newValue) {
    if (!monitorLog.Running()) return;
    const int i = imageByte - kMapBytesFirst;
    monitorLog.NoteCorrection(static_cast<TLogMap>(i / 100), static_cast<uint8_t>(i % 100 / 10),
                              static_cast<uint8_t>(i % 10), oldValue, newValue);
}
