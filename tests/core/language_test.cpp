// Language switching: the control text lists, the common table and what a switch leaves alone.
#include <gtest/gtest.h>

#include <set>

#include "harness.h"

namespace {

const TControlText* const kLists[3] = {kJazyk2Controls, kJazyk1Controls, kJazyk3Controls};

}  // namespace

TEST(LanguageTables, SameControlsInTheSameOrderAndAllExist) {
    ASSERT_EQ(kControlTextCount, 87);
    THarness h;
    h.Start();
    std::set<std::pair<std::string, int>> seen;
    for (int i = 0; i < kControlTextCount; ++i) {
        const TControlText& en = kJazyk1Controls[i];
        for (const TControlText* list : kLists) {
            EXPECT_STREQ(list[i].control, en.control) << i;
            EXPECT_EQ(list[i].prop, en.prop) << i;
            EXPECT_NE(list[i].text, nullptr);
        }
        EXPECT_NE(h.form->Find(en.control), nullptr) << en.control;
        EXPECT_TRUE(seen.insert({en.control, static_cast<int>(en.prop)}).second)
            << "twice: " << en.control;
    }
    for (int i = 0; i < kJazykspolCaptionCount; ++i)
        EXPECT_NE(h.form->Find(kJazykspolCaptions[i].control), nullptr)
            << kJazykspolCaptions[i].control;
}

TEST(LanguageSwitch, GermanChecksOnlyItsItemAndRewritesCaptionsAndHints) {
    THarness h;
    h.Start("ENGLISH");
    TFormHlav& w = *h.form;
    EXPECT_EQ(w.FormHlav.Text(), "Programming of Quorvel 05 unit");
    EXPECT_EQ(w.MenuExit.Hint(), "End of program");
    w.MenuGermanClick();
    EXPECT_TRUE(w.MenuGerman.Checked());
    EXPECT_FALSE(w.MenuEnglish.Checked());
    EXPECT_FALSE(w.MenuCzech.Checked());
    EXPECT_EQ(w.language, kLangGerman);
    EXPECT_EQ(w.MenuExit.Hint(), "Speichern");
    EXPECT_EQ(w.MenuExit.Text(), "&Beenden");
    EXPECT_EQ(w.FormHlav.Text(), "Programmierung der Quorvel 05 Zündbox");
    EXPECT_EQ(w.TabSheet5.Text(), "Verschiedene");
    EXPECT_EQ(w.BitBtn2.Hint(), "Vergleich der Kenndaten mit Zündboxkenndaten");
    EXPECT_EQ(w.LabelEeDataErr.Text(), "Abgelegte Daten Fehler!");
    EXPECT_EQ(w.MenuZpet.Text(), "Zurück");
    EXPECT_STREQ(w.savingCaption, "Speicherung:");
    EXPECT_STREQ(w.programCaption, "Programmieren:");
    // Never translated.
    EXPECT_EQ(w.MenuTP14.Text(), "TP14->TP23");
    w.MenuCzechClick();
    EXPECT_TRUE(w.MenuCzech.Checked());
    EXPECT_FALSE(w.MenuGerman.Checked());
    EXPECT_EQ(w.MenuCom.Text(), "&Port");
    EXPECT_EQ(w.Label1.Hint(), "Otáčky za minutu|Rychlost - Otáčky za minutu");
    EXPECT_STREQ(w.versionMismatchText, "Neshodné verze proramu v PC a v zapalování!");
}

TEST(LanguageSwitch, LanguageMenuHintsAreTheSameInEveryLanguage) {
    THarness h;
    h.Start();
    for (int lang : {0, 1, 2}) {
        h.form->ApplyLanguage(static_cast<uint8_t>(lang));
        EXPECT_EQ(h.form->MenuEnglish.Hint(), "Set Englich menu") << lang;
        EXPECT_EQ(h.form->MenuCzech.Hint(), "Nastavit české menu") << lang;
        EXPECT_EQ(h.form->MenuGerman.Hint(), "Deutche Menü") << lang;
    }
}

TEST(LanguageSwitch, ChangesNoImageByteAndNoFieldValue) {
    THarness h;
    h.Start();
    h.Ticks(20);
    TFormHlav& w = *h.form;
    w.LabelFile2.SetText("bike.ign");
    const TParamImage image = w.image;
    auto values = [&w] {
        std::vector<std::string> v;
        for (const TControl* c : w.model.All())
            if (c->kind == TControlKind::Edit || c->kind == TControlKind::UpDown ||
                c->kind == TControlKind::CheckBox || c->kind == TControlKind::ComboBox)
                v.push_back(c->name + "=" + (c->kind == TControlKind::Edit ? c->Text() : "") + "/" +
                            std::to_string(c->Position()) + "/" + std::to_string(c->Checked()) +
                            "/" + std::to_string(c->ItemIndex()));
        return v;
    };
    const auto before = values();
    const int page = w.PageControl1.ItemIndex();
    for (int i = 0; i < 3; ++i) {
        w.MenuGermanClick();
        w.MenuCzechClick();
        w.MenuEnglishClick();
    }
    EXPECT_TRUE(w.image == image);
    EXPECT_EQ(values(), before);
    EXPECT_EQ(w.LabelFile2.Text(), "bike.ign");
    EXPECT_EQ(w.PageControl1.ItemIndex(), page);
}
