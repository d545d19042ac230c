// The review of what tuning changed (baseline, corrections, revert, accept), the opt-in tuning
// limits and the locked cells, and the status text that says what tuning is doing.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/Hlav.h"

namespace {

// The map byte of a map cell's edit field, or -1.
int MapByteOf(const TFieldTables& fields, const TControl& edit) {
    const TFieldBinding* b = fields.ByEdit(edit);
    if (b == nullptr) return -1;
    const int byte = b->ImageByte();
    return byte >= kMapBytesFirst && byte < kMapBytesFirst + kMapBytes ? byte : -1;
}

}  // namespace

// Switched on, tuning takes the maps of the moment as its baseline, unless it still holds one.
void TFormHlav::TuningSwitched() {
    if (CheckBoxLadeniOn.Checked() && !review.active) {
        review.Start(image);
        KeepBackup(TBackupReason::TuningStart);  // the maps before tuning touches them
    }
    if (!CheckBoxLadeniOn.Checked()) ShowTuningStatus(nullptr);
    UpdateTuningReview();
}

void TFormHlav::BitBtnLadeniZpetClick() {
    if (!review.active) return;
    // The unit must have the block being written before the window's maps go back; otherwise
    // the acknowledgement would be compared with maps that are no longer the image's.
    if (tuning.blockPending) return DialogMessage(TuningText(language, TTuneText::RevertPending));
    // The corrections were written into the unit block by block; unless programming after
    // change sends the reverted maps anyway, the user is asked whether they go there now.
    const bool unitTuned = review.corrections > 0 && !CheckBoxProgHned.Checked();
    TransferFieldsToImage();
    review.RevertInto(image);
    review.Start(review.baseline);
    CommitChange();
    ShowStatus(TuningText(language, TTuneText::Reverted), TColor::BtnFace);
    LabelHlaseni.SetVisible(true);
    if (unitTuned && session.kind == TSessionKind::None &&
        platform.dialogs->AskYesNoCancel(TuningText(language, TTuneText::RevertProgram)) ==
            TAnswer::Yes)
        StartProgram();
}

void TFormHlav::BitBtnLadeniPrijmoutClick() {
    if (CheckBoxLadeniOn.Checked())
        review.Accept(image);
    else
        review.active = false;
    UpdateTuningReview();
}

// The review on the tuning page, and a hint on every cell that differs from its baseline.
void TFormHlav::UpdateTuningReview() {
    const bool shown = GroupBoxLadeni.Visible();
    for (TControl* c :
         {&GroupBoxLadeniLimity, &LabelLadeniPrehled, &BitBtnLadeniZpet, &BitBtnLadeniPrijmout})
        c->SetVisible(shown);
    BitBtnLadeniZpet.SetEnabled(review.active);
    BitBtnLadeniPrijmout.SetEnabled(review.active);
    char text[160] = "";
    if (review.active)
        std::snprintf(text, sizeof text, TuningText(language, TTuneText::Review),
                      review.corrections, review.CellsChanged(image));
    LabelLadeniPrehled.SetText(text);
    for (TMainWindow::TMapGrid* g : {&Tp14, &Tp23, &Iap}) {
        for (TControl& cell : g->cellEdit) {
            const int b = MapByteOf(fields, cell);
            if (b < 0) continue;
            text[0] = 0;
            if (review.active && image[b] != review.baseline[b])
                std::snprintf(text, sizeof text, TuningText(language, TTuneText::CellReview),
                              review.baseline[b], image[b],
                              review.steps[static_cast<size_t>(b - kMapBytesFirst)]);
            cell.SetHint(text);
            cell.SetFontColor(limits.Locked(b) ? TColor::Blue : TColor::Black);
        }
    }
}

// ---- the limits

void TFormHlav::TuningLimitsChanged(TControl&) {
    TakeTuningLimits();
}

void TFormHlav::TuningLimitSpinner(TControl& updown, bool up) {
    TControl& edit = &updown == &UpDownLadeniZmena ? EditLadeniZmena : EditLadeniVoda;
    int v = 0;
    if (!ParseFieldText(edit.Text(), platform.groupSeparator, v)) v = updown.Position();
    edit.SetText(std::to_string(up ? v + 1 : v - 1));
    TakeTuningLimits();
}

// The fields hold what the user typed; a number outside a field's range is brought into it, and
// anything else keeps the limit as it was.
void TFormHlav::TakeTuningLimits() {
    int v = 0;
    if (ParseFieldText(EditLadeniZmena.Text(), platform.groupSeparator, v))
        limits.maxChangePercent = std::clamp(v, 1, 100);
    if (ParseFieldText(EditLadeniVoda.Text(), platform.groupSeparator, v))
        limits.minCoolantC = std::clamp(v, -10, 120);
    limits.changeLimited = CheckBoxLadeniZmena.Checked();
    limits.coolantLimited = CheckBoxLadeniVoda.Checked();
    ShowTuningLimits();
}

void TFormHlav::ShowTuningLimits() {
    EditLadeniZmena.SetText(std::to_string(limits.maxChangePercent));
    UpDownLadeniZmena.SetPosition(limits.maxChangePercent);
    EditLadeniVoda.SetText(std::to_string(limits.minCoolantC));
    UpDownLadeniVoda.SetPosition(limits.minCoolantC);
    CheckBoxLadeniZmena.SetChecked(limits.changeLimited);
    CheckBoxLadeniVoda.SetChecked(limits.coolantLimited);
}

void TFormHlav::CellLockToggle(TControl& edit) {
    const int b = MapByteOf(fields, edit);
    if (b < 0) return;
    limits.SetLocked(b, !limits.Locked(b));
    edit.SetFontColor(limits.Locked(b) ? TColor::Blue : TColor::Black);
}

bool TFormHlav::CellLocked(const TControl& edit) const {
    const int b = MapByteOf(fields, edit);
    return b >= 0 && limits.Locked(b);
}

// ---- the status text

void TFormHlav::ShowTuningStatus(const char* text) {
    if (text == nullptr) {
        CheckBoxLadeniOn.SetHint("");
        if (tuningStatusShown) ShowVerifyWarning();
        if (tuningStatusShown && !session.unitUnverified) StatusBar1.SetText("");
        tuningStatusShown = false;
        ShowLogStatus();
        return;
    }
    StatusBar1.SetText(text);
    CheckBoxLadeniOn.SetHint(text);
    tuningStatusShown = true;
}

void TFormHlav::UpdateTuningStatus(TTuningTarget target, TLambdaReading lambda) {
    char text[200];
    const uint8_t l = language;
    if (monitor.rpm == 0) {
        std::snprintf(text, sizeof text, "%s", TuningText(l, TTuneText::EngineStopped));
    } else if (monitor.mapSuspended != 0) {
        std::snprintf(text, sizeof text, "%s", TuningText(l, TTuneText::NoMapCell));
    } else if (target == TTuningTarget::None) {
        std::snprintf(text, sizeof text, "%s", TuningText(l, TTuneText::WrongPage));
    } else if (tuning.blockPending) {
        std::snprintf(text, sizeof text, TuningText(l, TTuneText::WaitingAck), session.command);
    } else if (limitStop != TLimitStop::None) {
        FormatLimitStop(text, sizeof text);
    } else if (!tuning.inTuningWindow) {
        const TTuningWindow w = TuningWindowOf(image, monitor, operatingPoint, target);
        std::snprintf(text, sizeof text, TuningText(l, TTuneText::OutOfWindow), w.rpm, w.axisRpm,
                      w.rpmTolerance, target == TTuningTarget::Iap ? "IAP" : "TP", w.load,
                      w.rowLoad, w.loadTolerance);
    } else if (lambda.OnTarget()) {
        std::snprintf(text, sizeof text, "%s", TuningText(l, TTuneText::OnTarget));
    } else {
        std::snprintf(text, sizeof text,
                      TuningText(l, lambda.lean ? TTuneText::Lean : TTuneText::Rich),
                      tuning.offTargetTicks, 2 * image.Get(TField::TUNING_STEP));
    }
    ShowTuningStatus(text);
}

void TFormHlav::FormatLimitStop(char* text, size_t cap) {
    switch (limitStop) {
        case TLimitStop::Locked:
            std::snprintf(text, cap, "%s", TuningText(language, TTuneText::LimitLocked));
            return;
        case TLimitStop::Change:
            std::snprintf(text, cap, TuningText(language, TTuneText::LimitChange), limitPercent,
                          limits.maxChangePercent);
            return;
        case TLimitStop::Coolant:
            std::snprintf(text, cap, TuningText(language, TTuneText::LimitCoolant),
                          monitor.coolantCode - 100, limits.minCoolantC);
            return;
        case TLimitStop::None:
            break;
    }
    text[0] = 0;
}

void TFormHlav::MenuPlotsClick() {
    MenuPlots.SetChecked(!MenuPlots.Checked());
}
