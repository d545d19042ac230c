#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#define QV_OPEN _open
#define QV_WRITE _write
#define QV_CLOSE _close
#define QV_FSYNC _commit
#define QV_GETPID _getpid
#define QV_ACCESS _access
#define QV_MAY_WRITE 2
#define QV_OPEN_FLAGS (_O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY)
#define QV_OPEN_MODE (_S_IREAD | _S_IWRITE)
#else
#include <unistd.h>
#define QV_OPEN ::open
#define QV_WRITE ::write
#define QV_CLOSE ::close
#define QV_FSYNC ::fsync
#define QV_GETPID ::getpid
#define QV_ACCESS ::access
#define QV_MAY_WRITE W_OK
#define QV_OPEN_FLAGS (O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC)
#define QV_OPEN_MODE 0666
#endif

namespace fs = std::filesystem;

namespace {

#if !defined(_WIN32)
// Makes a completed rename durable: the folder entry itself is flushed. Best effort.
void SyncFolder(const fs::path& folder) {
    const std::string dir = folder.empty() ? std::string(".") : folder.string();
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
#endif

}  // namespace

TAtomicFile::~TAtomicFile() {
    Discard();
}

bool TAtomicFile::Create(const std::string& target) {
    Discard();
    failed_ = false;
    target_ = target;
    const fs::path t(target);
    if (target.empty() || !t.has_filename()) return false;
    std::error_code ec;
    // A folder at the target's place can never be replaced by a file.
    if (fs::is_directory(t, ec)) return false;
    // A link is followed: the file it points to is replaced, the link stays.
    if (fs::is_symlink(t, ec)) {
        const fs::path resolved = fs::weakly_canonical(t, ec);
        if (ec) return false;
        target_ = resolved.string();
    }
    // Only a regular file is replaced: a FIFO, a device or a socket at the target's place stays
    // what it is (the temporary file would otherwise be renamed over a device node).
    const fs::file_status present = fs::status(target_, ec);
    if (fs::exists(present) && !fs::is_regular_file(present)) return false;
    // A file that could not be opened for writing is not replaced either: a write-protected file
    // stays as it is, although the folder would allow the rename.
    if (fs::exists(present) && QV_ACCESS(target_.c_str(), QV_MAY_WRITE) != 0) return false;
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%d-%u.tmp", static_cast<int>(QV_GETPID()),
                      ++counter);
        temp_ = target_ + suffix;
        fd_ = QV_OPEN(temp_.c_str(), QV_OPEN_FLAGS, QV_OPEN_MODE);
        if (fd_ >= 0) break;
        if (errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temp_.clear();
        return false;
    }
#if !defined(_WIN32)
    // A replaced file keeps its permissions.
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd_, st.st_mode & 07777);
#endif
    return true;
}

bool TAtomicFile::Write(const char* data, size_t n) {
    if (fd_ < 0 || failed_) return false;
    while (n > 0) {
        const size_t chunk = n > (1u << 20) ? (1u << 20) : n;
        const auto written = QV_WRITE(fd_, data, static_cast<unsigned>(chunk));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failed_ = true;
            return false;
        }
        data += written;
        n -= static_cast<size_t>(written);
    }
    return true;
}

bool TAtomicFile::Commit() {
    if (fd_ < 0) return false;
    bool ok = !failed_;
    if (ok && QV_FSYNC(fd_) != 0) ok = false;
    if (QV_CLOSE(fd_) != 0) ok = false;
    fd_ = -1;
    if (ok) {
        std::error_code ec;
        fs::rename(temp_, target_, ec);  // replaces an existing file in one step
        if (ec) ok = false;
    }
    if (!ok) {
        Discard();
        return false;
    }
#if !defined(_WIN32)
    SyncFolder(fs::path(target_).parent_path());
#endif
    temp_.clear();
    return true;
}

void TAtomicFile::Discard() {
    if (fd_ >= 0) {
        QV_CLOSE(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
        temp_.clear();
    }
}

bool ReplaceFileContents(const std::string& target, const std::string& contents) {
    TAtomicFile f;
    return f.Create(target) && f.Write(contents) && f.Commit();
}

namespace {

// "<name>.<pid>-<n>.tmp": true with the target's name and the process number.
bool IsTemporaryName(const std::string& file, std::string& target, long& pid) {
    static constexpr char kExt[] = ".tmp";
    const size_t extLen = sizeof kExt - 1;
    if (file.size() <= extLen || file.compare(file.size() - extLen, extLen, kExt) != 0)
        return false;
    const std::string stem = file.substr(0, file.size() - extLen);
    const size_t dash = stem.rfind('-');
    if (dash == std::string::npos || dash + 1 == stem.size()) return false;
    for (size_t i = dash + 1; i < stem.size(); ++i)
        if (stem[i] < '0' || stem[i] > '9') return false;
    const size_t dot = stem.rfind('.', dash);
    if (dot == std::string::npos || dot == 0 || dot + 1 == dash || dash - dot > 10) return false;
    long p = 0;
    for (size_t i = dot + 1; i < dash; ++i) {
        if (stem[i] < '0' || stem[i] > '9') return false;
        p = p * 10 + (stem[i] - '0');
    }
    if (p <= 0) return false;
    target = stem.substr(0, dot);
    pid = p;
    return true;
}

// Whether a process of that number exists (one of another user counts as well).
bool ProcessRuns(long pid) {
#if defined(_WIN32)
    (void)pid;
    return true;  // not known here: nothing is removed
#else
    if (pid == static_cast<long>(::getpid())) return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

}  // namespace

int RemoveStaleTemporaries(const std::string& folder,
                           const std::function<bool(const std::string& target)>& accept) {
    if (folder.empty()) return 0;
    int removed = 0;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string target;
        long pid = 0;
        if (!IsTemporaryName(it->path().filename().string(), target, pid)) continue;
        std::error_code st;
        if (!it->is_regular_file(st) || it->is_symlink(st)) continue;
        if (!accept(target) || ProcessRuns(pid)) continue;
        if (fs::remove(it->path(), st)) ++removed;
    }
    return removed;
}
