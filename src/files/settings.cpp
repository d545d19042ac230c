// Settings file, image snapshot and test marker.
#include "files/settings.h"

#include <cstdio>
#include <filesystem>
#include <istream>

#include "app/Hlav.h"
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

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& def) const {
    const int at = KeyLine(section, key);
    if (at < 0) return def;
    std::string_view k, v;
    IsKeyLine(lines_[static_cast<size_t>(at)], k, v);
    v = Trim(v);
    if (IsQuoted(v)) v = v.substr(1, v.size() - 2);
    return std::string(v);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const int at = KeyLine(section, key);
    if (at < 0) return def;
    std::string_view k, v;
    IsKeyLine(lines_[static_cast<size_t>(at)], k, v);
    v = Trim(v);
    if (IsQuoted(v)) v = v.substr(1, v.size() - 2);
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

// Temporary files of saves that were killed half way: of the settings and the snapshot in their
// folder, and of parameter files beside the last file.
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

}  // namespace

void TFormHlav::LoadSettings() {
    TIniFile ini;
    ini.Load(settingsPath);  // a missing file: every key keeps the value held now
    const char* s = kSettingsSection;

    FormHlav.left = ini.ReadInteger(s, "Left", FormHlav.left);
    FormHlav.top = ini.ReadInteger(s, "Top", FormHlav.top);
    FormHlav.height = ini.ReadInteger(s, "Height", FormHlav.height);
    FormHlav.width = ini.ReadInteger(s, "Width", FormHlav.width);

    // Stored counting from 1; the values held now (1 and 0) make a missing key COM1 and 255.
    link.portChoice = static_cast<uint8_t>(ini.ReadInteger(s, "ComPort", link.portChoice) - 1);
    link.scanPosition =
        static_cast<uint8_t>(ini.ReadInteger(s, "ComPortAuto", link.scanPosition) - 1);

    language = static_cast<uint8_t>(ini.ReadInteger(s, "Language", language));

    LabelFile2.SetText(ini.ReadString(s, "File", ""));
    // Both dialogs propose the last file, also when there is none: the open dialog's blank
    // design name does not outlive the start-up.
    LastFilePath = ini.ReadString(s, "IniDir", "");
    openDialogPath = LastFilePath;
    saveDialogPath = LastFilePath;

    // A tab the page control does not have cannot be shown: such an index counts as missing.
    const int page = ini.ReadInteger(s, "PageControl1->ActivePageIndex", PageControl1.Position());
    if (page >= kPageIgn && page <= kPageLadeni) PageControl1.SetPosition(page);

    TControl* boxes[6] = {&CheckBoxExtMonitor, &CheckBoxIgnAll, &Tp14.all,
                          &Tp23.all,           &Iap.all,        &CheckBoxPrivAll};
    for (int i = 0; i < 6; ++i)
        boxes[i]->SetChecked(ini.ReadInteger(s, kCheckBoxKeys[i], boxes[i]->Checked() ? 1 : 0) !=
                             0);

    // A missing snapshot leaves the default set; so does one that is no regular file (a folder,
    // a FIFO, a device) or that cannot be read to its end.
    TInputFile snapshot;
    if (snapshot.Open(snapshotPath)) {
        std::istream in(&snapshot);
        ReadSnapshot(in, image);
    }

    RemoveStaleSaves(settingsPath, snapshotPath, LastFilePath);
}

void TFormHlav::SaveSettings() {
    std::error_code ec;
    const fs::path folder = fs::path(settingsPath).parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);

    TIniFile ini;
    ini.Load(settingsPath);  // keys and sections of others stay as they are
    const char* s = kSettingsSection;
    ini.WriteInteger(s, "Left", FormHlav.left);
    ini.WriteInteger(s, "Top", FormHlav.top);
    ini.WriteInteger(s, "Height", FormHlav.height);
    ini.WriteInteger(s, "Width", FormHlav.width);
    ini.WriteInteger(s, "ComPort", link.portChoice + 1);
    ini.WriteInteger(s, "ComPortAuto", link.scanPosition + 1);
    ini.WriteInteger(s, "Language", language);
    ini.WriteString(s, "File", LabelFile2.Text());
    ini.WriteString(s, "IniDir", LastFilePath);
    ini.WriteInteger(s, "PageControl1->ActivePageIndex", PageControl1.Position());
    const TControl* boxes[6] = {&CheckBoxExtMonitor, &CheckBoxIgnAll, &Tp14.all,
                                &Tp23.all,           &Iap.all,        &CheckBoxPrivAll};
    for (int i = 0; i < 6; ++i) ini.WriteInteger(s, kCheckBoxKeys[i], boxes[i]->Checked() ? 1 : 0);
    // A file that cannot be replaced (a full disk, a read-only folder, a folder standing at the
    // file's place) keeps its old contents; the program goes on closing and says so once, on the
    // error output, since the window is already gone.
    const bool settingsSaved = ReplaceFileContents(settingsPath, ini.Text());
    const bool snapshotSaved = ReplaceFileContents(snapshotPath, SnapshotText(image));
    if (!settingsSaved || !snapshotSaved) {
        std::fprintf(stderr, "quorvel05: could not save %s%s%s\n",
                     settingsSaved ? "" : settingsPath.c_str(),
                     !settingsSaved && !snapshotSaved ? " and " : "",
                     snapshotSaved ? "" : snapshotPath.c_str());
    }
}

void TFormHlav::ReadTestMarker() {
    testMode = false;
    // A missing marker, or one that is no regular file or cannot be read, means test mode off.
    TInputFile marker(kMaxMarkerBytes);
    if (!marker.Open(markerPath)) return;
    std::istream in(&marker);
    testMode = HasTestMarker(in) && !marker.Failed();
}
