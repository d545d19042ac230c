// The printout's layout switch, header and page fit; Help > Contents; the About window.
#include <gtest/gtest.h>

#include <functional>

#include "harness.h"
#include "ui/print.h"

namespace {

// A printer that looks at the window while it prints.
class TFakePrinter : public TPrinter {
  public:
    std::function<void()> whilePrinting;
    TPrintResult result;
    int jobs = 0;
    TPrintResult PrintWindow() override {
        ++jobs;
        if (whilePrinting) whilePrinting();
        return result;
    }
};

class TFakeScreen : public TScreen {
  public:
    int applied = 0;
    void ApplyNow() override { ++applied; }
};

class TFakeDocuments : public TDocumentOpener {
  public:
    std::vector<std::string> opened;
    void Open(const std::string& pattern) override { opened.push_back(pattern); }
};

struct TPrintRig {
    THarness h;
    TFakePrinter printer;
    TFakeScreen screen;
    TFormHlav* w = nullptr;
    explicit TPrintRig(const std::string& word = "ENGLISH") {
        h.platform.printer = &printer;
        h.platform.screen = &screen;
        w = &h.Start(word);
        h.sim.engine.HoldPoint(4000, 20, 39, true);  // TP row 4
        h.Ticks(14);
    }
};

}  // namespace

TEST(PrintPage, FitKeepsTheProportionsAndRoundsToTheNearestPixel) {
    const struct {
        int w, h, pw, ph, width, height;
    } cases[] = {
        {965, 771, 4800, 6800, 4800, 3835},  // portrait: the page width is filled
        {965, 771, 6800, 4800, 6008, 4800},  // landscape: the page height (6007.8 rounds up)
        {100, 100, 300, 300, 300, 300},      // equal proportions fill the width
        {3, 2, 10, 10, 10, 7},               // 6.67 rounds to 7
        {0, 771, 4800, 6800, 0, 0},
    };
    for (const auto& c : cases) {
        const TPrintRect r = FitToPage(c.w, c.h, c.pw, c.ph);
        EXPECT_EQ(r.width, c.width) << c.w << "x" << c.h << " on " << c.pw << "x" << c.ph;
        EXPECT_EQ(r.height, c.height) << c.w << "x" << c.h << " on " << c.pw << "x" << c.ph;
    }
}

// While the picture is taken the editing aids, gauges, toolbar, logo and status bar are hidden,
// only the active tab shows, the background is white and the header is in the label; afterwards
// all comes back except what the TP map mode hides, and the row labels are white.
TEST(PrintLayout, SwitchesForThePictureAndBackAfterwards) {
    TPrintRig r;
    TFormHlav& w = *r.w;
    w.PageControl1.UserSetPosition(kPageTp14);
    ASSERT_EQ(w.image.Get(TField::TPS_MODE), 1);  // Coupled: the TP23 page's aids are hidden
    bool checked = false;
    r.printer.whilePrinting = [&] {
        checked = true;
        EXPECT_EQ(r.screen.applied, 1);
        EXPECT_TRUE(w.PrintLayout);
        for (TControl* c :
             {&w.StatusBar1, &w.ImageLogo, &w.GroupBoxToolBar, &w.CGaugeRpm, &w.UpDownAdv[0],
              &w.Tp14.cellUpDown[55], &w.CSpinButton3, &w.BitBtnJetTpsPlus, &w.CheckBoxJetIapAll,
              &w.UpDownLadeniCas, &w.CheckBoxExtMonitor, &w.BitBtnTps0, &w.UpDownSyticKorekce[3],
              &w.CGaugeProgram})
            EXPECT_FALSE(c->Visible()) << c->name;
        for (int i = 0; i < 7; ++i) EXPECT_EQ(w.Page(i).Visible(), i == kPageTp14) << i;
        EXPECT_EQ(w.FormHlav.Color(), TColor::White);
        EXPECT_TRUE(w.LabelHlaseni.Visible());
        EXPECT_EQ(w.LabelHlaseni.Text(), "Date and Time of printing:  09.12.2026    10:11:12");
        EXPECT_EQ(w.Tp14.rowLabel[4].Color(), TColor::White);
    };
    const TParamImage before = w.image;
    const int sent = r.h.sim.FramesReceived();
    w.Fire(w.MenuPrint, TEvent::Click);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(w.PrintLayout);
    for (TControl* c : {&w.StatusBar1, &w.ImageLogo, &w.GroupBoxToolBar, &w.CGaugeRpm,
                        &w.UpDownAdv[0], &w.Tp14.cellUpDown[55], &w.CSpinButton3,
                        &w.BitBtnJetTpsPlus, &w.CheckBoxExtMonitor, &w.Page(kPageServo)})
        EXPECT_TRUE(c->Visible()) << c->name;
    EXPECT_FALSE(w.Tp23.plus.Visible());
    EXPECT_FALSE(w.Tp23.cellUpDown[0].Visible());
    EXPECT_EQ(w.FormHlav.Color(), TColor::BtnFace);
    EXPECT_EQ(w.Tp14.rowLabel[4].Color(), TColor::White);
    EXPECT_EQ(w.session.messageTicks, kMessageTicks);
    for (int i = 0; i < 600; ++i) EXPECT_EQ(before[i], w.image[i]) << i;
    EXPECT_EQ(r.h.sim.FramesReceived(), sent);
    // The next tick paints the current row again.
    r.h.Ticks(1);
    EXPECT_EQ(w.Tp14.rowLabel[4].Color(), TColor::Lime);
}

TEST(PrintLayout, HeaderByLanguageAndWhereThePageWent) {
    const struct {
        const char* word;
        const char* header;
        const char* pdf;
        const char* failed;
    } cases[] = {
        {"ENGLISH", "Date and Time of printing:  ",
         "No printer is installed: the page was saved as /d/p.pdf", "Printing failed: jam"},
        {"CESKY",
         "Datum a čas tisku:  ", "Není nainstalována tiskárna: stránka byla uložena jako /d/p.pdf",
         "Tisk se nezdařil: jam"},
        {"DEUTSCH", "Date and Time of printing:  ",
         "Kein Drucker installiert: die Seite wurde als /d/p.pdf gespeichert",
         "Drucken fehlgeschlagen: jam"},
    };
    for (const auto& c : cases) {
        TPrintRig r(c.word);
        TFormHlav& w = *r.w;
        r.printer.result = {TPrintResult::TKind::Printed, "", ""};
        w.SpeedButtonPrintClick();
        EXPECT_EQ(w.LabelHlaseni.Text().rfind(c.header, 0), 0u) << c.word;
        r.printer.result = {TPrintResult::TKind::SavedAsPdf, "/d/p.pdf", ""};
        w.SpeedButtonPrintClick();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.pdf);
        EXPECT_TRUE(r.h.dialogs.messages.empty());
        r.printer.result = {TPrintResult::TKind::Failed, "", "jam"};
        w.SpeedButtonPrintClick();
        EXPECT_EQ(w.LabelHlaseni.Text(), c.failed);
        EXPECT_EQ(w.LabelHlaseni.Color(), TColor::Red);
        ASSERT_EQ(r.h.dialogs.messages.size(), 1u);
        EXPECT_EQ(r.h.dialogs.messages[0], c.failed);
        EXPECT_FALSE(w.PrintLayout);
        EXPECT_TRUE(w.StatusBar1.Visible());
    }
}

TEST(Help, ContentsOpensTheManualOfTheLanguageShown) {
    THarness h;
    TFakeDocuments docs;
    h.platform.documents = &docs;
    TFormHlav& w = h.Start("CESKY");
    w.Fire(w.MenuContens, TEvent::Click);
    w.MenuEnglishClick();
    w.MenuContensClick();
    w.MenuGermanClick();
    w.MenuContensClick();
    EXPECT_EQ(docs.opened, (std::vector<std::string>{"*_cz", "*_en", "*_de"}));
}

TEST(About, CaptionFollowsTheLanguageAndTheLabelsHoldTheBuild) {
    THarness h;
    h.platform.buildDate = "Dec  3 2007";
    h.platform.buildTime = "19:26:41";
    TFormHlav& w = h.Start("ENGLISH");
    w.Fire(w.MenuAbout, TEvent::Click);
    EXPECT_EQ(h.dialogs.aboutCaption, "About Quorvel05");
    w.MenuCzechClick();
    w.MenuAboutClick();
    EXPECT_EQ(h.dialogs.aboutCaption, "O programu Quorvel05P");
    w.MenuGermanClick();
    w.MenuAboutClick();
    EXPECT_EQ(h.dialogs.aboutCaption, "Über Programm Quorvel05");
    EXPECT_EQ(h.dialogs.aboutShown, 3);
    EXPECT_EQ(w.FormAbout.LabelDate.Text(), "Dec  3 2007");
    EXPECT_EQ(w.FormAbout.LabelTime.Text(), "19:26:41");
    EXPECT_EQ(w.FormAbout.LabelRsKey.Text(), "Version - 43");
    // Centred on the screen by halves, each rounded toward zero: 1920 / 2 - 273 / 2.
    EXPECT_EQ(w.FormAbout.FormAbout.left, 960 - 136);
    EXPECT_EQ(w.FormAbout.FormAbout.top, 540 - 184);
}

TEST(About, BuildDateHasTheDayRightAlignedInTwoColumns) {
    EXPECT_EQ(AboutDateText(2007, 12, 3), "Dec  3 2007");
    EXPECT_EQ(AboutDateText(2026, 1, 15), "Jan 15 2026");
    EXPECT_EQ(BuildDateText("Mar  9 2026"), "Mar  9 2026");
    EXPECT_EQ(BuildDateText("Oct 10 2026"), "Oct 10 2026");
    EXPECT_EQ(BuildDateText("garbage"), "");
    // A small screen still centres by the same rule, even off the screen's edge.
    TFormAbout about;
    about.FormCreate("", "", 43, 200, 100);
    EXPECT_EQ(about.FormAbout.left, 100 - 136);
    EXPECT_EQ(about.FormAbout.top, 50 - 184);
}
