// The change pipeline every edit ends in, and Undo and Redo.
#include "app/Hlav.h"

void TFormHlav::CommitChange() {
    Sanitize();
    RefreshFieldsFromImage();
    const bool changed = HistoryCommit();
    // Programming after change: the pass that ticks the box programs only when it carries a
    // change; every later pass with the box still ticked programs whether or not.
    if (!CheckBoxProgHned.Checked()) {
        history.programArmed = false;
        return;
    }
    if (changed || history.programArmed) ProgramAfterChange();
    history.programArmed = true;
}

void TFormHlav::HistoryReset() {
    history.Reset(image, static_cast<uint8_t>(PageControl1.Position()));
    UpdateUndoRedoControls();
}

bool TFormHlav::HistoryCommit() {
    if (!history.Commit(image, static_cast<uint8_t>(PageControl1.Position()))) return false;
    UpdateUndoRedoControls();
    return true;
}

void TFormHlav::HistoryStore() {
    history.Store(image, static_cast<uint8_t>(PageControl1.Position()));
}

void TFormHlav::HistoryRestore() {
    const int page = history.Restore(image);
    RefreshFieldsFromImage();
    if (PageControl1.Position() != page) PageControl1.SetPosition(page);
}

void TFormHlav::SpeedButtonZpetClick() {
    if (!history.Undo()) return;
    HistoryRestore();
    UpdateUndoRedoControls();
    if (CheckBoxProgHned.Checked()) ProgramAfterChange();
}

void TFormHlav::SpeedButtonZnovuClick() {
    if (!history.Redo()) return;
    HistoryRestore();
    UpdateUndoRedoControls();
    if (CheckBoxProgHned.Checked()) ProgramAfterChange();
}

void TFormHlav::UpdateUndoRedoControls() {
    SpeedButtonZpet.SetEnabled(history.CanUndo());
    MenuZpet.SetEnabled(history.CanUndo());
    SpeedButtonZnovu.SetEnabled(history.CanRedo());
    MenuZnovu.SetEnabled(history.CanRedo());
}

void TFormHlav::ProgramAfterChange() {
    QueueProgram();
}
