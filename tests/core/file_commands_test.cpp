// File menu: Save, Open, their exe-directory variants, New and Exit on the main window.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>

#include "files/param_file.h"
#include "harness.h"
#include "params/bike_types.h"

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

int EntriesIn(const fs::path& dir) {
    int n = 0;
    for (auto& e : fs::directory_iterator(dir)) {
        (void)e;
        ++n;
    }
    return n;
}

// Files written by this process may grow to at most `bytes` while it lives: a write beyond fails
// with an error (as on a full disk), for root as for anyone.
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

std::string Expected(const TFormHlav& f) {
    std::ostringstream out;
    WriteParamFile(out, f.image, f.CheckBoxExtMonitor.Checked());
    return out.str();
}

// A window showing the default set of type `bike`.
void ShowDefaults(TFormHlav& f, int bike) {
    f.image.Set(TField::BIKE, static_cast<uint8_t>(bike));
    SetDefaults(f.image);
    f.CommitChange();
}

}  // namespace

TEST(FileCommandsSave, WritesTheWindowsSetAndRemembersThePath) {
    THarness h;
    TFormHlav& f = h.Start();
    ShowDefaults(f, 3);
    f.CheckBoxExtMonitor.SetChecked(true);
    const std::string path = h.dir.File("bike3.ign");
    h.dialogs.saveResults.push_back(path);
    f.MenuSaveClick();

    ASSERT_EQ(h.dialogs.saveRequests.size(), 1u);
    const TFileDialogRequest& r = h.dialogs.saveRequests[0];
    EXPECT_EQ(r.filter, "Ignition Parametrs(*.ign)|*.ign");
    EXPECT_EQ(r.defaultExt, "ign");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_TRUE(r.confirmOverwrite);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(FileText(path), Expected(f));
    EXPECT_EQ(f.LabelFile2.Text(), path);
    EXPECT_EQ(f.LastFilePath, path);
    EXPECT_EQ(f.openDialogPath, path);
    EXPECT_EQ(EntriesIn(h.dir.path), 1 + 0) << "only the saved file, no temporary left";
}

TEST(FileCommandsSave, CancelChangesNothing) {
    THarness h;
    TFormHlav& f = h.Start();
    const std::string caption = f.LabelFile2.Text();
    const TParamImage before = f.image;
    f.MenuSaveClick();
    EXPECT_EQ(f.LabelFile2.Text(), caption);
    EXPECT_EQ(f.image, before);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(f.openDialogPath, " ");
}

TEST(FileCommandsSave, UnwritableTargetsReportOpenFileErrorAndChangeNothing) {
    THarness h;
    TFormHlav& f = h.Start();
    PutFile(h.dir.File("plain"), "x");
    fs::create_directories(h.dir.path / "folder.ign");
    const std::string targets[] = {h.dir.File("missing/dir/a.ign"), h.dir.File("plain/a.ign"),
                                   h.dir.File("folder.ign")};
    for (const std::string& t : targets) {
        h.dialogs.messages.clear();
        h.dialogs.saveResults.push_back(t);
        const TParamImage before = f.image;
        f.MenuSaveClick();
        ASSERT_EQ(h.dialogs.messages.size(), 1u) << t;
        EXPECT_EQ(h.dialogs.messages[0], "Open file error!");
        EXPECT_EQ(f.image, before);
        EXPECT_EQ(f.LastFilePath, "");
        EXPECT_EQ(f.LabelFile2.Text(), "");
        EXPECT_EQ(f.openDialogPath, " ");
    }
    EXPECT_FALSE(fs::exists(h.dir.path / "missing"));
    EXPECT_EQ(FileText(h.dir.File("plain")), "x");
    EXPECT_TRUE(fs::is_directory(h.dir.path / "folder.ign"));
    EXPECT_TRUE(fs::is_empty(h.dir.path / "folder.ign"));
    EXPECT_EQ(EntriesIn(h.dir.path), 2);
}

TEST(FileCommandsSave, FailureInTheMiddleOfTheWriteKeepsTheOldFile) {
    THarness h;
    TFormHlav& f = h.Start("CESKY");
    const std::string path = h.dir.File("old.ign");
    const std::string old = std::string(2000, '#');
    PutFile(path, old);
    h.dialogs.saveResults.push_back(path);
    {
        TFileSizeLimit limit(1000);  // the new file (over 3 kB) breaks off after 1000 bytes
        f.MenuSaveClick();
    }
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], LanguageText(kLangCzech, TMsg::OpenFileError));
    EXPECT_EQ(FileText(path), old);
    EXPECT_EQ(f.LastFilePath, "");
    EXPECT_EQ(EntriesIn(h.dir.path), 1) << "the broken temporary file is removed";
    // Without the limit the same save goes through and replaces the file.
    h.dialogs.saveResults.push_back(path);
    f.MenuSaveClick();
    EXPECT_EQ(FileText(path), Expected(f));
    EXPECT_EQ(f.LastFilePath, path);
}

TEST(FileCommandsSave, ReplacedFileKeepsItsPermissions) {
    THarness h;
    TFormHlav& f = h.Start();
    const std::string path = h.dir.File("shared.ign");
    PutFile(path, "old");
    fs::permissions(path, fs::perms(0640));
    h.dialogs.saveResults.push_back(path);
    f.MenuSaveClick();
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms(0640));
    EXPECT_EQ(FileText(path), Expected(f));
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
    ASSERT_EQ(b.dialogs.openRequests.size(), 1u);
    EXPECT_EQ(b.dialogs.openRequests[0].filter,
              "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*");
    EXPECT_EQ(b.dialogs.openRequests[0].defaultExt, "ign");
    EXPECT_EQ(b.dialogs.openRequests[0].proposedPath, " ");
    EXPECT_TRUE(b.dialogs.messages.empty());
    for (int i = 100; i < TParamImage::kSize; ++i) EXPECT_EQ(fb.image[i], fa.image[i]) << i;
    EXPECT_TRUE(fb.CheckBoxExtMonitor.Checked());
    EXPECT_EQ(fb.LabelFile2.Text(), path);
    EXPECT_EQ(fb.LastFilePath, path);
    EXPECT_EQ(fb.saveDialogPath, path);
    EXPECT_FALSE(fb.LabelHlaseni.Visible());
}

TEST(FileCommandsOpen, FailuresLeaveTheWindowAsItWas) {
    THarness h;
    TFormHlav& f = h.Start("DEUTSCH");
    const std::string other = h.dir.File("v42.ign");
    PutFile(other, "VELMAROK_KEY 42 BIKE 3 EXT_MON 1 JET_TP 1 2 3");
    fs::create_directories(h.dir.path / "dir.ign");
    f.LabelFile2.SetText("earlier.ign");
    const TParamImage before = f.image;
    const std::string cases[] = {other, h.dir.File("none.ign"), h.dir.File("dir.ign"), "/dev/zero"};
    const std::string expected[] = {LanguageText(kLangGerman, TMsg::UnmatchedIgn),
                                    LanguageText(kLangGerman, TMsg::OpenFileError),
                                    LanguageText(kLangGerman, TMsg::OpenFileError),
                                    LanguageText(kLangGerman, TMsg::OpenFileError)};
    for (int i = 0; i < 4; ++i) {
        h.dialogs.messages.clear();
        h.dialogs.openResults.push_back(cases[i]);
        f.LabelHlaseni.SetVisible(true);
        f.CGaugeProgram.SetVisible(true);
        f.MenuOpenClick();
        ASSERT_EQ(h.dialogs.messages.size(), 1u) << cases[i];
        EXPECT_EQ(h.dialogs.messages[0], expected[i]);
        EXPECT_EQ(f.image, before);
        EXPECT_FALSE(f.CheckBoxExtMonitor.Checked());
        EXPECT_EQ(f.LabelFile2.Text(), "earlier.ign");
        EXPECT_EQ(f.LastFilePath, "");
        EXPECT_FALSE(f.LabelHlaseni.Visible());
        EXPECT_FALSE(f.CGaugeProgram.Visible());
    }
}

TEST(FileCommandsOpen, CancelHidesTheStatusMessage) {
    THarness h;
    TFormHlav& f = h.Start();
    f.LabelHlaseni.SetVisible(true);
    f.CGaugeProgram.SetVisible(true);
    f.MenuOpenClick();
    EXPECT_FALSE(f.LabelHlaseni.Visible());
    EXPECT_FALSE(f.CGaugeProgram.Visible());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(FileCommandsPaths, ProposedPathsFollowSaveOpenAndTheExeDirectory) {
    THarness h;
    TFormHlav& f = h.Start();
    EXPECT_EQ(f.ExeDirFileName, "/opt/quorvel05/bin/data.ign");

    // Save to exe dir, cancelled: both dialogs keep proposing the exe-directory file.
    f.MenuSaveExeDirClick();
    EXPECT_EQ(h.dialogs.saveRequests.back().proposedPath, f.ExeDirFileName);
    f.MenuOpenClick();
    EXPECT_EQ(h.dialogs.openRequests.back().proposedPath, f.ExeDirFileName);
    f.MenuSaveClick();
    EXPECT_EQ(h.dialogs.saveRequests.back().proposedPath, f.ExeDirFileName);

    // After a Save the open dialog proposes the saved file.
    const std::string saved = h.dir.File("saved.ign");
    h.dialogs.saveResults.push_back(saved);
    f.MenuSaveClick();
    f.MenuOpenClick();
    EXPECT_EQ(h.dialogs.openRequests.back().proposedPath, saved);

    // After an Open the save dialog proposes the opened file.
    const std::string opened = h.dir.File("opened.ign");
    fs::copy_file(saved, opened);
    h.dialogs.openResults.push_back(opened);
    f.MenuOpenClick();
    f.MenuSaveClick();
    EXPECT_EQ(h.dialogs.saveRequests.back().proposedPath, opened);

    // Open from exe dir proposes the exe-directory file in the open dialog, then in Save.
    f.MenuOpenExeDirClick();
    EXPECT_EQ(h.dialogs.openRequests.back().proposedPath, f.ExeDirFileName);
    f.MenuSaveClick();
    EXPECT_EQ(h.dialogs.saveRequests.back().proposedPath, f.ExeDirFileName);
    EXPECT_EQ(f.LastFilePath, opened);
}

TEST(FileCommandsPaths, ExeDirectoryFileForBothSeparators) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Program Files\\Q\\q.exe", "C:\\Program Files\\Q\\data.ign"},
        {"/usr/local/bin/quorvel05", "/usr/local/bin/data.ign"},
        {"quorvel05", "data.ign"},
        {"", "data.ign"},
    };
    for (const auto& [exe, expected] : cases) {
        THarness h;
        h.platform.exePath = exe;
        EXPECT_EQ(h.Start().ExeDirFileName, expected) << exe;
    }
}

TEST(FileCommandsNew, YesLoadsTheDefaultSetAndClearsTheFileName) {
    THarness h;
    TFormHlav& f = h.Start();
    f.LabelFile2.SetText("x.ign");
    f.LastFilePath = "/tmp/x.ign";
    f.image.Set(TField::BIKE, 2);
    f.image.Set(TField::LIMITER2, 50);
    f.LabelHlaseni.SetVisible(true);

    h.dialogs.answers.push_back(TAnswer::No);
    f.MenuNewClick();
    EXPECT_EQ(h.dialogs.questions.back(), "Do you want default setting?");
    EXPECT_EQ(f.image.Get(TField::LIMITER2), 50);
    EXPECT_EQ(f.LabelFile2.Text(), "x.ign");

    h.dialogs.answers.push_back(TAnswer::Yes);
    f.MenuNewClick();
    EXPECT_EQ(f.image.Get(TField::LIMITER2), 105);
    EXPECT_EQ(f.image.Get(TField::BIKE_PARAM_A), 1);
    EXPECT_EQ(f.LabelFile2.Text(), "");
    EXPECT_EQ(f.LastFilePath, "/tmp/x.ign");
    EXPECT_FALSE(f.LabelHlaseni.Visible());
    EXPECT_FALSE(f.CGaugeProgram.Visible());
}

TEST(FileCommandsExit, RequestsTheWindowToClose) {
    THarness h;
    TFormHlav& f = h.Start();
    EXPECT_FALSE(f.closeRequested);
    f.MenuExitClick();
    EXPECT_TRUE(f.closeRequested);
}
