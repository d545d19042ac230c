// The window's parameter set against a parameter file: the file read as Open would read it into
// the window, and one row for every value in which the two differ, in the units the editor shows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "files/file_commands.h"
#include "files/param_diff.h"
#include "files/param_set.h"

struct TCompareRow {
    TParamChange change;  // before: the window's set, after: the file
    std::string name;     // "RPM_ADV[4]", "JET_TP[2][5] (TP 5 %, 6000 rpm)", "EXT_MON"
    std::string mine;     // "6000 rpm"
    std::string other;    // "5000 rpm"
};

// The file laid over a copy of `mine` as Open lays it over the window's set, the motorbike
// constants derived from its type; the values are the file's own, not yet sanitized. Anything but
// Ok leaves `other` alone.
TOpenResult ReadComparedSet(const std::string& path, const TParamSet& mine, TParamSet& other);
// A row for every value in which `other` differs from `mine`, in the order of the file; the map
// cells named with the load of their row and the speed of their column in `mine`.
std::vector<TCompareRow> CompareRows(const TParamSet& mine, const TParamSet& other);
// "5000 rpm", "104 %", "3" (a value without a unit).
std::string ShownWithUnit(TField field, int value);
// The same into `out` (cut to its size), for use where nothing may be allocated.
void FormatShownWithUnit(char* out, size_t size, TField field, int value);
