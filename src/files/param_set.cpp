#include "files/param_set.h"

#include <sstream>

#include "files/atomic_file.h"
#include "files/file_commands.h"
#include "files/param_file.h"
#include "params/bike_types.h"
#include "params/field_binding.h"
#include "params/sanitize.h"
#include "ui/language.h"
#include "ui/main_window.h"

namespace {

void Sanitize(TParamImage& image) {
    uint8_t language = kLangEnglish, port = 0, scan = 0;
    SanitizeImage(image, {&language, &port, &scan});
}

}  // namespace

bool LoadParamSet(const std::string& path, TParamSet& set, std::string& error) {
    TParamSet loaded;
    loaded.image.Set(TField::BIKE, 0);
    SetDefaults(loaded.image);
    switch (OpenParamFile(path, loaded.image, loaded.extMonitor)) {
        case TOpenResult::CannotOpen:
            error = LanguageText(kLangEnglish, TMsg::OpenFileError);
            return false;
        case TOpenResult::Unmatched:
            error = LanguageText(kLangEnglish, TMsg::UnmatchedIgn);
            return false;
        case TOpenResult::Ok:
            break;
    }
    UpdateBikeConstants(loaded.image);
    set = loaded;
    return true;
}

// The window's path: choosing the type sets BIKE and runs New (defaults, sanitize, fields shown
// within their spinner ranges); Save takes the fields back into the image and sanitizes again.
TParamSet DefaultParamSet(int bike) {
    TParamSet set;
    set.image.Set(TField::BIKE, static_cast<uint8_t>(bike));
    UpdateBikeConstants(set.image);
    SetDefaults(set.image);
    Sanitize(set.image);
    TMainWindow window;
    const TFieldTables fields = BuildFieldTables(window);
    const char* separator = "";
    ShowImageInFields(window, fields, set.image, separator);
    TransferFieldsToImage(window, fields, set.image, separator);
    Sanitize(set.image);
    return set;
}

TParamSet SanitizedParamSet(const TParamSet& set) {
    TParamSet out = set;
    Sanitize(out.image);
    return out;
}

std::string ParamSetText(const TParamSet& set) {
    std::ostringstream text;
    WriteParamFile(text, set.image, set.extMonitor);
    return text.str();
}

bool SaveParamSet(const std::string& path, const TParamSet& set) {
    TAtomicFile file;
    return file.Create(path) && SaveParamFile(file, set.image, set.extMonitor);
}
