// Which handler each control's events run.
#include "app/Hlav.h"

namespace {

using F = TFormHlav;

// The check boxes whose release takes the editor into the image.
constexpr TControl TMainWindow::*kMouseUpBoxes[] = {
    &TMainWindow::CheckBoxIgnAll,         &TMainWindow::CheckBoxProgHned,
    &TMainWindow::CheckBoxBlokEnable,     &TMainWindow::CheckBoxExtMonitor,
    &TMainWindow::CheckBoxPrivAll,        &TMainWindow::CheckBoxPrivEnable,
    &TMainWindow::CheckBoxLadeniPovoleno, &TMainWindow::CheckBoxLadeniOn,
};

struct TPerButton {
    TRoute::TPlain up, down;
};
const TPerButton kTp23Spins[10] = {
    {&F::CSpinButton1iUpClick, &F::CSpinButton1iDownClick},
    {&F::CSpinButton2iUpClick, &F::CSpinButton2iDownClick},
    {&F::CSpinButton3iUpClick, &F::CSpinButton3iDownClick},
    {&F::CSpinButton4iUpClick, &F::CSpinButton4iDownClick},
    {&F::CSpinButton5iUpClick, &F::CSpinButton5iDownClick},
    {&F::CSpinButton6iUpClick, &F::CSpinButton6iDownClick},
    {&F::CSpinButton7iUpClick, &F::CSpinButton7iDownClick},
    {&F::CSpinButton8iUpClick, &F::CSpinButton8iDownClick},
    {&F::CSpinButton9iUpClick, &F::CSpinButton9iDownClick},
    {&F::CSpinButton10iUpClick, &F::CSpinButton10iDownClick},
};
const TPerButton kIapSpins[10] = {
    {&F::CSpinButton11UpClick, &F::CSpinButton11DownClick},
    {&F::CSpinButton12UpClick, &F::CSpinButton12DownClick},
    {&F::CSpinButton13UpClick, &F::CSpinButton13DownClick},
    {&F::CSpinButton14UpClick, &F::CSpinButton14DownClick},
    {&F::CSpinButton15UpClick, &F::CSpinButton15DownClick},
    {&F::CSpinButton16UpClick, &F::CSpinButton16DownClick},
    {&F::CSpinButton17UpClick, &F::CSpinButton17DownClick},
    {&F::CSpinButton18UpClick, &F::CSpinButton18DownClick},
    {&F::CSpinButton19UpClick, &F::CSpinButton19DownClick},
    {&F::CSpinButton20UpClick, &F::CSpinButton20DownClick},
};

void AddMenusAndToolbar(TFormHlav& f, TRouteTable& r) {
    const TRoute::TSender com = &F::MenuCom1Click;
    for (TControl& item : f.MenuComItem) r.Add(item, TEvent::Click, com);
    for (TControl* item : {&f.MenuTpNormal, &f.MenuTpConnected, &f.MenuTP14, &f.MenuTP23})
        r.Add(*item, TEvent::Click, &F::MenuTpNormalClick);
    const struct {
        TControl& c;
        TRoute::TPlain h;
    } clicks[] = {
        {f.MenuNew, &F::MenuNewClick},
        {f.SpeedButton6, &F::MenuNewClick},
        {f.MenuOpen, &F::MenuOpenClick},
        {f.SpeedButton5, &F::MenuOpenClick},
        {f.MenuOpenExeDir, &F::MenuOpenExeDirClick},
        {f.MenuSave, &F::MenuSaveClick},
        {f.SpeedButton7, &F::MenuSaveClick},
        {f.MenuSaveExeDir, &F::MenuSaveExeDirClick},
        {f.MenuExit, &F::MenuExitClick},
        {f.MenuPrint, &F::SpeedButtonPrintClick},
        {f.SpeedButtonPrint, &F::SpeedButtonPrintClick},
        {f.MenuContens, &F::MenuContensClick},
        {f.MenuAbout, &F::MenuAboutClick},
        {f.MenuRead, &F::MenuReadClick},
        {f.Button1, &F::MenuReadClick},
        {f.MenuVerify, &F::MenuVerifyClick},
        {f.BitBtn2, &F::MenuVerifyClick},
        {f.MenuProgram, &F::MenuProgramClick},
        {f.BitBtn1, &F::MenuProgramClick},
        {f.MenuToolsMinus, &F::MenuToolsMinusClick},
        {f.MenuToolsPlus, &F::MenuToolsPlusClick},
        {f.MenuZpet, &F::SpeedButtonZpetClick},
        {f.SpeedButtonZpet, &F::SpeedButtonZpetClick},
        {f.MenuZnovu, &F::SpeedButtonZnovuClick},
        {f.SpeedButtonZnovu, &F::SpeedButtonZnovuClick},
        {f.MenuEnglish, &F::MenuEnglishClick},
        {f.MenuCzech, &F::MenuCzechClick},
        {f.MenuGerman, &F::MenuGermanClick},
        {f.MenuBackups, &F::MenuBackupsClick},
        {f.MenuCompare, &F::MenuCompareClick},
        {f.MenuCloseComparison, &F::MenuCloseComparisonClick},
    };
    for (const auto& c : clicks) r.Add(c.c, TEvent::Click, c.h);
}

void AddAdjustments(TFormHlav& f, TRouteTable& r) {
    const struct {
        TControl& c;
        TRoute::TPlain h;
    } clicks[] = {
        {f.BitBtnIgnMinus, &F::CurveMinusClick},
        {f.BitBtnIgnPlus, &F::CurvePlusClick},
        {f.BitBtnServoMinus, &F::BitBtnServoMinusClick},
        {f.BitBtnServoPlus, &F::BitBtnServoPlusClick},
        {f.BitBtnJetTpsMinus, &F::BitBtnJetTpsMinusClick},
        {f.BitBtnJetTpsPlus, &F::BitBtnJetTpsPlusClick},
        {f.BitBtnJetTpsMinusi, &F::BitBtnJetTpsMinusiClick},
        {f.BitBtnJetTpsPlusi, &F::BitBtnJetTpsPlusiClick},
        {f.BitBtnJetIapMinus, &F::BitBtnJetIapMinusClick},
        {f.BitBtnJetIapPlus, &F::BitBtnJetIapPlusClick},
        {f.BitBtnTps0, &F::BitBtnTps0Click},
        {f.BitBtnTps100, &F::BitBtnTps100Click},
        {f.MenuPlots, &F::MenuPlotsClick},
        {f.MenuRecordLog, &F::MenuRecordLogClick},
        {f.BitBtnLadeniZpet, &F::BitBtnLadeniZpetClick},
        {f.BitBtnLadeniPrijmout, &F::BitBtnLadeniPrijmoutClick},
    };
    for (const auto& c : clicks) r.Add(c.c, TEvent::Click, c.h);
    for (TControl& spin : f.Tp14.spin) {
        r.Add(spin, TEvent::Up, &F::CSpinButtonUpClick);
        r.Add(spin, TEvent::Down, &F::CSpinButtonDownClick);
    }
    for (int k = 0; k < 10; ++k) {
        r.Add(f.Tp23.spin[k], TEvent::Up, kTp23Spins[k].up);
        r.Add(f.Tp23.spin[k], TEvent::Down, kTp23Spins[k].down);
        r.Add(f.Iap.spin[k], TEvent::Up, kIapSpins[k].up);
        r.Add(f.Iap.spin[k], TEvent::Down, kIapSpins[k].down);
    }
}

// The opt-in tuning limits and the cells locked against tuning.
void AddTuningLimits(TFormHlav& f, TRouteTable& r) {
    for (TControl* edit : {&f.EditLadeniZmena, &f.EditLadeniVoda}) {
        r.Add(*edit, TEvent::Leave, &F::TuningLimitsChanged);
        r.Add(*edit, TEvent::Enter, &F::TuningLimitsChanged);
    }
    for (TControl* box : {&f.CheckBoxLadeniZmena, &f.CheckBoxLadeniVoda})
        r.Add(*box, TEvent::MouseUp, &F::TuningLimitsChanged);
    for (TControl* updown : {&f.UpDownLadeniZmena, &f.UpDownLadeniVoda}) {
        r.Add(*updown, TEvent::Up, &F::TuningLimitSpinner);
        r.Add(*updown, TEvent::Down, &F::TuningLimitSpinner);
    }
    for (TMainWindow::TMapGrid* g : {&f.Tp14, &f.Tp23, &f.Iap})
        for (TControl& cell : g->cellEdit) r.Add(cell, TEvent::ContextMenu, &F::CellLockToggle);
}

void AddEditor(TFormHlav& f, TRouteTable& r) {
    for (int i = 0; i < f.fields.count; ++i) {
        const TFieldBinding& b = f.fields.bindings[static_cast<size_t>(i)];
        r.Add(*b.updown, TEvent::Up, &F::SpinnerClick);
        r.Add(*b.updown, TEvent::Down, &F::SpinnerClick);
        if (b.event == TFieldEvent::None) continue;
        r.Add(*b.edit, TEvent::Enter, &F::EnterKeyPress);
        if (b.event == TFieldEvent::Leave) r.Add(*b.edit, TEvent::Leave, &F::Edit1Exit);
        if (b.event == TFieldEvent::Click) r.Add(*b.edit, TEvent::EditClick, &F::EditClick);
    }
    r.Add(f.FormHlav, TEvent::Enter, &F::EnterKeyPress);
    for (auto box : kMouseUpBoxes) r.Add(f.*box, TEvent::MouseUp, &F::CheckBoxMouseUp);
    for (TControl* all : {&f.CheckBoxJetTpsAll, &f.CheckBoxJetTpsAlli, &f.CheckBoxJetIapAll})
        r.Add(*all, TEvent::MouseUp, &F::CheckBoxMouseUp);
    r.Add(f.ComboBoxBike, TEvent::Change, &F::ComboBoxBikeChange);
}

}  // namespace

void TFormHlav::BuildRoutes() {
    routes.Clear();
    AddMenusAndToolbar(*this, routes);
    AddAdjustments(*this, routes);
    AddEditor(*this, routes);
    AddTuningLimits(*this, routes);
    routes.Seal(model.All().size());
}

bool TFormHlav::Fire(TControl& c, TEvent e) {
    const TRoute* r = routes.Find(c, e);
    if (r == nullptr) return false;
    if (r->plain != nullptr)
        (this->*r->plain)();
    else if (r->sender != nullptr)
        (this->*r->sender)(c);
    else if (r->arrow != nullptr)
        (this->*r->arrow)(c, e == TEvent::Up);
    return true;
}

void TFormHlav::MenuCom1Click(TControl& item) {
    for (int i = 0; i < kComItems; ++i)
        if (&item == &MenuComItem[i]) return MenuCom1Click(i);
}
