// The binding between the numeric editor fields and the image: one entry per edit box and spinner
// pair, and the control tables that address the grids by index.
#pragma once

#include <array>
#include <cstdint>

#include "params/param_image.h"
#include "ui/controls.h"

// Which user event of an edit box starts a transfer (beside Enter and the spinner).
enum class TFieldEvent : uint8_t { None, Leave, Click };

struct TFieldBinding {
    TField field = TField::BIKE;
    uint8_t element = 0;  // element index, or 10 * row + column of a map cell
    int16_t factor = 1;
    int16_t offset = 0;
    int16_t min = 0, max = 0, step = 1;
    bool grouping = false;  // digit grouping from 1000 on
    TFieldEvent event = TFieldEvent::None;
    bool spinnerEvent = true;  // a spinner click transfers and commits
    TControl* edit = nullptr;
    TControl* updown = nullptr;
};

constexpr int kFieldCount = 406;

struct TFieldTables {
    std::array<TFieldBinding, kFieldCount> bindings{};
    int count = 0;

    const TFieldBinding* ByEdit(const TControl& edit) const;
    const TFieldBinding* ByUpDown(const TControl& updown) const;
};

struct TMainWindow;
// Builds the bindings and control tables over the window's controls (start-up steps 1 and 2).
TFieldTables BuildFieldTables(TMainWindow& w);
