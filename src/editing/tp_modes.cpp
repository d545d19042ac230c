// TP map modes: the mode menu and the page view by mode.
#include "app/Hlav.h"

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

void TFormHlav::MenuTpNormalClick(TControl& item) {
    uint8_t mode;
    if (&item == &MenuTpNormal) {
        mode = 0;
    } else if (&item == &MenuTP14) {
        mode = 2;
    } else if (&item == &MenuTP23) {
        mode = 3;
    } else if (&item == &MenuTpConnected) {
        // Coupling needs the same RPM axis on both maps; the cells may differ.
        for (int k = 0; k < 10; ++k) {
            if (image.Get(TField::RPM_JET_TP, k) != image.Get(TField::RPM_JET_TPi, k)) {
                DialogMessage(Text(TMsg::RpmNotSame));
                return;
            }
        }
        mode = 1;
    } else {
        return;
    }
    image.Set(TField::TPS_MODE, mode);
    MenuTpNormal.SetChecked(mode == 0);
    MenuTpConnected.SetChecked(mode == 1);
    MenuTP14.SetChecked(mode == 2);
    MenuTP23.SetChecked(mode == 3);
    ApplyTpModeView();
    CommitChange();
}

void TFormHlav::ApplyTpModeView() {
    const uint8_t m = image.Get(TField::TPS_MODE);
    Tp14.group.SetVisible(m != 3);
    Tp23.group.SetVisible(m != 2);
    Tp23.group.SetEnabled(m != 1);
    // In coupled mode the TP23 map can be watched but not edited: its edit fields and labels
    // stay, everything that would change it goes.
    const bool editable = m != 1;
    for (TControl& c : Tp23.axisUpDown) c.SetVisible(editable);
    for (TControl& c : Tp23.cellUpDown) c.SetVisible(editable);
    for (TControl& c : Tp23.spin) c.SetVisible(editable);
    Tp23.minus.SetVisible(editable);
    Tp23.plus.SetVisible(editable);
    Tp23.all.SetVisible(editable);
    if (m > 3 || language > 2) return;  // other modes leave the captions as they are
    TabSheet_Tp14.SetText(kTpCaptions[m].tp14[language]);
    TabSheet_Tp23.SetText(kTpCaptions[m].tp23[language]);
}
