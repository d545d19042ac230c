#include "files/param_file.h"

#include <cstdio>
#include <cstring>

#include "files/word_reader.h"

namespace {

// ---- the keys and their scaling -------------------------------------------------------------
//
// Every number in the file is (byte + pre) * scale; reading applies n / scale - pre (integer
// division, truncating) and keeps the low 8 bits. Most values have pre 0; RPM_CORRECTION is kept
// around 100 (pre -100), TPS_100 is an offset of 2500 mV (pre 250) and CHOKE_CORR a percentage
// above 100 (pre 100).

enum class TValueKind : uint8_t { Byte, ExtMonitor };

struct TValueSlot {
    TField field;
    uint8_t element;
    uint8_t scale;
    int16_t pre;
};

struct TKeyEntry {
    const char* key;
    uint8_t count;
    TValueKind kind;
    TField field;  // first field; for single-field keys all numbers go to its elements
    uint8_t scale;
    int16_t pre;
    const TValueSlot* slots;  // per-number slots for keys over several fields, else nullptr
};

constexpr TValueSlot kRpmSlots[] = {{TField::RPM_PULSES, 0, 1, 0},
                                    {TField::RPM_CORRECTION, 0, 1, -100}};
constexpr TValueSlot kPilotSlots[] = {{TField::PILOT_LIGHT, 0, 100, 0},
                                      {TField::INTAKE_VALVE, 0, 100, 0}};
constexpr TValueSlot kTpsSlots[] = {{TField::TPS_0, 0, 10, 0}, {TField::TPS_100, 0, 10, 250}};
constexpr TValueSlot kAccelSlots[] = {{TField::ACCEL_THRESHOLD, 0, 10, 0},
                                      {TField::ACCEL_SIZE, 0, 30, 0}};
constexpr TValueSlot kChokeSlots[] = {
    {TField::CHOKE_TIME, 0, 1, 0},   {TField::CHOKE_TIME, 1, 1, 0},
    {TField::CHOKE_TIME, 2, 1, 0},   {TField::CHOKE_TIME, 3, 1, 0},
    {TField::CHOKE_CORR, 0, 1, 100}, {TField::CHOKE_CORR, 1, 1, 100},
    {TField::CHOKE_CORR, 2, 1, 100}, {TField::CHOKE_CORR, 3, 1, 100}};
constexpr TValueSlot kTuningSlots[] = {{TField::TUNING_LAMBDA, 0, 10, 0},
                                       {TField::TUNING_ACCURACY, 0, 10, 0},
                                       {TField::TUNING_RPM, 0, 10, 0},
                                       {TField::TUNING_TPS, 0, 1, 0},
                                       {TField::TUNING_STEP, 0, 100, 0}};

constexpr TValueKind B = TValueKind::Byte;

// The keys that carry data (the version key is handled apart), in the order they are written.
constexpr TKeyEntry kKeys[] = {
    {"RPM_ADV", 10, B, TField::RPM_ADV, 100, 0, nullptr},
    {"ADVANCE", 10, B, TField::ADVANCE, 1, 0, nullptr},
    {"RPM", 2, B, TField::RPM_PULSES, 1, 0, kRpmSlots},
    {"LIMITER2", 1, B, TField::LIMITER2, 100, 0, nullptr},
    {"PILOT_LIGHT", 2, B, TField::PILOT_LIGHT, 100, 0, kPilotSlots},
    {"BIKE", 1, B, TField::BIKE, 1, 0, nullptr},
    {"EXT_MON", 1, TValueKind::ExtMonitor, TField::BIKE, 1, 0, nullptr},
    {"BLOK_ENABLE", 1, B, TField::BLOK_ENABLE, 1, 0, nullptr},
    {"IAP_TO_TPS", 1, B, TField::IAP_TO_TPS, 1, 0, nullptr},
    {"TPS_MODE", 1, B, TField::TPS_MODE, 1, 0, nullptr},
    {"RPM_JET_TP", 10, B, TField::RPM_JET_TP, 100, 0, nullptr},
    {"JET_TP", 100, B, TField::JET_TP, 1, 0, nullptr},
    {"RPM_JET_TPi", 10, B, TField::RPM_JET_TPi, 100, 0, nullptr},
    {"JET_TPi", 100, B, TField::JET_TPi, 1, 0, nullptr},
    {"RPM_JET_IAP", 10, B, TField::RPM_JET_IAP, 100, 0, nullptr},
    {"JET_IAP", 100, B, TField::JET_IAP, 1, 0, nullptr},
    {"TPS", 2, B, TField::TPS_0, 10, 0, kTpsSlots},
    {"ACCEL", 2, B, TField::ACCEL_THRESHOLD, 10, 0, kAccelSlots},
    {"START_JET", 1, B, TField::START_JET, 1, 0, nullptr},
    {"COOLING", 1, B, TField::COOLING, 1, 0, nullptr},
    {"WATER_TEMP", 5, B, TField::WATER_TEMP, 1, 0, nullptr},
    {"CHOKE", 8, B, TField::CHOKE_TIME, 1, 0, kChokeSlots},
    {"AIR_TEMP", 5, B, TField::AIR_TEMP, 1, 0, nullptr},
    {"PRIV_ENABLE", 1, B, TField::PRIV_ENABLE, 1, 0, nullptr},  // read as is, not reduced to 0/1
    {"PRIV_HYSTER", 1, B, TField::PRIV_HYSTER, 5, 0, nullptr},
    {"RPM_PRIV", 10, B, TField::RPM_PRIV, 100, 0, nullptr},
    {"NAP_PRIV", 10, B, TField::NAP_PRIV, 20, 0, nullptr},
    {"TUNING", 5, B, TField::TUNING_LAMBDA, 10, 0, kTuningSlots},
};

TValueSlot SlotOf(const TKeyEntry& e, int k) {
    if (e.slots != nullptr) return e.slots[k];
    return {e.field, static_cast<uint8_t>(k), e.scale, e.pre};
}

const TKeyEntry* FindKey(const TWord& w) {
    for (const TKeyEntry& e : kKeys)
        if (w.Equals(e.key)) return &e;
    return nullptr;
}

// ---- writing ---------------------------------------------------------------------------------

// The entry of a key the writer names; every name it uses is in the table.
const TKeyEntry& KeyNamed(const char* key) {
    for (const TKeyEntry& e : kKeys)
        if (std::strcmp(e.key, key) == 0) return e;
    return kKeys[0];
}

class TWriter {
  public:
    explicit TWriter(std::ostream& out) : out_(out) {}

    void Text(const char* s) { out_.write(s, static_cast<std::streamsize>(std::strlen(s))); }
    void LineEnd() { Text("\r\n"); }
    // A line end, then the key text with its padding.
    void Key(const char* padded) {
        LineEnd();
        Text(padded);
    }
    void Unsigned(unsigned v) { Format("%5u ", v); }
    void Signed(int v) {
        char buf[24];
        const int n = std::snprintf(buf, sizeof buf, "%5d ", v);
        out_.write(buf, n);
    }
    void Format(const char* fmt, unsigned v) {
        char buf[24];
        const int n = std::snprintf(buf, sizeof buf, fmt, v);
        out_.write(buf, n);
    }
    // The written value of one byte of a key: (byte + pre) * scale.
    void Value(const TParamImage& im, const TValueSlot& s) {
        const int v = (im.Get(s.field, s.element) + s.pre) * s.scale;
        if (v < 0)
            Signed(v);
        else
            Unsigned(static_cast<unsigned>(v));
    }
    void Values(const TParamImage& im, const char* key, int first, int count) {
        const TKeyEntry& e = KeyNamed(key);
        for (int i = first; i < first + count; ++i) Value(im, SlotOf(e, i));
    }
    // A map of 100 values: after every 10th a line end and 12 blanks, so the continuation lines
    // line up under the first value and the map ends with a line holding only those blanks.
    void Map(const TParamImage& im, const char* key) {
        const TKeyEntry& e = KeyNamed(key);
        for (int i = 0; i < 100; ++i) {
            Value(im, SlotOf(e, i));
            if (i % 10 == 9) Text("\r\n            ");
        }
    }

  private:
    std::ostream& out_;
};

}  // namespace

namespace {

// The version line, the advance curve and the ignition page's single values.
void WriteIgnition(TWriter& w, const TParamImage& im, bool extMonitor) {
    w.Text("VELMAROK_KEY  ");
    w.Format("%3u ", kParamFileVersion);
    w.LineEnd();
    w.Text("RPM_ADV     ");
    w.Values(im, "RPM_ADV", 0, 10);
    w.Key("ADVANCE     ");
    w.Values(im, "ADVANCE", 0, 10);
    w.LineEnd();
    w.Key("RPM          ");
    w.Unsigned(im.Get(TField::RPM_PULSES));
    w.Signed(im.Get(TField::RPM_CORRECTION) - 100);  // always signed, also when not negative
    w.Key("LIMITER2    ");
    w.Values(im, "LIMITER2", 0, 1);
    w.Key("PILOT_LIGHT ");
    w.Values(im, "PILOT_LIGHT", 0, 2);
    w.LineEnd();
    w.Key("BIKE        ");
    w.Values(im, "BIKE", 0, 1);
    w.Key("EXT_MON     ");
    w.Text(extMonitor ? "    1" : "    0");
    w.Key("BLOK_ENABLE ");
    w.Values(im, "BLOK_ENABLE", 0, 1);
    w.Key("IAP_TO_TPS  ");
    w.Values(im, "IAP_TO_TPS", 0, 1);
    w.Key("TPS_MODE    ");
    w.Values(im, "TPS_MODE", 0, 1);
    w.LineEnd();
}

// The three maps with their axes.
void WriteMaps(TWriter& w, const TParamImage& im) {
    w.Key("RPM_JET_TP  ");
    w.Values(im, "RPM_JET_TP", 0, 10);
    w.Key("JET_TP      ");
    w.Map(im, "JET_TP");
    w.LineEnd();
    w.Key("RPM_JET_TPi ");
    w.Values(im, "RPM_JET_TPi", 0, 10);
    w.Key("JET_TPi     ");
    w.Map(im, "JET_TPi");
    w.LineEnd();
    w.Key("RPM_JET_IAP ");
    w.Values(im, "RPM_JET_IAP", 0, 10);
    w.Key("JET_IAP     ");
    w.Map(im, "JET_IAP");
}

// The miscellaneous page, the servo curve and the tuning settings.
void WriteCorrections(TWriter& w, const TParamImage& im) {
    w.Key("TPS         ");
    w.Values(im, "TPS", 0, 2);
    w.Key("ACCEL       ");
    w.Values(im, "ACCEL", 0, 2);
    w.Key("START_JET   ");
    w.Values(im, "START_JET", 0, 1);
    w.Key("COOLING     ");
    w.Values(im, "COOLING", 0, 1);
    w.Key("WATER_TEMP  ");
    w.Values(im, "WATER_TEMP", 0, 5);
    w.Key("CHOKE       ");
    w.Values(im, "CHOKE", 0, 4);
    w.LineEnd();  // the correction half follows on a line of its own, without key or indent
    w.Values(im, "CHOKE", 4, 4);
    w.Key("AIR_TEMP    ");
    w.Values(im, "AIR_TEMP", 0, 5);
    w.LineEnd();
    w.Key("PRIV_ENABLE");
    w.Text(im.Get(TField::PRIV_ENABLE) != 0 ? "     1" : "     0");
    w.Key("PRIV_HYSTER");
    w.Text(" ");
    w.Values(im, "PRIV_HYSTER", 0, 1);
    w.Key("RPM_PRIV    ");
    w.Values(im, "RPM_PRIV", 0, 10);
    w.Key("NAP_PRIV    ");
    w.Values(im, "NAP_PRIV", 0, 10);
    w.LineEnd();
    w.Key("TUNING      ");
    w.Values(im, "TUNING", 0, 5);
}

}  // namespace

void WriteParamFile(std::ostream& out, const TParamImage& im, bool extMonitor) {
    TWriter w(out);
    WriteIgnition(w, im, extMonitor);
    WriteMaps(w, im);
    WriteCorrections(w, im);
}

// Reading. Words are read one at a time into a fixed buffer (see TWordReader): a word longer than
// 271 characters is consumed whole and then matches no key and is no number, so it is skipped
// like any unknown word. Numbers are taken modulo 65536 (a leading minus sign included), so
// numbers above 65535 wrap instead of overflowing. The version is read like any number, so -65493
// is 43 as well; only a number above 65535 that wraps to 43 is not taken for the version.
//
// A key is followed by its fixed count of numbers. When a word that is not a number comes first
// (or the stream ends), the numbers read so far are stored, the key's remaining bytes stay as they
// were, and that word is taken as the next word to look at, so a key cut short does not swallow
// the key after it.
bool ReadParamFile(std::istream& in, TParamImage& image, bool& extMonitor) {
    TWordReader reader(in.rdbuf(), TWord::kCapacity - 1);
    TWord word;

    // Everything up to the first version key carrying 43 is ignored.
    bool matched = false;
    bool have = reader.Next(word);
    while (have && !matched) {
        if (!word.Equals("VELMAROK_KEY")) {
            have = reader.Next(word);
            continue;
        }
        have = reader.Next(word);
        uint16_t n = 0;
        bool inRange = false;
        if (have && word.AsNumber(n, inRange) && inRange && n == kParamFileVersion) matched = true;
        // Otherwise the word after the key is looked at like any other, so a version key right
        // behind it still counts.
    }

    // The keys go into copies, taken over only when the whole stream could be read: a read
    // error part way leaves the set as it was, like a file that cannot be opened.
    TParamImage read = image;
    bool readExt = extMonitor;
    bool pending = matched && reader.Next(word);  // word holds an unprocessed word
    while (pending) {
        const TKeyEntry* e = FindKey(word);
        pending = reader.Next(word);
        if (e == nullptr) continue;  // unknown words are skipped one at a time
        for (int k = 0; k < e->count && pending; ++k) {
            uint16_t n = 0;
            bool inRange = false;
            if (!word.AsNumber(n, inRange)) break;  // look at this word again as a key
            if (e->kind == TValueKind::ExtMonitor) {
                readExt = n != 0;
            } else {
                const TValueSlot s = SlotOf(*e, k);
                read.Set(s.field, s.element, static_cast<uint8_t>(n / s.scale - s.pre));
            }
            pending = reader.Next(word);
        }
    }
    if (reader.Failed()) {
        try {
            in.setstate(std::ios::badbit);
        } catch (...) {
            // A stream that throws on errors has been told anyway.
        }
        return false;
    }
    if (!matched) return false;
    image = read;
    extMonitor = readExt;
    return true;
}
