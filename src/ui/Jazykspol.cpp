// Texts common to the languages: applied after each language's own list.
#include "ui/language.h"

namespace {
// Czech, English, German
const char* const kCommonMsg[3][3] = {
    {"Ukládání:", "Neshodné verze proramu v PC a v zapalování!", "Programování:"},
    {"Saving:", "Unmatched version of PC and Ignition programs!", "Program device:"},
    {"Speicherung:", "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
     "Programmieren:"},
};
}  // namespace

const TCommonText kJazykspolCaptions[] = {
    {"MenuOpenExeDir", {"Otevřít z exe dir", "Open from exe dir", "Öffnen aus exe dir"}},
    {"MenuSaveExeDir", {"Uložit do exe dir", "Save to exe dir", "Speichern in exe dir"}},
    {"LabelLadeni",
     {"Pozor - pouze pro zkušené uživatele!", "Caution - For experienced user only!",
      "Achtung - Nur für Erfahrungsanwender!"}},
    {"CheckBoxLadeniPovoleno",
     {"Automatické ladění povoleno", "Automatic tuning unlock",
      "Automatisch Einstellung bewilligt"}},
    {"GroupBoxLadeni", {"Ladění", "Tuning", "Einstellung"}},
    {"CheckBoxLadeniOn", {"Ladění zapnuto", "Tuning On", "Einstellung ein"}},
    {"LabelLadeniLambda", {"Lambda požadovaná [mV]", "Lambda required", "Soll-Lambda"}},
    {"LabelLadeniHyster",
     {"Požadovaná přesnost lambdy [mV]", "Required accuracy of lambda",
      "Soll-Genauigkeit des Lambda"}},
    {"LabelLadeniRpm", {"Max odchylka RPM", "Max deviation RPM", "Max. Differenz RPM"}},
    {"LabelLadeniTps",
     {"Max odchylka TPS, IAP [%]", "Max deviation TPS, IAP [%]", "Max. Differenz TPS, IAP [%]"}},
    {"LabelLadeniCas", {"Doba kroku [ms]", "Time step [ms]", "Schrittweite [ms]"}},
    {"LabelEeDataErr",
     {"Chyba naprogramovaných dat!", "Programmed data error!", "Abgelegte Daten Fehler!"}},
    {"MenuZpet", {"Zpet", "Undo", "Zurück"}},
    {"MenuZnovu", {"Znovu", "Redo", "Wieder"}},
};
const int kJazykspolCaptionCount = sizeof(kJazykspolCaptions) / sizeof(kJazykspolCaptions[0]);

const char* CommonMessage(uint8_t lang, TCommonMsg m) {
    if (lang > 2) return "";
    return kCommonMsg[lang][static_cast<int>(m)];
}

const char* LanguageText(uint8_t lang, TMsg m) {
    const int i = static_cast<int>(m);
    switch (lang) {
        case kLangCzech:
            return kJazyk2Msg[i];
        case kLangEnglish:
            return kJazyk1Msg[i];
        case kLangGerman:
            return kJazyk3Msg[i];
        default:
            return "";
    }
}
