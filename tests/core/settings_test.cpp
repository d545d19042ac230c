// Settings file, image snapshot and test marker across runs of the window.
#include "files/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "harness.h"
#include "params/bike_types.h"
#include "params/sanitize.h"

namespace fs = std::filesystem;

namespace {

void PutSettings(THarness& h, const std::string& keys) {
    PutFile(h.dir.File("Quorvel05.ini"), "[FORM_HLAV]\r\n" + keys);
}

// The image start-up shows without a snapshot: the default set of type 0, sanitized.
TParamImage StartUpSet() {
    TParamImage im;
    SetDefaults(im);
    SanitizeImage(im, {nullptr, nullptr, nullptr});
    return im;
}

}  // namespace

TEST(SettingsIni, ReadingWritingAndForeignLines) {
    TIniFile ini;
    ini.Parse(
        "; notes\n[form_hlav]\nA=12abc\nB = -3 \nC=abc\nD=\nE=+7\nF=0x10\nG=99999999999\n"
        "H=\"42\"\nMine=keep\n\n[Other]\nA=5\n");
    // A value with anything after its digits is no number, like an empty one: the default.
    const int expected[] = {1, -3, 1, 1, 7, 1, static_cast<int>(99999999999ull % 4294967296ull),
                            42};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(ini.ReadInteger("FORM_HLAV", std::string(1, static_cast<char>('a' + i)), 1),
                  expected[i])
            << i;
    EXPECT_EQ(ini.ReadInteger("OTHER", "A", 1), 5);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Missing", 1), 1);

    // Values read back as written; a line break cannot add keys of its own.
    const std::string values[] = {"C:\\data\\a b.ign", " lead", "trail ", "\"quoted\"", "'", ""};
    for (int i = 0; i < 6; ++i) ini.WriteString("FORM_HLAV", "S" + std::to_string(i), values[i]);
    ini.WriteString("FORM_HLAV", "Evil", "x.ign\r\n[FORM_HLAV]\r\nZ=5");
    ini.WriteInteger("FORM_HLAV", "a", 9);
    TIniFile back;
    back.Parse(ini.Text());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(back.ReadString("FORM_HLAV", "S" + std::to_string(i), "?"), values[i]);
    EXPECT_EQ(back.ReadString("FORM_HLAV", "Evil", "?"), "x.ign");
    EXPECT_EQ(back.ReadInteger("FORM_HLAV", "Z", -1), -1);
    const std::string text = ini.Text();
    EXPECT_EQ(text.find("; notes\r\n[form_hlav]\r\na=9\r\nB = -3 \r\n"), 0u);
    EXPECT_NE(text.find("Mine=keep\r\nS0=C:\\data\\a b.ign\r\nS1=\" lead\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Evil=x.ign\r\n\r\n[Other]\r\nA=5\r\n"), std::string::npos);
}

TEST(Settings, FirstRunUsesTheDefaults) {
    THarness h;
    TFormHlav& f = h.Start("");
    EXPECT_EQ(f.FormHlav.left, (1920 - f.FormHlav.width) / 2);
    EXPECT_EQ(f.FormHlav.top, (1080 - f.FormHlav.height) / 2);
    EXPECT_EQ(f.link.portChoice, 0);
    EXPECT_EQ(f.link.scanPosition, 0);  // 255 from the missing key, reset by sanitizing
    EXPECT_EQ(f.language, kLangCzech);
    EXPECT_EQ(f.LabelFile2.Text(), "");
    EXPECT_EQ(f.LastFilePath, "");
    // The missing IniDir is proposed by both dialogs; the open dialog's blank is gone.
    EXPECT_EQ(f.openDialogPath, "");
    EXPECT_EQ(f.saveDialogPath, "");
    EXPECT_EQ(f.PageControl1.Position(), 0);
    EXPECT_FALSE(f.CheckBoxExtMonitor.Checked());
    const TParamImage expected = StartUpSet();
    for (int i = 100; i < TParamImage::kSize; ++i) EXPECT_EQ(f.image[i], expected[i]) << i;
    EXPECT_FALSE(f.testMode);
}

TEST(Settings, WrittenAtCloseRestoredAtTheNextStart) {
    THarness first;
    first.platform.configDir = first.dir.File("new/config");  // made when missing
    TFormHlav& a = first.Start("");
    a.FormHlav.left = 17;
    a.FormHlav.top = -4;
    a.FormHlav.width = 1000;
    a.FormHlav.height = 800;
    a.link.portChoice = 20;  // automatic search
    a.link.scanPosition = 6;
    a.language = kLangGerman;
    a.LabelFile2.SetText("C:\\sets\\my bike.ign");
    a.LastFilePath = "/home/rider/my bike.ign";
    a.PageControl1.SetPosition(5);
    a.CheckBoxExtMonitor.SetChecked(true);
    a.Tp23.all.SetChecked(true);
    a.CheckBoxPrivAll.SetChecked(true);
    a.image.Set(TField::BIKE, 4);
    SetDefaults(a.image);
    a.image.SetCell(TMap::JetIap, 9, 9, 142);
    a.image[3] = 99;  // block 0 is kept too
    a.RefreshFieldsFromImage();
    a.FormClose();

    EXPECT_EQ(FileText(first.dir.File("new/config/Quorvel05.ini")),
              "[FORM_HLAV]\r\nLeft=17\r\nTop=-4\r\nHeight=800\r\nWidth=1000\r\nComPort=21\r\n"
              "ComPortAuto=7\r\nLanguage=2\r\nFile=C:\\sets\\my bike.ign\r\n"
              "IniDir=/home/rider/my bike.ign\r\nPageControl1->ActivePageIndex=5\r\n"
              "CheckBoxExtMonitor->Checked=1\r\nCheckBoxIgnAll->Checked=0\r\n"
              "CheckBoxJetTpsAll->Checked=0\r\nCheckBoxJetTpsAlli->Checked=1\r\n"
              "CheckBoxJetIapAll->Checked=0\r\nCheckBoxPrivAll->Checked=1\r\n");
    const std::string snapshot = FileText(first.dir.File("new/config/_Quorvel05.ini"));
    ASSERT_EQ(snapshot.size(), 60u * 62u);
    EXPECT_EQ(snapshot.substr(0, 62),
              "    0     0     0    99     0     0     0     0     0     0 \r\n");
    EXPECT_EQ(snapshot, SnapshotText(a.image));

    THarness second;
    second.platform.configDir = first.platform.configDir;
    TFormHlav& b = second.Start("");
    EXPECT_EQ(b.FormHlav.left, 17);
    EXPECT_EQ(b.FormHlav.top, -4);
    EXPECT_EQ(b.FormHlav.width, 1000);
    EXPECT_EQ(b.FormHlav.height, 800);
    EXPECT_EQ(b.link.portChoice, 20);
    EXPECT_EQ(b.link.scanPosition, 6);
    EXPECT_EQ(b.language, kLangGerman);
    EXPECT_EQ(b.LabelFile2.Text(), "C:\\sets\\my bike.ign");
    EXPECT_EQ(b.LastFilePath, "/home/rider/my bike.ign");
    EXPECT_EQ(b.openDialogPath, b.LastFilePath);
    EXPECT_EQ(b.saveDialogPath, b.LastFilePath);
    EXPECT_EQ(b.PageControl1.Position(), 5);
    const bool boxes[] = {
        b.CheckBoxExtMonitor.Checked(), b.CheckBoxIgnAll.Checked(), b.Tp14.all.Checked(),
        b.Tp23.all.Checked(),           b.Iap.all.Checked(),        b.CheckBoxPrivAll.Checked()};
    EXPECT_EQ(std::vector<bool>(boxes, boxes + 6),
              (std::vector<bool>{true, false, false, true, false, true}));
    EXPECT_EQ(b.image, a.image);
}

TEST(Settings, StoredValuesAreLimitedAtStartUp) {
    struct TCase {
        const char* keys;
        uint8_t port, scan, lang;
        int page;
    };
    const TCase cases[] = {
        {"ComPort=21\r\nComPortAuto=20\r\nLanguage=7\r\n", 20, 19, kLangEnglish, 0},
        {"ComPort=22\r\nComPortAuto=21\r\nPageControl1->ActivePageIndex=9\r\n", 0, 0, kLangCzech,
         0},
        {"ComPort=abc\r\nComPortAuto=3x\r\nLanguage=2\r\nPageControl1->ActivePageIndex=6\r\n", 0, 0,
         kLangGerman, 6},
        // Not numbers: every one of these keys keeps the value held at start-up.
        {"ComPort=5 \r\nComPortAuto= 4\r\nLanguage=2x\r\nPageControl1->ActivePageIndex=3.\r\n", 4,
         3, kLangCzech, 0},
        {"ComPort=5x\r\nComPortAuto=0x4\r\nLanguage=1 2\r\nPageControl1->ActivePageIndex=-1\r\n", 0,
         0, kLangCzech, 0},
    };
    for (const TCase& c : cases) {
        THarness h;
        PutSettings(h, c.keys);
        TFormHlav& f = h.Start("");
        EXPECT_EQ(f.link.portChoice, c.port) << c.keys;
        EXPECT_EQ(f.link.scanPosition, c.scan) << c.keys;
        EXPECT_EQ(f.language, c.lang) << c.keys;
        EXPECT_EQ(f.PageControl1.Position(), c.page) << c.keys;
    }
}

TEST(Settings, ShortOrDamagedSnapshotLoadsWhatItCan) {
    const TParamImage defaults = StartUpSet();
    std::string of25, of700;
    for (int i = 0; i < 25; ++i) of25 += std::to_string(200 + i) + (i % 10 == 9 ? "\r\n" : " ");
    for (int i = 0; i < 700; ++i) of700 += "1 ";
    struct TCase {
        std::string text;
        std::vector<int> first;  // expected image bytes 0, 1, ...
        int stored;              // bytes taken from the snapshot
    };
    const TCase cases[] = {
        {of25, {200, 201, 202, 203}, 25},
        {"1 2 258 -1 5x 7 8", {1, 2, 2, 255, 0, 0}, 4},  // low 8 bits; a bad word ends it
        {of700 + std::string(100000, 'Z'), {1, 1}, 600},
    };
    for (const TCase& c : cases) {
        THarness h;
        PutFile(h.dir.File("_Quorvel05.ini"), c.text);
        TFormHlav& f = h.Start();
        for (size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(f.image[static_cast<int>(i)], c.first[i]) << i;
        for (int i = std::max(c.stored, 100); i < TParamImage::kSize; ++i)
            ASSERT_EQ(f.image[i], defaults[i]) << i;
    }
}

TEST(Settings, FailedWriteAtCloseKeepsTheOldFiles) {
    THarness h;
    TFormHlav& f = h.Start();
    PutSettings(h, "Left=5\r\nMine=1\r\n[Other]\r\nX=y\r\n");
    f.FormClose();
    const std::string settings = FileText(h.dir.File("Quorvel05.ini"));
    EXPECT_NE(settings.find("\r\nMine=1\r\nTop="), std::string::npos);
    EXPECT_NE(settings.find("[Other]\r\nX=y\r\n"), std::string::npos);
    const std::string snap = FileText(h.dir.File("_Quorvel05.ini"));
    f.image[0] = 42;
    f.FormHlav.left = 6;
    {
        TFileSizeLimit limit(200);  // neither file fits
        f.FormClose();
    }
    EXPECT_EQ(FileText(h.dir.File("Quorvel05.ini")), settings);
    EXPECT_EQ(FileText(h.dir.File("_Quorvel05.ini")), snap);
    EXPECT_EQ(std::distance(fs::directory_iterator(h.dir.path), fs::directory_iterator()), 2)
        << "no temporary file left";
}

TEST(Settings, TestMarkerWord) {
    const std::pair<std::string, bool> cases[] = {
        {"hello DIAG_UNLOCK\r\nworld", true},
        {"diag_unlock", false},
        {"DIAG_UNLOCKED XDIAG_UNLOCK", false},
        {std::string(300, 'x') + "DIAG_UNLOCK", false},
    };
    for (const auto& [text, on] : cases) {
        THarness h;
        PutFile(h.dir.File("test_xumelo.txt"), text);
        TFormHlav& f = h.Start();
        EXPECT_EQ(f.testMode, on) << text.substr(0, 40);
        EXPECT_EQ(f.LabelTest[7].Visible(), on);
    }
}
