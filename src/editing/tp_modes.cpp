// TP map modes: the mode menu and the page view by mode.
#include "app/Hlav.h"

void TFormHlav::MenuTpNormalClick(TControl&) {}
void TFormHlav::ApplyTpModeView() {}
