#include "ui/main_window.h"

#include <string>

namespace {

using K = TControlKind;

struct TBuilder {
    TWindowModel& m;

    TControl& Add(TControl& c, K kind, std::string name, TControl* parent, int l = 0, int t = 0,
                  int w = 0, int h = 0, std::string_view text = {}) {
        m.Register(c, kind, std::move(name), parent);
        c.left = l;
        c.top = t;
        c.width = w;
        c.height = h;
        c.UserSetText(text);
        return c;
    }

    // An edit box with its up-down spinner on its right.
    void Pair(TControl& edit, TControl& updown, const std::string& stem, TControl* parent, int l,
              int t, int w, int mn, int mx, int step) {
        Add(edit, K::Edit, "Edit" + stem, parent, l, t, w, 21);
        edit.SetColor(TColor::Window);
        Add(updown, K::UpDown, "UpDown" + stem, parent, l + w, t, 13, 21);
        updown.SetRange(mn, mx);
        updown.SetStep(step);
    }

    TControl& Label(TControl& c, std::string name, TControl* parent, int l, int t, int w,
                    std::string_view text, int font = 8, bool bold = false) {
        Add(c, K::Label, std::move(name), parent, l, t, w, font >= 12 ? 24 : (font >= 10 ? 18 : 15),
            text);
        c.fontSize = font;
        c.bold = bold;
        return c;
    }

    TControl& Menu(TControl& c, std::string name, TControl* parent, std::string_view text,
                   std::string shortcut = {}) {
        Add(c, K::MenuItem, std::move(name), parent, 0, 0, 0, 0, text);
        c.shortcut = std::move(shortcut);
        return c;
    }
};

const char* const kTpRowCaptions[10] = {"0%",  "2%",  "5%",  "10%", "20%",
                                        "30%", "40%", "60%", "80%", "100%"};

void BuildMapGrid(TBuilder& b, TMainWindow::TMapGrid& g, TControl& page, const std::string& group,
                  const std::string& axisStem, int cellBase, const std::string& suffix,
                  const std::string& spinStem, int spinBase, const std::string& buttons,
                  const std::string& rowStem, bool iap) {
    b.Add(g.group, K::GroupBox, group, &page, 4, 4, 637, 384, "");
    // The corner holds both captions: "RPM" beside the axis row, the load caption under it and
    // clear of the first row label.
    b.Label(g.cornerRpm, "LabelRpm" + buttons + suffix, &g.group, 8, 12, 36, "RPM");
    b.Label(g.cornerLoad, "LabelLoad" + buttons + suffix, &g.group, 8, 28, 36, iap ? "IAP" : "TPS");
    for (int c = 0; c < 10; ++c) {
        b.Pair(g.axisEdit[c], g.axisUpDown[c], axisStem + std::to_string(c + 1) + suffix, &g.group,
               44 + c * 59, 16, 46, 300, 20100, 100);
    }
    for (int r = 0; r < 10; ++r) {
        std::string caption = iap ? std::to_string(10 * (r + 1)) + "%" : kTpRowCaptions[r];
        b.Label(g.rowLabel[r], rowStem + std::to_string(r + 1) + suffix, &g.group, 8, 46 + 26 * r,
                34, caption);
        g.rowLabel[r].SetColor(TColor::BtnFace);
        for (int c = 0; c < 10; ++c) {
            int i = 10 * r + c;
            b.Pair(g.cellEdit[i], g.cellUpDown[i], std::to_string(cellBase + i) + suffix, &g.group,
                   44 + c * 59, 44 + 26 * r, 46, 0, 250, 1);
        }
    }
    for (int c = 0; c < 10; ++c) {
        b.Add(g.spin[c], K::SpinButton, spinStem + std::to_string(spinBase + c) + suffix, &g.group,
              56 + c * 59, 308, 20, 30);
    }
    b.Add(g.minus, K::Button, "BitBtn" + buttons + "Minus" + suffix, &g.group, 44, 348, 40, 25,
          "-");
    b.Add(g.plus, K::Button, "BitBtn" + buttons + "Plus" + suffix, &g.group, 90, 348, 40, 25, "+");
    b.Add(g.all, K::CheckBox, "CheckBox" + buttons + "All" + suffix, &g.group, 140, 352, 60, 17,
          "All");
}

}  // namespace

TControl& TMainWindow::Page(int index) {
    TControl* pages[7] = {&TabSheet_Ign, &TabSheet_Tp14,  &TabSheet_Tp23, &TabSheet_Iap,
                          &TabSheet5,    &TabSheet_Servo, &TabSheetLadeni};
    if (index < 0 || index > 6) index = 0;
    return *pages[index];
}

TMainWindow::TMainWindow() {
    TBuilder b{model};

    // ---- frame
    b.Add(FormHlav, K::Form, "FormHlav", nullptr, 0, 0, kClientWidth, kClientHeight,
          "Programming of Quorvel 05 unit");
    TControl* f = &FormHlav;

    // ---- menus (in menu order; the front end builds the menu bar from this order)
    b.Menu(MenuFile, "MenuFile", nullptr, "&File");
    b.Menu(MenuNew, "MenuNew", &MenuFile, "&New", "Ctrl+N");
    b.Add(MenuSep1, K::MenuSeparator, "MenuSep1", &MenuFile);
    b.Menu(MenuOpen, "MenuOpen", &MenuFile, "&Open", "F3");
    b.Menu(MenuOpenExeDir, "MenuOpenExeDir", &MenuFile, "Open from exe dir");
    b.Add(MenuSep2, K::MenuSeparator, "MenuSep2", &MenuFile);
    b.Menu(MenuSave, "MenuSave", &MenuFile, "&Save", "F2");
    b.Menu(MenuSaveExeDir, "MenuSaveExeDir", &MenuFile, "Save to exe dir");
    b.Add(MenuSep3, K::MenuSeparator, "MenuSep3", &MenuFile);
    b.Menu(MenuPrint, "MenuPrint", &MenuFile, "&Print", "Ctrl+P");
    b.Add(MenuSep4, K::MenuSeparator, "MenuSep4", &MenuFile);
    b.Menu(MenuExit, "MenuExit", &MenuFile, "E&xit");
    b.Menu(MenuCom, "MenuCom", nullptr, "&Com");
    // The 21 port items are named here and captioned at start-up.
    for (int i = 0; i < kComItems; ++i)
        b.Menu(MenuComItem[i], i < 20 ? "MenuCom" + std::to_string(i + 1) : "MenuComAuto", &MenuCom,
               "");
    b.Menu(MenuDevice, "MenuDevice", nullptr, "&Device");
    b.Menu(MenuRead, "MenuRead", &MenuDevice, "&Read", "F7");
    b.Menu(MenuVerify, "MenuVerify", &MenuDevice, "&Verify", "F8");
    b.Menu(MenuProgram, "MenuProgram", &MenuDevice, "&Program", "F9");
    b.Menu(MenuTPmode, "MenuTPmode", nullptr, "TP map mode");
    b.Menu(MenuTpNormal, "MenuTpNormal", &MenuTPmode, "Separate");
    b.Menu(MenuTpConnected, "MenuTpConnected", &MenuTPmode, "Coupled");
    b.Menu(MenuTP14, "MenuTP14", &MenuTPmode, "TP14->TP23");
    b.Menu(MenuTP23, "MenuTP23", &MenuTPmode, "TP23->TP14");
    b.Menu(MenuTools, "MenuTools", nullptr, "Tools");
    b.Menu(MenuToolsMinus, "MenuToolsMinus", &MenuTools, "Minus ", "F4");
    b.Menu(MenuToolsPlus, "MenuToolsPlus", &MenuTools, "Plus", "F5");
    b.Menu(MenuZpet, "MenuZpet", &MenuTools, "Undo", "Ctrl+Z");
    b.Menu(MenuZnovu, "MenuZnovu", &MenuTools, "Redo", "Ctrl+Alt+Z");
    b.Menu(MenuLanguage, "MenuLanguage", nullptr, "&Language");
    b.Menu(MenuEnglish, "MenuEnglish", &MenuLanguage, "English");
    b.Menu(MenuCzech, "MenuCzech", &MenuLanguage, "&Czech");
    b.Menu(MenuGerman, "MenuGerman", &MenuLanguage, "&German");
    b.Menu(MenuHelp, "MenuHelp", nullptr, "&Help");
    b.Menu(MenuContens, "MenuContens", &MenuHelp, "&Contents...", "F1");
    b.Menu(MenuAbout, "MenuAbout", &MenuHelp, "&About...");

    // ---- toolbar
    b.Add(GroupBoxToolBar, K::GroupBox, "GroupBoxToolBar", f, 3, 0, 469, 43, "");
    TControl* tb = &GroupBoxToolBar;
    b.Add(SpeedButton6, K::Button, "SpeedButton6", tb, 6, 12, 25, 25, "New");
    b.Add(SpeedButton5, K::Button, "SpeedButton5", tb, 33, 12, 25, 25, "Open");
    b.Add(SpeedButton7, K::Button, "SpeedButton7", tb, 60, 12, 25, 25, "Save");
    b.Add(SpeedButtonPrint, K::Button, "SpeedButtonPrint", tb, 87, 12, 25, 25, "Print");
    b.Add(SpeedButtonZpet, K::Button, "SpeedButtonZpet", tb, 120, 12, 25, 25, "Undo");
    b.Add(SpeedButtonZnovu, K::Button, "SpeedButtonZnovu", tb, 147, 12, 25, 25, "Redo");
    b.Add(Button1, K::Button, "Button1", tb, 178, 12, 90, 25, "&Read");
    b.Add(BitBtn2, K::Button, "BitBtn2", tb, 271, 12, 95, 25, "&Verify");
    b.Add(BitBtn1, K::Button, "BitBtn1", tb, 369, 12, 97, 25, "&Program");

    b.Label(LabelSpojeni, "LabelSpojeni", f, 480, 9, 185, "No Connection", 14, true);
    LabelSpojeni.height = 28;
    LabelSpojeni.SetColor(TColor::Red);

    // ---- monitor panel
    const int mx = 676, mw = 270;
    b.Label(LabelRpm, "LabelRpm", f, mx, 6, mw, "RPM = ---", 14, true);
    b.Add(CGaugeRpm, K::Gauge, "CGaugeRpm", f, mx, 32, 262, 16);
    CGaugeRpm.SetColor(TColor::Fuchsia);
    b.Label(LabelTpsMon, "LabelTpsMon", f, mx, 52, mw, "TP= --- [%]", 14, true);
    b.Add(CGaugeTps, K::Gauge, "CGaugeTps", f, mx, 78, 262, 16);
    CGaugeTps.SetColor(TColor::Aqua);
    b.Label(LabelLambda, "LabelLambda", f, mx, 98, mw, "LAMBDA= --- [mV]", 14, true);
    b.Add(CGaugeLambda, K::Gauge, "CGaugeLambda", f, mx, 124, 262, 16);
    CGaugeLambda.SetColor(TColor::Aqua);
    b.Add(LabelBarGraf1, K::Label, "LabelBarGraf1", f, mx, 141, 87, 6);
    LabelBarGraf1.SetColor(TColor::Blue);
    b.Add(LabelBarGraf2, K::Label, "LabelBarGraf2", f, mx + 87, 141, 88, 6);
    LabelBarGraf2.SetColor(TColor::Lime);
    b.Add(LabelBarGraf3, K::Label, "LabelBarGraf3", f, mx + 175, 141, 87, 6);
    LabelBarGraf3.SetColor(TColor::Red);
    b.Label(LabelVoda, "LabelVoda", f, mx, 152, mw,
            "TW= --- [\xC2\xB0"
            "C]",
            14, true);
    b.Add(CGaugeVoda, K::Gauge, "CGaugeVoda", f, mx, 178, 262, 16);
    CGaugeVoda.SetColor(TColor::Aqua);
    struct {
        TControl* c;
        const char* name;
        const char* text;
    } medium[] = {
        {&LabelVzduch, "LabelVzduch", "AT= --- [\xC2\xB0]"},
        {&LabelPodtlak, "LabelPodtlak", "IAP= --- [%] "},
        {&LabelTlak, "LabelTlak", "AP= --- [kPa]"},
        {&LabelNapeti, "LabelNapeti", "U = ---[V]"},
        {&LabelAdvance, "LabelAdvance", "Advance= --- [\xC2\xB0]"},
        {&LabelSnimacCkps, "LabelSnimacCkps", "Pick-up (CKPS) - ---"},
        {&LabelSnimacCmps, "LabelSnimacCmps", "Pick-up (CMPS) - ---"},
        {&LabelCasJet14, "LabelCasJet14", "Inj. Time14 = --- [us]"},
        {&LabelCasJet23, "LabelCasJet23", "Inj. Time23 = --- [us]"},
        {&LabelMaxInjProcent, "LabelMaxInjProcent", "Max Inj.= -- [%]"},
    };
    int y = 200;
    for (auto& e : medium) {
        b.Label(*e.c, e.name, f, mx, y, mw, e.text, 10);
        y += 21;
    }
    b.Add(CGaugeDuty, K::Gauge, "CGaugeDuty", f, mx, y + 2, 262, 16);
    CGaugeDuty.SetColor(TColor::Aqua);

    // ---- message area and lower part
    b.Label(LabelHlaseni, "LabelHlaseni", f, 8, 508, 172, "", 8, true);
    LabelHlaseni.height = 21;
    b.Add(CGaugeProgram, K::Gauge, "CGaugeProgram", f, 184, 508, 297, 21);
    CGaugeProgram.SetRange(0, 5);
    CGaugeProgram.SetColor(TColor::Aqua);
    b.Add(CheckBoxLadeniOn, K::CheckBox, "CheckBoxLadeniOn", f, 504, 512, 140, 17, "Tuning On");
    b.Add(ImageLogo, K::Image, "ImageLogo", f, 4, 537, 234, 103);
    b.Label(LabelEeDataErr, "LabelEeDataErr", f, 4, 652, 300, "Programmed data error!", 10, true);
    LabelEeDataErr.SetColor(TColor::Red);
    b.Label(LabelVersion, "LabelVersion", f, 4, 684, 950, "", 10, true);
    LabelVersion.SetColor(TColor::Red);
    b.Label(LabelBlocking, "LabelBlocking", f, 428, 553, 230, "Blocking: --", 10);
    b.Label(LabelPriveraPoz, "LabelPriveraPoz", f, 428, 574, 230, "Servo Required= ---", 10);
    b.Label(LabelPriveraMer, "LabelPriveraMer", f, 428, 595, 230, "Servo Measured= ---", 10);
    b.Label(LabelCom, "LabelCom", f, 428, 616, 230, "COM = ---", 10);
    for (int i = 0; i < 8; ++i) {
        std::string n = std::to_string(i + 1);
        b.Label(LabelTest[i], "LabelTest" + n, f, 4 + 120 * i, 728, 118, "Test" + n + " = ---");
    }
    b.Add(StatusBar1, K::StatusBar, "StatusBar1", f, 0, kClientHeight - 19, kClientWidth, 19);

    // ---- pages
    b.Add(PageControl1, K::PageControl, "PageControl1", f, 4, 48, 653, 449);
    TControl* pc = &PageControl1;
    b.Add(TabSheet_Ign, K::TabSheet, "TabSheet_Ign", pc, 0, 0, 645, 421, "Ignition");
    b.Add(TabSheet_Tp14, K::TabSheet, "TabSheet_Tp14", pc, 0, 0, 645, 421, "TP Map 14");
    b.Add(TabSheet_Tp23, K::TabSheet, "TabSheet_Tp23", pc, 0, 0, 645, 421, "TP Map 23");
    b.Add(TabSheet_Iap, K::TabSheet, "TabSheet_Iap", pc, 0, 0, 645, 421, "IAP Map");
    b.Add(TabSheet5, K::TabSheet, "TabSheet5", pc, 0, 0, 645, 421, "Miscellaneous");
    b.Add(TabSheet_Servo, K::TabSheet, "TabSheet_Servo", pc, 0, 0, 645, 421, "Servo");
    b.Add(TabSheetLadeni, K::TabSheet, "TabSheetLadeni", pc, 0, 0, 645, 421, "Tuning");
    PageControl1.SetRange(0, 6);
    PageControl1.UserSetPosition(0);

    // Ignition page
    TControl* ign = &TabSheet_Ign;
    b.Add(GroupBox1, K::GroupBox, "GroupBox1", ign, 6, 4, 214, 408, "Advance");
    b.Label(Label1, "Label1", &GroupBox1, 14, 18, 70, "RPM");
    b.Label(Label2, "Label2", &GroupBox1, 112, 18, 90, "Advance [\xC2\xB0]");
    for (int k = 0; k < 10; ++k) {
        b.Pair(EditAdv[k], UpDownAdv[k], std::to_string(k + 1), &GroupBox1, 12, 36 + 30 * k, 64,
               300, k == 9 ? 21000 : 20100, 100);
    }
    for (int k = 0; k < 10; ++k) {
        b.Pair(EditAdv[10 + k], UpDownAdv[10 + k], std::to_string(k + 11), &GroupBox1, 112,
               36 + 30 * k, 48, 0, 125, 1);
    }
    b.Add(BitBtnIgnMinus, K::Button, "BitBtnIgnMinus", &GroupBox1, 12, 344, 40, 25, "-");
    b.Add(BitBtnIgnPlus, K::Button, "BitBtnIgnPlus", &GroupBox1, 58, 344, 40, 25, "+");
    b.Add(CheckBoxIgnAll, K::CheckBox, "CheckBoxIgnAll", &GroupBox1, 112, 348, 80, 17, "All");

    b.Add(GroupBox3, K::GroupBox, "GroupBox3", ign, 228, 4, 410, 172, "Other");
    b.Add(ComboBoxBike, K::ComboBox, "ComboBoxBike", &GroupBox3, 12, 20, 260, 21);
    b.Label(LabelOmez2, "LabelOmez2", &GroupBox3, 12, 55, 170, "Limiter [rpm]");
    b.Pair(EditOmez2, UpDownOmez2, "Omez2", &GroupBox3, 190, 52, 64, 999, 25000, 100);
    b.Label(Label10, "Label10", &GroupBox3, 12, 83, 170, "Gear Shift Light [rpm]");
    b.Pair(Edit46, UpDown46, "46", &GroupBox3, 190, 80, 64, 1000, 25000, 100);
    b.Add(CheckBoxProgHned, K::CheckBox, "CheckBoxProgHned", &GroupBox3, 12, 112, 280, 19,
          "Programming after change");
    b.Add(CheckBoxBlokEnable, K::CheckBox, "CheckBoxBlokEnable", &GroupBox3, 12, 140, 280, 19,
          "Blocking enable");

    b.Add(GroupBoxRpm, K::GroupBox, "GroupBoxRpm", ign, 228, 184, 410, 84, "RPM");
    b.Label(LabelRpmPulsu, "LabelRpmPulsu", &GroupBoxRpm, 12, 25, 100, "Pulses");
    b.Pair(EditRpmPulsu, UpDownRpmPulsu, "RpmPulsu", &GroupBoxRpm, 120, 22, 48, 0, 6, 1);
    b.Label(LabelRpmKorekce, "LabelRpmKorekce", &GroupBoxRpm, 12, 53, 100, "Correction");
    b.Pair(EditRpmKorekce, UpDownRpmKorekce, "RpmKorekce", &GroupBoxRpm, 120, 50, 48, -60, 60, 1);

    b.Label(LabelVerze1, "LabelVerze1", ign, 232, 284, 300, "", 10, true);
    b.Label(LabelVerze2, "LabelVerze2", ign, 232, 306, 300, "", 10, true);
    b.Label(LabelVerze3, "LabelVerze3", ign, 232, 328, 300, "", 10, true);
    b.Label(LabelFile1, "LabelFile1", ign, 232, 372, 50, "File:");
    b.Label(LabelFile2, "LabelFile2", ign, 284, 372, 354, "----------");

    // Map pages
    BuildMapGrid(b, Tp14, TabSheet_Tp14, "GroupBoxTps", "RpmTps", 50, "", "CSpinButton", 1,
                 "JetTps", "LabelTps", false);
    BuildMapGrid(b, Tp23, TabSheet_Tp23, "GroupBoxTpsi", "RpmTps", 50, "i", "CSpinButton", 1,
                 "JetTps", "LabelTps", false);
    BuildMapGrid(b, Iap, TabSheet_Iap, "GroupBox4", "RpmIap", 160, "", "CSpinButton", 11, "JetIap",
                 "LabelIap", true);
    b.Label(LabelIapToTps, "LabelIapToTps", &TabSheet_Iap, 300, 396, 110, "Iap -> Tps [%]");
    b.Pair(EditIapToTps, UpDownIapToTps, "IapToTps", &TabSheet_Iap, 420, 393, 48, 0, 250, 1);

    // Miscellaneous page
    TControl* misc = &TabSheet5;
    b.Add(GroupBoxVodaVzduch, K::GroupBox, "GroupBoxVodaVzduch", misc, 4, 4, 236, 176,
          "Temperature Corrections");
    b.Label(LabelVoda2, "LabelVoda2", &GroupBoxVodaVzduch, 70, 18, 80, "Coolant");
    b.Label(LabelVzduch2, "LabelVzduch2", &GroupBoxVodaVzduch, 150, 18, 80, "Inlet Air");
    const char* tempStems[5] = {"_10", "20", "50", "80", "110"};
    const char* tempRows[5] = {
        "-10 \xC2\xB0"
        "C",
        "20 \xC2\xB0"
        "C",
        "50 \xC2\xB0"
        "C",
        "80 \xC2\xB0"
        "C",
        "110 \xC2\xB0"
        "C"};
    for (int r = 0; r < 5; ++r) {
        b.Label(LabelTeplota[r], std::string("LabelTeplota") + tempStems[r], &GroupBoxVodaVzduch, 8,
                41 + 26 * r, 60, tempRows[r]);
        b.Pair(EditVoda[r], UpDownVoda[r], std::string("Voda") + tempStems[r], &GroupBoxVodaVzduch,
               70, 38 + 26 * r, 48, 10, 250, 1);
        b.Pair(EditVzduch[r], UpDownVzduch[r], std::string("Vzduch") + tempStems[r],
               &GroupBoxVodaVzduch, 150, 38 + 26 * r, 48, 10, 250, 1);
    }
    b.Add(GroupBoxSytic, K::GroupBox, "GroupBoxSytic", misc, 246, 4, 240, 176,
          "Starting Corrections");
    b.Label(LabelSyticCas, "LabelSyticCas", &GroupBoxSytic, 8, 18, 70, "Time [s]");
    b.Label(LabelSyticKorekce, "LabelSyticKorekce", &GroupBoxSytic, 90, 18, 146,
            "Corrections for -10\xC2\xB0"
            "C [%]");
    b.Label(LabelSyticCas0, "LabelSyticCas0", &GroupBoxSytic, 12, 41, 40, "0");
    for (int k = 0; k < 4; ++k) {
        b.Pair(EditSyticKorekce[k], UpDownSyticKorekce[k], "SyticKorekce" + std::to_string(k),
               &GroupBoxSytic, 90, 38 + 26 * k, 48, 100, 350, 1);
        b.Pair(EditSyticCas[k], UpDownSyticCas[k], "SyticCas" + std::to_string(k + 1),
               &GroupBoxSytic, 8, 64 + 26 * k, 48, 0, 250, 1);
    }
    b.Label(LabelSyticKorekce4, "LabelSyticKorekce4", &GroupBoxSytic, 94, 145, 40, "100");
    b.Add(GroupBoxSetTps, K::GroupBox, "GroupBoxSetTps", misc, 492, 4, 150, 94, "TPS");
    b.Pair(EditTps0, UpDownTps0, "Tps0", &GroupBoxSetTps, 8, 22, 48, 300, 2500, 10);
    b.Add(BitBtnTps0, K::Button, "BitBtnTps0", &GroupBoxSetTps, 74, 20, 72, 25, "TPS 0 %");
    b.Pair(EditTps100, UpDownTps100, "Tps100", &GroupBoxSetTps, 8, 58, 48, 2500, 4600, 10);
    b.Add(BitBtnTps100, K::Button, "BitBtnTps100", &GroupBoxSetTps, 74, 56, 72, 25, "TPS 100 %");
    b.Add(GroupBoxStartJet, K::GroupBox, "GroupBoxStartJet", misc, 492, 104, 150, 52,
          "Start Injection");
    b.Pair(EditStartJet, UpDownStartJet, "StartJet", &GroupBoxStartJet, 8, 22, 48, 0, 50, 1);
    b.Label(LabelStartJetUnit, "LabelStartJetUnit", &GroupBoxStartJet, 80, 25, 40, "[ms]");
    b.Add(GroupBoxAkcel, K::GroupBox, "GroupBoxAkcel", misc, 4, 186, 236, 80,
          "Acceleration Injection");
    b.Label(LabelAkcelPrah, "LabelAkcelPrah", &GroupBoxAkcel, 8, 25, 110, "Threshold [%/s]");
    b.Pair(EditAkcelPrah, UpDownAkcelPrah, "AkcelPrah", &GroupBoxAkcel, 130, 22, 56, 10, 2500, 10);
    b.Label(LabelAkcelJet, "LabelAkcelJet", &GroupBoxAkcel, 8, 53, 110, "Size[us]");
    b.Pair(EditAkcelJet, UpDownAkcelJet, "AkcelJet", &GroupBoxAkcel, 130, 50, 56, 0, 7500, 30);
    b.Add(GroupBoxChlazeni, K::GroupBox, "GroupBoxChlazeni", misc, 246, 186, 120, 52, "Cooling");
    b.Pair(EditChlazeni, UpDownChlazeni, "Chlazeni", &GroupBoxChlazeni, 8, 22, 48, 0, 100, 1);
    b.Label(LabelChlazeniUnit, "LabelChlazeniUnit", &GroupBoxChlazeni, 76, 25, 40,
            "[\xC2\xB0"
            "C]");
    b.Add(GroupBoxKlapkaSani, K::GroupBox, "GroupBoxKlapkaSani", misc, 372, 186, 140, 52,
          "Intake Duct Valve");
    b.Pair(EditKlapkaSani, UpDownKlapkaSani, "KlapkaSani", &GroupBoxKlapkaSani, 8, 22, 60, 1000,
           25000, 100);
    b.Label(LabelKlapkaSaniUnit, "LabelKlapkaSaniUnit", &GroupBoxKlapkaSani, 90, 25, 44, "[Rpm]");
    b.Label(LabelKorVoda, "LabelKorVoda", misc, 8, 280, 250, "TW correction= ---", 10);
    b.Label(LabelKorVzduch, "LabelKorVzduch", misc, 8, 301, 250, "AT correction= ---", 10);
    b.Label(LabelKorTlak, "LabelKorTlak", misc, 8, 322, 250, "AP correction= ---", 10);
    b.Label(LabelKorSytic, "LabelKorSytic", misc, 8, 343, 250, "Starting corr.= ---", 10);
    b.Label(LabelKorNapeti, "LabelKorNapeti", misc, 8, 364, 250, "U correction= ---", 10);
    b.Add(CheckBoxExtMonitor, K::CheckBox, "CheckBoxExtMonitor", misc, 300, 282, 200, 19,
          "Extended Monitor");
    b.Label(LabelPocetProgramovani, "LabelPocetProgramovani", misc, 300, 310, 300,
            "Number of Programing= ---", 10);

    // Servo page
    TControl* servo = &TabSheet_Servo;
    b.Add(CheckBoxPrivEnable, K::CheckBox, "CheckBoxPrivEnable", servo, 8, 8, 200, 19,
          "Servo Enable");
    b.Add(GroupBoxPrivera, K::GroupBox, "GroupBoxPrivera", servo, 4, 34, 637, 190, "Servo");
    b.Label(LabelRpmPrivRow, "LabelRpmPrivRow", &GroupBoxPrivera, 8, 31, 36, "RPM");
    b.Label(LabelNapPrivRow, "LabelNapPrivRow", &GroupBoxPrivera, 8, 61, 36, "[mV]");
    for (int k = 0; k < 10; ++k) {
        b.Pair(EditRpmPriv[k], UpDownRpmPriv[k], "RpmPriv" + std::to_string(k + 1),
               &GroupBoxPrivera, 44 + 59 * k, 28, 46, 300, 20100, 100);
        b.Pair(EditNapPriv[k], UpDownNapPriv[k], "NapPriv" + std::to_string(k + 1),
               &GroupBoxPrivera, 44 + 59 * k, 58, 46, 20, 4980, 20);
    }
    b.Label(LabelPrivHyster, "LabelPrivHyster", &GroupBoxPrivera, 8, 103, 170,
            "Sevro Hysteresis [mV]");
    b.Pair(EditPrivHyster, UpDownPrivHyster, "PrivHyster", &GroupBoxPrivera, 180, 100, 48, 0, 1275,
           5);
    b.Add(BitBtnServoMinus, K::Button, "BitBtnServoMinus", &GroupBoxPrivera, 44, 144, 40, 25, "-");
    b.Add(BitBtnServoPlus, K::Button, "BitBtnServoPlus", &GroupBoxPrivera, 90, 144, 40, 25, "+");
    b.Add(CheckBoxPrivAll, K::CheckBox, "CheckBoxPrivAll", &GroupBoxPrivera, 140, 148, 80, 17,
          "All");

    // Tuning page
    TControl* lad = &TabSheetLadeni;
    b.Label(LabelLadeni, "LabelLadeni", lad, 8, 8, 400, "Caution - For experienced user only!", 10,
            true);
    LabelLadeni.SetFontColor(TColor::Red);
    b.Add(CheckBoxLadeniPovoleno, K::CheckBox, "CheckBoxLadeniPovoleno", lad, 8, 34, 300, 19,
          "Automatic tuning unlock");
    b.Add(GroupBoxLadeni, K::GroupBox, "GroupBoxLadeni", lad, 4, 62, 420, 170, "Tuning");
    struct {
        TControl *label, *edit, *updown;
        const char* stem;
        const char* text;
        int mn, mx, step;
    } tuning[] = {
        {&LabelLadeniLambda, &EditLadeniLambda, &UpDownLadeniLambda, "LadeniLambda",
         "Lambda required", 400, 1000, 10},
        {&LabelLadeniHyster, &EditLadeniHyster, &UpDownLadeniHyster, "LadeniHyster",
         "Required accuracy of lambda", 10, 400, 10},
        {&LabelLadeniRpm, &EditLadeniRpm, &UpDownLadeniRpm, "LadeniRpm", "Max deviation RPM", 50,
         2000, 50},
        {&LabelLadeniTps, &EditLadeniTps, &UpDownLadeniTps, "LadeniTps",
         "Max deviation TPS, IAP [%]", 0, 20, 1},
        {&LabelLadeniCas, &EditLadeniCas, &UpDownLadeniCas, "LadeniCas", "Time step [ms]", 400,
         20000, 200},
    };
    for (int i = 0; i < 5; ++i) {
        auto& t = tuning[i];
        b.Label(*t.label, std::string("Label") + t.stem, &GroupBoxLadeni, 8, 25 + 28 * i, 240,
                t.text);
        b.Pair(*t.edit, *t.updown, t.stem, &GroupBoxLadeni, 260, 22 + 28 * i, 60, t.mn, t.mx,
               t.step);
    }

    model.Seal();
}
