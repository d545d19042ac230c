#include "ui/tuning_texts.h"

#include "ui/language.h"
#include "ui/main_window.h"

namespace {

// Czech, English, German.
const char* const kTexts[static_cast<int>(TTuneText::Count)][3] = {
    {"motor stojí", "engine stopped", "Motor steht"},
    {"jednotka nepoužívá žádnou buňku mapy", "the unit uses no map cell",
     "die Zündbox benutzt keine Kartenzelle"},
    {"stránka neodpovídá mapě, podle které jednotka jede",
     "wrong page for the map the unit runs on",
     "falsche Seite für die Karte, nach der die Zündbox läuft"},
    {"mimo okno ladění (otáčky %d, buňka %d +/- %d; %s %d %%, řádek %d %% +/- %d)",
     "not in the tuning window (rpm %d, cell %d +/- %d; %s %d %%, row %d %% +/- %d)",
     "nicht im Einstellfenster (Drehzahl %d, Zelle %d +/- %d; %s %d %%, Zeile %d %% +/- %d)"},
    {"lambda v pásmu", "lambda on target", "Lambda im Zielbereich"},
    {"chudá směs %d z %d taktů", "lean for %d of %d ticks", "mager seit %d von %d Takten"},
    {"bohatá směs %d z %d taktů", "rich for %d of %d ticks", "fett seit %d von %d Takten"},
    {"čeká se na potvrzení bloku %d jednotkou", "waiting for the unit to acknowledge block %d",
     "wartet auf die Bestätigung von Block %d durch die Zündbox"},
    {"buňka je zamčena proti ladění", "the cell is locked against tuning",
     "die Zelle ist gegen Einstellung gesperrt"},
    {"buňka je %d %% od výchozí hodnoty, mez %d %%",
     "the cell is %d %% from its baseline, the limit is %d %%",
     "die Zelle liegt %d %% vom Ausgangswert, die Grenze ist %d %%"},
    {"čeká se na teplotu chladiva: %d °C, ladí se od %d °C",
     "waiting for the coolant: %d °C, corrections from %d °C",
     "wartet auf das Kühlmittel: %d °C, Korrekturen ab %d °C"},
    {"Opravy: %d, změněné buňky: %d", "Corrections: %d, cells changed: %d",
     "Korrekturen: %d, geänderte Zellen: %d"},
    {"Výchozí %d, nyní %d, kroků %d", "Baseline %d, now %d, %d steps",
     "Ausgang %d, jetzt %d, %d Schritte"},
    {"Opravený blok se ještě zapisuje do jednotky; vraťte změny po jeho potvrzení.",
     "A corrected block is still being written to the unit; revert when it has been "
     "acknowledged.",
     "Ein korrigierter Block wird noch in die Zündbox geschrieben; nach seiner Bestätigung "
     "zurücknehmen."},
    {"Změny ladění vráceny", "Tuning changes reverted", "Einstellungsänderungen zurückgenommen"},
    {"Jednotka stále obsahuje naladěné mapy. Naprogramovat do ní vrácené mapy?",
     "The unit still holds the tuned maps. Program the reverted maps into the unit now?",
     "Die Zündbox enthält noch die eingestellten Kennfelder. Die zurückgenommenen Kennfelder "
     "jetzt programmieren?"},
    {"Zamknout proti ladění", "Locked against tuning", "Gegen Einstellung gesperrt"},
};

struct TCaption {
    TControl TMainWindow::*control;
    const char* text[3];
};
const TCaption kCaptions[] = {
    {&TMainWindow::GroupBoxLadeniLimity, {"Meze ladění", "Tuning limits", "Einstellgrenzen"}},
    {&TMainWindow::CheckBoxLadeniZmena,
     {"Největší změna od výchozí hodnoty [%]", "Maximum change from the baseline [%]",
      "Größte Änderung vom Ausgangswert [%]"}},
    {&TMainWindow::CheckBoxLadeniVoda,
     {"Nejnižší teplota chladiva [°C]", "Minimum coolant temperature [°C]",
      "Niedrigste Kühlmitteltemperatur [°C]"}},
    {&TMainWindow::BitBtnLadeniZpet,
     {"Vrátit změny ladění", "Revert tuning changes", "Einstellungsänderungen zurücknehmen"}},
    {&TMainWindow::BitBtnLadeniPrijmout, {"Přijmout", "Accept", "Übernehmen"}},
    // The View menu with the plots of the curves and maps.
    {&TMainWindow::MenuView, {"&Zobrazit", "&View", "&Ansicht"}},
    {&TMainWindow::MenuPlots, {"Grafy", "Plots", "Diagramme"}},
};

}  // namespace

const char* TuningText(uint8_t lang, TTuneText t) {
    const int i = static_cast<int>(t);
    if (i < 0 || i >= static_cast<int>(TTuneText::Count)) return "";
    return kTexts[i][LanguageColumn(lang)];
}

void ApplyTuningCaptions(TMainWindow& w, uint8_t lang) {
    const int l = LanguageColumn(lang);
    for (const TCaption& c : kCaptions) (w.*c.control).SetText(c.text[l]);
}
