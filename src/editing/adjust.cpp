#include "editing/adjust.h"

bool StepByte(uint8_t& v, TStep step, uint8_t lo, uint8_t hi) {
    if (step == TStep::Minus && v > lo) {
        --v;
        return true;
    }
    if (step == TStep::Plus && v < hi) {
        ++v;
        return true;
    }
    return false;
}

void StepMapCell(TParamImage& image, TMap map, int row, int column, TStep step) {
    StepByte(image[TParamImage::CellByte(map, row, column)], step, kCellMin, kCellMax);
}

void StepMapAll(TParamImage& image, TMap map, TStep step) {
    for (int i = 0; i < 100; ++i) StepMapCell(image, map, i / 10, i % 10, step);
}

void StepMapColumn(TParamImage& image, TMap map, int column, TStep step) {
    for (int row = 0; row < 10; ++row) StepMapCell(image, map, row, column, step);
}

void StepServo(TParamImage& image, int point, bool all, TStep step) {
    for (int k = all ? 0 : point; k <= (all ? 9 : point); ++k)
        StepByte(image[TParamImage::ByteOf(TField::NAP_PRIV, k)], step, kServoMin, kServoMax);
}

void StepAdvance(TParamImage& image, const TOperatingPoint& op, bool all, TStep step,
                 const TSanitizeSettings& settings) {
    SanitizeImage(image, settings);
    if (all) {
        for (int k = 0; k < 10; ++k) {
            uint8_t& v = image[TParamImage::ByteOf(TField::ADVANCE, k)];
            if (step == TStep::Plus)
                ++v;
            else if (v > 0)
                --v;
            SanitizeImage(image, settings);
        }
        return;
    }
    if (op.belowAdvanceCurve) return;
    StepByte(image[TParamImage::ByteOf(TField::ADVANCE, op.advanceIndex)], step, 0,
             kAdvanceSingleCeiling);
    SanitizeImage(image, settings);
}

TCellIndex OperatingCell(const TOperatingPoint& op, TMap map) {
    switch (map) {
        case TMap::JetTp:
            return {op.tpRow, op.tp14Column};
        case TMap::JetTpi:
            return {op.tpRow, op.tp23Column};
        case TMap::JetIap:
            return {op.iapRow, op.iapColumn};
    }
    return {};
}

bool CalibrateTps0(TParamImage& image, uint16_t mv) {
    if (mv < 300 || mv > 2500) return false;
    image.Set(TField::TPS_0, static_cast<uint8_t>(mv / 10));
    return true;
}

bool CalibrateTps100(TParamImage& image, uint16_t mv) {
    if (mv < 2500 || mv > 4600) return false;
    image.Set(TField::TPS_100, static_cast<uint8_t>(mv / 10 - 250));
    return true;
}
