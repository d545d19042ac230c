// The settings (INI) reader on any text: the lines survive a rewrite unchanged, what is written
// reads back, and settings loaded at start-up end within their ranges after sanitizing.
#include <cstring>
#include <string_view>

#include "files/settings.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Parsing and writing back changes no line.
    TIniFile ini;
    ini.Parse(text);
    TIniFile again;
    again.Parse(ini.Text());
    FUZZ_CHECK(again.Lines() == ini.Lines());

    // Values written under the program's section read back as written (a text up to its first
    // line break), also into a file that holds anything else.
    const std::string value(text.substr(0, std::min<size_t>(text.size(), 40)));
    int number = 0;
    std::memcpy(&number, data, std::min(size, sizeof number));
    ini.WriteString(kSettingsSection, "File", value);
    ini.WriteInteger(kSettingsSection, "Left", number);
    ini.WriteString(kSettingsSection, "IniDir", "");
    FUZZ_CHECK(ini.ReadString(kSettingsSection, "File", "?") ==
               value.substr(0, value.find_first_of("\r\n")));
    FUZZ_CHECK(ini.ReadInteger(kSettingsSection, "Left", number + 1) == number);
    FUZZ_CHECK(ini.ReadString(kSettingsSection, "IniDir", "?").empty());
    again.Parse(ini.Text());
    FUZZ_CHECK(again.Lines() == ini.Lines());

    // Loaded at start-up from the file, then sanitized: every setting within its range.
    static THarness h;
    static TFormHlav& form = h.Start("");
    {
        std::ofstream out(form.settingsPath, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    form.language = kLangCzech;
    form.link.portChoice = 1;
    form.link.scanPosition = 0;
    form.LoadSettings();
    form.Sanitize();
    FUZZ_CHECK(form.language <= kLangGerman);
    FUZZ_CHECK(form.link.portChoice <= kPortChoiceAuto);
    FUZZ_CHECK(form.link.scanPosition < 20);
    FUZZ_CHECK(form.PageControl1.Position() >= kPageIgn &&
               form.PageControl1.Position() <= kPageLadeni);
    return 0;
}
