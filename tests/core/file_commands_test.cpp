// File menu: Save, Open, their exe-directory variants, New and Exit on the main window.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "files/param_file.h"
#include "harness.h"
#include "params/bike_types.h"

namespace fs = std::filesystem;

namespace {

size_t EntriesIn(const fs::path& dir) {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

std::string Expected(const TFormHlav& f) {
    std::ostringstream out;
    WriteParamFile(out, f.image, f.CheckBoxExtMonitor.Checked());
    return out.str();
}

void ShowDefaults(TFormHlav& f, int bike) {
    f.image.Set(TField::BIKE, static_cast<uint8_t>(bike));
    SetDefaults(f.image);
    f.CommitChange();
}

}  // namespace

TEST(FileCommandsSave, WritesTheWindowsSetAndRemembersThePath) {
    THarness h;
    TFormHlav& f = h.Start();
    f.MenuSaveClick();  // cancelled: nothing happens
    EXPECT_EQ(f.LabelFile2.Text(), "");
    ShowDefaults(f, 3);
    f.CheckBoxExtMonitor.SetChecked(true);
    const std::string path = h.dir.File("bike3.ign");
    PutFile(path, "old");
    fs::permissions(path, fs::perms(0640));
    h.dialogs.saveResults.push_back(path);
    f.MenuSaveClick();

    const TFileDialogRequest& r = h.dialogs.saveRequests.back();
    EXPECT_EQ(r.filter, "Ignition Parametrs(*.ign)|*.ign");
    EXPECT_EQ(r.defaultExt, "ign");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_TRUE(r.confirmOverwrite);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(FileText(path), Expected(f));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms(0640));
    EXPECT_EQ(f.LabelFile2.Text(), path);
    EXPECT_EQ(f.LastFilePath, path);
    EXPECT_EQ(EntriesIn(h.dir.path), 1u) << "no temporary file left";

    // Saving through a link replaces the file it points to and keeps the link.
    const std::string link = h.dir.File("link.ign");
    fs::create_symlink(path, link);
    PutFile(path, "old");
    h.dialogs.saveResults.push_back(link);
    f.MenuSaveClick();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileText(path), Expected(f));
}

TEST(FileCommandsSave, FailuresReportOpenFileErrorAndKeepEverything) {
    THarness h;
    TFormHlav& f = h.Start("CESKY");
    PutFile(h.dir.File("plain"), "x");
    fs::create_directories(h.dir.path / "folder.ign");
    const std::string old = h.dir.File("old.ign");
    PutFile(old, std::string(2000, '#'));
    const std::string targets[] = {h.dir.File("missing/a.ign"), h.dir.File("plain/a.ign"),
                                   h.dir.File("folder.ign"), old};
    for (const std::string& t : targets) {
        h.dialogs.messages.clear();
        h.dialogs.saveResults.push_back(t);
        const TParamImage before = f.image;
        {
            TFileSizeLimit limit(1000);  // a file of over 3 kB breaks off after 1000 bytes
            f.MenuSaveClick();
        }
        ASSERT_EQ(h.dialogs.messages.size(), 1u) << t;
        EXPECT_EQ(h.dialogs.messages[0], LanguageText(kLangCzech, TMsg::OpenFileError));
        // Without a file to write to, the window's values are not even taken.
        if (t != old) {
            EXPECT_EQ(f.image, before) << t;
        }
        EXPECT_EQ(f.LastFilePath, "");
        EXPECT_EQ(f.LabelFile2.Text(), "");
        EXPECT_EQ(f.openDialogPath, "");
    }
    EXPECT_EQ(FileText(old), std::string(2000, '#'));
    EXPECT_EQ(FileText(h.dir.File("plain")), "x");
    EXPECT_TRUE(fs::is_empty(h.dir.path / "folder.ign"));
    EXPECT_EQ(EntriesIn(h.dir.path), 3u) << "nothing created, no temporary file left";
}

// A write-protected file is refused as one that cannot be opened for writing, although its folder
// would let a new file take its place. (The superuser may write any file, so there is nothing to
// refuse then.)
TEST(FileCommandsSave, WriteProtectedFileIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may write every file";
    THarness h;
    TFormHlav& f = h.Start("ENGLISH");
    const std::string path = h.dir.File("locked.ign");
    PutFile(path, "kept");
    fs::permissions(path, fs::perms(0444));
    h.dialogs.saveResults.push_back(path);
    f.MenuSaveClick();
    EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"Open file error!"});
    EXPECT_EQ(FileText(path), "kept");
    EXPECT_EQ(f.LabelFile2.Text(), "");
    EXPECT_EQ(f.LastFilePath, "");
    EXPECT_EQ(EntriesIn(h.dir.path), 1u) << "no temporary file left";
}

TEST(FileCommandsOpen, LoadsAFileAndRemembersThePath) {
    THarness a;
    TFormHlav& fa = a.Start();
    ShowDefaults(fa, 1);
    fa.image.SetCell(TMap::JetTpi, 4, 7, 123);
    fa.CommitChange();
    fa.CheckBoxExtMonitor.SetChecked(true);
    const std::string path = a.dir.File("set.ign");
    a.dialogs.saveResults.push_back(path);
    fa.MenuSaveClick();

    THarness b;
    TFormHlav& fb = b.Start();
    b.dialogs.openResults.push_back(path);
    fb.LabelHlaseni.SetVisible(true);
    fb.MenuOpenClick();
    const TFileDialogRequest& r = b.dialogs.openRequests.back();
    EXPECT_EQ(r.filter, "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*");
    EXPECT_EQ(r.defaultExt, "ign");
    EXPECT_EQ(r.proposedPath, "");  // the empty IniDir of a first run
    EXPECT_TRUE(b.dialogs.messages.empty());
    for (int i = 100; i < TParamImage::kSize; ++i) EXPECT_EQ(fb.image[i], fa.image[i]) << i;
    EXPECT_TRUE(fb.CheckBoxExtMonitor.Checked());
    EXPECT_EQ(fb.LabelFile2.Text(), path);
    EXPECT_EQ(fb.LastFilePath, path);
    EXPECT_FALSE(fb.LabelHlaseni.Visible());
}

TEST(FileCommandsOpen, FailuresAndCancelLeaveTheWindowAsItWas) {
    THarness h;
    TFormHlav& f = h.Start("DEUTSCH");
    const std::string other = h.dir.File("v42.ign");
    PutFile(other, "VELMAROK_KEY 42 BIKE 3 EXT_MON 1 JET_TP 1 2 3");
    fs::create_directories(h.dir.path / "dir.ign");
    f.LabelFile2.SetText("earlier.ign");
    const TParamImage before = f.image;
    const std::string unmatched = LanguageText(kLangGerman, TMsg::UnmatchedIgn);
    const std::string openError = LanguageText(kLangGerman, TMsg::OpenFileError);
    const std::pair<std::string, std::string> cases[] = {{"", ""},
                                                         {other, unmatched},
                                                         {h.dir.File("none.ign"), openError},
                                                         {h.dir.File("dir.ign"), openError},
                                                         {"/dev/zero", openError}};
    for (const auto& [path, message] : cases) {
        h.dialogs.messages.clear();
        h.dialogs.openResults.push_back(path);  // "" cancels
        f.LabelHlaseni.SetVisible(true);
        f.CGaugeProgram.SetVisible(true);
        f.MenuOpenClick();
        EXPECT_EQ(h.dialogs.messages,
                  message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
        EXPECT_EQ(f.image, before);
        EXPECT_FALSE(f.CheckBoxExtMonitor.Checked());
        EXPECT_EQ(f.LabelFile2.Text(), "earlier.ign");
        EXPECT_EQ(f.LastFilePath, "");
        EXPECT_FALSE(f.LabelHlaseni.Visible()) << path;
        EXPECT_FALSE(f.CGaugeProgram.Visible()) << path;
    }
}

TEST(FileCommandsPaths, ProposedPathsFollowSaveOpenAndTheExeDirectory) {
    THarness h;
    TFormHlav& f = h.Start();
    EXPECT_EQ(f.ExeDirFileName, "/opt/quorvel05/bin/data.ign");
    auto openProposes = [&] {
        f.MenuOpenClick();
        return h.dialogs.openRequests.back().proposedPath;
    };
    auto saveProposes = [&] {
        f.MenuSaveClick();
        return h.dialogs.saveRequests.back().proposedPath;
    };
    // Save to exe dir, cancelled: both dialogs keep proposing the exe-directory file.
    f.MenuSaveExeDirClick();
    EXPECT_EQ(h.dialogs.saveRequests.back().proposedPath, f.ExeDirFileName);
    EXPECT_EQ(openProposes(), f.ExeDirFileName);
    EXPECT_EQ(saveProposes(), f.ExeDirFileName);
    // After a Save the open dialog proposes the saved file, after an Open the save dialog the
    // opened one.
    const std::string saved = h.dir.File("saved.ign"), opened = h.dir.File("opened.ign");
    h.dialogs.saveResults.push_back(saved);
    f.MenuSaveClick();
    EXPECT_EQ(openProposes(), saved);
    fs::copy_file(saved, opened);
    h.dialogs.openResults.push_back(opened);
    f.MenuOpenClick();
    EXPECT_EQ(saveProposes(), opened);
    f.MenuOpenExeDirClick();
    EXPECT_EQ(h.dialogs.openRequests.back().proposedPath, f.ExeDirFileName);
    EXPECT_EQ(saveProposes(), f.ExeDirFileName);
    EXPECT_EQ(f.LastFilePath, opened);

    for (const auto& [exe, expected] :
         {std::pair<std::string, std::string>{"C:\\Program Files\\Q\\q.exe",
                                              "C:\\Program Files\\Q\\data.ign"},
          {"quorvel05", "data.ign"}}) {
        THarness g;
        g.platform.exePath = exe;
        EXPECT_EQ(g.Start().ExeDirFileName, expected);
    }
}

TEST(FileCommandsNew, AsksThenLoadsTheDefaultSetAndClearsTheFileName) {
    THarness h;
    TFormHlav& f = h.Start();
    f.LabelFile2.SetText("x.ign");
    f.LastFilePath = "/tmp/x.ign";
    f.image.Set(TField::BIKE, 2);
    f.image.Set(TField::LIMITER2, 50);
    f.LabelHlaseni.SetVisible(true);
    h.dialogs.answers = {TAnswer::No, TAnswer::Yes};
    f.MenuNewClick();
    EXPECT_EQ(h.dialogs.questions.back(), "Do you want default setting?");
    EXPECT_EQ(f.image.Get(TField::LIMITER2), 50);
    EXPECT_EQ(f.LabelFile2.Text(), "x.ign");
    f.MenuNewClick();
    EXPECT_EQ(f.image.Get(TField::LIMITER2), 105);
    EXPECT_EQ(f.LabelFile2.Text(), "");
    EXPECT_EQ(f.LastFilePath, "/tmp/x.ign");
    EXPECT_FALSE(f.LabelHlaseni.Visible());

    EXPECT_FALSE(f.closeRequested);
    f.MenuExitClick();
    EXPECT_TRUE(f.closeRequested);
}
