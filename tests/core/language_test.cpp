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

// Texts whose exact characters are easy to lose: doubled and trailing blanks, access-key
// positions, the misspellings that belong to the texts, hints with and without "|".
TEST(LanguageTables, TextsKeepTheirExactCharacters) {
    struct TExpected {
        const char* control;
        bool hint;
        const char* text[3];  // Czech, English, German
    };
    const TExpected cases[] = {
        {"MenuRead", false, {"Čí&st", "&Read", "&Lesen"}},
        {"MenuExit", false, {"&Konec", "E&xit", "&Beenden"}},
        {"MenuEnglish", false, {"&Anglicky", "English", "Englisch"}},
        {"MenuCzech", false, {"Če&sky", "&Czech", "&Tschechisch"}},
        {"Button1", false, {"Čí&st", "&Read", "&Lesen"}},
        {"LabelAkcelJet", false, {"Velikost[us]", "Size[us]", "Größe [us]"}},
        {"LabelPrivHyster",
         false,
         {"Hystereze [mV]", "Sevro Hysteresis [mV]", "Servo Hysteresis [mV]"}},
        {"CheckBoxBlokEnable",
         false,
         {"Blokování povoleno", "Blocking enable", "Blockierung zugelast"}},
        {"CheckBoxPrivEnable", false, {"Servo povoleno", "Servo Enable", "Servo zugelast"}},
        {"GroupBoxSytic",
         false,
         {"Korekce po startu", "Starting Corrections", "Anlaßkorrektionen"}},
        {"Label1",
         true,
         {"Otáčky za minutu|Rychlost - Otáčky za minutu",
          "Round per Minute|Speed - Round per Minute", "Umdrehungen pro Minute"}},
        {"SpeedButton5",
         true,
         {"Otevření souboru s parametry", "Open file with parametrs",
          "öffnen Datei mit Kenndaten"}},
        {"BitBtn1",
         true,
         {"Programování nastavených parametrů do zapalování",
          "Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox"}},
        {"BitBtn2",
         true,
         {"Ověření zda  nastavené parametry souhlasí s parametry "
          "naprogramovanými do zapalování",
          "Compare set parametrs  with parametrs of ignition",
          "Vergleich der Kenndaten mit Zündboxkenndaten"}},
        {"CheckBoxProgHned",
         true,
         {"Programování ihned po změně", "Programing at once after change",
          "Programmmieren gleich after die Umänderung"}},
        {"ComboBoxBike", true, {"Typ motocyklu", "Motorbike Type", "Mottorad Type"}},
        {"MenuNew",
         true,
         {"Nastavení výchozích parametrů", "Set default parameters ",
          "Neue Kenndatendatei erstellen"}},
        {"MenuOpen",
         true,
         {"Otevření souboru s parametry", "Open file with parameters ",
          "öffnen Datei mit Kenndaten"}},
        {"MenuCom",
         true,
         {"Nastavení čísla serivého portu (Com) ", "Com|Set number of com", "Com Port festlegen"}},
        {"MenuRead",
         true,
         {"Čtení|Čtení parametrů z jednotky", "Reading parameters from unit",
          "Lesen Kenndaten aus Zündbox"}},
        {"MenuVerify",
         true,
         {"Ověření|Ověření zda  nastavené parametry souhlasí s parametry "
          "naprogramovanými do zapalování",
          "Compare set parameters  with parameters of unit",
          "Vergleich der Kenndaten Programm mit Kenndaten der Zündbox"}},
        {"MenuProgram",
         true,
         {"Programování jednotky|Programování nastavených parametrů do "
          "jednotky",
          "Programing  set parameters to unit", "Programmieren der Kenndaten auf die Zündbox"}},
        {"MenuLanguage",
         true,
         {"Nastavení jazyka na angličtinu, češtinu nebo němčinu",
          "Language|Set English or Czech or German", "Sprache"}},
        {"MenuHelp", true, {"Není k dispozici", "Not available jet", "Noch nicht verfügbar"}},
        // The common table
        {"MenuZpet", false, {"Zpet", "Undo", "Zurück"}},
        {"LabelLadeniLambda", false, {"Lambda požadovaná [mV]", "Lambda required", "Soll-Lambda"}},
        {"LabelLadeni",
         false,
         {"Pozor - pouze pro zkušené uživatele!", "Caution - For experienced user only!",
          "Achtung - Nur für Erfahrungsanwender!"}},
    };
    THarness h;
    TFormHlav& w = h.Start();
    for (int lang : {0, 1, 2}) {
        w.ApplyLanguage(static_cast<uint8_t>(lang));
        for (const TExpected& c : cases) {
            const TControl* control = w.Find(c.control);
            ASSERT_NE(control, nullptr) << c.control;
            EXPECT_EQ(c.hint ? control->Hint() : control->Text(), c.text[lang])
                << c.control << " in language " << lang;
        }
        const char* const mismatch[3] = {
            "Neshodné verze proramu v PC a v zapalování!",
            "Unmatched version of PC and Ignition programs!",
            "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!"};
        EXPECT_STREQ(w.versionMismatchText, mismatch[lang]);
    }
    EXPECT_STREQ(LanguageText(kLangCzech, TMsg::VersionMismatchBox),
                 "Neshodné verze proramu v PC a zapalování!");
    EXPECT_STREQ(LanguageText(kLangGerman, TMsg::VerifyDevice), "Vergleichen:");
    EXPECT_STREQ(LanguageText(kLangGerman, TMsg::VerifyDeviceAuto), "Verifikation:");
    EXPECT_STREQ(LanguageText(kLangGerman, TMsg::PrintHeader), "Date and Time of printing:  ");
    EXPECT_STREQ(LanguageText(kLangCzech, TMsg::ProgramError), "Chyba programování");
    EXPECT_STREQ(LanguageText(3, TMsg::OpenFileError), "");
}

// The two TP map tabs belong to the TP map mode: a language switch alone leaves them, the
// language menu handlers then set them for the new language.
TEST(LanguageSwitch, LeavesTheTpMapTabsToTheModeView) {
    THarness h;
    TFormHlav& w = h.Start("ENGLISH");
    w.TabSheet_Tp14.SetText("marker 14");
    w.TabSheet_Tp23.SetText("marker 23");
    w.ApplyLanguage(kLangGerman);
    EXPECT_EQ(w.TabSheet_Tp14.Text(), "marker 14");
    EXPECT_EQ(w.TabSheet_Tp23.Text(), "marker 23");
    w.MenuCzechClick();
    EXPECT_EQ(w.TabSheet_Tp14.Text(), "TP mapa 14");
}
