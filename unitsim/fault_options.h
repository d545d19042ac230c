// Fault switches of the virtual unit given as words ("silent", "layout=42", "differ=3", ...),
// and the engine's held operating point ("point=5000,20,30,tp").
#pragma once

#include <string>

#include "unit_sim.h"

// Applies one switch; false when the word is not known.
bool ApplyFaultOption(TUnitFaults& faults, const std::string& word);
