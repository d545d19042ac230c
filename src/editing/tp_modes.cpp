// TP map modes: the page view by mode.
#include "editing/tp_modes.h"

namespace {

// Captions of the two TP map tabs by mode (0 to 3) and language (Czech, English, German). A map
// that is not shown keeps its tab with a caption of blanks.
struct TTpCaptions {
    const char* tp14[3];
    const char* tp23[3];
};
const TTpCaptions kTpCaptions[4] = {
    {{"TP mapa 14", "TP Map 14", "TP Karte 14"}, {"TP mapa 23", "TP Map 23", "TP Karte 23"}},
    {{"TP mapa 14", "TP Map 14", "TP Karte 14"},
     {"TP mapa 23 (s.)", "TP Map 23 (c.)", "TP Karte 23 (g.)"}},
    {{"TP mapa 14", "TP Map 14", "TP Karte 14"}, {"   ", "  ", "    "}},
    {{"    ", "    ", "    "}, {"TP mapa 23", "TP Map 23", "TP Karte 23"}},
};

}  // namespace

bool TpAxesMatch(const TParamImage& image) {
    for (int k = 0; k < 10; ++k)
        if (image.Get(TField::RPM_JET_TP, k) != image.Get(TField::RPM_JET_TPi, k)) return false;
    return true;
}

void ApplyTpModeView(TMainWindow& w, uint8_t m, uint8_t language) {
    w.Tp14.group.SetVisible(m != 3);
    w.Tp23.group.SetVisible(m != 2);
    w.Tp23.group.SetEnabled(m != 1);
    // In coupled mode the TP23 map can be watched but not edited: its edit fields and labels
    // stay, everything that would change it goes.
    const bool editable = m != 1;
    for (TControl& c : w.Tp23.axisUpDown) c.SetVisible(editable);
    for (TControl& c : w.Tp23.cellUpDown) c.SetVisible(editable);
    for (TControl& c : w.Tp23.spin) c.SetVisible(editable);
    w.Tp23.minus.SetVisible(editable);
    w.Tp23.plus.SetVisible(editable);
    w.Tp23.all.SetVisible(editable);
    if (m > 3 || language > 2) return;  // other modes leave the captions as they are
    w.TabSheet_Tp14.SetText(kTpCaptions[m].tp14[language]);
    w.TabSheet_Tp23.SetText(kTpCaptions[m].tp23[language]);
}
