#include "files/param_diff.h"

#include "files/json_text.h"
#include "params/param_catalog.h"

namespace {

const char* Unit(const TParamChange& c) {
    const TParamEntry* e = c.field == TField::Count ? nullptr : FileParam(c.field);
    return e != nullptr ? e->unit : "";
}

std::string WithUnit(int v, const char* unit) {
    std::string s = std::to_string(v);
    return *unit != 0 ? s + " " + unit : s;
}

}  // namespace

std::vector<TParamChange> CompareParamSets(const TParamSet& before, const TParamSet& after) {
    std::vector<TParamChange> out;
    int count = 0;
    const TParamEntry* params = FileParams(count);
    for (int i = 0; i < count; ++i) {
        const TField f = params[i].field;
        for (int k = 0; k < FieldInfo(f).count; ++k) {
            const int a = ShownValue(before.image, f, k), b = ShownValue(after.image, f, k);
            if (a != b) out.push_back({f, k, a, b});
        }
    }
    if (before.extMonitor != after.extMonitor)
        out.push_back({TField::Count, 0, before.extMonitor ? 1 : 0, after.extMonitor ? 1 : 0});
    return out;
}

std::string ChangeName(const TParamChange& c) {
    if (c.field == TField::Count) return "EXT_MON";
    const std::string name = FieldInfo(c.field).name;
    if (IsMap(c.field))
        return name + "[" + std::to_string(c.element / 10) + "][" + std::to_string(c.element % 10) +
               "]";
    if (FieldInfo(c.field).count > 1) return name + "[" + std::to_string(c.element) + "]";
    return name;
}

std::string ChangesText(const std::vector<TParamChange>& changes, const TParamSet& context) {
    std::string out;
    for (const TParamChange& c : changes) {
        out += ChangeName(c);
        if (IsMap(c.field)) {
            const int rpm = ShownValue(context.image, MapAxis(c.field), c.element % 10);
            out += std::string(" (") + MapLoadName(c.field) + " " +
                   std::to_string(MapRowLoad(c.field, c.element / 10)) + " %, " +
                   std::to_string(rpm) + " rpm)";
        }
        out += ": " + std::to_string(c.before) + " -> " + WithUnit(c.after, Unit(c)) + "\n";
    }
    return out;
}

std::string ChangesJson(const std::vector<TParamChange>& changes, const TChangeKeys& keys) {
    std::string out =
        "{\"count\": " + std::to_string(changes.size()) + ", \"" + keys.list + "\": [";
    for (size_t i = 0; i < changes.size(); ++i) {
        const TParamChange& c = changes[i];
        const std::string name = c.field == TField::Count ? "EXT_MON" : FieldInfo(c.field).name;
        out += i == 0 ? "\n  " : ",\n  ";
        out += "{\"parameter\": " + JsonString(name);
        if (IsMap(c.field))
            out += ", \"row\": " + std::to_string(c.element / 10) +
                   ", \"column\": " + std::to_string(c.element % 10);
        else if (c.field != TField::Count && FieldInfo(c.field).count > 1)
            out += ", \"index\": " + std::to_string(c.element);
        out += ", \"unit\": " + JsonString(Unit(c)) + ", \"" + keys.before +
               "\": " + std::to_string(c.before) + ", \"" + keys.after +
               "\": " + std::to_string(c.after) + "}";
    }
    return out + (changes.empty() ? "]}\n" : "\n]}\n");
}
