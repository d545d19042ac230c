// Switching the user-interface language.
#include "app/Hlav.h"

void TFormHlav::ApplyLanguage(uint8_t lang) {
    MenuCzech.SetChecked(lang == kLangCzech);
    MenuEnglish.SetChecked(lang == kLangEnglish);
    MenuGerman.SetChecked(lang == kLangGerman);
    language = lang;
    for (int i = 0; i < kJazykspolCaptionCount; ++i) {
        const TCommonText& e = kJazykspolCaptions[i];
        if (lang > 2) break;
        if (TControl* c = Find(e.control)) c->SetText(e.text[lang]);
    }
    savingCaption = CommonMessage(lang, TCommonMsg::Saving);
    versionMismatchText = CommonMessage(lang, TCommonMsg::VersionMismatch);
    programCaption = CommonMessage(lang, TCommonMsg::Program);
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
