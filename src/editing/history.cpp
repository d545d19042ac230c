// Change pipeline and undo/redo history.
#include "editing/history.h"

#include "app/Hlav.h"

void TFormHlav::CommitChange() {
    Sanitize();
    RefreshFieldsFromImage();
}
void TFormHlav::HistoryReset() {}
bool TFormHlav::HistoryCommit() { return false; }
void TFormHlav::HistoryStore() {}
void TFormHlav::HistoryRestore() {}
void TFormHlav::SpeedButtonZpetClick() {}
void TFormHlav::SpeedButtonZnovuClick() {}
void TFormHlav::UpdateUndoRedoControls() {}
void TFormHlav::ProgramAfterChange() { QueueProgram(); }
