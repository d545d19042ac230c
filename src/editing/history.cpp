// The undo/redo ring of image snapshots.
#include "editing/history.h"

#include <cstring>

namespace {

uint16_t NextSlot(uint16_t s) {
    return s + 1 >= kHistorySlots ? 0 : static_cast<uint16_t>(s + 1);
}
uint16_t PrevSlot(uint16_t s) {
    return s == 0 ? static_cast<uint16_t>(kHistorySlots - 1) : static_cast<uint16_t>(s - 1);
}

}  // namespace

void THistoryRing::Reset(const TParamImage& image, uint8_t page) {
    oldestSlot = 0;
    currentSlot = 0;
    newestSlot = 0;
    Store(image, page);
}

bool THistoryRing::Commit(const TParamImage& image, uint8_t page) {
    if (std::memcmp(image.Data(), Slot(currentSlot), TParamImage::kSize) == 0) return false;
    currentSlot = NextSlot(currentSlot);
    newestSlot = currentSlot;  // redo steps beyond this point are gone
    if (oldestSlot == currentSlot) oldestSlot = NextSlot(oldestSlot);  // the ring is full
    Store(image, page);
    return true;
}

void THistoryRing::Store(const TParamImage& image, uint8_t page) {
    uint8_t* slot = Slot(currentSlot);
    std::memcpy(slot, image.Data(), TParamImage::kSize);
    slot[TParamImage::kSize] = page;
}

uint8_t THistoryRing::Restore(TParamImage& image) const {
    const uint8_t* slot = Slot(currentSlot);
    std::memcpy(image.Data(), slot, TParamImage::kSize);
    return slot[TParamImage::kSize];
}

bool THistoryRing::Undo() {
    if (!CanUndo()) return false;
    currentSlot = PrevSlot(currentSlot);
    return true;
}

bool THistoryRing::Redo() {
    if (!CanRedo()) return false;
    currentSlot = NextSlot(currentSlot);
    return true;
}
