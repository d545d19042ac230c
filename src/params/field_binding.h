// The binding between the numeric editor fields and the image: one entry per edit box and spinner
// pair, and the control tables that address the grids by index.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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

    int ImageByte() const { return TParamImage::ByteOf(field, element); }
};

constexpr int kFieldCount = 406;

struct TFieldTables {
    std::array<TFieldBinding, kFieldCount> bindings{};
    int count = 0;
    // Binding number by TControl::index, -1 for controls without a binding. Sized once when the
    // tables are built.
    std::vector<int16_t> byEdit;
    std::vector<int16_t> byUpDown;

    const TFieldBinding* ByEdit(const TControl& edit) const;
    const TFieldBinding* ByUpDown(const TControl& updown) const;
    // The binding of element k of field f; nullptr when the field has no editor field.
    const TFieldBinding* ByField(TField f, int k = 0) const;
};

struct TMainWindow;

// All editor fields and option boxes into the image (the whole-window transfer), then the field
// rules; numbers that are no numbers or out of range keep the image's value.
void TransferFieldsToImage(TMainWindow& window, const TFieldTables& fields, TParamImage& image,
                           std::string_view groupSeparator);
// The image into the editor fields, the option boxes and the motorbike list, then the field
// rules; the unit's identity labels and the TP map mode view are the caller's.
void ShowImageInFields(TMainWindow& window, const TFieldTables& fields, TParamImage& image,
                       std::string_view groupSeparator);

// Builds the bindings and control tables over the window's controls (start-up steps 1 and 2) and
// fills the motorbike type list.
TFieldTables BuildFieldTables(TMainWindow& w);

// ---- the field model, usable without the window

// Takes a whole decimal number, optionally negative, with group separators only between digits.
// False for anything else (empty, letters, blanks, a number too long for the field's range).
bool ParseFieldText(std::string_view text, std::string_view groupSeparator, int& value);
// Writes value in decimal into buf, grouped in threes from 1000 on when asked; returns the length.
// Never writes beyond cap, always terminates.
size_t FormatFieldValue(int value, bool grouping, std::string_view groupSeparator, char* buf,
                        size_t cap);
// Reads the field: a valid text within the spinner's range becomes its value, anything else
// leaves the value as it was. Returns the value.
int ReadFieldValue(const TFieldBinding& b, std::string_view groupSeparator);
// Sets the value (clamped into the range) and rewrites the text from it.
void ShowFieldValue(const TFieldBinding& b, int value, std::string_view groupSeparator);
