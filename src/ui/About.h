// The About window: the maker's lines, the build date and time, the parameter layout version and
// an "OK" label that closes it. One instance, created after the main window, shown on demand.
#pragma once

#include <cstdint>
#include <string>

#include "ui/controls.h"

class TFormAbout {
  public:
    TFormAbout();
    TFormAbout(const TFormAbout&) = delete;
    TFormAbout& operator=(const TFormAbout&) = delete;

    // Fills the build date and time ("Dec  3 2007", "19:26:41") and the version label
    // ("Version - 43"), and centres the window on a screen of the given size.
    void FormCreate(const std::string& buildDate, const std::string& buildTime, int layoutVersion,
                    int screenWidth, int screenHeight);
    // The caption in the language of the moment, each time the window is shown.
    void FormActivate(uint8_t language);
    // The "OK" label and the close box.
    void Button1Click() { closeRequested = true; }

    TWindowModel model;
    TControl FormAbout, Image1, Label2, Label3, Label4, Label5, Label9, Label10, LabelDate,
        LabelTime, LabelRsKey, LabelExit;
    bool closeRequested = false;
};

constexpr int kAboutClientWidth = 273;
constexpr int kAboutClientHeight = 368;

// A date in the About window's form: English month abbreviation, the day right-aligned in two
// columns, the year ("Dec  3 2007").
std::string AboutDateText(int year, int month, int day);
// The compiler's build date ("Mmm dd yyyy") and time ("hh:mm:ss") in the About window's form.
std::string BuildDateText(const char* compilerDate);
