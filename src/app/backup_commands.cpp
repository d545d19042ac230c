// Backups: the set read from the unit and the set about to be programmed kept as files, and
// File > Backups... loading one of them.
#include <cstdio>

#include "app/Hlav.h"
#include "files/param_set.h"
#include "params/bike_types.h"

namespace {

TMsg OccasionText(TBackupReason reason) {
    switch (reason) {
        case TBackupReason::Read:
            return TMsg::BackupRead;
        case TBackupReason::Program:
            return TMsg::BackupProgram;
        case TBackupReason::TuningStart:
            return TMsg::BackupTuning;
    }
    return TMsg::BackupRead;
}

}  // namespace

void TFormHlav::KeepBackup(TBackupReason reason) {
    if (platform.backupDir.empty() || platform.clock == nullptr) return;
    const TParamSet set{image, CheckBoxExtMonitor.Checked()};
    const TBackupResult result =
        KeepBackupFile(platform.backupDir, platform.clock->Stamp(), reason, ParamSetText(set));
    if (result != TBackupResult::Failed || backupFailureShown) return;
    backupFailureShown = true;
    char text[1024];
    std::snprintf(text, sizeof text, Text(TMsg::BackupFailed), platform.backupDir.c_str());
    DialogMessage(text);
}

// A read is kept once its verify has shown that the image is the unit's.
void TFormHlav::SessionVerifyPassed(TSessionKind started) {
    if (started == TSessionKind::Read) KeepBackup(TBackupReason::Read);
}

void TFormHlav::MenuBackupsClick() {
    const std::vector<TBackupEntry> backups =
        platform.backupDir.empty() ? std::vector<TBackupEntry>() : ListBackups(platform.backupDir);
    if (backups.empty()) {
        DialogMessage(Text(TMsg::NoBackups));
        return;
    }
    TBackupChoice choice{Text(TMsg::BackupsTitle),
                         Text(TMsg::BackupDate),
                         Text(TMsg::BackupTime),
                         Text(TMsg::BackupOccasion),
                         {}};
    for (const TBackupEntry& e : backups)
        choice.rows.push_back({e.path, BackupDateText(e.stamp), BackupTimeText(e.stamp),
                               Text(OccasionText(e.reason))});
    const std::string path = platform.dialogs->ChooseBackup(choice);
    if (!path.empty()) LoadBackup(path);
}

// As Open, except that the dialogs keep proposing the user's own files rather than the backups
// folder.
void TFormHlav::LoadBackup(const std::string& path) {
    bool ext = CheckBoxExtMonitor.Checked();
    if (!ReportOpenResult(OpenParamFile(path, image, ext))) return;
    CheckBoxExtMonitor.SetChecked(ext);
    UpdateBikeConstants(image);
    CommitChange();
    LabelFile2.SetText(path);
    LabelHlaseni.SetVisible(false);
    CGaugeProgram.SetVisible(false);
}
