// Print: the window switches into its print layout, its picture goes to the printer (or into a
// PDF file where no printer is installed), and the normal layout comes back whatever happened.
#include <cstdio>

#include "app/Hlav.h"

namespace {

// The controls hidden while printing: the editing aids, the monitor's gauges and connection
// label, the toolbar, the logo and the status bar.
template <class Fn>
void ForEachPrintHidden(TFormHlav& f, Fn&& fn) {
    for (TControl* c :
         {&f.StatusBar1,         &f.ImageLogo,          &f.GroupBoxToolBar,  &f.LabelSpojeni,
          &f.LabelBarGraf1,      &f.LabelBarGraf2,      &f.LabelBarGraf3,    &f.CGaugeRpm,
          &f.CGaugeTps,          &f.CGaugeLambda,       &f.CGaugeVoda,       &f.CGaugeDuty,
          &f.BitBtnIgnMinus,     &f.BitBtnIgnPlus,      &f.CheckBoxIgnAll,   &f.UpDownOmez2,
          &f.UpDown46,           &f.UpDownIapToTps,     &f.UpDownPrivHyster, &f.BitBtnServoMinus,
          &f.BitBtnServoPlus,    &f.CheckBoxPrivAll,    &f.BitBtnTps0,       &f.BitBtnTps100,
          &f.UpDownTps0,         &f.UpDownTps100,       &f.UpDownStartJet,   &f.UpDownAkcelPrah,
          &f.UpDownAkcelJet,     &f.UpDownChlazeni,     &f.UpDownKlapkaSani, &f.CheckBoxExtMonitor,
          &f.UpDownLadeniLambda, &f.UpDownLadeniHyster, &f.UpDownLadeniRpm,  &f.UpDownLadeniTps,
          &f.UpDownLadeniCas})
        fn(*c);
    for (TControl& c : f.UpDownAdv) fn(c);
    for (TMainWindow::TMapGrid* g : {&f.Tp14, &f.Tp23, &f.Iap}) {
        for (TControl& c : g->axisUpDown) fn(c);
        for (TControl& c : g->cellUpDown) fn(c);
        for (TControl& c : g->spin) fn(c);
        for (TControl* c : {&g->minus, &g->plus, &g->all}) fn(*c);
    }
    for (TControl& c : f.UpDownRpmPriv) fn(c);
    for (TControl& c : f.UpDownNapPriv) fn(c);
    for (TControl& c : f.UpDownVoda) fn(c);
    for (TControl& c : f.UpDownVzduch) fn(c);
    for (TControl& c : f.UpDownSyticCas) fn(c);
    for (TControl& c : f.UpDownSyticKorekce) fn(c);
}

}  // namespace

void TFormHlav::SpeedButtonPrintClick() {
    // 1-2. The header with date and time in the message label; white background.
    char header[160];
    const std::string date = platform.clock != nullptr ? platform.clock->ShortDate() : "";
    const std::string time = platform.clock != nullptr ? platform.clock->LongTime() : "";
    std::snprintf(header, sizeof header, "%s%s    %s", Text(TMsg::PrintHeader), date.c_str(),
                  time.c_str());
    ShowStatus(header, TColor::BtnFace);
    LabelHlaseni.SetVisible(true);
    FormHlav.SetColor(TColor::White);
    CGaugeProgram.SetVisible(false);
    // 3-4. The print layout reaches the screen before its picture is taken.
    PrintLayout = true;
    SetPrintLayout();
    TPrintResult result;
    result.reason = "no printing service";
    if (platform.screen != nullptr) platform.screen->ApplyNow();
    if (platform.printer != nullptr) result = platform.printer->PrintWindow();
    // 5-6. The normal layout, whatever the printout did.
    FormHlav.SetColor(TColor::BtnFace);
    PrintLayout = false;
    SetPrintLayout();
    ApplyTpModeView();
    ReportPrintResult(result);
}

void TFormHlav::SetPrintLayout() {
    const bool shown = !PrintLayout;
    ForEachPrintHidden(*this, [shown](TControl& c) { c.SetVisible(shown); });
    const int active = PageControl1.Position();
    for (int i = 0; i < 7; ++i) Page(i).SetVisible(shown || i == active);
    for (TMainWindow::TMapGrid* g : {&Tp14, &Tp23, &Iap})
        for (TControl& label : g->rowLabel) label.SetColor(TColor::White);
}

void TFormHlav::ReportPrintResult(const TPrintResult& r) {
    char text[600];
    switch (r.kind) {
        case TPrintResult::TKind::Printed:
            return;
        case TPrintResult::TKind::SavedAsPdf:
            std::snprintf(text, sizeof text, Text(TMsg::PrintedToPdf), r.where.c_str());
            ShowStatus(text, TColor::BtnFace);
            LabelHlaseni.SetVisible(true);
            return;
        case TPrintResult::TKind::Failed:
            std::snprintf(text, sizeof text, Text(TMsg::PrintFailed), r.reason.c_str());
            ShowStatus(text, TColor::Red);
            LabelHlaseni.SetVisible(true);
            DialogMessage(text);
            return;
    }
}
