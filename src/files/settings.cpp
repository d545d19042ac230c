// Settings file, image snapshot and test marker.
#include "files/settings.h"

#include <cstdio>
#include <filesystem>
#include <istream>

#include "files/atomic_file.h"
#include "files/word_reader.h"

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

// "[NAME]" (blanks around allowed): true with the name.
bool IsSectionHeader(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return false;
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// "key=value": true with the key (trimmed) and the raw value. Comment lines are no keys.
bool IsKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return false;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(line.substr(0, eq));
    value = line.substr(eq + 1);
    return !key.empty();
}

bool IsQuoted(std::string_view v) {
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

}  // namespace

// ---- TIniFile ---------------------------------------------------------------------------------

bool TIniFile::Load(const std::string& path) {
    lines_.clear();
    cut_ = false;
    TInputFile file(kMaxBytes);
    if (!file.Open(path)) return false;
    // The lines are built straight from the file's buffer, so the text is held only once.
    std::string line;
    char chunk[4096];
    bool full = false;
    bool more = false;  // bytes left behind the last line taken
    while (!full) {
        const std::streamsize got = file.sgetn(chunk, sizeof chunk);
        if (got <= 0) break;
        std::streamsize i = 0;
        for (; i < got && !full; ++i) {
            if (chunk[i] != '\n') {
                line += chunk[i];
                continue;
            }
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines_.push_back(std::move(line));
            line.clear();
            full = lines_.size() >= kMaxLines;
        }
        more = i < got;
    }
    if (file.Failed()) {
        lines_.clear();  // unreadable: like a missing file
        return false;
    }
    if (full) {
        // Whether anything follows the last line taken.
        cut_ = more || file.sgetc() != std::char_traits<char>::eof();
        line.clear();
    } else {
        cut_ = file.Cut();
    }
    // A last line without a line end counts, unless the file was cut off inside it.
    if (!line.empty() && !cut_) {
        if (line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
    }
    return true;
}

void TIniFile::Parse(std::string_view text) {
    lines_.clear();
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
}

std::string TIniFile::Text() const {
    std::string out;
    for (const std::string& l : lines_) {
        out += l;
        out += "\r\n";
    }
    return out;
}

int TIniFile::SectionLine(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (IsSectionHeader(lines_[i], name) && SameName(name, section)) return static_cast<int>(i);
    }
    return -1;
}

int TIniFile::KeyLine(std::string_view section, std::string_view key) const {
    const int head = SectionLine(section);
    if (head < 0) return -1;
    for (size_t i = static_cast<size_t>(head) + 1; i < lines_.size(); ++i) {
        std::string_view name, k, v;
        if (IsSectionHeader(lines_[i], name)) break;
        if (IsKeyLine(lines_[i], k, v) && SameName(k, key)) return static_cast<int>(i);
    }
    return -1;
}

bool TIniFile::Value(std::string_view section, std::string_view key, std::string_view& v) const {
    const int at = KeyLine(section, key);
    if (at < 0) return false;
    std::string_view k;
    IsKeyLine(lines_[static_cast<size_t>(at)], k, v);
    v = Trim(v);
    if (IsQuoted(v)) v = v.substr(1, v.size() - 2);
    return true;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& def) const {
    std::string_view v;
    return Value(section, key, v) ? std::string(v) : def;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    std::string_view v;
    if (!Value(section, key, v)) return def;
    size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) negative = v[i++] == '-';
    uint32_t acc = 0;
    size_t digits = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i, ++digits)
        acc = acc * 10u + static_cast<uint32_t>(v[i] - '0');
    if (digits == 0 || i != v.size()) return def;  // no digits, or something after them
    if (negative) acc = 0u - acc;
    return static_cast<int>(acc);  // two's complement: the value modulo 2^32
}

void TIniFile::Put(std::string_view section, std::string_view key, const std::string& raw) {
    std::string line(key);
    line += '=';
    line += raw;
    const int at = KeyLine(section, key);
    if (at >= 0) {
        lines_[static_cast<size_t>(at)] = std::move(line);
        return;
    }
    const int head = SectionLine(section);
    if (head < 0) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        return;
    }
    // After the section's last non-empty line, before any blank lines that lead to the next one.
    size_t end = static_cast<size_t>(head) + 1;
    size_t insert = end;
    for (; end < lines_.size(); ++end) {
        std::string_view name;
        if (IsSectionHeader(lines_[end], name)) break;
        if (!Trim(lines_[end]).empty()) insert = end + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), std::move(line));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    Put(section, key, std::to_string(value));
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const size_t brk = value.find_first_of("\r\n");
    if (brk != std::string_view::npos) value = value.substr(0, brk);
    const bool wrap =
        !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value));
    Put(section, key, wrap ? "\"" + std::string(value) + "\"" : std::string(value));
}

// ---- snapshot and marker ----------------------------------------------------------------------

std::string SnapshotText(const TParamImage& image) {
    std::string out;
    out.reserve(TParamImage::kSize / 10 * 62);
    char field[16];
    for (int i = 0; i < TParamImage::kSize; ++i) {
        std::snprintf(field, sizeof field, "%5u ", static_cast<unsigned>(image[i]));
        out += field;
        if (i % 10 == 9) out += "\r\n";
    }
    return out;
}

int ReadSnapshot(std::istream& in, TParamImage& image) {
    TWordReader reader(in.rdbuf(), 271);
    TWord word;
    // Into a copy first: a snapshot that fails while being read changes nothing.
    TParamImage read = image;
    int stored = 0;
    while (stored < TParamImage::kSize && reader.Next(word)) {
        uint16_t n = 0;
        bool inRange = false;
        if (!word.AsNumber(n, inRange)) break;
        read[stored++] = static_cast<uint8_t>(n);
    }
    if (reader.Failed()) return 0;
    image = read;
    return stored;
}

bool HasTestMarker(std::istream& in) {
    TWordReader reader(in.rdbuf(), 255);
    TWord word;
    while (reader.Next(word))
        if (word.Equals(kTestMarkerWord)) return true;
    return false;
}

// ---- the window's settings --------------------------------------------------------------------

namespace {

constexpr const char* kCheckBoxKeys[6] = {
    "CheckBoxExtMonitor->Checked", "CheckBoxIgnAll->Checked",    "CheckBoxJetTpsAll->Checked",
    "CheckBoxJetTpsAlli->Checked", "CheckBoxJetIapAll->Checked", "CheckBoxPrivAll->Checked",
};

}  // namespace

void RemoveStaleSaves(const std::string& settingsPath, const std::string& snapshotPath,
                      const std::string& lastFilePath) {
    const std::string settingsDir = fs::path(settingsPath).parent_path().string();
    const std::string settingsName = fs::path(settingsPath).filename().string();
    const std::string snapshotName = fs::path(snapshotPath).filename().string();
    RemoveStaleTemporaries(settingsDir, [&](const std::string& target) {
        return target == settingsName || target == snapshotName;
    });
    if (lastFilePath.empty()) return;
    const fs::path last(lastFilePath);
    const std::string lastName = last.filename().string();
    RemoveStaleTemporaries(last.parent_path().string(), [&](const std::string& target) {
        return target == lastName ||
               (target.size() > 4 && target.compare(target.size() - 4, 4, ".ign") == 0);
    });
}

bool LoadWindowSettings(const std::string& path, TWindowSettings& w) {
    TIniFile ini;
    const bool loaded = ini.Load(path);  // a missing file: every key keeps the value held now
    const char* s = kSettingsSection;
    w.left = ini.ReadInteger(s, "Left", w.left);
    w.top = ini.ReadInteger(s, "Top", w.top);
    w.height = ini.ReadInteger(s, "Height", w.height);
    w.width = ini.ReadInteger(s, "Width", w.width);
    w.comPort = ini.ReadInteger(s, "ComPort", w.comPort);
    w.comPortAuto = ini.ReadInteger(s, "ComPortAuto", w.comPortAuto);
    w.language = ini.ReadInteger(s, "Language", w.language);
    w.file = ini.ReadString(s, "File", "");
    w.lastPath = ini.ReadString(s, "IniDir", "");
    w.page = ini.ReadInteger(s, "PageControl1->ActivePageIndex", w.page);
    for (int i = 0; i < 6; ++i) w.boxes[i] = ini.ReadInteger(s, kCheckBoxKeys[i], w.boxes[i]) != 0;
    w.changeLimited = ini.ReadInteger(s, "TuningChangeLimited", w.changeLimited) != 0;
    w.maxChangePercent = ini.ReadInteger(s, "TuningMaxChange", w.maxChangePercent);
    w.coolantLimited = ini.ReadInteger(s, "TuningCoolantLimited", w.coolantLimited) != 0;
    w.minCoolantC = ini.ReadInteger(s, "TuningMinCoolant", w.minCoolantC);
    w.lockedCells = ini.ReadString(s, "TuningLockedCells", w.lockedCells);
    return loaded;
}

bool SaveWindowSettings(const std::string& path, const TWindowSettings& w) {
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);
    TIniFile ini;
    ini.Load(path);  // keys and sections of others stay as they are
    const char* s = kSettingsSection;
    ini.WriteInteger(s, "Left", w.left);
    ini.WriteInteger(s, "Top", w.top);
    ini.WriteInteger(s, "Height", w.height);
    ini.WriteInteger(s, "Width", w.width);
    ini.WriteInteger(s, "ComPort", w.comPort);
    ini.WriteInteger(s, "ComPortAuto", w.comPortAuto);
    ini.WriteInteger(s, "Language", w.language);
    ini.WriteString(s, "File", w.file);
    ini.WriteString(s, "IniDir", w.lastPath);
    ini.WriteInteger(s, "PageControl1->ActivePageIndex", w.page);
    for (int i = 0; i < 6; ++i) ini.WriteInteger(s, kCheckBoxKeys[i], w.boxes[i] ? 1 : 0);
    // The tuning limits are written once they are used: a file of a program that never used
    // them stays as it always was.
    const TWindowSettings defaults;
    const bool limitsUsed = w.changeLimited || w.coolantLimited || !w.lockedCells.empty() ||
                            w.maxChangePercent != defaults.maxChangePercent ||
                            w.minCoolantC != defaults.minCoolantC ||
                            ini.ReadInteger(s, "TuningChangeLimited", -1) != -1;
    if (limitsUsed) {
        ini.WriteInteger(s, "TuningChangeLimited", w.changeLimited ? 1 : 0);
        ini.WriteInteger(s, "TuningMaxChange", w.maxChangePercent);
        ini.WriteInteger(s, "TuningCoolantLimited", w.coolantLimited ? 1 : 0);
        ini.WriteInteger(s, "TuningMinCoolant", w.minCoolantC);
        ini.WriteString(s, "TuningLockedCells", w.lockedCells);
    }
    return ReplaceFileContents(path, ini.Text());
}

bool LoadSnapshotFile(const std::string& path, TParamImage& image) {
    // A missing snapshot leaves the image; so does one that is no regular file (a folder, a
    // FIFO, a device) or that cannot be read to its end. The program writes about 4 KB; only
    // the first megabyte of anything larger is read.
    TInputFile snapshot(kMaxMarkerBytes);
    if (!snapshot.Open(path)) return false;
    std::istream in(&snapshot);
    return ReadSnapshot(in, image) > 0;
}

bool SaveSnapshotFile(const std::string& path, const TParamImage& image) {
    return ReplaceFileContents(path, SnapshotText(image));
}

bool ReadTestMarkerFile(const std::string& path) {
    // A missing marker, or one that is no regular file or cannot be read, means test mode off.
    TInputFile marker(kMaxMarkerBytes);
    if (!marker.Open(path)) return false;
    std::istream in(&marker);
    return HasTestMarker(in) && !marker.Failed();
}
