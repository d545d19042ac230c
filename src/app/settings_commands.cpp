// The window's settings, the image snapshot and the test marker at start-up and shut-down.
#include <algorithm>
#include <array>
#include <cstdio>

#include "app/Hlav.h"
#include "files/settings.h"

namespace {

// The option boxes the settings keep, in the order of their keys.
std::array<TControl*, 6> OptionBoxes(TFormHlav& f) {
    return {&f.CheckBoxExtMonitor, &f.CheckBoxIgnAll, &f.Tp14.all,
            &f.Tp23.all,           &f.Iap.all,        &f.CheckBoxPrivAll};
}

}  // namespace

// The window as the settings file holds it: geometry, language, page and option boxes.
TWindowSettings TFormHlav::WindowSettingsNow() {
    const std::array<TControl*, 6> boxes = OptionBoxes(*this);
    TWindowSettings w;
    w.left = FormHlav.left;
    w.top = FormHlav.top;
    w.height = FormHlav.height;
    w.width = FormHlav.width;
    w.language = language;
    w.page = PageControl1.Position();
    for (size_t i = 0; i < 6; ++i) w.boxes[i] = boxes[i]->Checked();
    return w;
}

void TFormHlav::LoadSettings() {
    const std::array<TControl*, 6> boxes = OptionBoxes(*this);
    TWindowSettings w = WindowSettingsNow();
    // Stored counting from 1; the values held now (1 and 0) make a missing key COM1 and 255.
    w.comPort = link.portChoice;
    w.comPortAuto = link.scanPosition;
    LoadWindowSettings(settingsPath, w);
    LoadTuningLimits(w);

    FormHlav.left = w.left;
    FormHlav.top = w.top;
    FormHlav.height = w.height;
    FormHlav.width = w.width;
    link.portChoice = static_cast<uint8_t>(w.comPort - 1);
    link.scanPosition = static_cast<uint8_t>(w.comPortAuto - 1);
    language = static_cast<uint8_t>(w.language);
    LabelFile2.SetText(w.file);
    // Both dialogs propose the last file, also when there is none: the open dialog's blank
    // design name does not outlive the start-up.
    LastFilePath = w.lastPath;
    openDialogPath = LastFilePath;
    saveDialogPath = LastFilePath;
    // A tab the page control does not have cannot be shown: such an index counts as missing.
    if (w.page >= kPageIgn && w.page <= kPageLadeni) PageControl1.SetPosition(w.page);
    for (size_t i = 0; i < 6; ++i) boxes[i]->SetChecked(w.boxes[i]);

    LoadSnapshotFile(snapshotPath, image);
    RemoveStaleSaves(settingsPath, snapshotPath, LastFilePath);
}

void TFormHlav::SaveSettings() {
    TWindowSettings w = WindowSettingsNow();
    w.comPort = link.portChoice + 1;
    w.comPortAuto = link.scanPosition + 1;
    w.file = LabelFile2.Text();
    w.lastPath = LastFilePath;
    w.changeLimited = limits.changeLimited;
    w.maxChangePercent = limits.maxChangePercent;
    w.coolantLimited = limits.coolantLimited;
    w.minCoolantC = limits.minCoolantC;
    char locked[kMapBytes * 4 + 1];
    limits.LockedText(locked, sizeof locked);
    w.lockedCells = locked;
    // A file that cannot be replaced (a full disk, a read-only folder, a folder standing at the
    // file's place) keeps its old contents; the program goes on closing and says so once, on the
    // error output, since the window is already gone.
    const bool settingsSaved = SaveWindowSettings(settingsPath, w);
    const bool snapshotSaved = SaveSnapshotFile(snapshotPath, image);
    if (!settingsSaved || !snapshotSaved) {
        std::fprintf(stderr, "quorvel05: could not save %s%s%s\n",
                     settingsSaved ? "" : settingsPath.c_str(),
                     !settingsSaved && !snapshotSaved ? " and " : "",
                     snapshotSaved ? "" : snapshotPath.c_str());
    }
}

// Limits out of their fields' ranges (an edited settings file) are brought into them.
void TFormHlav::LoadTuningLimits(const TWindowSettings& w) {
    limits.changeLimited = w.changeLimited;
    limits.maxChangePercent = std::clamp(w.maxChangePercent, 1, 100);
    limits.coolantLimited = w.coolantLimited;
    limits.minCoolantC = std::clamp(w.minCoolantC, -10, 120);
    limits.ReadLocked(w.lockedCells.c_str());
    ShowTuningLimits();
}

void TFormHlav::ReadTestMarker() {
    testMode = ReadTestMarkerFile(markerPath);
}
