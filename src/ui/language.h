// The user-interface language and the texts picked by it when they are shown.
#pragma once

#include <cstdint>

enum TLanguage : uint8_t { kLangCzech = 0, kLangEnglish = 1, kLangGerman = 2 };
// The column of a text table by language: English for a value that is no language.
inline int LanguageColumn(uint8_t lang) {
    return lang <= kLangGerman ? int{lang} : int{kLangEnglish};
}

// Texts chosen by the current language at the moment they are shown.
enum class TMsg : uint8_t {
    OpenFileError,
    UnmatchedIgn,
    DefaultQuestion,
    VersionMismatchBox,
    RpmNotSame,
    ReadDevice,
    VerifyDevice,      // started by the Verify command
    VerifyDeviceAuto,  // after a completed read or program
    ProgramDevice,
    VerifyOk,
    ProgramOk,
    ReadError,
    VerifyError,
    ProgramError,
    PrintHeader,
    PortFailure,  // "%s" device, "%s" reason
    PortNotFound,
    PortPermission,
    PortBusy,
    PortOther,
    UnverifiedWarning,  // caption and status bar while the unit's set failed program or verify
    PrintedToPdf,       // "%s" the PDF file written instead of a printout
    PrintFailed,        // "%s" the reason
    BackupsCaption,     // captions of File > Backups... and the two comparison commands of Tools
    CompareCaption,
    CloseComparisonCaption,
    BackupFailed,  // "%s" the backups folder; shown once a run
    NoBackups,
    BackupsTitle,  // the list of backups: title, columns, occasions
    BackupDate,
    BackupTime,
    BackupOccasion,
    BackupRead,
    BackupProgram,
    BackupTuning,
    ComparisonTitle,  // "%s" the file; the table of differences and the note of a marked field
    CompareParameter,
    CompareThisSet,
    CompareFile,
    CompareSame,
    CompareNote,
    Count
};

// The text of m in language lang; an empty text for a language outside 0-2.
const char* LanguageText(uint8_t lang, TMsg m);
// The main window's caption in language lang; an empty text for a language outside 0-2.
const char* WindowCaption(uint8_t lang);

// One entry of a language's control text list: a control, a property, a text.
enum class TTextProp : uint8_t { Caption, Hint };
struct TControlText {
    const char* control;
    TTextProp prop;
    const char* text;
};

// The common table: entries holding the three texts side by side (Czech, English, German).
struct TCommonText {
    const char* control;  // nullptr for the entries of the message text table
    const char* text[3];
};

// Tables of the language files.
extern const char* const kJazyk1Msg[];  // English
extern const char* const kJazyk2Msg[];  // Czech
extern const char* const kJazyk3Msg[];  // German
extern const TControlText kJazyk1Controls[];
extern const TControlText kJazyk2Controls[];
extern const TControlText kJazyk3Controls[];
extern const int kControlTextCount;

// The message text table's three entries of the common table, by language.
enum class TCommonMsg : uint8_t { Saving, VersionMismatch, Program };
const char* CommonMessage(uint8_t lang, TCommonMsg m);
extern const TCommonText kJazykspolCaptions[];
extern const int kJazykspolCaptionCount;

struct TMainWindow;
// Captions, hints and check marks of the window in language lang (the tables of the three
// languages, then the common table).
void ApplyLanguageTexts(TMainWindow& window, uint8_t lang);
