#include "files/word_reader.h"

#include <cstring>
#include <string>

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
    if (source_ == nullptr) return false;
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
    word.text[word.length] = '\0';
    if (word.overlong) {
        word.length = 0;
        word.text[0] = '\0';
    }
    return true;
}
