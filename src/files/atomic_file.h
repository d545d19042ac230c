// Replacing a file as a whole: the new contents go to a temporary file beside the target, which is
// flushed to the disk and only then renamed over the target. Until the rename the old file stays
// as it was; a failure (or a crash) at any point before it leaves the old file untouched, and the
// rename itself replaces the file in one step, so no reader ever sees a file cut short.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

class TAtomicFile {
  public:
    TAtomicFile() = default;
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;
    ~TAtomicFile();  // discards the temporary file when Commit was not reached

    // Creates the temporary file "<target>.<pid>-<n>.tmp" in the target's folder. False when it
    // cannot be created (the folder is missing, not writable, or the path is not a file path),
    // when the target exists but may not be written, and when something other than a regular
    // file (a folder, a FIFO, a device) stands at the target's place.
    bool Create(const std::string& target);
    // Appends to the temporary file; false on any write error.
    bool Write(const char* data, size_t n);
    bool Write(const std::string& s) { return Write(s.data(), s.size()); }
    // Flushes the temporary file to the disk, closes it and renames it over the target. False on
    // any failure, the temporary file then being removed and the target left as it was.
    bool Commit();
    // Closes and removes the temporary file; the target is not touched.
    void Discard();

    const std::string& TempPath() const { return temp_; }

  private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
};

// Create, Write and Commit in one; false when the file was not replaced.
bool ReplaceFileContents(const std::string& target, const std::string& contents);

// A save that was killed leaves its temporary file "<name>.<pid>-<n>.tmp" behind. Removes, in
// the folder, the regular files of exactly that pattern whose process no longer runs and whose
// target name `accept` agrees to; returns how many were removed. Files of a process that still
// runs (another instance saving right now) stay.
int RemoveStaleTemporaries(const std::string& folder,
                           const std::function<bool(const std::string& target)>& accept);
