// Files nobody on the team made: read errors, folders, FIFOs and devices at every path the program
// reads or writes, files that never end, a full disk and killed saves. The program keeps running,
// old files stay whole, and the user sees the usual message.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <streambuf>

#include "files/atomic_file.h"
#include "files/param_file.h"
#include "files/settings.h"
#include "harness.h"
#include "params/bike_types.h"

namespace fs = std::filesystem;

namespace {

// What can stand at a path instead of a regular file.
enum class TOddFile { Folder, Fifo, EndlessDevice, ReadError };

const char* Name(TOddFile k) {
    switch (k) {
        case TOddFile::Folder:
            return "folder";
        case TOddFile::Fifo:
            return "FIFO";
        case TOddFile::EndlessDevice:
            return "link to /dev/zero";
        case TOddFile::ReadError:
            return "link to /proc/self/mem";
    }
    return "";
}

void PutOdd(const std::string& path, TOddFile k) {
    switch (k) {
        case TOddFile::Folder:
            fs::create_directories(path);
            PutFile(path + "/inside", "x");
            break;
        case TOddFile::Fifo:
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            break;
        case TOddFile::EndlessDevice: {
            // A link to a device that never ends. The superuser links to a private twin of
            // /dev/zero, so that even a save that wrongly replaced the device could not harm the
            // machine's own.
            std::string device = "/dev/zero";
            const std::string twin = path + ".zero";
            if (::mknod(twin.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0) device = twin;
            fs::create_symlink(device, path);
            break;
        }
        case TOddFile::ReadError:
            // A regular file by its type whose first read fails (EIO), like a failing stick.
            fs::create_symlink("/proc/self/mem", path);
            break;
    }
}

// The odd file is still what it was, untouched.
void ExpectStillThere(const std::string& path, TOddFile k) {
    switch (k) {
        case TOddFile::Folder:
            EXPECT_EQ(FileText(path + "/inside"), "x") << path;
            break;
        case TOddFile::Fifo:
            EXPECT_TRUE(fs::is_fifo(path)) << path;
            break;
        case TOddFile::EndlessDevice:
            EXPECT_TRUE(fs::is_symlink(path) && fs::is_character_file(path)) << path;
            break;
        case TOddFile::ReadError:
            EXPECT_TRUE(fs::is_symlink(path)) << path;
            break;
    }
}

constexpr TOddFile kOddFiles[] = {TOddFile::Folder, TOddFile::Fifo, TOddFile::EndlessDevice,
                                  TOddFile::ReadError};

// A stream that hands out its text and then fails as a standard file buffer does on EIO.
class TFailingBuf : public std::streambuf {
  public:
    TFailingBuf(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

  protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

  private:
    std::string text_;
};

// The number of a process that has ended.
long EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<long>(child);
}

}  // namespace

TEST(FileFaults, OpenRefusesWhatIsNoReadableFileWithTheOpenErrorAndKeepsTheWindow) {
    for (const TOddFile k : kOddFiles) {
        THarness h;
        TFormHlav& f = h.Start("ENGLISH");
        const std::string path = h.dir.File("odd.ign");
        PutOdd(path, k);
        f.LabelFile2.SetText("earlier.ign");
        f.image.Set(TField::JET_TP, 4, 77);
        f.CommitChange();
        const TParamImage before = f.image;
        h.dialogs.openResults.push_back(path);
        f.MenuOpenClick();
        EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"Open file error!"}) << Name(k);
        EXPECT_EQ(f.image, before) << Name(k);
        EXPECT_EQ(f.LabelFile2.Text(), "earlier.ign") << Name(k);
        EXPECT_EQ(f.LastFilePath, "") << Name(k);
        ExpectStillThere(path, k);
    }
}

TEST(FileFaults, AReadErrorPartWayThroughAFileChangesNothing) {
    const std::string good = "VELMAROK_KEY 43 BIKE 2 EXT_MON 1 JET_TP 1 2 3";
    for (size_t cut : {size_t{0}, size_t{10}, size_t{20}, good.size()}) {
        TFailingBuf buf(good.substr(0, cut));
        std::istream in(&buf);
        TParamImage im;
        SetDefaults(im);
        const TParamImage before = im;
        bool ext = false;
        EXPECT_FALSE(ReadParamFile(in, im, ext)) << cut;
        EXPECT_TRUE(in.bad()) << cut;
        EXPECT_EQ(im, before) << cut;
        EXPECT_FALSE(ext) << cut;

        TFailingBuf snap("1 2 3");
        std::istream snapIn(&snap);
        EXPECT_EQ(ReadSnapshot(snapIn, im), 0);
        EXPECT_EQ(im, before);
    }
}

// Settings, snapshot and marker: whatever stands at their paths, start-up ends with the values of a
// missing file (no hang on a FIFO or /dev/zero, no stop on a read error). At close whatever can be
// saved is saved, the rest is reported once and left as it was.
TEST(FileFaults, StartUpTakesOddSettingsSnapshotAndMarkerForMissingAndCloseKeepsThem) {
    for (const TOddFile k : kOddFiles) {
        for (const char* name : {"Quorvel05.ini", "_Quorvel05.ini", "test_xumelo.txt"}) {
            THarness h;
            const std::string path = h.dir.File(name);
            PutOdd(path, k);
            TFormHlav& f = h.Start("");
            const std::string what = std::string(Name(k)) + " at " + name;
            EXPECT_EQ(f.image, [&] {
                THarness clean;
                return clean.Start("").image;
            }()) << what;
            EXPECT_EQ(f.language, kLangCzech) << what;
            EXPECT_FALSE(f.testMode) << what;
            EXPECT_FALSE(f.LabelTest[0].Visible()) << what;

            f.language = kLangGerman;
            testing::internal::CaptureStderr();
            f.FormClose();
            const std::string said = testing::internal::GetCapturedStderr();
            ExpectStillThere(path, k);
            const bool markerOnly = std::string(name) == "test_xumelo.txt";
            EXPECT_EQ(said.empty(), markerOnly) << what << ": " << said;
            if (!markerOnly) {
                EXPECT_NE(said.find(path), std::string::npos) << what << ": " << said;
                EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
            }
            // The other file of the two is saved as usual.
            const std::string settings = h.dir.File("Quorvel05.ini");
            const std::string snapshot = h.dir.File("_Quorvel05.ini");
            if (path != settings) {
                EXPECT_NE(FileText(settings).find("Language=2"), std::string::npos);
            }
            if (path != snapshot) {
                EXPECT_EQ(FileText(snapshot), SnapshotText(f.image));
            }
        }
    }
}

TEST(FileFaults, HugeSettingsFileIsReadOnlyAsFarAsItsLimit) {
    THarness h;
    const std::string path = h.dir.File("Quorvel05.ini");
    {
        std::ofstream out(path, std::ios::binary);
        out << "[FORM_HLAV]\r\nLanguage=2\r\n";
        const std::string filler = "; " + std::string(98, '-') + "\r\n";
        for (uint64_t n = 0; n < 3 * TIniFile::kMaxBytes / filler.size(); ++n) out << filler;
        out << "Left=77\r\n";
    }
    TIniFile ini;
    ASSERT_TRUE(ini.Load(path));
    EXPECT_TRUE(ini.Cut());
    EXPECT_LE(ini.Lines().size(), TIniFile::kMaxLines);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Language", 0), 2);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Left", -1), -1);

    // Many short lines are held to the line limit.
    PutFile(path, "[FORM_HLAV]\nTop=9\n" + std::string(TIniFile::kMaxLines * 2, '\n'));
    ASSERT_TRUE(ini.Load(path));
    EXPECT_TRUE(ini.Cut());
    EXPECT_EQ(ini.Lines().size(), TIniFile::kMaxLines);
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Top", 0), 9);

    // A file within the limits is not cut, and its last line counts without a line end.
    PutFile(path, "[FORM_HLAV]\r\nTop=9");
    ASSERT_TRUE(ini.Load(path));
    EXPECT_FALSE(ini.Cut());
    EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Top", 0), 9);
}

TEST(FileFaults, SaveOverAFifoOrADeviceLinkIsRefusedAndLeavesItAlone) {
    for (const TOddFile k : {TOddFile::Fifo, TOddFile::EndlessDevice}) {
        THarness h;
        TFormHlav& f = h.Start("ENGLISH");
        const std::string path = h.dir.File("odd.ign");
        PutOdd(path, k);
        h.dialogs.saveResults.push_back(path);
        f.MenuSaveClick();
        EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"Open file error!"}) << Name(k);
        EXPECT_EQ(f.LastFilePath, "");
        ExpectStillThere(path, k);
        for (const auto& e : fs::directory_iterator(h.dir.path))
            EXPECT_TRUE(e.path() == path || e.path() == path + ".zero") << "left: " << e.path();
    }
}

// A read-only folder refuses the temporary file; the old file stays. (The superuser may write in
// any folder, so there is nothing to refuse then.)
TEST(FileFaults, ReadOnlyFolderKeepsTheOldFileAndSaysSo) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may write in every folder";
    THarness h;
    TFormHlav& f = h.Start("ENGLISH");
    const fs::path folder = h.dir.path / "locked";
    fs::create_directories(folder);
    const std::string old = (folder / "a.ign").string();
    PutFile(old, "old");
    fs::permissions(folder, fs::perms(0555));
    h.dialogs.saveResults.push_back(old);
    f.MenuSaveClick();
    EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"Open file error!"});
    EXPECT_EQ(FileText(old), "old");
}

TEST(FileFaults, StartUpRemovesTheTemporariesOfKilledSavesOnly) {
    THarness h;
    const long ended = EndedProcess();
    const std::string own = std::to_string(::getpid());
    const std::string gone = std::to_string(ended);
    const fs::path files = h.dir.path / "sets";
    fs::create_directories(files);
    PutFile(h.dir.File("Quorvel05.ini"),
            "[FORM_HLAV]\r\nIniDir=" + (files / "bike.ign").string() + "\r\n");
    const std::pair<fs::path, bool> cases[] = {
        {h.dir.path / ("Quorvel05.ini." + gone + "-1.tmp"), true},
        {h.dir.path / ("_Quorvel05.ini." + gone + "-12.tmp"), true},
        {h.dir.path / ("_Quorvel05.ini." + own + "-2.tmp"), false},  // a save of this process
        {h.dir.path / ("notes.txt." + gone + "-1.tmp"), false},      // not the program's file
        {h.dir.path / ("Quorvel05.ini." + gone + "-x.tmp"), false},  // not the pattern
        {h.dir.path / ("Quorvel05.ini." + gone + ".tmp"), false},
        {h.dir.path / ("Quorvel05.ini-" + gone + "-1.tmp"), false},
        {files / ("bike.ign." + gone + "-3.tmp"), true},
        {files / ("other.ign." + gone + "-1.tmp"), true},
        {files / ("bike.txt." + gone + "-1.tmp"), false},
    };
    for (const auto& [path, removed] : cases) PutFile(path.string(), "partial");
    h.Start("ENGLISH");
    for (const auto& [path, removed] : cases)
        EXPECT_EQ(fs::exists(path), !removed) << path.filename();
}
