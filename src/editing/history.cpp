// Change pipeline and undo/redo history.
#include "editing/history.h"

#include <cstring>

#include "app/Hlav.h"

namespace {

uint16_t NextSlot(uint16_t s) {
    return s + 1 >= kHistorySlots ? 0 : static_cast<uint16_t>(s + 1);
}
uint16_t PrevSlot(uint16_t s) {
    return s == 0 ? static_cast<uint16_t>(kHistorySlots - 1) : static_cast<uint16_t>(s - 1);
}

}  // namespace

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
    history.oldestSlot = 0;
    history.currentSlot = 0;
    history.newestSlot = 0;
    HistoryStore();
    UpdateUndoRedoControls();
}

bool TFormHlav::HistoryCommit() {
    if (std::memcmp(image.Data(), history.Slot(history.currentSlot), TParamImage::kSize) == 0)
        return false;
    history.currentSlot = NextSlot(history.currentSlot);
    history.newestSlot = history.currentSlot;  // redo steps beyond this point are gone
    if (history.oldestSlot == history.currentSlot)
        history.oldestSlot = NextSlot(history.oldestSlot);  // the ring is full
    HistoryStore();
    UpdateUndoRedoControls();
    return true;
}

void TFormHlav::HistoryStore() {
    uint8_t* slot = history.Slot(history.currentSlot);
    std::memcpy(slot, image.Data(), TParamImage::kSize);
    slot[TParamImage::kSize] = static_cast<uint8_t>(PageControl1.Position());
}

void TFormHlav::HistoryRestore() {
    const uint8_t* slot = history.Slot(history.currentSlot);
    std::memcpy(image.Data(), slot, TParamImage::kSize);
    RefreshFieldsFromImage();
    const int page = slot[TParamImage::kSize];
    if (PageControl1.Position() != page) PageControl1.SetPosition(page);
}

void TFormHlav::SpeedButtonZpetClick() {
    if (history.currentSlot == history.oldestSlot) return;
    history.currentSlot = PrevSlot(history.currentSlot);
    HistoryRestore();
    UpdateUndoRedoControls();
    if (CheckBoxProgHned.Checked()) ProgramAfterChange();
}

void TFormHlav::SpeedButtonZnovuClick() {
    if (history.currentSlot == history.newestSlot) return;
    history.currentSlot = NextSlot(history.currentSlot);
    HistoryRestore();
    UpdateUndoRedoControls();
    if (CheckBoxProgHned.Checked()) ProgramAfterChange();
}

void TFormHlav::UpdateUndoRedoControls() {
    const bool canUndo = history.currentSlot != history.oldestSlot;
    const bool canRedo = history.currentSlot != history.newestSlot;
    SpeedButtonZpet.SetEnabled(canUndo);
    MenuZpet.SetEnabled(canUndo);
    SpeedButtonZnovu.SetEnabled(canRedo);
    MenuZnovu.SetEnabled(canRedo);
}

void TFormHlav::ProgramAfterChange() {
    QueueProgram();
}
