// Word-by-word reading of the program's text files (parameter files, the image snapshot, the test
// marker). A word is a run of characters other than blanks, tabs, CR and LF. Words are collected
// in a fixed buffer, so reading allocates nothing per word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>

// One word as read. A run longer than the reader's limit is consumed whole but kept only as a
// marker (overlong): it is never equal to any text and never a number, so an overlong run cannot
// be mistaken for a key or a value, and no part of it is taken as a separate word.
struct TWord {
    static constexpr size_t kCapacity = 272;  // 271 characters and the terminating zero
    char text[kCapacity] = {};
    size_t length = 0;
    bool overlong = false;

    bool Equals(const char* s) const;

    // The word as a number: an optional minus sign and one or more decimal digits, nothing else.
    // The value is taken modulo 65536 (so -5 gives 65531, -65493 gives 43, and 65579 gives 43).
    // inRange is set when the digits themselves stand for 0 to 65535, that is, when the value was
    // not reduced from a number above 65535; a minus sign alone does not clear it. Returns false
    // for anything that is not a number (value and inRange are then unset).
    bool AsNumber(uint16_t& value, bool& inRange) const;
};

class TWordReader {
  public:
    // maxLength: the longest word kept, at most TWord::kCapacity - 1.
    TWordReader(std::streambuf* source, size_t maxLength);
    // The next word; false at the end of the stream (or when there is no stream). A stream that
    // fails while being read (a standard file buffer throws on a read error) ends here too, and
    // Failed tells it apart from a regular end.
    bool Next(TWord& word);
    bool Failed() const { return failed_; }

  private:
    std::streambuf* source_;
    size_t maxLength_;
    bool failed_ = false;
};

// A file read through a fixed buffer. Only a regular file is opened: a folder, a FIFO, a device or
// a socket is refused like a missing file, and without waiting (a FIFO with no writer would block
// the open, a device such as /dev/zero would never end). A read error (a failing disk, a share
// that went away) ends the stream like the end of the file and is remembered in Failed; nothing
// is thrown. At most `limit` bytes are delivered; Cut tells whether the file held more.
class TInputFile : public std::streambuf {
  public:
    explicit TInputFile(uint64_t limit = UINT64_MAX) : limit_(limit) {}
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;
    ~TInputFile() override { Close(); }

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    bool Failed() const { return failed_; }
    bool Cut() const { return cut_; }

  protected:
    int_type underflow() override;

  private:
    int fd_ = -1;
    uint64_t limit_;
    uint64_t delivered_ = 0;
    bool failed_ = false;
    bool cut_ = false;
    char buffer_[8192];
};
