// The texts of the tuning review, the tuning status and the tuning limits, in the three
// languages; printf formats where they carry numbers.
#pragma once

#include <cstdint>

enum class TTuneText : uint8_t {
    EngineStopped,
    NoMapCell,
    WrongPage,
    OutOfWindow,  // rpm, cell rpm, rpm tolerance, "TP"/"IAP", load, row load, load tolerance
    OnTarget,
    Lean,          // ticks, ticks needed
    Rich,          // ticks, ticks needed
    WaitingAck,    // block
    LimitLocked,   // the cell is locked
    LimitChange,   // percent from the baseline, the limit
    LimitCoolant,  // coolant now, coolant needed
    Review,        // corrections, cells changed
    CellReview,    // baseline, now, steps
    RevertPending,
    Reverted,
    RevertProgram,  // the question whether the unit gets the reverted maps
    LockCell,  // the map cells' context menu item
    Count
};

// The text of t in language lang (0 Czech, 1 English, 2 German; English for any other).
const char* TuningText(uint8_t lang, TTuneText t);

struct TMainWindow;
// The captions of the tuning review and limits controls and of the View menu in language lang.
void ApplyTuningCaptions(TMainWindow& window, uint8_t lang);
