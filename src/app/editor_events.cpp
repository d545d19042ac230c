// The editor's events: each takes the fields into the image and ends in the change pipeline;
// the whole-window transfer and refresh, and the field rules.
#include <algorithm>

#include "app/Hlav.h"
#include "params/bike_types.h"
#include "params/sanitize.h"

void TFormHlav::TransferFieldsToImage() {
    ::TransferFieldsToImage(*this, fields, image, platform.groupSeparator);
}

void TFormHlav::RefreshFieldsFromImage() {
    ::ShowImageInFields(*this, fields, image, platform.groupSeparator);
    LabelVerze1.SetText(identity.version);
    LabelVerze2.SetText(identity.date);
    LabelVerze3.SetText(identity.time);
    ShowTpMode(image.Get(TField::TPS_MODE));
    UpdateTuningReview();
    UpdateComparisonMarks();
}

void TFormHlav::Sanitize() {
    SanitizeImage(image, SanitizeSettings());
}

TSanitizeSettings TFormHlav::SanitizeSettings() {
    return {&language, &link.portChoice, &link.scanPosition};
}

void TFormHlav::ApplyFieldRules() {
    ::ApplyFieldRules(*this, image);
}

void TFormHlav::ComboBoxBikeChange() {
    const int index = ComboBoxBike.ItemIndex();
    image.Set(TField::BIKE, index < 0 ? 255 : static_cast<uint8_t>(index));
    UpdateBikeConstants(image);
    MenuNewClick();
}

void TFormHlav::SpinnerClick(TControl& updown, bool up) {
    const TFieldBinding* b = fields.ByUpDown(updown);
    if (b == nullptr) return;
    // The arrow steps the number shown, so a valid text typed beforehand counts.
    const int v = ReadFieldValue(*b, platform.groupSeparator);
    ShowFieldValue(*b, up ? v + updown.Step() : v - updown.Step(), platform.groupSeparator);
    if (b->spinnerEvent) UpDown1Click(updown, up);
}

void TFormHlav::UpDown1Click(TControl& updown, bool) {
    const TFieldBinding* b = fields.ByUpDown(updown);
    if (b == nullptr || !b->spinnerEvent) return;
    TransferFieldsToImage();
    CommitChange();
}

void TFormHlav::Edit1Exit(TControl& edit) {
    const TFieldBinding* b = fields.ByEdit(edit);
    if (b == nullptr || b->event != TFieldEvent::Leave) return;
    TransferFieldsToImage();
    CommitChange();
}

void TFormHlav::EditClick(TControl& edit) {
    const TFieldBinding* b = fields.ByEdit(edit);
    if (b == nullptr || b->event != TFieldEvent::Click) return;
    TransferFieldsToImage();
    CommitChange();
}

void TFormHlav::CheckBoxMouseUp(TControl& box) {
    const TControl* boxes[] = {&CheckBoxIgnAll,     &CheckBoxProgHned,
                               &CheckBoxBlokEnable, &Tp14.all,
                               &Tp23.all,           &Iap.all,
                               &CheckBoxExtMonitor, &CheckBoxPrivAll,
                               &CheckBoxPrivEnable, &CheckBoxLadeniPovoleno,
                               &CheckBoxLadeniOn};
    if (std::find(std::begin(boxes), std::end(boxes), &box) == std::end(boxes)) return;
    TransferFieldsToImage();
    CommitChange();
    if (&box == &CheckBoxLadeniOn || &box == &CheckBoxLadeniPovoleno) TuningSwitched();
}

void TFormHlav::EnterKeyPress(TControl& edit) {
    if (&edit != &FormHlav) {
        const TFieldBinding* b = fields.ByEdit(edit);
        if (b == nullptr || b->event == TFieldEvent::None) return;
    }
    TransferFieldsToImage();
    CommitChange();
}
