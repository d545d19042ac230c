// File commands: New, Open, Save, their exe-directory variants, Exit.
#include "app/Hlav.h"

void TFormHlav::MenuNewClick() {}
void TFormHlav::MenuOpenClick() {}
void TFormHlav::MenuOpenExeDirClick() {}
void TFormHlav::MenuSaveClick() {}
void TFormHlav::MenuSaveExeDirClick() {}
void TFormHlav::MenuExitClick() { closeRequested = true; }
