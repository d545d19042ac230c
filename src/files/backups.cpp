#include "files/backups.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/atomic_file.h"

namespace fs = std::filesystem;

namespace {

constexpr TBackupReason kReasons[] = {TBackupReason::Read, TBackupReason::Program,
                                      TBackupReason::TuningStart};
constexpr size_t kStampLength = 15;        // "20261210-114501"
constexpr size_t kMaxBackupBytes = 65536;  // a parameter file is about 4 kB

bool AllDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The text of a file up to the size a parameter file can have; empty when it cannot be read.
std::string SmallFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text;
    char buf[4096];
    while (in && text.size() < kMaxBackupBytes) {
        in.read(buf, sizeof buf);
        text.append(buf, static_cast<size_t>(in.gcount()));
    }
    return text;
}

int NextSequence(const std::vector<TBackupEntry>& list, std::string_view stamp) {
    int next = 1;
    for (const TBackupEntry& e : list)
        if (e.stamp == stamp) next = std::max(next, e.sequence + 1);
    return next;
}

}  // namespace

const char* BackupReasonWord(TBackupReason reason) {
    switch (reason) {
        case TBackupReason::Read:
            return "read";
        case TBackupReason::Program:
            return "program";
        case TBackupReason::TuningStart:
            return "tuning";
    }
    return "";
}

bool IsBackupStamp(std::string_view s) {
    return s.size() == kStampLength && s[8] == '-' && AllDigits(s.substr(0, 8)) &&
           AllDigits(s.substr(9));
}

std::string BackupFileName(std::string_view stamp, TBackupReason reason, int sequence) {
    std::string name(stamp);
    name += '-';
    name += BackupReasonWord(reason);
    if (sequence > 1) name += "-" + std::to_string(sequence);
    return name + ".ign";
}

bool ParseBackupFileName(std::string_view name, TBackupEntry& entry) {
    constexpr std::string_view kExt = ".ign";
    if (name.size() < kStampLength + 1 + kExt.size() || !name.ends_with(kExt)) return false;
    if (!IsBackupStamp(name.substr(0, kStampLength)) || name[kStampLength] != '-') return false;
    std::string_view rest = name.substr(kStampLength + 1);
    rest.remove_suffix(kExt.size());
    for (TBackupReason r : kReasons) {
        const std::string_view word = BackupReasonWord(r);
        if (!rest.starts_with(word)) continue;
        const std::string_view tail = rest.substr(word.size());
        int sequence = 1;
        if (!tail.empty()) {
            if (tail[0] != '-' || tail.size() > 5 || !AllDigits(tail.substr(1))) return false;
            sequence = std::stoi(std::string(tail.substr(1)));
            if (sequence < 2) return false;
        }
        entry.stamp = std::string(name.substr(0, kStampLength));
        entry.reason = r;
        entry.sequence = sequence;
        return true;
    }
    return false;
}

bool NewerBackup(const TBackupEntry& a, const TBackupEntry& b) {
    if (a.stamp != b.stamp) return a.stamp > b.stamp;
    return a.sequence > b.sequence;
}

std::vector<TBackupEntry> ListBackups(const std::string& folder) {
    std::vector<TBackupEntry> list;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        TBackupEntry e;
        if (!it->is_regular_file(ec) || !ParseBackupFileName(it->path().filename().string(), e))
            continue;
        e.path = it->path().string();
        list.push_back(std::move(e));
    }
    std::sort(list.begin(), list.end(), NewerBackup);
    return list;
}

std::vector<TBackupEntry> BackupsBeyond(const std::vector<TBackupEntry>& newestFirst, size_t keep) {
    if (newestFirst.size() <= keep) return {};
    return {newestFirst.begin() + static_cast<std::ptrdiff_t>(keep), newestFirst.end()};
}

std::string BackupDateText(std::string_view s) {
    if (!IsBackupStamp(s)) return {};
    return std::string(s.substr(0, 4)) + "-" + std::string(s.substr(4, 2)) + "-" +
           std::string(s.substr(6, 2));
}

std::string BackupTimeText(std::string_view s) {
    if (!IsBackupStamp(s)) return {};
    return std::string(s.substr(9, 2)) + ":" + std::string(s.substr(11, 2)) + ":" +
           std::string(s.substr(13, 2));
}

TBackupResult KeepBackupFile(const std::string& folder, std::string_view stamp,
                             TBackupReason reason, const std::string& text, size_t keep) {
    if (!IsBackupStamp(stamp) || folder.empty()) return TBackupResult::Failed;
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::vector<TBackupEntry> list = ListBackups(folder);
    if (!list.empty() && list.front().reason == reason && SmallFileText(list.front().path) == text)
        return TBackupResult::Unchanged;
    TBackupEntry added;
    added.stamp = std::string(stamp);
    added.reason = reason;
    added.sequence = NextSequence(list, stamp);
    added.path = (fs::path(folder) / BackupFileName(stamp, reason, added.sequence)).string();
    if (!ReplaceFileContents(added.path, text)) return TBackupResult::Failed;
    list.insert(std::upper_bound(list.begin(), list.end(), added, NewerBackup), added);
    for (const TBackupEntry& old : BackupsBeyond(list, keep)) fs::remove(old.path, ec);
    return TBackupResult::Written;
}
