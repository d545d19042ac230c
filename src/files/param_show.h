// A parameter set as tables in the units the editor shows: the single values, the curves and the
// three maps with their RPM axes and load rows.
#pragma once

#include <string>

#include "files/param_set.h"

std::string ShowParamSetText(const TParamSet& set);
// {"parameters": {"LIMITER2": {"unit": "rpm", "value": 14000}, "RPM_ADV": {"unit": "rpm",
// "values": [...]}, "JET_TP": {"unit": "%", "axis": "RPM_JET_TP", "load": "TP", "rows": [0, 2,
// ...], "cells": [[...], ...]}, ..., "EXT_MON": {"unit": "", "value": 0}}}, in the file's order.
std::string ShowParamSetJson(const TParamSet& set);
