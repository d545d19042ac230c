// Help: the user manual of the window's language, and the About window.
#include "app/Hlav.h"

void TFormHlav::MenuContensClick() {
    static const char* const kManuals[3] = {"*_cz", "*_en", "*_de"};
    if (platform.documents != nullptr && language <= kLangGerman)
        platform.documents->Open(kManuals[language]);
}

void TFormHlav::MenuAboutClick() {
    FormAbout.FormActivate(language);
    if (platform.dialogs != nullptr) platform.dialogs->ShowAbout(FormAbout);
}

void TFormHlav::CreateAboutWindow() {
    FormAbout.FormCreate(platform.buildDate, platform.buildTime, kLayoutVersion,
                         platform.screenWidth, platform.screenHeight);
}
