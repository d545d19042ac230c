// Settings file, image snapshot and test marker across runs of the window.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>

#include "files/settings.h"
#include "harness.h"
#include "params/bike_types.h"
#include "params/sanitize.h"

namespace fs = std::filesystem;

namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void PutFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void PutSettings(THarness& h, const std::string& keys) {
    PutFile(h.dir.File("Quorvel05.ini"), "[FORM_HLAV]\r\n" + keys);
}

struct TFileSizeLimit {
    rlimit saved{};
    void (*savedHandler)(int) = nullptr;
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
    }
};

TParamImage DefaultSet(int bike) {
    TParamImage im;
    im.Set(TField::BIKE, static_cast<uint8_t>(bike));
    SetDefaults(im);
    return im;
}

// The image start-up shows with no snapshot: the default set of type 0, sanitized.
TParamImage StartUpSet() {
    TParamImage im = DefaultSet(0);
    SanitizeImage(im, {nullptr, nullptr, nullptr});
    return im;
}

}  // namespace

TEST(SettingsIni, IntegersAsLeadingDigitsWithSign) {
    TIniFile ini;
    ini.Parse("[form_hlav]\nA=12abc\nB = -3 \nC=abc\nD=\nE=+7\nF=0x10\nG=99999999999\n"
              "H=\"42\"\n[OTHER]\nI=5\n");
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "A", 1), 12);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "b", 1), -3);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "C", 1), 1);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "D", 1), 1);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "E", 1), 7);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "F", 1), 0);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "G", 1), static_cast<int>(99999999999ull % 4294967296ull));
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "H", 1), 42);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "I", 1), 1) << "key of another section";
    EXPECT_EQ(ini.ReadInteger("OTHER", "I", 1), 5);
}

TEST(SettingsIni, StringsReadBackAsWrittenAndCannotAddLines) {
    TIniFile ini;
    const std::string values[] = {"C:\\data\\a b.ign", " lead", "trail ", "\"quoted\"", "'", ""};
    for (int i = 0; i < 6; ++i) ini.WriteString("S", "K" + std::to_string(i), values[i]);
    ini.WriteString("S", "Evil", "x.ign\r\n[FORM_HLAV]\r\nComPort=5");
    TIniFile back;
    back.Parse(ini.Text());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(back.ReadString("S", "K" + std::to_string(i), "?"), values[i]);
    EXPECT_EQ(back.ReadString("S", "Evil", "?"), "x.ign");
    EXPECT_EQ(back.ReadInteger("FORM_HLAV", "ComPort", -1), -1);
    EXPECT_EQ(back.ReadString("S", "Missing", "def"), "def");
}

TEST(SettingsIni, RewriteKeepsForeignSectionsKeysAndComments) {
    TIniFile ini;
    ini.Parse("; user notes\r\n[FORM_HLAV]\r\nTop=5\r\nMyKey=keep\r\n\r\n[Extra]\r\nA=1\r\n");
    ini.WriteInteger("FORM_HLAV", "top", 9);
    ini.WriteInteger("FORM_HLAV", "Left", 3);
    EXPECT_EQ(ini.Text(),
              "; user notes\r\n[FORM_HLAV]\r\ntop=9\r\nMyKey=keep\r\nLeft=3\r\n\r\n[Extra]\r\nA=1\r\n");
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
    EXPECT_EQ(f.PageControl1.Position(), 0);
    EXPECT_FALSE(f.CheckBoxExtMonitor.Checked());
    EXPECT_FALSE(f.CheckBoxPrivAll.Checked());
    const TParamImage expected = StartUpSet();
    for (int i = 100; i < TParamImage::kSize; ++i) EXPECT_EQ(f.image[i], expected[i]) << i;
    EXPECT_FALSE(f.testMode);
}

TEST(Settings, WrittenAtCloseRestoredAtTheNextStart) {
    THarness first;
    TFormHlav& a = first.Start("");
    a.FormHlav.left = 17;
    a.FormHlav.top = -4;
    a.FormHlav.width = 1000;
    a.FormHlav.height = 800;
    a.link.portChoice = 20;  // automatic search
    a.link.scanPosition = 6;
    a.language = kLangGerman;
    a.LabelFile2.SetText("C:\\sets\\my bike.ign");
    a.LastFilePath = "/home/rider/sets/my bike.ign";
    a.PageControl1.SetPosition(5);
    a.CheckBoxExtMonitor.SetChecked(true);
    a.Tp23.all.SetChecked(true);
    a.CheckBoxPrivAll.SetChecked(true);
    a.image = DefaultSet(4);
    a.image.SetCell(TMap::JetIap, 9, 9, 142);
    a.image[3] = 99;  // block 0 goes into the snapshot too
    a.RefreshFieldsFromImage();
    a.FormClose();
    const TParamImage closed = a.image;

    const std::string ini = FileText(first.dir.File("Quorvel05.ini"));
    EXPECT_EQ(ini,
              "[FORM_HLAV]\r\nLeft=17\r\nTop=-4\r\nHeight=800\r\nWidth=1000\r\nComPort=21\r\n"
              "ComPortAuto=7\r\nLanguage=2\r\nFile=C:\\sets\\my bike.ign\r\n"
              "IniDir=/home/rider/sets/my bike.ign\r\nPageControl1->ActivePageIndex=5\r\n"
              "CheckBoxExtMonitor->Checked=1\r\nCheckBoxIgnAll->Checked=0\r\n"
              "CheckBoxJetTpsAll->Checked=0\r\nCheckBoxJetTpsAlli->Checked=1\r\n"
              "CheckBoxJetIapAll->Checked=0\r\nCheckBoxPrivAll->Checked=1\r\n");

    THarness second;
    second.platform.configDir = first.dir.path.string();
    TFormHlav& b = second.Start("");
    EXPECT_EQ(b.FormHlav.left, 17);
    EXPECT_EQ(b.FormHlav.top, -4);
    EXPECT_EQ(b.FormHlav.width, 1000);
    EXPECT_EQ(b.FormHlav.height, 800);
    EXPECT_EQ(b.link.portChoice, 20);
    EXPECT_EQ(b.link.scanPosition, 6);
    EXPECT_EQ(b.language, kLangGerman);
    EXPECT_EQ(b.LabelFile2.Text(), "C:\\sets\\my bike.ign");
    EXPECT_EQ(b.LastFilePath, "/home/rider/sets/my bike.ign");
    EXPECT_EQ(b.openDialogPath, b.LastFilePath);
    EXPECT_EQ(b.saveDialogPath, b.LastFilePath);
    EXPECT_EQ(b.PageControl1.Position(), 5);
    EXPECT_TRUE(b.CheckBoxExtMonitor.Checked());
    EXPECT_FALSE(b.CheckBoxIgnAll.Checked());
    EXPECT_FALSE(b.Tp14.all.Checked());
    EXPECT_TRUE(b.Tp23.all.Checked());
    EXPECT_FALSE(b.Iap.all.Checked());
    EXPECT_TRUE(b.CheckBoxPrivAll.Checked());
    EXPECT_EQ(b.image, closed);
}

TEST(Settings, SnapshotLayout) {
    TParamImage im;
    for (int i = 0; i < TParamImage::kSize; ++i) im[i] = static_cast<uint8_t>(i * 7);
    const std::string text = SnapshotText(im);
    ASSERT_EQ(text.size(), 60u * 62u);
    EXPECT_EQ(text.substr(0, 62), "    0     7    14    21    28    35    42    49    56    63 \r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(Settings, StoredValuesAreLimitedAtStartUp) {
    struct TCase {
        const char* keys;
        uint8_t port, scan, lang;
    };
    const TCase cases[] = {
        {"ComPort=21\r\nComPortAuto=20\r\nLanguage=7\r\n", 20, 19, kLangEnglish},
        {"ComPort=22\r\nComPortAuto=21\r\n", 0, 0, kLangCzech},
        {"ComPort=abc\r\nComPortAuto=3x\r\nLanguage=2\r\n", 0, 2, kLangGerman},
        {"ComPort=0\r\nLanguage=-1\r\n", 0, 0, kLangEnglish},
    };
    for (const TCase& c : cases) {
        THarness h;
        PutSettings(h, c.keys);
        TFormHlav& f = h.Start("");
        EXPECT_EQ(f.link.portChoice, c.port) << c.keys;
        EXPECT_EQ(f.link.scanPosition, c.scan) << c.keys;
        EXPECT_EQ(f.language, c.lang) << c.keys;
    }
}

TEST(Settings, UnknownTabIndexKeepsTheDesignTab) {
    THarness h;
    PutSettings(h, "PageControl1->ActivePageIndex=9\r\n");
    EXPECT_EQ(h.Start().PageControl1.Position(), 0);
}

TEST(Settings, ShortOrDamagedSnapshotLoadsWhatItCan) {
    const TParamImage defaults = StartUpSet();
    {
        THarness h;
        std::string snap;
        for (int i = 0; i < 25; ++i) snap += std::to_string(200 + i) + (i % 10 == 9 ? "\r\n" : " ");
        PutFile(h.dir.File("_Quorvel05.ini"), snap);
        TFormHlav& f = h.Start();
        for (int i = 0; i < 25; ++i) EXPECT_EQ(f.image[i], 200 + i) << i;
        for (int i = 100; i < TParamImage::kSize; ++i) EXPECT_EQ(f.image[i], defaults[i]) << i;
    }
    {
        // A word that is not a number ends the snapshot; numbers keep their low 8 bits.
        THarness h;
        PutFile(h.dir.File("_Quorvel05.ini"), "1 2 258 -1 5x 7 8");
        TFormHlav& f = h.Start();
        EXPECT_EQ(f.image[0], 1);
        EXPECT_EQ(f.image[2], 2);
        EXPECT_EQ(f.image[3], 255);
        EXPECT_EQ(f.image[4], 0);
        EXPECT_EQ(f.image[5], 0);
    }
    {
        // Over 600 numbers: the rest is not read.
        THarness h;
        std::string snap;
        for (int i = 0; i < 700; ++i) snap += "1 ";
        PutFile(h.dir.File("_Quorvel05.ini"), snap + std::string(100000, 'Z'));
        TFormHlav& f = h.Start();
        EXPECT_EQ(f.image[599], 1);
    }
}

TEST(Settings, FoldersAreCreatedAndForeignKeysKept) {
    THarness h;
    h.platform.configDir = h.dir.File("new/config");
    TFormHlav& f = h.Start();
    f.FormClose();
    EXPECT_TRUE(fs::exists(h.dir.File("new/config/Quorvel05.ini")));
    EXPECT_EQ(FileText(h.dir.File("new/config/_Quorvel05.ini")), SnapshotText(f.image));

    THarness g;
    PutSettings(g, "Left=5\r\nMine=1\r\n[Other]\r\nX=y\r\n");
    TFormHlav& e = g.Start();
    e.FormClose();
    const std::string text = FileText(g.dir.File("Quorvel05.ini"));
    EXPECT_NE(text.find("Mine=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Other]\r\nX=y\r\n"), std::string::npos);
    EXPECT_NE(text.find("Left=5\r\n"), std::string::npos);
}

TEST(Settings, FailedWriteAtCloseKeepsTheOldSnapshot) {
    THarness h;
    const std::string snap = h.dir.File("_Quorvel05.ini");
    TFormHlav& f = h.Start();
    f.FormClose();
    const std::string old = FileText(snap);
    f.image[0] = 42;
    {
        TFileSizeLimit limit(2000);  // the settings file fits, the snapshot (3720 bytes) does not
        f.FormClose();
    }
    EXPECT_EQ(FileText(snap), old);
    int entries = 0;
    for (auto& e : fs::directory_iterator(h.dir.path)) entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 2) << "no temporary file left behind";
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
        EXPECT_EQ(f.LabelTest[0].Visible(), on);
        EXPECT_EQ(f.LabelTest[7].Visible(), on);
    }
}
