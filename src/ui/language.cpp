// Switching the user-interface language.
#include "ui/language.h"

#include <cstring>

#include "ui/main_window.h"

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

void ApplyLanguageTexts(TMainWindow& w, uint8_t lang) {
    // 1. Check mark of the language.
    w.MenuCzech.SetChecked(lang == kLangCzech);
    w.MenuEnglish.SetChecked(lang == kLangEnglish);
    w.MenuGerman.SetChecked(lang == kLangGerman);
    // 3. The language's own list: captions and hints in place.
    if (const TControlText* list = ControlTexts(lang)) {
        for (int i = 0; i < kControlTextCount; ++i) {
            const TControlText& e = list[i];
            TControl* c = w.Find(e.control);
            if (c == nullptr) continue;
            if (e.prop == TTextProp::Caption)
                c->SetText(e.text);
            else
                c->SetHint(e.text);
        }
    }
    // 4. The common table's captions.
    if (lang <= kLangGerman) {
        for (int i = 0; i < kJazykspolCaptionCount; ++i) {
            const TCommonText& e = kJazykspolCaptions[i];
            if (TControl* c = w.Find(e.control)) c->SetText(e.text[lang]);
        }
    }
    // 5. Captions of the commands beyond the design's, from the language's message list.
    if (lang <= kLangGerman) {
        const struct {
            TControl& control;
            TMsg text;
        } captions[] = {
            {w.MenuBackups, TMsg::BackupsCaption},
            {w.MenuCompare, TMsg::CompareCaption},
            {w.MenuCloseComparison, TMsg::CloseComparisonCaption},
        };
        for (const auto& e : captions) e.control.SetText(LanguageText(lang, e.text));
    }
    // The Undo and Redo picture buttons have no hint of their own: their tooltip is the name of
    // the command in the language shown.
    w.SpeedButtonZpet.SetHint(w.MenuZpet.Text());
    w.SpeedButtonZnovu.SetHint(w.MenuZnovu.Text());
}
