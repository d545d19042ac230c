// The parameter file reader on any text: a file without version 43 (or one that fails) changes
// nothing; a matching one changes only the bytes the file holds; opened through the File menu the
// window's image is always sanitized, and what is then saved reads back the same.
#include <cstring>
#include <sstream>

#include "files/param_file.h"
#include "fuzz_support.h"

namespace {

// Image bytes the file does not hold: block 0 and the listed bytes of blocks 1 and 2.
bool InFile(int i) {
    static const int kNotInFile[][2] = {{0, 99},    {101, 101}, {105, 105}, {107, 107}, {109, 110},
                                        {114, 120}, {125, 126}, {128, 128}, {130, 136}, {138, 139},
                                        {148, 149}, {156, 199}, {230, 239}, {290, 299}};
    for (const auto& r : kNotInFile)
        if (i >= r[0] && i <= r[1]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static THarness h;
    static TFormHlav& form = h.Start("ENGLISH");
    static const TParamImage start = form.image;
    static const std::string path = h.dir.File("input.ign");

    // The reader alone.
    TParamImage image;
    for (int i = 0; i < TParamImage::kSize; ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    const TParamImage before = image;
    bool ext = false;
    TBytesBuf buf(data, size);
    std::istream in(&buf);
    const bool matched = ReadParamFile(in, image, ext);
    for (int i = 0; i < TParamImage::kSize; ++i)
        if (!matched || !InFile(i)) FUZZ_CHECK(image[i] == before[i]);
    if (!matched) FUZZ_CHECK(!ext);

    // Through the File menu: the window takes the file only whole, and always sanitized.
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    form.image = start;
    form.RefreshFieldsFromImage();
    h.dialogs.messages.clear();
    h.dialogs.openRequests.clear();
    h.dialogs.openResults.push_back(path);
    form.MenuOpenClick();
    FUZZ_CHECK(h.dialogs.messages.empty() == matched);
    if (!matched) FUZZ_CHECK(form.image == start);
    FUZZ_CHECK(IsSanitized(form.image));

    // What the window holds is written and read back byte for byte (PRIV_ENABLE as 0 or 1).
    std::ostringstream written;
    WriteParamFile(written, form.image, form.CheckBoxExtMonitor.Checked());
    std::istringstream back(written.str());
    TParamImage reread = before;
    bool extBack = !form.CheckBoxExtMonitor.Checked();
    FUZZ_CHECK(ReadParamFile(back, reread, extBack));
    FUZZ_CHECK(extBack == form.CheckBoxExtMonitor.Checked());
    for (int i = 0; i < TParamImage::kSize; ++i) {
        if (!InFile(i)) continue;
        const uint8_t want = i == 111 ? (form.image[i] != 0 ? 1 : 0) : form.image[i];
        FUZZ_CHECK(reread[i] == want);
    }
    return 0;
}
