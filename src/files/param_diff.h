// What differs between two parameter sets, value by value in the units the editor shows, over
// what a parameter file holds; and what sanitizing would change in a set.
#pragma once

#include <string>
#include <vector>

#include "files/param_set.h"

struct TParamChange {
    TField field;     // TField::Count stands for the "Extended Monitor" state (EXT_MON)
    int element = 0;  // element index; 10 * row + column of a map cell
    int before = 0;   // shown values
    int after = 0;
};

// The values in which `after` differs from `before`, in the order of the file.
std::vector<TParamChange> CompareParamSets(const TParamSet& before, const TParamSet& after);
// What SanitizedParamSet would change in the set.
inline std::vector<TParamChange> SanitizingChanges(const TParamSet& set) {
    return CompareParamSets(set, SanitizedParamSet(set));
}

// "RPM_ADV[3]", "JET_TP[2][5]", "LIMITER2", "EXT_MON".
std::string ChangeName(const TParamChange& c);
// One line per change, "JET_TP[2][5] (TP 5 %, 6000 rpm): 100 -> 104 %", the map column's speed
// taken from `context`.
std::string ChangesText(const std::vector<TParamChange>& changes, const TParamSet& context);
// {"count": n, "<listKey>": [{"parameter": ..., "index" or "row"/"column", "unit",
// "<beforeKey>": v, "<afterKey>": v}, ...]}
struct TChangeKeys {
    const char* list;
    const char* before;
    const char* after;
};
std::string ChangesJson(const std::vector<TParamChange>& changes, const TChangeKeys& keys);
