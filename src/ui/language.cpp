// Switching the user-interface language.
#include <cstring>

#include "app/Hlav.h"

namespace {

// The control text list of a language: Czech, English, German.
const TControlText* ControlTexts(uint8_t lang) {
    switch (lang) {
        case kLangCzech:
            return kJazyk2Controls;
        case kLangEnglish:
            return kJazyk1Controls;
        case kLangGerman:
            return kJazyk3Controls;
        default:
            return nullptr;
    }
}

}  // namespace

const char* WindowCaption(uint8_t lang) {
    if (const TControlText* list = ControlTexts(lang)) {
        for (int i = 0; i < kControlTextCount; ++i)
            if (list[i].prop == TTextProp::Caption && std::strcmp(list[i].control, "FormHlav") == 0)
                return list[i].text;
    }
    return "";
}

void TFormHlav::ApplyLanguage(uint8_t lang) {
    // 1-2. Check mark of the language, then the language value itself.
    MenuCzech.SetChecked(lang == kLangCzech);
    MenuEnglish.SetChecked(lang == kLangEnglish);
    MenuGerman.SetChecked(lang == kLangGerman);
    language = lang;
    // 3. The language's own list: captions and hints in place.
    if (const TControlText* list = ControlTexts(lang)) {
        for (int i = 0; i < kControlTextCount; ++i) {
            const TControlText& e = list[i];
            TControl* c = Find(e.control);
            if (c == nullptr) continue;
            if (e.prop == TTextProp::Caption)
                c->SetText(e.text);
            else
                c->SetHint(e.text);
        }
    }
    // 4. The common table: the checks once more, its captions and the message text table.
    MenuCzech.SetChecked(language == kLangCzech);
    MenuEnglish.SetChecked(language == kLangEnglish);
    MenuGerman.SetChecked(language == kLangGerman);
    if (lang <= kLangGerman) {
        for (int i = 0; i < kJazykspolCaptionCount; ++i) {
            const TCommonText& e = kJazykspolCaptions[i];
            if (TControl* c = Find(e.control)) c->SetText(e.text[lang]);
        }
    }
    savingCaption = CommonMessage(lang, TCommonMsg::Saving);
    versionMismatchText = CommonMessage(lang, TCommonMsg::VersionMismatch);
    programCaption = CommonMessage(lang, TCommonMsg::Program);
    // The Undo and Redo picture buttons have no hint of their own: their tooltip is the name of
    // the command in the language shown.
    SpeedButtonZpet.SetHint(MenuZpet.Text());
    SpeedButtonZnovu.SetHint(MenuZnovu.Text());
    // A warning in the caption and the status bar stays, in the new language.
    if (unitUnverified) ShowVerifyWarning();
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
