// The five motorbike types: their list entries, fixed constants and default parameter sets.
#pragma once

#include "params/param_image.h"

constexpr int kBikeTypes = 5;
extern const char* const kBikeEntries[kBikeTypes];

// Writes the constants of the type held in BIKE; a BIKE of 5 or more changes nothing.
void UpdateBikeConstants(TParamImage& image);
// Writes the default set of the type held in BIKE, then its constants.
void SetDefaults(TParamImage& image);
