// The image snapshot and the test marker on any text: a snapshot stores at most 600 bytes from the
// front and leaves the rest; the snapshot written reads back whole; the marker is found exactly
// when the word stands alone among the words of the text.
#include <sstream>
#include <string_view>

#include "files/settings.h"
#include "fuzz_support.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool HasWord(std::string_view text, std::string_view word) {
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        size_t j = i;
        while (j < text.size() && !IsSpace(text[j])) ++j;
        if (j > i && text.substr(i, j - i) == word) return true;
        i = j;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TParamImage image;
    for (int i = 0; i < TParamImage::kSize; ++i) image[i] = static_cast<uint8_t>(i ^ 0x5A);
    const TParamImage before = image;
    TBytesBuf buf(data, size);
    std::istream in(&buf);
    const int stored = ReadSnapshot(in, image);
    FUZZ_CHECK(stored >= 0 && stored <= TParamImage::kSize);
    for (int i = stored; i < TParamImage::kSize; ++i) FUZZ_CHECK(image[i] == before[i]);

    std::istringstream back(SnapshotText(image));
    TParamImage reread = before;
    FUZZ_CHECK(ReadSnapshot(back, reread) == TParamImage::kSize);
    FUZZ_CHECK(reread == image);

    TBytesBuf markerBuf(data, size);
    std::istream marker(&markerBuf);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(HasTestMarker(marker) == HasWord(text, kTestMarkerWord));
    return 0;
}
