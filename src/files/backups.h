// Parameter sets kept on their own: every set read from a unit and every set about to be
// programmed into one goes into a backups folder as a parameter file named by the time and the
// occasion ("20261210-114501-read.ign"); the newest 200 stay, older ones are removed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TBackupReason : uint8_t { Read, Program, TuningStart };

constexpr size_t kBackupsKept = 200;

struct TBackupEntry {
    std::string path;   // the file
    std::string stamp;  // "20261210-114501", the local date and time it was kept
    TBackupReason reason = TBackupReason::Read;
    int sequence = 1;  // 2, 3, ... for further backups within the same second
};

// The word of the file name: "read", "program", "tuning".
const char* BackupReasonWord(TBackupReason reason);
// "YYYYMMDD-HHMMSS", digits only apart from the dash.
bool IsBackupStamp(std::string_view stamp);
// "20261210-114501-read.ign"; from the second in the same second on "20261210-114501-read-2.ign".
std::string BackupFileName(std::string_view stamp, TBackupReason reason, int sequence);
// The entry of a backup's file name (the path left empty); false for any other name, so files of
// another kind in the folder are never listed or removed.
bool ParseBackupFileName(std::string_view name, TBackupEntry& entry);
// True when a was kept after b: the later stamp, within the same second the higher sequence.
bool NewerBackup(const TBackupEntry& a, const TBackupEntry& b);
// The backups in the folder, newest first; none when the folder is missing or cannot be read.
std::vector<TBackupEntry> ListBackups(const std::string& folder);
// The entries after the first `keep` of a list ordered newest first.
std::vector<TBackupEntry> BackupsBeyond(const std::vector<TBackupEntry>& newestFirst, size_t keep);
// "2026-12-10" and "11:45:01" of a stamp.
std::string BackupDateText(std::string_view stamp);
std::string BackupTimeText(std::string_view stamp);

enum class TBackupResult : uint8_t { Written, Unchanged, Failed };
// Keeps the parameter file text as a new backup in the folder (created when missing) under a
// name no other backup has, then removes the backups beyond the newest `keep`. Unchanged, with
// nothing written, when the newest backup is of the same reason and holds the same text. Failed
// when the stamp is no stamp or the file cannot be written; the folder is then left as it was.
TBackupResult KeepBackupFile(const std::string& folder, std::string_view stamp,
                             TBackupReason reason, const std::string& text,
                             size_t keep = kBackupsKept);
