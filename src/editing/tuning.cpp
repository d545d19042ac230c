#include "editing/tuning.h"

#include "editing/adjust.h"
#include "ui/page_index.h"

TTuningTarget TuningTargetOf(int page, uint8_t tpMapActive) {
    if (page == kPageTp14 && tpMapActive != 0) return TTuningTarget::Tp14;
    if (page == kPageTp23 && tpMapActive != 0) return TTuningTarget::Tp23;
    if (page == kPageIap && tpMapActive == 0) return TTuningTarget::Iap;
    return TTuningTarget::None;
}

TTuningWindow TuningWindowOf(const TParamImage& image, const TMonitorData& m,
                             const TOperatingPoint& op, TTuningTarget target) {
    TTuningWindow w;
    switch (target) {
        case TTuningTarget::Tp14:
        case TTuningTarget::Tp23: {
            const bool tp14 = target == TTuningTarget::Tp14;
            w.rowLoad = TP_ROW_PERCENT[op.tpRow];
            w.load = m.tpPercent;
            w.axisRpm = tp14 ? image.Get(TField::RPM_JET_TP, op.tp14Column) * 100
                             : image.Get(TField::RPM_JET_TPi, op.tp23Column) * 100;
            break;
        }
        case TTuningTarget::Iap:
            w.rowLoad = 10 * op.iapRow + 10;
            w.load = m.iapPercent;
            w.axisRpm = image.Get(TField::RPM_JET_IAP, op.iapColumn) * 100;
            break;
        case TTuningTarget::None:
            return w;
    }
    w.rpmTolerance = image.Get(TField::TUNING_RPM) * 10;
    w.loadTolerance = image.Get(TField::TUNING_TPS);
    w.rpm = m.rpm;
    w.inside = w.rowLoad - w.loadTolerance <= w.load && w.load <= w.rowLoad + w.loadTolerance &&
               w.axisRpm - w.rpmTolerance < w.rpm && w.rpm < w.axisRpm + w.rpmTolerance;
    return w;
}

bool InTuningWindow(const TParamImage& image, const TMonitorData& m, const TOperatingPoint& op,
                    TTuningTarget target) {
    return TuningWindowOf(image, m, op, target).inside;
}

TLambdaReading ReadLambda(const TParamImage& image, uint16_t lambdaMv) {
    const int req = image.Get(TField::TUNING_LAMBDA);
    const int acc = image.Get(TField::TUNING_ACCURACY);
    const int mv = lambdaMv;
    return {(req - acc) * 10 > mv, (req + acc) * 10 < mv};
}

namespace {

// Steps the cell by the lambda reading; true when it changed.
bool CorrectCell(TParamImage& image, TMap map, TCellIndex cell, TLambdaReading lambda) {
    uint8_t& v = image[TParamImage::CellByte(map, cell.row, cell.column)];
    if (lambda.lean) return StepByte(v, TStep::Plus, kCellMin, kCellMax);
    if (lambda.rich) return StepByte(v, TStep::Minus, kCellMin, kCellMax);
    return false;
}

}  // namespace

uint8_t CorrectOperatingCell(TParamImage& image, const TOperatingPoint& op, TTuningTarget target,
                             TLambdaReading lambda) {
    switch (target) {
        case TTuningTarget::Tp14:
            CorrectCell(image, TMap::JetTp, OperatingCell(op, TMap::JetTp), lambda);
            if (image.Get(TField::TPS_MODE) == 1)
                CorrectCell(image, TMap::JetTpi, OperatingCell(op, TMap::JetTpi), lambda);
            return 3;
        case TTuningTarget::Tp23:
            return CorrectCell(image, TMap::JetTpi, OperatingCell(op, TMap::JetTpi), lambda) ? 4
                                                                                             : 0;
        case TTuningTarget::Iap:
            return CorrectCell(image, TMap::JetIap, OperatingCell(op, TMap::JetIap), lambda) ? 5
                                                                                             : 0;
        case TTuningTarget::None:
            break;
    }
    return 0;
}
