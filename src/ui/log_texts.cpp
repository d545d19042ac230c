#include "ui/log_texts.h"

#include "ui/language.h"
#include "ui/main_window.h"

namespace {

// Czech, English, German.
const char* const kTexts[static_cast<int>(TLogText::Count)][3] = {
    {"Záznam běží: %s (%llu kB)", "Recording log: %s (%llu KB)", "Protokoll läuft: %s (%llu KB)"},
    {"Záznam zastaven: %s", "Log stopped: %s", "Protokoll angehalten: %s"},
    {"Záznam %s nelze začít: %s", "The log %s cannot be started: %s",
     "Das Protokoll %s kann nicht begonnen werden: %s"},
};
const char* const kRecordLog[3] = {"Zaznamenávat &log...", "Record &log...",
                                   "&Protokoll aufzeichnen..."};

}  // namespace

const char* LogText(uint8_t lang, TLogText t) {
    const int i = static_cast<int>(t);
    if (i < 0 || i >= static_cast<int>(TLogText::Count)) return "";
    return kTexts[i][LanguageColumn(lang)];
}

void ApplyLogCaptions(TMainWindow& w, uint8_t lang) {
    w.MenuRecordLog.SetText(kRecordLog[LanguageColumn(lang)]);
}
