// The small services the core asks of the platform. The front end provides the real ones; tests
// provide fakes. None of them is expected to block on a clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/param_compare.h"
#include "link/serial_port.h"

enum class TAnswer : uint8_t { Yes, No, Cancel };

class TFormAbout;
class TControl;

struct TFileDialogRequest {
    std::string filter;        // "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*"
    std::string defaultExt;    // "ign"
    std::string proposedPath;  // path the dialog opens with
    int filterIndex = 1;
    bool confirmOverwrite = false;
};

// The kept parameter sets as the list to choose from shows them, newest first.
struct TBackupRow {
    std::string path;
    std::string date, time, occasion;  // "2026-12-10", "11:45:01", "Read from the unit"
};
struct TBackupChoice {
    std::string title;
    std::string dateHeader, timeHeader, occasionHeader;
    std::vector<TBackupRow> rows;
};

// The values in which the window's set differs from a file, as a table beside the window.
struct TComparisonTable {
    std::string title;
    std::string nameHeader, mineHeader, otherHeader;
    std::vector<TCompareRow> rows;
    // The command the front end fires (as a click) when the user closes the table.
    TControl* closeCommand = nullptr;
    // The window's set: the "this set" column follows its values while the table is shown.
    const TParamImage* mine = nullptr;
};

class TDialogs {
  public:
    virtual ~TDialogs() = default;
    // An information box with one OK button; returns when the user has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual TAnswer AskYesNoCancel(const std::string& text) = 0;
    // The chosen full path, or an empty string when the user cancels.
    virtual std::string OpenFileDialog(const TFileDialogRequest& request) = 0;
    virtual std::string SaveFileDialog(const TFileDialogRequest& request) = 0;
    // The About window, modally; returns when it has been closed.
    virtual void ShowAbout(TFormAbout& about) = 0;
    // The list of backups, modally; the path of the one chosen, or "" when the user cancels.
    virtual std::string ChooseBackup(const TBackupChoice& choice) = 0;
    // Shows the table without waiting, in place of one still shown; it stays until
    // CloseComparison or until the user closes it (then closeCommand is fired).
    virtual void ShowComparison(const TComparisonTable& table) = 0;
    virtual void CloseComparison() = 0;
};

class TClock {
  public:
    virtual ~TClock() = default;
    virtual std::string ShortDate() = 0;  // the platform's short date format
    virtual std::string LongTime() = 0;   // the platform's long time format
    virtual std::string Stamp() = 0;      // local date and time, sortable: "20261210-114501"
};

// Where a printout went: to the default printer, into a PDF file (no printer installed), or
// nowhere, with the reason.
struct TPrintResult {
    enum class TKind : uint8_t { Printed, SavedAsPdf, Failed };
    TKind kind = TKind::Failed;
    std::string where;   // the PDF file
    std::string reason;  // why it failed, in the platform's words
};

class TPrinter {
  public:
    virtual ~TPrinter() = default;
    // Prints a picture of the main window's client area, as currently drawn, on the default
    // printer as one page scaled to fit; without a printer into a PDF file.
    virtual TPrintResult PrintWindow() = 0;
};

// The window on screen: brings every change of the model to the widgets at once and lets them
// paint, for a handler that needs the screen to show a state before it goes on.
class TScreen {
  public:
    virtual ~TScreen() = default;
    virtual void ApplyNow() = 0;
};

class TDocumentOpener {
  public:
    virtual ~TDocumentOpener() = default;
    // Starts the viewer for a document pattern without waiting; failures are not reported.
    virtual void Open(const std::string& pattern) = 0;
};

// Everything the main window is given by the program entry.
struct TPlatform {
    TSerialPort* port = nullptr;
    TPortDirectory* ports = nullptr;
    TDialogs* dialogs = nullptr;
    TClock* clock = nullptr;
    TPrinter* printer = nullptr;
    TDocumentOpener* documents = nullptr;
    TScreen* screen = nullptr;
    std::string exePath;        // the program file's full path
    std::string firstArgument;  // the language word, if any
    std::string configDir;      // folder of the settings, the snapshot and the test marker
    std::string backupDir;      // folder of the kept parameter sets; empty: none are kept
    int screenWidth = 1920;
    int screenHeight = 1080;
    std::string groupSeparator = ",";  // the user's locale's digit grouping
    std::string buildDate;             // "Dec  3 2007"
    std::string buildTime;             // "19:26:41"
};
