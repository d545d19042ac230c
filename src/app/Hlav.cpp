// Start-up, the 55 ms tick and shut-down of the main window.
#include "app/Hlav.h"

#include <cstdio>

#include "params/bike_types.h"

TFormHlav::TFormHlav(const TPlatform& p) : platform(p) {
    const std::string dir = platform.configDir.empty() ? std::string(".") : platform.configDir;
    settingsPath = dir + "/Quorvel05.ini";
    snapshotPath = dir + "/_Quorvel05.ini";
    markerPath = dir + "/test_xumelo.txt";
    link.port = platform.port;
    link.ports = platform.ports;
    link.events = this;
    session.Attach(link, image, LabelHlaseni, CGaugeProgram, language, *this);
}

void TFormHlav::FormCreate() {
    // 1-2. Control tables and the 21 items of the Com menu.
    fields = BuildFieldTables(*this);
    BuildRoutes();
    for (int i = 0; i < kComItems; ++i) {
        MenuComItem[i].SetText(i < 20 ? "Com " + std::to_string(i + 1) : std::string("Com Auto"));
    }
    // 3. The hint handler lives in the front end: it shows the long part of the current hint.
    // 4. Motorbike type 0; COM1 when the settings hold no port (stored values count from 1).
    image.Set(TField::BIKE, 0);
    link.portChoice = 1;
    link.scanPosition = 0;
    // 5.
    SetDefaults(image);
    // 6. Centre the window.
    FormHlav.left = (platform.screenWidth - FormHlav.width) / 2;
    FormHlav.top = (platform.screenHeight - FormHlav.height) / 2;
    // 7. Proposed path of the exe-directory commands.
    {
        const std::string& exe = platform.exePath;
        size_t cut = exe.find_last_of("/\\");
        ExeDirFileName =
            (cut == std::string::npos ? std::string() : exe.substr(0, cut + 1)) + "data.ign";
    }
    // 8.
    LoadSettings();
    // 9.
    UpdateBikeConstants(image);
    // 10. Language word of the command line, exact and case-sensitive.
    if (platform.firstArgument == "ENGLISH")
        language = kLangEnglish;
    else if (platform.firstArgument == "CESKY")
        language = kLangCzech;
    else if (platform.firstArgument == "DEUTSCH")
        language = kLangGerman;
    // 11-13.
    Sanitize();
    RefreshFieldsFromImage();
    HistoryReset();
    // 14.
    OpenPort();
    // 15.
    ApplyLanguage(language);
    // 16.
    LabelHlaseni.SetVisible(false);
    CGaugeProgram.SetVisible(false);
    LabelEeDataErr.SetVisible(false);
    LabelVersion.SetVisible(false);
    // 17-18.
    ReadTestMarker();
    for (TControl& t : LabelTest) t.SetVisible(testMode);
}

void TFormHlav::Timer1Timer() {
    frameThisTick = false;
    const bool sessionRunning = session.kind != TSessionKind::None;
    PollReceive();
    // A session that ended with this tick's answer leaves its result on screen for this tick.
    if (session.kind != TSessionKind::None)
        SessionTimeoutStep();
    else if (!sessionRunning)
        IdleStep();
    MessageCountdownStep();
    LinkWatchdogStep();
    if (LabelSpojeni.Visible()) LabelVersion.SetVisible(false);
    TrackOperatingPoint();
    LogStep();
}

void TFormHlav::IdleStep() {
    if (CheckBoxLadeniOn.Checked() && monitor.mapSuspended == 0 && monitor.rpm != 0) {
        TuningStep();
        return;
    }
    // Tuning switched on but waiting: the status text says for what.
    if (CheckBoxLadeniOn.Checked()) UpdateTuningStatus(TTuningTarget::None, {});
    if (++session.ticksSinceSend >= kMonitorPeriod) {
        session.ticksSinceSend = 0;
        SendMonitorRequest();
    }
    if (monitor.savingCountdown > 0) {
        LabelHlaseni.SetColor(TColor::BtnFace);
        LabelHlaseni.SetText(savingCaption);
        session.messageTicks = kMessageTicks;
        CGaugeProgram.SetPosition((503 - monitor.savingCountdown) * CGaugeProgram.Max() / 503);
    } else if (session.programDone) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%s OK", programCaption);
        LabelHlaseni.SetText(buf);
        CGaugeProgram.SetPosition(CGaugeProgram.Max());
    }
    tuning.offTargetTicks = 0;
    tuning.inTuningWindow = false;
}

void TFormHlav::FormClose() {
    monitorLog.Stop();
    ClosePort();
    session.kind = TSessionKind::None;
    TransferFieldsToImage();
    Sanitize();
    SaveSettings();
}
