// Undo/redo history: 200 snapshots of the image, each with the editor page that was active.
#pragma once

#include <array>
#include <cstdint>

#include "params/param_image.h"

constexpr int kHistorySlots = 200;
constexpr int kHistorySlotSize = 650;  // 600 image bytes, the page byte, 49 unused

struct THistoryRing {
    std::array<uint8_t, kHistorySlots * kHistorySlotSize> slots{};
    uint16_t currentSlot = 0;
    uint16_t oldestSlot = 0;
    uint16_t newestSlot = 0;
    bool programArmed = false;

    uint8_t* Slot(int i) { return slots.data() + i * kHistorySlotSize; }
    const uint8_t* Slot(int i) const { return slots.data() + i * kHistorySlotSize; }

    // The image as it stands becomes the only snapshot.
    void Reset(const TParamImage& image, uint8_t page);
    // A new snapshot when the image differs from the current one (redo steps beyond it are
    // gone; a full ring drops its oldest); true when one was stored.
    bool Commit(const TParamImage& image, uint8_t page);
    // The image and page into the current slot.
    void Store(const TParamImage& image, uint8_t page);
    // The current slot back into the image; returns the page it was committed on.
    uint8_t Restore(TParamImage& image) const;
    // One step back or forward; false (nothing moved) at either end.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return currentSlot != oldestSlot; }
    bool CanRedo() const { return currentSlot != newestSlot; }
};
