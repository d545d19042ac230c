// Backups: the set read from the unit and the set about to be programmed kept as files named by
// the clock and the occasion, the newest 200 kept, a folder that cannot be written reported once,
// and File > Backups... loading one like Open.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/param_set.h"
#include "harness.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const TBackupEntry& e : ListBackups(folder))
        names.push_back(fs::path(e.path).filename().string());
    return names;
}

std::string SetText(const TFormHlav& w) {
    return ParamSetText({w.image, w.CheckBoxExtMonitor.Checked()});
}

struct TBackupHarness : THarness {
    std::string folder = dir.File("backups");
    TBackupHarness() { platform.backupDir = folder; }
};

}  // namespace

TEST(BackupNames, FormedAndParsedAndOtherFilesIgnored) {
    const struct {
        const char* name;
        bool ok;
        TBackupReason reason;
        int sequence;
    } cases[] = {
        {"20261210-114501-read.ign", true, TBackupReason::Read, 1},
        {"20261210-114501-program.ign", true, TBackupReason::Program, 1},
        {"20261210-114501-tuning-3.ign", true, TBackupReason::TuningStart, 3},
        {"20261210-114501-read-1.ign", false, {}, 0},
        {"20261210-114501-read.ign.1234-1.tmp", false, {}, 0},
        {"20261210-11450x-read.ign", false, {}, 0},
        {"20261210-114501-write.ign", false, {}, 0},
        {"bike.ign", false, {}, 0},
    };
    for (const auto& c : cases) {
        TBackupEntry e;
        ASSERT_EQ(ParseBackupFileName(c.name, e), c.ok) << c.name;
        if (!c.ok) continue;
        EXPECT_EQ(e.reason, c.reason) << c.name;
        EXPECT_EQ(e.sequence, c.sequence) << c.name;
        EXPECT_EQ(BackupFileName(e.stamp, e.reason, e.sequence), c.name);
    }
    EXPECT_EQ(BackupDateText("20261210-114501"), "2026-12-10");
    EXPECT_EQ(BackupTimeText("20261210-114501"), "11:45:01");
    EXPECT_FALSE(IsBackupStamp("10.12.2026 11:45"));
}

TEST(BackupFiles, SameSecondGetsTheNextSequenceAndTheSameSetIsKeptOnce) {
    TTempDir d;
    const std::string f = d.File("b");
    EXPECT_EQ(KeepBackupFile(f, "20261210-114501", TBackupReason::Read, "a"),
              TBackupResult::Written);
    EXPECT_EQ(KeepBackupFile(f, "20261210-114502", TBackupReason::Read, "a"),
              TBackupResult::Unchanged);
    EXPECT_EQ(KeepBackupFile(f, "20261210-114501", TBackupReason::Program, "a"),
              TBackupResult::Written);
    EXPECT_EQ(KeepBackupFile(f, "20261210-114501", TBackupReason::Read, "b"),
              TBackupResult::Written);
    EXPECT_EQ(KeepBackupFile(f, "no stamp", TBackupReason::Read, "c"), TBackupResult::Failed);
    EXPECT_EQ(Names(f), (std::vector<std::string>{"20261210-114501-read-3.ign",
                                                  "20261210-114501-program-2.ign",
                                                  "20261210-114501-read.ign"}));
}

TEST(Backups, KeptAfterTheReadsVerifyAndAtEveryProgramStart) {
    TBackupHarness h;
    TFormHlav& w = h.Start();
    h.clock.stamp = "20261210-080000";
    w.MenuReadClick();
    h.RunSession();
    ASSERT_STREQ(w.LabelHlaseni.Text().c_str(), "Verify OK");
    EXPECT_EQ(FileText(h.folder + "/20261210-080000-read.ign"), SetText(w));
    // A program: the set as it is sent; programming after change queues one per edit.
    w.Tp14.cellEdit[25].UserSetText("117");
    h.clock.stamp = "20261210-080500";
    w.MenuProgramClick();
    EXPECT_EQ(FileText(h.folder + "/20261210-080500-program.ign"), SetText(w));
    h.RunSession();
    w.CheckBoxProgHned.UserSetChecked(true);
    w.Tp14.cellEdit[26].UserSetText("121");
    h.clock.stamp = "20261210-081000";
    w.EnterKeyPress(w.Tp14.cellEdit[26]);
    EXPECT_EQ(w.session.kind, TSessionKind::Program);
    EXPECT_EQ(FileText(h.folder + "/20261210-081000-program.ign"), SetText(w));
    // A read that fails keeps nothing.
    h.RunSession();
    h.sim.faults.silentBlock = 3;
    h.clock.stamp = "20261210-081500";
    w.MenuReadClick();
    h.RunSession();
    EXPECT_EQ(Names(h.folder).size(), 3u);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(Backups, NewestTwoHundredKeptOtherFilesLeftAlone) {
    TBackupHarness h;
    fs::create_directories(h.folder);
    for (int i = 0; i < 200; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "20251101-%06d-program.ign", i);
        PutFile(h.folder + "/" + name, "VELMAROK_KEY  43 ");
    }
    PutFile(h.folder + "/my-tune.ign", "VELMAROK_KEY  43 ");
    TFormHlav& w = h.Start();
    w.MenuReadClick();
    h.RunSession();
    const std::vector<std::string> names = Names(h.folder);
    ASSERT_EQ(names.size(), 200u);
    EXPECT_EQ(names.front(), "20261209-101112-read.ign");
    EXPECT_EQ(names.back(), "20251101-000001-program.ign");
    EXPECT_TRUE(fs::exists(h.folder + "/my-tune.ign"));
}

TEST(Backups, UnwritableFolderSaysSoOnceAndTheSessionsGoOn) {
    THarness h;
    PutFile(h.dir.File("file"), "");
    h.platform.backupDir = h.dir.File("file") + "/backups";  // under a file: never a folder
    TFormHlav& w = h.Start("DEUTSCH");
    w.MenuReadClick();
    h.RunSession();
    EXPECT_EQ(w.LabelHlaseni.Text(), "Vergleich OK");
    w.MenuProgramClick();
    EXPECT_EQ(h.sim.CommandsSeen(0), 1);
    h.RunSession();
    EXPECT_EQ(w.LabelHlaseni.Text(), "Vergleich OK");
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_NE(h.dialogs.messages[0].find("Sicherungen können nicht nach " + h.platform.backupDir),
              std::string::npos);
}

TEST(Backups, ListedNewestFirstAndLoadedAsOneUndoStep) {
    TBackupHarness h;
    TFormHlav& w = h.Start();
    w.MenuBackupsClick();
    EXPECT_EQ(h.dialogs.messages.back(), "No backups have been kept yet.");
    h.clock.stamp = "20261210-090000";
    w.MenuProgramClick();
    h.RunSession();
    const TParamImage programmed = w.image;
    w.Tp14.cellEdit[40].UserSetText("140");
    w.EnterKeyPress(w.Tp14.cellEdit[40]);
    h.clock.stamp = "20261210-093000";
    w.MenuProgramClick();
    h.RunSession();
    h.dialogs.backupChosen = -1;
    w.MenuBackupsClick();
    const TBackupChoice& list = h.dialogs.backupChoices.back();
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.title, "Backups");
    EXPECT_EQ(list.rows[0].time, "09:30:00");
    EXPECT_EQ(list.rows[1].date, "2026-12-10");
    EXPECT_EQ(list.rows[1].occasion, "Before programming");
    EXPECT_EQ(w.image.Cell(TMap::JetTp, 4, 0), 140);  // cancelled: nothing changed
    h.dialogs.backupChosen = 1;
    w.MenuBackupsClick();
    EXPECT_EQ(w.image.Cell(TMap::JetTp, 4, 0), programmed.Cell(TMap::JetTp, 4, 0));
    EXPECT_EQ(w.LabelFile2.Text(), h.folder + "/20261210-090000-program.ign");
    w.SpeedButtonZpetClick();
    EXPECT_EQ(w.image.Cell(TMap::JetTp, 4, 0), 140);
}

TEST(BackupTexts, MenuCaptionsInEachLanguage) {
    THarness h;
    TFormHlav& w = h.Start();
    const struct {
        uint8_t lang;
        const char *backups, *compare, *close;
    } cases[] = {
        {kLangEnglish, "Backups...", "Compare with file...", "Close comparison"},
        {kLangCzech, "Zálohy...", "Porovnat se souborem...", "Zavřít porovnání"},
        {kLangGerman, "Sicherungen...", "Mit Datei vergleichen...", "Vergleich schließen"},
    };
    for (const auto& c : cases) {
        w.ApplyLanguage(c.lang);
        EXPECT_EQ(w.MenuBackups.Text(), c.backups);
        EXPECT_EQ(w.MenuCompare.Text(), c.compare);
        EXPECT_EQ(w.MenuCloseComparison.Text(), c.close);
    }
    EXPECT_EQ(w.MenuBackups.parent, &w.MenuFile);
    EXPECT_EQ(w.MenuCompare.parent, &w.MenuTools);
}
