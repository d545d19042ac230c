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

void BuildMenus(TBuilder& b, TMainWindow& w) {
    // ---- menus (in menu order; the front end builds the menu bar from this order)
    b.Menu(w.MenuFile, "MenuFile", nullptr, "&File");
    b.Menu(w.MenuNew, "MenuNew", &w.MenuFile, "&New", "Ctrl+N");
    b.Add(w.MenuSep1, K::MenuSeparator, "MenuSep1", &w.MenuFile);
    b.Menu(w.MenuOpen, "MenuOpen", &w.MenuFile, "&Open", "F3");
    b.Menu(w.MenuOpenExeDir, "MenuOpenExeDir", &w.MenuFile, "Open from exe dir");
    b.Menu(w.MenuBackups, "MenuBackups", &w.MenuFile, "Backups...");
    b.Add(w.MenuSep2, K::MenuSeparator, "MenuSep2", &w.MenuFile);
    b.Menu(w.MenuSave, "MenuSave", &w.MenuFile, "&Save", "F2");
    b.Menu(w.MenuSaveExeDir, "MenuSaveExeDir", &w.MenuFile, "Save to exe dir");
    b.Add(w.MenuSep3, K::MenuSeparator, "MenuSep3", &w.MenuFile);
    b.Menu(w.MenuPrint, "MenuPrint", &w.MenuFile, "&Print", "Ctrl+P");
    b.Add(w.MenuSep4, K::MenuSeparator, "MenuSep4", &w.MenuFile);
    b.Menu(w.MenuExit, "MenuExit", &w.MenuFile, "E&xit");
    b.Menu(w.MenuCom, "MenuCom", nullptr, "&Com");
    // The 21 port items are named here and captioned at start-up.
    for (int i = 0; i < w.kComItems; ++i)
        b.Menu(w.MenuComItem[i], i < 20 ? "MenuCom" + std::to_string(i + 1) : "MenuComAuto",
               &w.MenuCom, "");
    b.Menu(w.MenuDevice, "MenuDevice", nullptr, "&Device");
    b.Menu(w.MenuRead, "MenuRead", &w.MenuDevice, "&Read", "F7");
    b.Menu(w.MenuVerify, "MenuVerify", &w.MenuDevice, "&Verify", "F8");
    b.Menu(w.MenuProgram, "MenuProgram", &w.MenuDevice, "&Program", "F9");
    b.Add(w.MenuSepLog, K::MenuSeparator, "MenuSepLog", &w.MenuDevice);
    b.Menu(w.MenuRecordLog, "MenuRecordLog", &w.MenuDevice, "Record &log...");
    b.Menu(w.MenuTPmode, "MenuTPmode", nullptr, "TP map mode");
    b.Menu(w.MenuTpNormal, "MenuTpNormal", &w.MenuTPmode, "Separate");
    b.Menu(w.MenuTpConnected, "MenuTpConnected", &w.MenuTPmode, "Coupled");
    b.Menu(w.MenuTP14, "MenuTP14", &w.MenuTPmode, "TP14->TP23");
    b.Menu(w.MenuTP23, "MenuTP23", &w.MenuTPmode, "TP23->TP14");
    b.Menu(w.MenuTools, "MenuTools", nullptr, "Tools");
    b.Menu(w.MenuToolsMinus, "MenuToolsMinus", &w.MenuTools, "Minus ", "F4");
    b.Menu(w.MenuToolsPlus, "MenuToolsPlus", &w.MenuTools, "Plus", "F5");
    b.Menu(w.MenuZpet, "MenuZpet", &w.MenuTools, "Undo", "Ctrl+Z");
    b.Menu(w.MenuZnovu, "MenuZnovu", &w.MenuTools, "Redo", "Ctrl+Alt+Z");
    b.Add(w.MenuSep5, K::MenuSeparator, "MenuSep5", &w.MenuTools);
    b.Menu(w.MenuCompare, "MenuCompare", &w.MenuTools, "Compare with file...");
    b.Menu(w.MenuCloseComparison, "MenuCloseComparison", &w.MenuTools, "Close comparison");
    w.MenuCloseComparison.SetEnabled(false);  // until a comparison is shown
    // The plots of the curves and maps, off unless asked for.
    b.Menu(w.MenuView, "MenuView", nullptr, "&View");
    b.Menu(w.MenuPlots, "MenuPlots", &w.MenuView, "Plots");
    b.Menu(w.MenuLanguage, "MenuLanguage", nullptr, "&Language");
    b.Menu(w.MenuEnglish, "MenuEnglish", &w.MenuLanguage, "English");
    b.Menu(w.MenuCzech, "MenuCzech", &w.MenuLanguage, "&Czech");
    b.Menu(w.MenuGerman, "MenuGerman", &w.MenuLanguage, "&German");
    b.Menu(w.MenuHelp, "MenuHelp", nullptr, "&Help");
    b.Menu(w.MenuContens, "MenuContens", &w.MenuHelp, "&Contents...", "F1");
    b.Menu(w.MenuAbout, "MenuAbout", &w.MenuHelp, "&About...");
}

void BuildToolbar(TBuilder& b, TMainWindow& w) {
    TControl* f = &w.FormHlav;
    // ---- toolbar
    b.Add(w.GroupBoxToolBar, K::GroupBox, "GroupBoxToolBar", f, 3, 0, 469, 43, "");
    TControl* tb = &w.GroupBoxToolBar;
    b.Add(w.SpeedButton6, K::Button, "SpeedButton6", tb, 6, 12, 25, 25, "New");
    b.Add(w.SpeedButton5, K::Button, "SpeedButton5", tb, 33, 12, 25, 25, "Open");
    b.Add(w.SpeedButton7, K::Button, "SpeedButton7", tb, 60, 12, 25, 25, "Save");
    b.Add(w.SpeedButtonPrint, K::Button, "SpeedButtonPrint", tb, 87, 12, 25, 25, "Print");
    b.Add(w.SpeedButtonZpet, K::Button, "SpeedButtonZpet", tb, 120, 12, 25, 25, "Undo");
    b.Add(w.SpeedButtonZnovu, K::Button, "SpeedButtonZnovu", tb, 147, 12, 25, 25, "Redo");
    b.Add(w.Button1, K::Button, "Button1", tb, 178, 12, 90, 25, "&Read");
    b.Add(w.BitBtn2, K::Button, "BitBtn2", tb, 271, 12, 95, 25, "&Verify");
    b.Add(w.BitBtn1, K::Button, "BitBtn1", tb, 369, 12, 97, 25, "&Program");

    b.Label(w.LabelSpojeni, "LabelSpojeni", f, 480, 9, 185, "No Connection", 14, true);
    w.LabelSpojeni.height = 28;
    w.LabelSpojeni.SetColor(TColor::Red);
}

void BuildMonitorPanel(TBuilder& b, TMainWindow& w) {
    TControl* f = &w.FormHlav;
    // ---- monitor panel
    const int mx = 676, mw = 270;
    b.Label(w.LabelRpm, "LabelRpm", f, mx, 6, mw, "RPM = ---", 14, true);
    b.Add(w.CGaugeRpm, K::Gauge, "CGaugeRpm", f, mx, 32, 262, 16);
    w.CGaugeRpm.SetColor(TColor::Fuchsia);
    b.Label(w.LabelTpsMon, "LabelTpsMon", f, mx, 52, mw, "TP= --- [%]", 14, true);
    b.Add(w.CGaugeTps, K::Gauge, "CGaugeTps", f, mx, 78, 262, 16);
    w.CGaugeTps.SetColor(TColor::Aqua);
    b.Label(w.LabelLambda, "LabelLambda", f, mx, 98, mw, "LAMBDA= --- [mV]", 14, true);
    b.Add(w.CGaugeLambda, K::Gauge, "CGaugeLambda", f, mx, 124, 262, 16);
    w.CGaugeLambda.SetColor(TColor::Aqua);
    b.Add(w.LabelBarGraf1, K::Label, "LabelBarGraf1", f, mx, 141, 87, 6);
    w.LabelBarGraf1.SetColor(TColor::Blue);
    b.Add(w.LabelBarGraf2, K::Label, "LabelBarGraf2", f, mx + 87, 141, 88, 6);
    w.LabelBarGraf2.SetColor(TColor::Lime);
    b.Add(w.LabelBarGraf3, K::Label, "LabelBarGraf3", f, mx + 175, 141, 87, 6);
    w.LabelBarGraf3.SetColor(TColor::Red);
    b.Label(w.LabelVoda, "LabelVoda", f, mx, 152, mw,
            "TW= --- [\xC2\xB0"
            "C]",
            14, true);
    b.Add(w.CGaugeVoda, K::Gauge, "CGaugeVoda", f, mx, 178, 262, 16);
    w.CGaugeVoda.SetColor(TColor::Aqua);
    struct {
        TControl* c;
        const char* name;
        const char* text;
    } medium[] = {
        {&w.LabelVzduch, "LabelVzduch", "AT= --- [\xC2\xB0]"},
        {&w.LabelPodtlak, "LabelPodtlak", "IAP= --- [%] "},
        {&w.LabelTlak, "LabelTlak", "AP= --- [kPa]"},
        {&w.LabelNapeti, "LabelNapeti", "U = ---[V]"},
        {&w.LabelAdvance, "LabelAdvance", "Advance= --- [\xC2\xB0]"},
        {&w.LabelSnimacCkps, "LabelSnimacCkps", "Pick-up (CKPS) - ---"},
        {&w.LabelSnimacCmps, "LabelSnimacCmps", "Pick-up (CMPS) - ---"},
        {&w.LabelCasJet14, "LabelCasJet14", "Inj. Time14 = --- [us]"},
        {&w.LabelCasJet23, "LabelCasJet23", "Inj. Time23 = --- [us]"},
        {&w.LabelMaxInjProcent, "LabelMaxInjProcent", "Max Inj.= -- [%]"},
    };
    int y = 200;
    for (auto& e : medium) {
        b.Label(*e.c, e.name, f, mx, y, mw, e.text, 10);
        y += 21;
    }
    b.Add(w.CGaugeDuty, K::Gauge, "CGaugeDuty", f, mx, y + 2, 262, 16);
    w.CGaugeDuty.SetColor(TColor::Aqua);
}

void BuildMessageArea(TBuilder& b, TMainWindow& w) {
    TControl* f = &w.FormHlav;
    // ---- message area and lower part
    b.Label(w.LabelHlaseni, "LabelHlaseni", f, 8, 508, 172, "", 8, true);
    w.LabelHlaseni.height = 21;
    b.Add(w.CGaugeProgram, K::Gauge, "CGaugeProgram", f, 184, 508, 297, 21);
    w.CGaugeProgram.SetRange(0, 5);
    w.CGaugeProgram.SetColor(TColor::Aqua);
    b.Add(w.CheckBoxLadeniOn, K::CheckBox, "CheckBoxLadeniOn", f, 504, 512, 140, 17, "Tuning On");
    b.Add(w.ImageLogo, K::Image, "ImageLogo", f, 4, 537, 234, 103);
    b.Label(w.LabelEeDataErr, "LabelEeDataErr", f, 4, 652, 300, "Programmed data error!", 10, true);
    w.LabelEeDataErr.SetColor(TColor::Red);
    b.Label(w.LabelVersion, "LabelVersion", f, 4, 684, 950, "", 10, true);
    w.LabelVersion.SetColor(TColor::Red);
    b.Label(w.LabelBlocking, "LabelBlocking", f, 428, 553, 230, "Blocking: --", 10);
    b.Label(w.LabelPriveraPoz, "LabelPriveraPoz", f, 428, 574, 230, "Servo Required= ---", 10);
    b.Label(w.LabelPriveraMer, "LabelPriveraMer", f, 428, 595, 230, "Servo Measured= ---", 10);
    b.Label(w.LabelCom, "LabelCom", f, 428, 616, 230, "COM = ---", 10);
    for (int i = 0; i < 8; ++i) {
        std::string n = std::to_string(i + 1);
        b.Label(w.LabelTest[i], "LabelTest" + n, f, 4 + 120 * i, 728, 118, "Test" + n + " = ---");
    }
    b.Add(w.StatusBar1, K::StatusBar, "StatusBar1", f, 0, kClientHeight - 19, kClientWidth, 19);
}

void BuildPages(TBuilder& b, TMainWindow& w) {
    TControl* f = &w.FormHlav;
    // ---- pages
    b.Add(w.PageControl1, K::PageControl, "PageControl1", f, 4, 48, 653, 449);
    TControl* pc = &w.PageControl1;
    b.Add(w.TabSheet_Ign, K::TabSheet, "TabSheet_Ign", pc, 0, 0, 645, 421, "Ignition");
    b.Add(w.TabSheet_Tp14, K::TabSheet, "TabSheet_Tp14", pc, 0, 0, 645, 421, "TP Map 14");
    b.Add(w.TabSheet_Tp23, K::TabSheet, "TabSheet_Tp23", pc, 0, 0, 645, 421, "TP Map 23");
    b.Add(w.TabSheet_Iap, K::TabSheet, "TabSheet_Iap", pc, 0, 0, 645, 421, "IAP Map");
    b.Add(w.TabSheet5, K::TabSheet, "TabSheet5", pc, 0, 0, 645, 421, "Miscellaneous");
    b.Add(w.TabSheet_Servo, K::TabSheet, "TabSheet_Servo", pc, 0, 0, 645, 421, "Servo");
    b.Add(w.TabSheetLadeni, K::TabSheet, "TabSheetLadeni", pc, 0, 0, 645, 421, "Tuning");
    w.PageControl1.SetRange(0, 6);
    w.PageControl1.UserSetPosition(0);
}

void BuildIgnitionPage(TBuilder& b, TMainWindow& w) {
    // Ignition page
    TControl* ign = &w.TabSheet_Ign;
    b.Add(w.GroupBox1, K::GroupBox, "GroupBox1", ign, 6, 4, 214, 408, "Advance");
    b.Label(w.Label1, "Label1", &w.GroupBox1, 14, 18, 70, "RPM");
    b.Label(w.Label2, "Label2", &w.GroupBox1, 112, 18, 90, "Advance [\xC2\xB0]");
    for (int k = 0; k < 10; ++k) {
        b.Pair(w.EditAdv[k], w.UpDownAdv[k], std::to_string(k + 1), &w.GroupBox1, 12, 36 + 30 * k,
               64, 300, k == 9 ? 21000 : 20100, 100);
    }
    for (int k = 0; k < 10; ++k) {
        b.Pair(w.EditAdv[10 + k], w.UpDownAdv[10 + k], std::to_string(k + 11), &w.GroupBox1, 112,
               36 + 30 * k, 48, 0, 125, 1);
    }
    b.Add(w.BitBtnIgnMinus, K::Button, "BitBtnIgnMinus", &w.GroupBox1, 12, 344, 40, 25, "-");
    b.Add(w.BitBtnIgnPlus, K::Button, "BitBtnIgnPlus", &w.GroupBox1, 58, 344, 40, 25, "+");
    b.Add(w.CheckBoxIgnAll, K::CheckBox, "CheckBoxIgnAll", &w.GroupBox1, 112, 348, 80, 17, "All");

    b.Add(w.GroupBox3, K::GroupBox, "GroupBox3", ign, 228, 4, 410, 172, "Other");
    b.Add(w.ComboBoxBike, K::ComboBox, "ComboBoxBike", &w.GroupBox3, 12, 20, 260, 21);
    b.Label(w.LabelOmez2, "LabelOmez2", &w.GroupBox3, 12, 55, 170, "Limiter [rpm]");
    b.Pair(w.EditOmez2, w.UpDownOmez2, "Omez2", &w.GroupBox3, 190, 52, 64, 999, 25000, 100);
    b.Label(w.Label10, "Label10", &w.GroupBox3, 12, 83, 170, "Gear Shift Light [rpm]");
    b.Pair(w.Edit46, w.UpDown46, "46", &w.GroupBox3, 190, 80, 64, 1000, 25000, 100);
    b.Add(w.CheckBoxProgHned, K::CheckBox, "CheckBoxProgHned", &w.GroupBox3, 12, 112, 280, 19,
          "Programming after change");
    b.Add(w.CheckBoxBlokEnable, K::CheckBox, "CheckBoxBlokEnable", &w.GroupBox3, 12, 140, 280, 19,
          "Blocking enable");

    b.Add(w.GroupBoxRpm, K::GroupBox, "GroupBoxRpm", ign, 228, 184, 410, 84, "RPM");
    b.Label(w.LabelRpmPulsu, "LabelRpmPulsu", &w.GroupBoxRpm, 12, 25, 100, "Pulses");
    b.Pair(w.EditRpmPulsu, w.UpDownRpmPulsu, "RpmPulsu", &w.GroupBoxRpm, 120, 22, 48, 0, 6, 1);
    b.Label(w.LabelRpmKorekce, "LabelRpmKorekce", &w.GroupBoxRpm, 12, 53, 100, "Correction");
    b.Pair(w.EditRpmKorekce, w.UpDownRpmKorekce, "RpmKorekce", &w.GroupBoxRpm, 120, 50, 48, -60, 60,
           1);

    b.Label(w.LabelVerze1, "LabelVerze1", ign, 232, 284, 300, "", 10, true);
    b.Label(w.LabelVerze2, "LabelVerze2", ign, 232, 306, 300, "", 10, true);
    b.Label(w.LabelVerze3, "LabelVerze3", ign, 232, 328, 300, "", 10, true);
    b.Label(w.LabelFile1, "LabelFile1", ign, 232, 372, 50, "File:");
    b.Label(w.LabelFile2, "LabelFile2", ign, 284, 372, 354, "----------");
}

void BuildMapPages(TBuilder& b, TMainWindow& w) {
    // Map pages
    BuildMapGrid(b, w.Tp14, w.TabSheet_Tp14, "GroupBoxTps", "RpmTps", 50, "", "CSpinButton", 1,
                 "JetTps", "LabelTps", false);
    BuildMapGrid(b, w.Tp23, w.TabSheet_Tp23, "GroupBoxTpsi", "RpmTps", 50, "i", "CSpinButton", 1,
                 "JetTps", "LabelTps", false);
    BuildMapGrid(b, w.Iap, w.TabSheet_Iap, "GroupBox4", "RpmIap", 160, "", "CSpinButton", 11,
                 "JetIap", "LabelIap", true);
    b.Label(w.LabelIapToTps, "LabelIapToTps", &w.TabSheet_Iap, 300, 396, 110, "Iap -> Tps [%]");
    b.Pair(w.EditIapToTps, w.UpDownIapToTps, "IapToTps", &w.TabSheet_Iap, 420, 393, 48, 0, 250, 1);
}

// Miscellaneous page: the temperature and starting corrections.
void BuildCorrectionGroups(TBuilder& b, TMainWindow& w) {
    TControl* misc = &w.TabSheet5;
    b.Add(w.GroupBoxVodaVzduch, K::GroupBox, "GroupBoxVodaVzduch", misc, 4, 4, 236, 176,
          "Temperature Corrections");
    b.Label(w.LabelVoda2, "LabelVoda2", &w.GroupBoxVodaVzduch, 70, 18, 80, "Coolant");
    b.Label(w.LabelVzduch2, "LabelVzduch2", &w.GroupBoxVodaVzduch, 150, 18, 80, "Inlet Air");
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
        b.Label(w.LabelTeplota[r], std::string("LabelTeplota") + tempStems[r],
                &w.GroupBoxVodaVzduch, 8, 41 + 26 * r, 60, tempRows[r]);
        b.Pair(w.EditVoda[r], w.UpDownVoda[r], std::string("Voda") + tempStems[r],
               &w.GroupBoxVodaVzduch, 70, 38 + 26 * r, 48, 10, 250, 1);
        b.Pair(w.EditVzduch[r], w.UpDownVzduch[r], std::string("Vzduch") + tempStems[r],
               &w.GroupBoxVodaVzduch, 150, 38 + 26 * r, 48, 10, 250, 1);
    }
    b.Add(w.GroupBoxSytic, K::GroupBox, "GroupBoxSytic", misc, 246, 4, 240, 176,
          "Starting Corrections");
    b.Label(w.LabelSyticCas, "LabelSyticCas", &w.GroupBoxSytic, 8, 18, 70, "Time [s]");
    b.Label(w.LabelSyticKorekce, "LabelSyticKorekce", &w.GroupBoxSytic, 90, 18, 146,
            "Corrections for -10\xC2\xB0"
            "C [%]");
    b.Label(w.LabelSyticCas0, "LabelSyticCas0", &w.GroupBoxSytic, 12, 41, 40, "0");
    for (int k = 0; k < 4; ++k) {
        b.Pair(w.EditSyticKorekce[k], w.UpDownSyticKorekce[k], "SyticKorekce" + std::to_string(k),
               &w.GroupBoxSytic, 90, 38 + 26 * k, 48, 100, 350, 1);
        b.Pair(w.EditSyticCas[k], w.UpDownSyticCas[k], "SyticCas" + std::to_string(k + 1),
               &w.GroupBoxSytic, 8, 64 + 26 * k, 48, 0, 250, 1);
    }
    b.Label(w.LabelSyticKorekce4, "LabelSyticKorekce4", &w.GroupBoxSytic, 94, 145, 40, "100");
}

// Miscellaneous page: TPS calibration, start and acceleration injection, cooling, intake valve,
// and the live corrections.
void BuildMiscPage(TBuilder& b, TMainWindow& w) {
    BuildCorrectionGroups(b, w);
    TControl* misc = &w.TabSheet5;
    b.Add(w.GroupBoxSetTps, K::GroupBox, "GroupBoxSetTps", misc, 492, 4, 150, 94, "TPS");
    b.Pair(w.EditTps0, w.UpDownTps0, "Tps0", &w.GroupBoxSetTps, 8, 22, 48, 300, 2500, 10);
    b.Add(w.BitBtnTps0, K::Button, "BitBtnTps0", &w.GroupBoxSetTps, 74, 20, 72, 25, "TPS 0 %");
    b.Pair(w.EditTps100, w.UpDownTps100, "Tps100", &w.GroupBoxSetTps, 8, 58, 48, 2500, 4600, 10);
    b.Add(w.BitBtnTps100, K::Button, "BitBtnTps100", &w.GroupBoxSetTps, 74, 56, 72, 25,
          "TPS 100 %");
    b.Add(w.GroupBoxStartJet, K::GroupBox, "GroupBoxStartJet", misc, 492, 104, 150, 52,
          "Start Injection");
    b.Pair(w.EditStartJet, w.UpDownStartJet, "StartJet", &w.GroupBoxStartJet, 8, 22, 48, 0, 50, 1);
    b.Label(w.LabelStartJetUnit, "LabelStartJetUnit", &w.GroupBoxStartJet, 80, 25, 40, "[ms]");
    b.Add(w.GroupBoxAkcel, K::GroupBox, "GroupBoxAkcel", misc, 4, 186, 236, 80,
          "Acceleration Injection");
    b.Label(w.LabelAkcelPrah, "LabelAkcelPrah", &w.GroupBoxAkcel, 8, 25, 110, "Threshold [%/s]");
    b.Pair(w.EditAkcelPrah, w.UpDownAkcelPrah, "AkcelPrah", &w.GroupBoxAkcel, 130, 22, 56, 10, 2500,
           10);
    b.Label(w.LabelAkcelJet, "LabelAkcelJet", &w.GroupBoxAkcel, 8, 53, 110, "Size[us]");
    b.Pair(w.EditAkcelJet, w.UpDownAkcelJet, "AkcelJet", &w.GroupBoxAkcel, 130, 50, 56, 0, 7500,
           30);
    b.Add(w.GroupBoxChlazeni, K::GroupBox, "GroupBoxChlazeni", misc, 246, 186, 120, 52, "Cooling");
    b.Pair(w.EditChlazeni, w.UpDownChlazeni, "Chlazeni", &w.GroupBoxChlazeni, 8, 22, 48, 0, 100, 1);
    b.Label(w.LabelChlazeniUnit, "LabelChlazeniUnit", &w.GroupBoxChlazeni, 76, 25, 40,
            "[\xC2\xB0"
            "C]");
    b.Add(w.GroupBoxKlapkaSani, K::GroupBox, "GroupBoxKlapkaSani", misc, 372, 186, 140, 52,
          "Intake Duct Valve");
    b.Pair(w.EditKlapkaSani, w.UpDownKlapkaSani, "KlapkaSani", &w.GroupBoxKlapkaSani, 8, 22, 60,
           1000, 25000, 100);
    b.Label(w.LabelKlapkaSaniUnit, "LabelKlapkaSaniUnit", &w.GroupBoxKlapkaSani, 90, 25, 44,
            "[Rpm]");
    b.Label(w.LabelKorVoda, "LabelKorVoda", misc, 8, 280, 250, "TW correction= ---", 10);
    b.Label(w.LabelKorVzduch, "LabelKorVzduch", misc, 8, 301, 250, "AT correction= ---", 10);
    b.Label(w.LabelKorTlak, "LabelKorTlak", misc, 8, 322, 250, "AP correction= ---", 10);
    b.Label(w.LabelKorSytic, "LabelKorSytic", misc, 8, 343, 250, "Starting corr.= ---", 10);
    b.Label(w.LabelKorNapeti, "LabelKorNapeti", misc, 8, 364, 250, "U correction= ---", 10);
    b.Add(w.CheckBoxExtMonitor, K::CheckBox, "CheckBoxExtMonitor", misc, 300, 282, 200, 19,
          "Extended Monitor");
    b.Label(w.LabelPocetProgramovani, "LabelPocetProgramovani", misc, 300, 310, 300,
            "Number of Programing= ---", 10);
}

void BuildServoPage(TBuilder& b, TMainWindow& w) {
    // Servo page
    TControl* servo = &w.TabSheet_Servo;
    b.Add(w.CheckBoxPrivEnable, K::CheckBox, "CheckBoxPrivEnable", servo, 8, 8, 200, 19,
          "Servo Enable");
    b.Add(w.GroupBoxPrivera, K::GroupBox, "GroupBoxPrivera", servo, 4, 34, 637, 190, "Servo");
    b.Label(w.LabelRpmPrivRow, "LabelRpmPrivRow", &w.GroupBoxPrivera, 8, 31, 36, "RPM");
    b.Label(w.LabelNapPrivRow, "LabelNapPrivRow", &w.GroupBoxPrivera, 8, 61, 36, "[mV]");
    for (int k = 0; k < 10; ++k) {
        b.Pair(w.EditRpmPriv[k], w.UpDownRpmPriv[k], "RpmPriv" + std::to_string(k + 1),
               &w.GroupBoxPrivera, 44 + 59 * k, 28, 46, 300, 20100, 100);
        b.Pair(w.EditNapPriv[k], w.UpDownNapPriv[k], "NapPriv" + std::to_string(k + 1),
               &w.GroupBoxPrivera, 44 + 59 * k, 58, 46, 20, 4980, 20);
    }
    b.Label(w.LabelPrivHyster, "LabelPrivHyster", &w.GroupBoxPrivera, 8, 103, 170,
            "Sevro Hysteresis [mV]");
    b.Pair(w.EditPrivHyster, w.UpDownPrivHyster, "PrivHyster", &w.GroupBoxPrivera, 180, 100, 48, 0,
           1275, 5);
    b.Add(w.BitBtnServoMinus, K::Button, "BitBtnServoMinus", &w.GroupBoxPrivera, 44, 144, 40, 25,
          "-");
    b.Add(w.BitBtnServoPlus, K::Button, "BitBtnServoPlus", &w.GroupBoxPrivera, 90, 144, 40, 25,
          "+");
    b.Add(w.CheckBoxPrivAll, K::CheckBox, "CheckBoxPrivAll", &w.GroupBoxPrivera, 140, 148, 80, 17,
          "All");
}

// The tuning page's additions under the tuning group: the opt-in limits and the review of the
// changes tuning has made.
void BuildTuningReview(TBuilder& b, TMainWindow& w) {
    TControl* lad = &w.TabSheetLadeni;
    b.Add(w.GroupBoxLadeniLimity, K::GroupBox, "GroupBoxLadeniLimity", lad, 4, 240, 420, 84,
          "Tuning limits");
    TControl* g = &w.GroupBoxLadeniLimity;
    b.Add(w.CheckBoxLadeniZmena, K::CheckBox, "CheckBoxLadeniZmena", g, 8, 24, 300, 19,
          "Maximum change from the baseline [%]");
    b.Pair(w.EditLadeniZmena, w.UpDownLadeniZmena, "LadeniZmena", g, 312, 22, 60, 1, 100, 1);
    b.Add(w.CheckBoxLadeniVoda, K::CheckBox, "CheckBoxLadeniVoda", g, 8, 52, 300, 19,
          "Minimum coolant temperature [\xC2\xB0"
          "C]");
    b.Pair(w.EditLadeniVoda, w.UpDownLadeniVoda, "LadeniVoda", g, 312, 50, 60, -10, 120, 1);
    b.Label(w.LabelLadeniPrehled, "LabelLadeniPrehled", lad, 8, 334, 416, "");
    b.Add(w.BitBtnLadeniZpet, K::Button, "BitBtnLadeniZpet", lad, 8, 356, 260, 25,
          "Revert tuning changes");
    b.Add(w.BitBtnLadeniPrijmout, K::Button, "BitBtnLadeniPrijmout", lad, 276, 356, 110, 25,
          "Accept");
}

void BuildTuningPage(TBuilder& b, TMainWindow& w) {
    // Tuning page
    TControl* lad = &w.TabSheetLadeni;
    b.Label(w.LabelLadeni, "LabelLadeni", lad, 8, 8, 400, "Caution - For experienced user only!",
            10, true);
    w.LabelLadeni.SetFontColor(TColor::Red);
    b.Add(w.CheckBoxLadeniPovoleno, K::CheckBox, "CheckBoxLadeniPovoleno", lad, 8, 34, 300, 19,
          "Automatic tuning unlock");
    b.Add(w.GroupBoxLadeni, K::GroupBox, "GroupBoxLadeni", lad, 4, 62, 420, 170, "Tuning");
    struct {
        TControl *label, *edit, *updown;
        const char* stem;
        const char* text;
        int mn, mx, step;
    } tuning[] = {
        {&w.LabelLadeniLambda, &w.EditLadeniLambda, &w.UpDownLadeniLambda, "LadeniLambda",
         "Lambda required", 400, 1000, 10},
        {&w.LabelLadeniHyster, &w.EditLadeniHyster, &w.UpDownLadeniHyster, "LadeniHyster",
         "Required accuracy of lambda", 10, 400, 10},
        {&w.LabelLadeniRpm, &w.EditLadeniRpm, &w.UpDownLadeniRpm, "LadeniRpm", "Max deviation RPM",
         50, 2000, 50},
        {&w.LabelLadeniTps, &w.EditLadeniTps, &w.UpDownLadeniTps, "LadeniTps",
         "Max deviation TPS, IAP [%]", 0, 20, 1},
        {&w.LabelLadeniCas, &w.EditLadeniCas, &w.UpDownLadeniCas, "LadeniCas", "Time step [ms]",
         400, 20000, 200},
    };
    for (int i = 0; i < 5; ++i) {
        auto& t = tuning[i];
        b.Label(*t.label, std::string("Label") + t.stem, &w.GroupBoxLadeni, 8, 25 + 28 * i, 240,
                t.text);
        b.Pair(*t.edit, *t.updown, t.stem, &w.GroupBoxLadeni, 260, 22 + 28 * i, 60, t.mn, t.mx,
               t.step);
    }
    BuildTuningReview(b, w);
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
    b.Add(FormHlav, K::Form, "FormHlav", nullptr, 0, 0, kClientWidth, kClientHeight,
          "Programming of Quorvel 05 unit");
    BuildMenus(b, *this);
    BuildToolbar(b, *this);
    BuildMonitorPanel(b, *this);
    BuildMessageArea(b, *this);
    BuildPages(b, *this);
    BuildIgnitionPage(b, *this);
    BuildMapPages(b, *this);
    BuildMiscPage(b, *this);
    BuildServoPage(b, *this);
    BuildTuningPage(b, *this);
    model.Seal();
}
