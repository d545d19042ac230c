// Editor binding: the field tables, the whole-window transfer and refresh, the editor events.
#include "params/field_binding.h"

#include "app/Hlav.h"

TFieldTables BuildFieldTables(TMainWindow&) { return {}; }
const TFieldBinding* TFieldTables::ByEdit(const TControl&) const { return nullptr; }
const TFieldBinding* TFieldTables::ByUpDown(const TControl&) const { return nullptr; }

void TFormHlav::TransferFieldsToImage() {}
void TFormHlav::RefreshFieldsFromImage() {
    LabelVerze1.SetText(identity.version);
    LabelVerze2.SetText(identity.date);
    LabelVerze3.SetText(identity.time);
}
void TFormHlav::SpinnerClick(TControl&, bool) {}
void TFormHlav::UpDown1Click(TControl&, bool) {}
void TFormHlav::Edit1Exit(TControl&) {}
void TFormHlav::EditClick(TControl&) {}
void TFormHlav::CheckBoxMouseUp(TControl&) {}
void TFormHlav::EnterKeyPress(TControl&) {}
