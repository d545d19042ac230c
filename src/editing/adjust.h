// Step commands on the curves and maps of the image: one unit up or down on one cell, a whole
// table or a map column, each cell held within its table's bounds.
#pragma once

#include <cstdint>

#include "editing/operating_point.h"
#include "params/param_image.h"
#include "params/sanitize.h"

enum class TStep : int8_t { Minus = -1, Plus = 1 };

// Bounds of a map cell and of a servo voltage under the step commands.
constexpr uint8_t kCellMin = 0, kCellMax = 250;
constexpr uint8_t kServoMin = 1, kServoMax = 249;
// A single advance point is raised by the plus command only while below this.
constexpr uint8_t kAdvanceSingleCeiling = 60;

// Minus lowers v by one if above lo, plus raises it by one if below hi; true when v changed.
bool StepByte(uint8_t& v, TStep step, uint8_t lo, uint8_t hi);

void StepMapCell(TParamImage& image, TMap map, int row, int column, TStep step);
void StepMapAll(TParamImage& image, TMap map, TStep step);
void StepMapColumn(TParamImage& image, TMap map, int column, TStep step);

// The servo curve: one point, or all ten with all set.
void StepServo(TParamImage& image, int point, bool all, TStep step);

// The advance curve, sanitized as it goes. With all set each point is stepped in turn (plus
// without a bound of its own, so the advance ceiling of sanitizing limits it); otherwise the
// point at the operating point, unless the speed is below the curve.
void StepAdvance(TParamImage& image, const TOperatingPoint& op, bool all, TStep step,
                 const TSanitizeSettings& settings);

// The map cell the engine runs in, as row and column of the given map.
struct TCellIndex {
    uint8_t row = 0;
    uint8_t column = 0;
};
TCellIndex OperatingCell(const TOperatingPoint& op, TMap map);

// TPS calibration from the live sensor voltage; false (nothing set) outside the permitted range.
bool CalibrateTps0(TParamImage& image, uint16_t tpMv);
bool CalibrateTps100(TParamImage& image, uint16_t tpMv);
