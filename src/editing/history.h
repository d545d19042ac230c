// Undo/redo history: 200 snapshots of the image, each with the editor page that was active.
#pragma once

#include <array>
#include <cstdint>

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
};
