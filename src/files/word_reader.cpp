#include "files/word_reader.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool TWord::Equals(const char* s) const {
    return !overlong && std::strlen(s) == length && std::memcmp(text, s, length) == 0;
}

bool TWord::AsNumber(uint16_t& value, bool& inRange) const {
    if (overlong || length == 0) return false;
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative) i = 1;
    if (i == length) return false;
    uint32_t v = 0;  // kept below 65536: the value modulo 65536
    bool above = false;
    for (; i < length; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        const uint32_t next = v * 10u + static_cast<uint32_t>(c - '0');
        if (next > 0xFFFFu) above = true;
        v = next & 0xFFFFu;
    }
    if (negative) v = (0x10000u - v) & 0xFFFFu;
    value = static_cast<uint16_t>(v);
    inRange = !above;
    return true;
}

TWordReader::TWordReader(std::streambuf* source, size_t maxLength)
    : source_(source),
      maxLength_(maxLength < TWord::kCapacity ? maxLength : TWord::kCapacity - 1) {}

bool TWordReader::Next(TWord& word) {
    using Traits = std::char_traits<char>;
    word.length = 0;
    word.overlong = false;
    word.text[0] = '\0';
    if (source_ == nullptr || failed_) return false;
    try {
        int c = source_->sgetc();
        while (c != Traits::eof() && IsSpace(c)) c = source_->snextc();
        if (c == Traits::eof()) return false;
        while (c != Traits::eof() && !IsSpace(c)) {
            if (word.length < maxLength_)
                word.text[word.length++] = static_cast<char>(c);
            else
                word.overlong = true;
            c = source_->snextc();
        }
    } catch (...) {
        // The word cut off by the error is not delivered: it may be incomplete.
        failed_ = true;
        word.length = 0;
        word.overlong = false;
        word.text[0] = '\0';
        return false;
    }
    word.text[word.length] = '\0';
    if (word.overlong) {
        word.length = 0;
        word.text[0] = '\0';
    }
    return true;
}

// ---- TInputFile -------------------------------------------------------------------------------

bool TInputFile::Open(const std::string& path) {
    Close();
    failed_ = false;
    cut_ = false;
    delivered_ = 0;
    setg(buffer_, buffer_, buffer_);
#if defined(_WIN32)
    fd_ = ::_open(path.c_str(), _O_RDONLY | _O_BINARY);
    if (fd_ < 0) return false;
    struct _stat64 st {};
    if (::_fstat64(fd_, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
        Close();
        return false;
    }
#else
    // Not blocking: a FIFO opens at once instead of waiting for a writer, and is then refused.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return false;
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
#endif
    return true;
}

void TInputFile::Close() {
    if (fd_ >= 0) {
#if defined(_WIN32)
        ::_close(fd_);
#else
        ::close(fd_);
#endif
    }
    fd_ = -1;
    setg(buffer_, buffer_, buffer_);
}

TInputFile::int_type TInputFile::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (fd_ < 0 || failed_ || cut_) return traits_type::eof();
    size_t want = sizeof buffer_;
    if (delivered_ >= limit_) {
        // At the limit: one byte more tells whether the file goes on.
        want = 1;
    } else if (limit_ - delivered_ < want) {
        want = static_cast<size_t>(limit_ - delivered_);
    }
    long got;
    do {
#if defined(_WIN32)
        got = ::_read(fd_, buffer_, static_cast<unsigned>(want));
#else
        got = static_cast<long>(::read(fd_, buffer_, want));
#endif
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        failed_ = true;
        return traits_type::eof();
    }
    if (got == 0) return traits_type::eof();
    if (delivered_ >= limit_) {
        cut_ = true;
        return traits_type::eof();
    }
    delivered_ += static_cast<uint64_t>(got);
    setg(buffer_, buffer_, buffer_ + got);
    return traits_type::to_int_type(*gptr());
}
