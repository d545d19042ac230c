#include "files/param_compare.h"

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

std::string ShownWithUnit(TField field, int value) {
    const TParamEntry* e = field == TField::Count ? nullptr : FileParam(field);
    std::string s = std::to_string(value);
    if (e != nullptr && *e->unit != 0) s += std::string(" ") + e->unit;
    return s;
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
