#include "ui/About.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The caption of the window by language (Czech, English, German).
const char* const kCaptions[3] = {"O programu Quorvel05P", "About Quorvel05",
                                  "\u00DCber Programm Quorvel05"};

}  // namespace

TFormAbout::TFormAbout() {
    struct {
        TControl& c;
        TControlKind kind;
        const char* name;
        int left, top, width, height, font;
        const char* text;
    } const layout[] = {
        {FormAbout, TControlKind::Form, "FormAbout", 0, 0, kAboutClientWidth, kAboutClientHeight, 8,
         ""},
        {Image1, TControlKind::Image, "Image1", 56, 12, 161, 81, 8, ""},
        {Label2, TControlKind::Label, "Label2", 12, 110, 249, 20, 12, "Quorvel Engine Electronics"},
        {Label3, TControlKind::Label, "Label3", 12, 132, 249, 20, 12, "Workshop Lane 5"},
        {Label4, TControlKind::Label, "Label4", 12, 154, 249, 20, 12, "100 00 Sample Town"},
        {Label5, TControlKind::Label, "Label5", 12, 176, 249, 20, 12, "Czech Republic"},
        {Label9, TControlKind::Label, "Label9", 12, 212, 249, 16, 8,
         "e-mail: support@quorvel.example"},
        {Label10, TControlKind::Label, "Label10", 12, 230, 249, 16, 8, "web: www.quorvel.example"},
        {LabelDate, TControlKind::Label, "LabelDate", 12, 266, 160, 16, 8, ""},
        {LabelTime, TControlKind::Label, "LabelTime", 12, 284, 160, 16, 8, ""},
        {LabelRsKey, TControlKind::Label, "LabelRsKey", 12, 302, 160, 16, 8, ""},
        {LabelExit, TControlKind::Label, "LabelExit", 214, 320, 44, 32, 17, "OK"},
    };
    for (const auto& l : layout) {
        model.Register(l.c, l.kind, l.name, l.kind == TControlKind::Form ? nullptr : &FormAbout);
        l.c.left = l.left;
        l.c.top = l.top;
        l.c.width = l.width;
        l.c.height = l.height;
        l.c.fontSize = l.font;
        l.c.UserSetText(l.text);
    }
    FormAbout.SetColor(TColor::White);
    LabelExit.bold = true;
    model.Seal();
}

void TFormAbout::FormCreate(const std::string& buildDate, const std::string& buildTime,
                            int layoutVersion, int screenWidth, int screenHeight) {
    LabelDate.SetText(buildDate);
    LabelTime.SetText(buildTime);
    LabelRsKey.SetText("Version - " + std::to_string(layoutVersion));
    FormAbout.left = screenWidth / 2 - FormAbout.width / 2;
    FormAbout.top = screenHeight / 2 - FormAbout.height / 2;
}

void TFormAbout::FormActivate(uint8_t language) {
    closeRequested = false;
    FormAbout.SetText(language < 3 ? kCaptions[language] : kCaptions[1]);
}

std::string AboutDateText(int year, int month, int day) {
    char buf[32];
    const char* m = month >= 1 && month <= 12 ? kMonths[month - 1] : "???";
    std::snprintf(buf, sizeof buf, "%s %2d %d", m, day, year);
    return buf;
}

std::string BuildDateText(const char* d) {
    // "Mmm dd yyyy", the day padded with a blank.
    int day = 0, year = 0;
    char month[4] = {};
    if (d == nullptr || std::sscanf(d, "%3s %d %d", month, &day, &year) != 3) return {};
    for (int m = 0; m < 12; ++m)
        if (std::strcmp(month, kMonths[m]) == 0) return AboutDateText(year, m + 1, day);
    return {};
}
