// The step commands: minus/plus under each curve and map, the column spin buttons, the TPS
// calibration buttons and Tools > Minus/Plus. Each acts on the image and is one commit.
#include "app/Hlav.h"

void TFormHlav::MapStepCommand(TMap map, const TControl& all, TStep step) {
    TransferFieldsToImage();
    const bool coupled = map == TMap::JetTp && image.Get(TField::TPS_MODE) == 1;
    if (all.Checked()) {
        StepMapAll(image, map, step);
        if (coupled) StepMapAll(image, TMap::JetTpi, step);
    } else if (monitor.rpm != 0) {
        const TCellIndex cell = OperatingCell(operatingPoint, map);
        StepMapCell(image, map, cell.row, cell.column, step);
        if (coupled) {
            const TCellIndex twin = OperatingCell(operatingPoint, TMap::JetTpi);
            StepMapCell(image, TMap::JetTpi, twin.row, twin.column, step);
        }
    }
    CommitChange();
}

void TFormHlav::ColumnStepCommand(TMap map, int column, TStep step) {
    TransferFieldsToImage();
    StepMapColumn(image, map, column, step);
    if (map == TMap::JetTp && image.Get(TField::TPS_MODE) == 1)
        StepMapColumn(image, TMap::JetTpi, column, step);
    CommitChange();
}

void TFormHlav::ServoStepCommand(TStep step) {
    TransferFieldsToImage();
    StepServo(image, operatingPoint.servoIndex, CheckBoxPrivAll.Checked(), step);
    CommitChange();
}

void TFormHlav::AdvanceStepCommand(TStep step) {
    TransferFieldsToImage();
    StepAdvance(image, operatingPoint, CheckBoxIgnAll.Checked(), step, SanitizeSettings());
    CommitChange();
}

void TFormHlav::CurveMinusClick() {
    AdvanceStepCommand(TStep::Minus);
}
void TFormHlav::CurvePlusClick() {
    AdvanceStepCommand(TStep::Plus);
}
void TFormHlav::BitBtnServoMinusClick() {
    ServoStepCommand(TStep::Minus);
}
void TFormHlav::BitBtnServoPlusClick() {
    ServoStepCommand(TStep::Plus);
}
void TFormHlav::BitBtnJetTpsMinusClick() {
    MapStepCommand(TMap::JetTp, Tp14.all, TStep::Minus);
}
void TFormHlav::BitBtnJetTpsPlusClick() {
    MapStepCommand(TMap::JetTp, Tp14.all, TStep::Plus);
}
void TFormHlav::BitBtnJetTpsMinusiClick() {
    MapStepCommand(TMap::JetTpi, Tp23.all, TStep::Minus);
}
void TFormHlav::BitBtnJetTpsPlusiClick() {
    MapStepCommand(TMap::JetTpi, Tp23.all, TStep::Plus);
}
void TFormHlav::BitBtnJetIapMinusClick() {
    MapStepCommand(TMap::JetIap, Iap.all, TStep::Minus);
}
void TFormHlav::BitBtnJetIapPlusClick() {
    MapStepCommand(TMap::JetIap, Iap.all, TStep::Plus);
}

// CSpinButton1 to CSpinButton10 share one pair of handlers; the sender gives the column.
void TFormHlav::CSpinButtonUpClick(TControl& sender) {
    for (int k = 0; k < 10; ++k)
        if (&sender == &Tp14.spin[k]) return ColumnStepCommand(TMap::JetTp, k, TStep::Plus);
}
void TFormHlav::CSpinButtonDownClick(TControl& sender) {
    for (int k = 0; k < 10; ++k)
        if (&sender == &Tp14.spin[k]) return ColumnStepCommand(TMap::JetTp, k, TStep::Minus);
}

void TFormHlav::CSpinButton1iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 0, TStep::Plus);
}
void TFormHlav::CSpinButton1iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 0, TStep::Minus);
}
void TFormHlav::CSpinButton2iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 1, TStep::Plus);
}
void TFormHlav::CSpinButton2iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 1, TStep::Minus);
}
void TFormHlav::CSpinButton3iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 2, TStep::Plus);
}
void TFormHlav::CSpinButton3iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 2, TStep::Minus);
}
void TFormHlav::CSpinButton4iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 3, TStep::Plus);
}
void TFormHlav::CSpinButton4iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 3, TStep::Minus);
}
void TFormHlav::CSpinButton5iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 4, TStep::Plus);
}
void TFormHlav::CSpinButton5iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 4, TStep::Minus);
}
void TFormHlav::CSpinButton6iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 5, TStep::Plus);
}
void TFormHlav::CSpinButton6iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 5, TStep::Minus);
}
void TFormHlav::CSpinButton7iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 6, TStep::Plus);
}
void TFormHlav::CSpinButton7iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 6, TStep::Minus);
}
void TFormHlav::CSpinButton8iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 7, TStep::Plus);
}
void TFormHlav::CSpinButton8iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 7, TStep::Minus);
}
void TFormHlav::CSpinButton9iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 8, TStep::Plus);
}
void TFormHlav::CSpinButton9iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 8, TStep::Minus);
}
void TFormHlav::CSpinButton10iUpClick() {
    ColumnStepCommand(TMap::JetTpi, 9, TStep::Plus);
}
void TFormHlav::CSpinButton10iDownClick() {
    ColumnStepCommand(TMap::JetTpi, 9, TStep::Minus);
}

void TFormHlav::CSpinButton11UpClick() {
    ColumnStepCommand(TMap::JetIap, 0, TStep::Plus);
}
void TFormHlav::CSpinButton11DownClick() {
    ColumnStepCommand(TMap::JetIap, 0, TStep::Minus);
}
void TFormHlav::CSpinButton12UpClick() {
    ColumnStepCommand(TMap::JetIap, 1, TStep::Plus);
}
void TFormHlav::CSpinButton12DownClick() {
    ColumnStepCommand(TMap::JetIap, 1, TStep::Minus);
}
void TFormHlav::CSpinButton13UpClick() {
    ColumnStepCommand(TMap::JetIap, 2, TStep::Plus);
}
void TFormHlav::CSpinButton13DownClick() {
    ColumnStepCommand(TMap::JetIap, 2, TStep::Minus);
}
void TFormHlav::CSpinButton14UpClick() {
    ColumnStepCommand(TMap::JetIap, 3, TStep::Plus);
}
void TFormHlav::CSpinButton14DownClick() {
    ColumnStepCommand(TMap::JetIap, 3, TStep::Minus);
}
void TFormHlav::CSpinButton15UpClick() {
    ColumnStepCommand(TMap::JetIap, 4, TStep::Plus);
}
void TFormHlav::CSpinButton15DownClick() {
    ColumnStepCommand(TMap::JetIap, 4, TStep::Minus);
}
void TFormHlav::CSpinButton16UpClick() {
    ColumnStepCommand(TMap::JetIap, 5, TStep::Plus);
}
void TFormHlav::CSpinButton16DownClick() {
    ColumnStepCommand(TMap::JetIap, 5, TStep::Minus);
}
void TFormHlav::CSpinButton17UpClick() {
    ColumnStepCommand(TMap::JetIap, 6, TStep::Plus);
}
void TFormHlav::CSpinButton17DownClick() {
    ColumnStepCommand(TMap::JetIap, 6, TStep::Minus);
}
void TFormHlav::CSpinButton18UpClick() {
    ColumnStepCommand(TMap::JetIap, 7, TStep::Plus);
}
void TFormHlav::CSpinButton18DownClick() {
    ColumnStepCommand(TMap::JetIap, 7, TStep::Minus);
}
void TFormHlav::CSpinButton19UpClick() {
    ColumnStepCommand(TMap::JetIap, 8, TStep::Plus);
}
void TFormHlav::CSpinButton19DownClick() {
    ColumnStepCommand(TMap::JetIap, 8, TStep::Minus);
}
void TFormHlav::CSpinButton20UpClick() {
    ColumnStepCommand(TMap::JetIap, 9, TStep::Plus);
}
void TFormHlav::CSpinButton20DownClick() {
    ColumnStepCommand(TMap::JetIap, 9, TStep::Minus);
}

// The calibration voltages come from the live reading; the editor is not taken in first and an
// out-of-range voltage changes nothing without a word.
void TFormHlav::BitBtnTps0Click() {
    if (CalibrateTps0(image, monitor.tpMv)) CommitChange();
}
void TFormHlav::BitBtnTps100Click() {
    if (CalibrateTps100(image, monitor.tpMv)) CommitChange();
}

void TFormHlav::MenuToolsMinusClick() {
    switch (PageControl1.Position()) {
        case kPageIgn:
            return CurveMinusClick();
        case kPageTp14:
            return BitBtnJetTpsMinusClick();
        case kPageTp23:
            return BitBtnJetTpsMinusiClick();
        case kPageIap:
            return BitBtnJetIapMinusClick();
        case kPageServo:
            return BitBtnServoMinusClick();
        default:
            return;
    }
}

void TFormHlav::MenuToolsPlusClick() {
    switch (PageControl1.Position()) {
        case kPageIgn:
            return CurvePlusClick();
        case kPageTp14:
            return BitBtnJetTpsPlusClick();
        case kPageTp23:
            return BitBtnJetTpsPlusiClick();
        case kPageIap:
            return BitBtnJetIapPlusClick();
        case kPageServo:
            return BitBtnServoPlusClick();
        default:
            return;
    }
}
