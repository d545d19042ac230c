// Test doubles of the platform services and a main window wired to the virtual unit, driven
// tick by tick without real time or a display.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Hlav.h"
#include "sim_port.h"
#include "unit_sim.h"

class TFakeDialogs : public TDialogs {
  public:
    std::vector<std::string> messages;    // every information box shown, in order
    std::vector<std::string> questions;   // every Yes/No/Cancel question asked
    std::deque<TAnswer> answers;          // scripted answers; Cancel when empty
    std::deque<std::string> openResults;  // scripted open-dialog results ("" = cancel)
    std::deque<std::string> saveResults;  // scripted save-dialog results ("" = cancel)
    std::vector<TFileDialogRequest> openRequests, saveRequests;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    TAnswer AskYesNoCancel(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return TAnswer::Cancel;
        TAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string OpenFileDialog(const TFileDialogRequest& r) override {
        openRequests.push_back(r);
        if (openResults.empty()) return {};
        std::string s = openResults.front();
        openResults.pop_front();
        return s;
    }
    int aboutShown = 0;
    std::string aboutCaption;
    void ShowAbout(TFormAbout& about) override {
        ++aboutShown;
        aboutCaption = about.FormAbout.Text();
    }
    std::string SaveFileDialog(const TFileDialogRequest& r) override {
        saveRequests.push_back(r);
        if (saveResults.empty()) return {};
        std::string s = saveResults.front();
        saveResults.pop_front();
        return s;
    }
    std::vector<TBackupChoice> backupChoices;  // every list of backups shown
    int backupChosen = -1;                     // the row the user picks; -1 cancels
    std::string ChooseBackup(const TBackupChoice& choice) override {
        backupChoices.push_back(choice);
        const size_t row = static_cast<size_t>(backupChosen);
        return backupChosen >= 0 && row < choice.rows.size() ? choice.rows[row].path : "";
    }
    std::vector<TComparisonTable> comparisons;  // every table shown
    int comparisonsClosed = 0;
    void ShowComparison(const TComparisonTable& table) override { comparisons.push_back(table); }
    void CloseComparison() override { ++comparisonsClosed; }
};

// Port n is present when it has an entry; its device name is the entry.
class TFakePortDirectory : public TPortDirectory {
  public:
    std::map<int, std::string> devices;
    bool DeviceFor(int n, char* out, size_t cap) override {
        auto it = devices.find(n);
        if (it == devices.end()) {
            std::snprintf(out, cap, "COM%d", n);
            return false;
        }
        std::snprintf(out, cap, "%s", it->second.c_str());
        return true;
    }
};

class TFakeClock : public TClock {
  public:
    std::string date = "09.12.2026", time = "10:11:12", stamp = "20261209-101112";
    std::string ShortDate() override { return date; }
    std::string LongTime() override { return time; }
    std::string Stamp() override { return stamp; }
};

// A whole file as bytes, and a file written from bytes.
inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
inline void PutFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// While it lives, files of this process cannot grow beyond `bytes`: a write past it fails as on
// a full disk, for root as for anyone.
struct TFileSizeLimit {
    rlimit saved{};
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

// A temporary folder removed at the end of the test.
struct TTempDir {
    std::filesystem::path path;
    TTempDir() {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("quorvel05-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::string File(const std::string& name) const { return (path / name).string(); }
};

// The main window on the virtual unit, which sits on Com 1 ("demo-unit").
struct THarness {
    TTempDir dir;
    TUnitSim sim;
    TSimPort port{sim};
    TFakePortDirectory ports;
    TFakeDialogs dialogs;
    TFakeClock clock;
    TPlatform platform;
    std::unique_ptr<TFormHlav> form;

    THarness() {
        ports.devices[1] = kSimDeviceName;
        platform.port = &port;
        platform.ports = &ports;
        platform.dialogs = &dialogs;
        platform.clock = &clock;
        platform.exePath = "/opt/quorvel05/bin/quorvel05";
        platform.configDir = dir.path.string();
        platform.screenWidth = 1920;
        platform.screenHeight = 1080;
    }
    // Builds the window and runs start-up; call after adjusting the platform.
    TFormHlav& Start(const std::string& firstArgument = "ENGLISH") {
        platform.firstArgument = firstArgument;
        form = std::make_unique<TFormHlav>(platform);
        form->FormCreate();
        form->CreateAboutWindow();
        return *form;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) form->Timer1Timer();
    }
    // Ticks until the session has ended or the limit is reached; returns the ticks run.
    int RunSession(int limit = 400) {
        int n = 0;
        while (form->session.kind != TSessionKind::None && n < limit) {
            form->Timer1Timer();
            ++n;
        }
        return n;
    }
};
