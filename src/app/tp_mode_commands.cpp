// The TP map mode menu.
#include "app/Hlav.h"

void TFormHlav::MenuTpNormalClick(TControl& item) {
    uint8_t mode;
    if (&item == &MenuTpNormal) {
        mode = 0;
    } else if (&item == &MenuTP14) {
        mode = 2;
    } else if (&item == &MenuTP23) {
        mode = 3;
    } else if (&item == &MenuTpConnected) {
        if (!TpAxesMatch(image)) {
            DialogMessage(Text(TMsg::RpmNotSame));
            return;
        }
        mode = 1;
    } else {
        return;
    }
    image.Set(TField::TPS_MODE, mode);
    ShowTpMode(mode);
    CommitChange();
}

// The mode's check mark in the TP menu, then the pages and captions of the mode.
void TFormHlav::ShowTpMode(uint8_t mode) {
    MenuTpNormal.SetChecked(mode == 0);
    MenuTpConnected.SetChecked(mode == 1);
    MenuTP14.SetChecked(mode == 2);
    MenuTP23.SetChecked(mode == 3);
    ApplyTpModeView();
}

void TFormHlav::ApplyTpModeView() {
    ::ApplyTpModeView(*this, image.Get(TField::TPS_MODE), language);
}
