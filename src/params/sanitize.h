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
