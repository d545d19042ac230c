// The main window's controls as plain values: every control named in the window design, the grids
// as arrays in the order of the control tables. The layout (parents, positions, fonts, design
// captions) is set by BuildMainWindow.
#pragma once

#include "ui/controls.h"
#include "ui/page_index.h"

struct TMainWindow {
    TWindowModel model;

    // ---- window frame
    TControl FormHlav;
    TControl StatusBar1;
    TControl GroupBoxToolBar;
    TControl SpeedButton6, SpeedButton5, SpeedButton7, SpeedButtonPrint, SpeedButtonZpet,
        SpeedButtonZnovu, Button1, BitBtn2, BitBtn1;
    TControl LabelSpojeni, LabelCom;

    // ---- menus
    TControl MenuFile, MenuNew, MenuSep1, MenuOpen, MenuOpenExeDir, MenuSep2, MenuSave,
        MenuSaveExeDir, MenuSep3, MenuPrint, MenuSep4, MenuExit;
    TControl MenuCom;
    static constexpr int kComItems = 21;
    TControl MenuComItem[kComItems];  // "Com 1" .. "Com 20", "Com Auto"
    TControl MenuDevice, MenuRead, MenuVerify, MenuProgram;
    TControl MenuSepLog, MenuRecordLog;  // beyond the design: the monitor log
    TControl MenuTPmode, MenuTpNormal, MenuTpConnected, MenuTP14, MenuTP23;
    TControl MenuTools, MenuToolsMinus, MenuToolsPlus, MenuZpet, MenuZnovu;
    // Beyond the design's menus: the kept parameter sets (File) and the comparison with a file
    // (Tools).
    TControl MenuBackups, MenuSep5, MenuCompare, MenuCloseComparison;
    TControl MenuView, MenuPlots;  // beyond the design: the plots of the curves and maps
    TControl MenuLanguage, MenuEnglish, MenuCzech, MenuGerman;
    TControl MenuHelp, MenuContens, MenuAbout;

    // ---- monitor panel
    TControl LabelRpm, CGaugeRpm, LabelTpsMon, CGaugeTps, LabelLambda, CGaugeLambda;
    TControl LabelBarGraf1, LabelBarGraf2, LabelBarGraf3;
    TControl LabelVoda, CGaugeVoda, LabelVzduch, LabelPodtlak, LabelTlak, LabelNapeti, LabelAdvance,
        LabelSnimacCkps, LabelSnimacCmps, LabelCasJet14, LabelCasJet23, LabelMaxInjProcent,
        CGaugeDuty;

    // ---- message area, lower part of the window
    TControl LabelHlaseni, CGaugeProgram, CheckBoxLadeniOn;
    TControl ImageLogo, LabelEeDataErr, LabelVersion;
    TControl LabelBlocking, LabelPriveraPoz, LabelPriveraMer;
    TControl LabelTest[8];  // LabelTest1 .. LabelTest8

    // ---- pages
    TControl PageControl1;
    TControl TabSheet_Ign, TabSheet_Tp14, TabSheet_Tp23, TabSheet_Iap, TabSheet5, TabSheet_Servo,
        TabSheetLadeni;

    // Ignition page
    TControl GroupBox1, Label1, Label2;
    TControl EditAdv[20], UpDownAdv[20];  // Edit1..Edit20, UpDown1..UpDown20
    TControl BitBtnIgnMinus, BitBtnIgnPlus, CheckBoxIgnAll;
    TControl GroupBox3, ComboBoxBike, LabelOmez2, EditOmez2, UpDownOmez2, Label10, Edit46, UpDown46,
        CheckBoxProgHned, CheckBoxBlokEnable;
    TControl GroupBoxRpm, LabelRpmPulsu, EditRpmPulsu, UpDownRpmPulsu, LabelRpmKorekce,
        EditRpmKorekce, UpDownRpmKorekce;
    TControl LabelVerze1, LabelVerze2, LabelVerze3, LabelFile1, LabelFile2;

    // The three map pages share one shape: axis, cells, row labels, spin buttons, -, +, All.
    struct TMapGrid {
        TControl group;
        TControl cornerRpm, cornerLoad;
        TControl rowLabel[10];
        TControl axisEdit[10], axisUpDown[10];
        TControl cellEdit[100], cellUpDown[100];  // index 10 * row + column
        TControl spin[10];
        TControl minus, plus, all;
    };
    TMapGrid Tp14, Tp23, Iap;  // GroupBoxTps, GroupBoxTpsi, GroupBox4
    // The grids' buttons and boxes under their own names, so each name leads to its control.
    TControl &BitBtnJetTpsMinus = Tp14.minus, &BitBtnJetTpsPlus = Tp14.plus,
             &CheckBoxJetTpsAll = Tp14.all;
    TControl &BitBtnJetTpsMinusi = Tp23.minus, &BitBtnJetTpsPlusi = Tp23.plus,
             &CheckBoxJetTpsAlli = Tp23.all;
    TControl &BitBtnJetIapMinus = Iap.minus, &BitBtnJetIapPlus = Iap.plus,
             &CheckBoxJetIapAll = Iap.all;
    TControl &CSpinButton1 = Tp14.spin[0], &CSpinButton2 = Tp14.spin[1],
             &CSpinButton3 = Tp14.spin[2], &CSpinButton4 = Tp14.spin[3],
             &CSpinButton5 = Tp14.spin[4], &CSpinButton6 = Tp14.spin[5],
             &CSpinButton7 = Tp14.spin[6], &CSpinButton8 = Tp14.spin[7],
             &CSpinButton9 = Tp14.spin[8], &CSpinButton10 = Tp14.spin[9],
             &CSpinButton1i = Tp23.spin[0], &CSpinButton2i = Tp23.spin[1],
             &CSpinButton3i = Tp23.spin[2], &CSpinButton4i = Tp23.spin[3],
             &CSpinButton5i = Tp23.spin[4], &CSpinButton6i = Tp23.spin[5],
             &CSpinButton7i = Tp23.spin[6], &CSpinButton8i = Tp23.spin[7],
             &CSpinButton9i = Tp23.spin[8], &CSpinButton10i = Tp23.spin[9],
             &CSpinButton11 = Iap.spin[0], &CSpinButton12 = Iap.spin[1],
             &CSpinButton13 = Iap.spin[2], &CSpinButton14 = Iap.spin[3],
             &CSpinButton15 = Iap.spin[4], &CSpinButton16 = Iap.spin[5],
             &CSpinButton17 = Iap.spin[6], &CSpinButton18 = Iap.spin[7],
             &CSpinButton19 = Iap.spin[8], &CSpinButton20 = Iap.spin[9];
    TControl LabelIapToTps, EditIapToTps, UpDownIapToTps;

    // Miscellaneous page
    TControl GroupBoxVodaVzduch, LabelVoda2, LabelVzduch2, LabelTeplota[5];
    TControl EditVoda[5], UpDownVoda[5];      // _10, 20, 50, 80, 110
    TControl EditVzduch[5], UpDownVzduch[5];  // _10, 20, 50, 80, 110
    TControl GroupBoxSytic, LabelSyticCas, LabelSyticKorekce, LabelSyticCas0, LabelSyticKorekce4;
    TControl EditSyticCas[4], UpDownSyticCas[4];          // EditSyticCas1 .. 4
    TControl EditSyticKorekce[4], UpDownSyticKorekce[4];  // EditSyticKorekce0 .. 3
    TControl GroupBoxSetTps, EditTps0, UpDownTps0, BitBtnTps0, EditTps100, UpDownTps100,
        BitBtnTps100;
    TControl GroupBoxStartJet, EditStartJet, UpDownStartJet, LabelStartJetUnit;
    TControl GroupBoxAkcel, LabelAkcelPrah, EditAkcelPrah, UpDownAkcelPrah, LabelAkcelJet,
        EditAkcelJet, UpDownAkcelJet;
    TControl GroupBoxChlazeni, EditChlazeni, UpDownChlazeni, LabelChlazeniUnit;
    TControl GroupBoxKlapkaSani, EditKlapkaSani, UpDownKlapkaSani, LabelKlapkaSaniUnit;
    TControl LabelKorVoda, LabelKorVzduch, LabelKorTlak, LabelKorSytic, LabelKorNapeti;
    TControl CheckBoxExtMonitor, LabelPocetProgramovani;

    // Servo page
    TControl CheckBoxPrivEnable, GroupBoxPrivera, LabelRpmPrivRow, LabelNapPrivRow;
    TControl EditRpmPriv[10], UpDownRpmPriv[10], EditNapPriv[10], UpDownNapPriv[10];
    TControl LabelPrivHyster, EditPrivHyster, UpDownPrivHyster;
    TControl BitBtnServoMinus, BitBtnServoPlus, CheckBoxPrivAll;

    // Tuning page
    TControl LabelLadeni, CheckBoxLadeniPovoleno, GroupBoxLadeni;
    TControl LabelLadeniLambda, EditLadeniLambda, UpDownLadeniLambda;
    TControl LabelLadeniHyster, EditLadeniHyster, UpDownLadeniHyster;
    TControl LabelLadeniRpm, EditLadeniRpm, UpDownLadeniRpm;
    TControl LabelLadeniTps, EditLadeniTps, UpDownLadeniTps;
    TControl LabelLadeniCas, EditLadeniCas, UpDownLadeniCas;
    // Tuning review and the opt-in tuning limits (not in the image; kept in the settings)
    TControl GroupBoxLadeniLimity, CheckBoxLadeniZmena, EditLadeniZmena, UpDownLadeniZmena,
        CheckBoxLadeniVoda, EditLadeniVoda, UpDownLadeniVoda;
    TControl LabelLadeniPrehled, BitBtnLadeniZpet, BitBtnLadeniPrijmout;

    TMainWindow();
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;

    TControl* Find(std::string_view name) const { return model.Find(name); }
    TControl& Page(int index);
};

constexpr int kClientWidth = 965;
constexpr int kClientHeight = 771;
