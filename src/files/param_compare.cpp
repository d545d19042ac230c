#include "files/param_compare.h"

#include <cstdio>

#include "params/bike_types.h"
#include "params/param_catalog.h"

TOpenResult ReadComparedSet(const std::string& path, const TParamSet& mine, TParamSet& other) {
    TParamSet read = mine;
    const TOpenResult result = OpenParamFile(path, read.image, read.extMonitor);
    if (result != TOpenResult::Ok) return result;
    UpdateBikeConstants(read.image);
    other = read;
    return result;
}

void FormatShownWithUnit(char* out, size_t size, TField field, int value) {
    const TParamEntry* e = field == TField::Count ? nullptr : FileParam(field);
    if (e != nullptr && *e->unit != 0)
        std::snprintf(out, size, "%d %s", value, e->unit);
    else
        std::snprintf(out, size, "%d", value);
}

std::string ShownWithUnit(TField field, int value) {
    char text[48];
    FormatShownWithUnit(text, sizeof text, field, value);
    return text;
}

std::vector<TCompareRow> CompareRows(const TParamSet& mine, const TParamSet& other) {
    std::vector<TCompareRow> rows;
    for (const TParamChange& c : CompareParamSets(mine, other)) {
        TCompareRow row{c, ChangeName(c), ShownWithUnit(c.field, c.before),
                        ShownWithUnit(c.field, c.after)};
        if (IsMap(c.field)) {
            const int rpm = ShownValue(mine.image, MapAxis(c.field), c.element % 10);
            row.name += std::string(" (") + MapLoadName(c.field) + " " +
                        std::to_string(MapRowLoad(c.field, c.element / 10)) + " %, " +
                        std::to_string(rpm) + " rpm)";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
