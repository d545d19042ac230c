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

// Every control of the TP23 group that could change the map, mode by mode; the edit fields and
// labels stay, and the TP14 group keeps all of its controls.
TEST_F(TpModes, EveryTp23ControlByMode) {
    const struct {
        uint8_t mode;
        bool tp14Visible, tp23Visible, tp23Enabled, tp23Editable;
    } cases[] = {{1, true, true, false, false}, {0, true, true, true, true},
                 {1, true, true, false, false}, {2, true, false, true, true},
                 {3, false, true, true, true},  {4, true, true, true, true},
                 {255, true, true, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        ShowMode(c.mode);
        EXPECT_EQ(f->Tp14.group.Visible(), c.tp14Visible);
        EXPECT_TRUE(f->Tp14.group.Enabled());
        EXPECT_EQ(f->Tp23.group.Visible(), c.tp23Visible);
        EXPECT_EQ(f->Tp23.group.Enabled(), c.tp23Enabled);
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(f->Tp23.axisUpDown[k].Visible(), c.tp23Editable) << k;
            EXPECT_EQ(f->Tp23.spin[k].Visible(), c.tp23Editable) << k;
            EXPECT_TRUE(f->Tp23.axisEdit[k].Visible()) << k;
            EXPECT_TRUE(f->Tp23.rowLabel[k].Visible()) << k;
            EXPECT_TRUE(f->Tp14.axisUpDown[k].Visible()) << k;
            EXPECT_TRUE(f->Tp14.spin[k].Visible()) << k;
        }
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(f->Tp23.cellUpDown[i].Visible(), c.tp23Editable) << i;
            EXPECT_TRUE(f->Tp23.cellEdit[i].Visible()) << i;
            EXPECT_TRUE(f->Tp14.cellUpDown[i].Visible()) << i;
        }
        EXPECT_EQ(f->Tp23.minus.Visible(), c.tp23Editable);
        EXPECT_EQ(f->Tp23.plus.Visible(), c.tp23Editable);
        EXPECT_EQ(f->Tp23.all.Visible(), c.tp23Editable);
        EXPECT_TRUE(f->Tp14.minus.Visible() && f->Tp14.plus.Visible() && f->Tp14.all.Visible());
        EXPECT_EQ(f->MenuTpNormal.Checked(), c.mode == 0);
        EXPECT_EQ(f->MenuTpConnected.Checked(), c.mode == 1);
        EXPECT_EQ(f->MenuTP14.Checked(), c.mode == 2);
        EXPECT_EQ(f->MenuTP23.Checked(), c.mode == 3);
    }
}

// The axis check compares TP14 point k (byte 260 + k) with TP23 point k (byte 270 + k), all ten.
TEST_F(TpModes, CoupledChecksEveryAxisPointAndNothingElse) {
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE("point " + std::to_string(k));
        ShowMode(0);
        const TParamImage start = f->image;
        f->image[270 + k] = static_cast<uint8_t>(f->image[260 + k] + 1);
        h.dialogs.messages.clear();
        f->MenuTpNormalClick(f->MenuTpConnected);
        EXPECT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(f->image.Get(TField::TPS_MODE), 0);
        f->image = start;
    }
    // Equal axes, and everything around them different: the neighbouring bytes, the cells.
    ShowMode(0);
    f->image[259] = 11;  // last servo voltage
    f->image[280] = 4;   // first IAP axis point
    f->image.SetCell(TMap::JetTpi, 9, 9, 0);
    h.dialogs.messages.clear();
    f->MenuTpNormalClick(f->MenuTpConnected);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 1);
}

// The two copy modes are set by their items, committed as a change, and they copy nothing.
TEST_F(TpModes, CopyModesSelectedFromTheMenu) {
    f->Tp23.cellEdit[0].UserSetText("90");
    f->Edit1Exit(f->Tp23.cellEdit[0]);
    const TParamImage before = f->image;
    const uint16_t slot = f->history.currentSlot;
    f->Tp14.cellEdit[1].UserSetText("140");  // typed, not confirmed: the mode change drops it
    f->MenuTpNormalClick(f->MenuTP14);
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 2);
    EXPECT_TRUE(f->MenuTP14.Checked());
    EXPECT_FALSE(f->MenuTpConnected.Checked());
    EXPECT_EQ(f->history.currentSlot, slot + 1);
    EXPECT_EQ(f->Tp14.cellEdit[1].Text(), "100");
    f->MenuTpNormalClick(f->MenuTP23);
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 3);
    EXPECT_TRUE(f->MenuTP23.Checked());
    EXPECT_EQ(f->TabSheet_Tp14.Text(), "    ");
    for (int i = 0; i < TParamImage::kSize; ++i)
        if (i != 137) {
            EXPECT_EQ(f->image[i], before[i]) << i;
        }
    f->MenuTpNormalClick(f->TabSheet_Tp14);  // not a mode item: nothing
    EXPECT_EQ(f->image.Get(TField::TPS_MODE), 3);
    EXPECT_EQ(f->history.currentSlot, slot + 2);
}

}  // namespace
