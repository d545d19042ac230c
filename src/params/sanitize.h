// One pass that brings the raw image and three settings values into their permitted ranges.
#pragma once

#include <cstdint>

#include "params/param_image.h"

struct TSanitizeSettings {
    uint8_t* language;      // above 2 becomes 1 (English)
    uint8_t* portChoice;    // 21 or more becomes 0
    uint8_t* scanPosition;  // 20 or more becomes 0
};

void SanitizeImage(TParamImage& image, const TSanitizeSettings& settings);

struct TMainWindow;
// The visibility and colour rules of the editor that follow the image and the option boxes: the
// servo page by motorbike type, the tuning group by its unlock box, the red of the armed boxes.
void ApplyFieldRules(TMainWindow& window, const TParamImage& image);
