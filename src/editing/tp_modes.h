// The modes of the two TP maps (TPS_MODE): 0 Separate, 1 Coupled (TP14 commands act on both),
// 2 TP14->TP23 and 3 TP23->TP14 (one map for both channels).
#pragma once

#include <cstdint>

#include "params/param_image.h"
#include "ui/main_window.h"

// Coupling needs the same RPM axis on both maps; the cells may differ.
bool TpAxesMatch(const TParamImage& image);

// Which map grids and editing aids show in mode m, and the TP map tab captions in the language.
void ApplyTpModeView(TMainWindow& window, uint8_t mode, uint8_t language);
