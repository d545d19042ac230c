// The parameters of a parameter file as a user reads them: each field with the unit of its shown
// value, in the order of the file, and the fixed load breakpoints of the map rows.
#pragma once

#include <cstdint>

#include "params/param_image.h"

struct TParamEntry {
    TField field;
    const char* unit;  // of the shown value; "" for counts, flags and choices
};

// The image fields a parameter file holds, in the order it writes them (the "Extended Monitor"
// state, the one value of a file outside the image, is not among them).
const TParamEntry* FileParams(int& count);
// The entry of f; nullptr for a field the file does not hold.
const TParamEntry* FileParam(TField f);

inline bool IsMap(TField f) {
    return f == TField::JET_TP || f == TField::JET_TPi || f == TField::JET_IAP;
}
// The RPM axis above the columns of a map.
TField MapAxis(TField map);
// The load of map row r in percent: throttle position for the TP maps, intake pressure for the
// IAP map.
int MapRowLoad(TField map, int row);
// "TP" or "IAP".
const char* MapLoadName(TField map);
// "TP Map 14", "TP Map 23", "IAP Map".
const char* MapCaption(TField map);

// The shown value of element k of f.
inline int ShownValue(const TParamImage& image, TField f, int k) {
    return ToShown(f, image.Get(f, k));
}
