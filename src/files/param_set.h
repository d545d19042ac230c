// A parameter set away from the window: what the window holds after opening a parameter file,
// the default set of a motorbike type, and writing a set as the window's Save does.
#pragma once

#include <string>

#include "params/param_image.h"

struct TParamSet {
    TParamImage image;
    bool extMonitor = false;  // the "Extended Monitor" state the file carries
};

// The set of a parameter file as a freshly started window shows it after Open: the default set
// of motorbike type 0 with the file laid over it and the motorbike constants derived from the
// file's BIKE (not sanitized). False with the window's message (English) when the file cannot be
// read ("Open file error!") or holds no version 43 ("Unmatched version of *.ign file!").
bool LoadParamSet(const std::string& path, TParamSet& set, std::string& error);

// The default set of motorbike type `bike` (0 to 4) as the window holds it when the type is
// chosen and the set saved: sanitized, and every value within its editor field's range (the
// servo voltages of type 0, 0 in its table, are 20 mV, the lowest the field shows).
TParamSet DefaultParamSet(int bike);
// The set after the sanitizing that precedes every show, store and send.
TParamSet SanitizedParamSet(const TParamSet& set);

// The file text exactly as the window's Save writes it for this set.
std::string ParamSetText(const TParamSet& set);
// Replaces the file with the set's text as Save does (nothing is left half-written); false when
// it could not be written.
bool SaveParamSet(const std::string& path, const TParamSet& set);
