// The settings file (INI text, section FORM_HLAV), the image snapshot beside it and the test
// marker.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "params/param_image.h"

constexpr const char* kSettingsSection = "FORM_HLAV";
constexpr const char* kTestMarkerWord = "DIAG_UNLOCK";
// The most of the test marker file that is searched for the word.
constexpr uint64_t kMaxMarkerBytes = 1u << 20;

// A small INI file kept as its lines, so that sections, keys and comments the program does not
// know survive a rewrite unchanged. Section and key names match without regard to letter case;
// lines end in CR LF when written (LF or CR LF are read).
class TIniFile {
  public:
    // The most of a settings file that is read; it is a few hundred bytes when the program wrote
    // it, so anything beyond this is no settings of the program's. Both limits keep the memory
    // held for the lines small whatever the file holds.
    static constexpr uint64_t kMaxBytes = 1u << 20;
    static constexpr size_t kMaxLines = 20000;

    // Reads the file; false (and no lines) when it is missing, is no regular file (a folder, a
    // FIFO, a device) or cannot be read. Only the first kMaxBytes or kMaxLines are taken, up to
    // the last whole line among them; Cut then tells that the file went on, and a rewrite keeps
    // only the lines taken.
    bool Load(const std::string& path);
    bool Cut() const { return cut_; }
    void Parse(std::string_view text);
    std::string Text() const;

    // An integer is a decimal number with an optional sign and nothing else, apart from the
    // value's surrounding blanks: " -3" gives -3, "+7" gives 7. Anything else is not a number and,
    // like a missing key, gives def: "12abc", "0x10", "abc", "", "+". Digits beyond the range of
    // int wrap around (modulo 2^32) rather than overflow.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // The value without its surrounding blanks, and without one pair of matching quotes around
    // it; def when the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& def) const;

    void WriteInteger(std::string_view section, std::string_view key, int value);
    // A value with blanks at either end, or quoted at both ends, is written in double quotes so
    // that it reads back the same. The format holds no line breaks: a value is cut at its first
    // CR or LF, so that no text can add lines (keys or sections) of its own.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    int SectionLine(std::string_view section) const;
    int KeyLine(std::string_view section, std::string_view key) const;
    // The value of the key, blanks around it and one pair of quotes taken off; false without it.
    bool Value(std::string_view section, std::string_view key, std::string_view& v) const;
    void Put(std::string_view section, std::string_view key, const std::string& raw);

    std::vector<std::string> lines_;
    bool cut_ = false;
};

// The snapshot text: the 600 image bytes as "%5u ", ten to a line, each line ending in CR LF.
std::string SnapshotText(const TParamImage& image);
// Stores up to 600 numbers (their low 8 bits) into image bytes 0, 1, 2, ... in order. Stops at
// the end of the stream or at the first word that is not a number; the bytes from there on keep
// their values. Returns the count of bytes stored. A stream that fails while being read stores
// nothing (0).
int ReadSnapshot(std::istream& in, TParamImage& image);
// True when the stream holds the word DIAG_UNLOCK (exact case) among words of up to 255
// characters; a longer run of characters counts as one word that matches nothing.
bool HasTestMarker(std::istream& in);

// The window's settings as the file holds them: the geometry, the port choice and search position
// counting from 1, the language, the file caption and last path, the active page, and the six
// option boxes (extended monitor, the "All" boxes of the advance curve, the three maps and the
// servo curve).
struct TWindowSettings {
    int left = 0, top = 0, height = 0, width = 0;
    int comPort = 1, comPortAuto = 0;
    int language = 0;
    std::string file, lastPath;
    int page = 0;
    bool boxes[6] = {};
    // The opt-in tuning limits: whether each is on, its value, and the locked map bytes as text.
    bool changeLimited = false, coolantLimited = false;
    int maxChangePercent = 10, minCoolantC = 60;
    std::string lockedCells;
};
// Every key found replaces the value held; a missing file or key keeps it. False when there was
// no settings file to read.
bool LoadWindowSettings(const std::string& path, TWindowSettings& settings);
// Rewrites the settings file in place (other keys and sections stay); false when it could not be
// replaced, the old file staying whole.
bool SaveWindowSettings(const std::string& path, const TWindowSettings& settings);
// The snapshot into the image; false, the image unchanged, when there is none to read.
bool LoadSnapshotFile(const std::string& path, TParamImage& image);
bool SaveSnapshotFile(const std::string& path, const TParamImage& image);
// Whether the test-mode marker file holds its word.
bool ReadTestMarkerFile(const std::string& path);
// Removes the temporaries of saves that were killed half way: of the settings and the snapshot
// in their folder, and of parameter files beside the last file.
void RemoveStaleSaves(const std::string& settingsPath, const std::string& snapshotPath,
                      const std::string& lastFilePath);
