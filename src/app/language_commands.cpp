// The Language menu and the message texts that follow the language.
#include "app/Hlav.h"

void TFormHlav::ApplyLanguage(uint8_t lang) {
    // 2. The language value, then the captions, hints and the message text table.
    language = lang;
    ApplyLanguageTexts(*this, lang);
    ApplyTuningCaptions(*this, lang);
    ApplyLogCaptions(*this, lang);
    UpdateTuningReview();
    UpdateComparisonMarks();
    savingCaption = CommonMessage(lang, TCommonMsg::Saving);
    versionMismatchText = CommonMessage(lang, TCommonMsg::VersionMismatch);
    programCaption = CommonMessage(lang, TCommonMsg::Program);
    // A warning in the caption and the status bar stays, in the new language.
    if (session.unitUnverified) ShowVerifyWarning();
}

void TFormHlav::MenuEnglishClick() {
    ApplyLanguage(kLangEnglish);
    ApplyTpModeView();
}
void TFormHlav::MenuCzechClick() {
    ApplyLanguage(kLangCzech);
    ApplyTpModeView();
}
void TFormHlav::MenuGermanClick() {
    ApplyLanguage(kLangGerman);
    ApplyTpModeView();
}
