// TP map modes: the mode menu with its axis check, and the view of the two maps by mode.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

struct TpModes : ::testing::Test {
    THarness h;
    TFormHlav* f = nullptr;
    void SetUp() override { f = &h.Start(); }
    void ShowMode(uint8_t mode) {
        f->image.Set(TField::TPS_MODE, mode);
        f->RefreshFieldsFromImage();
    }
};

TEST_F(TpModes, CoupledIsRefusedWhileOneAxisPointDiffers) {
    f->MenuTpNormalClick(f->MenuTpNormal);
    ASSERT_EQ(f->image.Get(TField::TPS_MODE), 0);
    f->Tp23.axisEdit[9].UserSetText("17000");
    f->Edit1Exit(f->Tp23.axisEdit[9]);
    const uint16_t slot = f->history.currentSlot;
    f->MenuTpNormalClick(f->MenuTpConnected);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], "Rpm on TP14 and TP23 are not the same !");
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 0);
    EXPECT_TRUE(f->MenuTpNormal.Checked());
    EXPECT_FALSE(f->MenuTpConnected.Checked());
    EXPECT_EQ(f->history.currentSlot, slot);
}

TEST_F(TpModes, CoupledWithEqualAxesKeepsDifferentCellsAndIsOneUndoStep) {
    f->MenuTpNormalClick(f->MenuTpNormal);
    f->Tp23.cellEdit[0].UserSetText("90");
    f->Edit1Exit(f->Tp23.cellEdit[0]);
    f->MenuTpNormalClick(f->MenuTpConnected);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 1);
    EXPECT_EQ(f->image.Cell(TMap::JetTpi, 0, 0), 90);
    EXPECT_TRUE(f->MenuTpConnected.Checked());
    EXPECT_FALSE(f->MenuTpNormal.Checked());
    const uint16_t slot = f->history.currentSlot;
    f->MenuTpNormalClick(f->MenuTpConnected);  // already active: nothing new
    EXPECT_EQ(f->history.currentSlot, slot);
    f->SpeedButtonZpetClick();
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 0);
    EXPECT_TRUE(f->MenuTpNormal.Checked());
}

TEST_F(TpModes, CoupledMakesTheTp23MapViewOnly) {
    ShowMode(1);
    EXPECT_TRUE(f->Tp23.group.Visible());
    EXPECT_FALSE(f->Tp23.group.Enabled());
    EXPECT_FALSE(f->Tp23.cellUpDown[57].Visible());
    EXPECT_FALSE(f->Tp23.spin[3].Visible());
    EXPECT_TRUE(f->Tp23.cellEdit[57].Visible());
    EXPECT_TRUE(f->Tp14.cellUpDown[57].Visible());
    ShowMode(2);
    EXPECT_FALSE(f->Tp23.group.Visible());
    EXPECT_TRUE(f->Tp14.group.Visible());
    EXPECT_TRUE(f->Tp23.cellUpDown[57].Visible());
    ShowMode(3);
    EXPECT_FALSE(f->Tp14.group.Visible());
    EXPECT_TRUE(f->Tp23.group.Visible());
    EXPECT_TRUE(f->Tp23.group.Enabled());
}

TEST_F(TpModes, TabCaptionsByModeAndLanguage) {
    struct {
        uint8_t lang, mode;
        const char *tp14, *tp23;
    } cases[] = {
        {kLangEnglish, 0, "TP Map 14", "TP Map 23"},
        {kLangCzech, 1, "TP mapa 14", "TP mapa 23 (s.)"},
        {kLangEnglish, 1, "TP Map 14", "TP Map 23 (c.)"},
        {kLangGerman, 1, "TP Karte 14", "TP Karte 23 (g.)"},
        {kLangEnglish, 2, "TP Map 14", "  "},
        {kLangCzech, 2, "TP mapa 14", "   "},
        {kLangGerman, 2, "TP Karte 14", "    "},
        {kLangEnglish, 3, "    ", "TP Map 23"},
        {kLangCzech, 3, "    ", "TP mapa 23"},
        {kLangGerman, 3, "    ", "TP Karte 23"},
    };
    for (const auto& c : cases) {
        f->language = c.lang;
        ShowMode(c.mode);
        EXPECT_EQ(f->TabSheet_Tp14.Text(), c.tp14) << int(c.lang) << "/" << int(c.mode);
        EXPECT_EQ(f->TabSheet_Tp23.Text(), c.tp23) << int(c.lang) << "/" << int(c.mode);
    }
}

TEST_F(TpModes, ModeFourOrMoreChecksNothingShowsBothMapsAndKeepsCaptions) {
    ShowMode(3);
    ShowMode(200);
    EXPECT_FALSE(f->MenuTpNormal.Checked() || f->MenuTpConnected.Checked() ||
                 f->MenuTP14.Checked() || f->MenuTP23.Checked());
    EXPECT_TRUE(f->Tp14.group.Visible());
    EXPECT_TRUE(f->Tp23.group.Visible());
    EXPECT_TRUE(f->Tp23.group.Enabled());
    EXPECT_TRUE(f->Tp23.cellUpDown[0].Visible());
    EXPECT_EQ(f->TabSheet_Tp14.Text(), "    ");
    EXPECT_EQ(f->TabSheet_Tp23.Text(), "TP Map 23");
    // Not coupled: a TP14 edit stays on TP14, and the mode byte is kept as it is.
    f->Tp14.cellEdit[0].UserSetText("120");
    f->Edit1Exit(f->Tp14.cellEdit[0]);
    EXPECT_EQ(f->image.Cell(TMap::JetTpi, 0, 0), 100);
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 200);
}

}  // namespace
