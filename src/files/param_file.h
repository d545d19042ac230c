// The .ign parameter file: the editable part of the parameter image (and the state of the
// "Extended Monitor" check box) as keywords, each followed by a fixed count of decimal numbers.
#pragma once

#include <istream>
#include <ostream>

#include "params/param_image.h"

// The format version written after VELMAROK_KEY; the only one read.
constexpr unsigned kParamFileVersion = 43;

// Writes the whole file (67 lines, CR LF line ends, no line end after the last line). Reads the
// image and does not change it. Stream errors are the caller's to check.
void WriteParamFile(std::ostream& out, const TParamImage& image, bool extMonitor);

// Overlays the keys found after the first VELMAROK_KEY 43 on the image and on extMonitor. Returns
// false, having changed nothing, when the stream holds no version key with the value 43, and also
// when the stream fails while being read; the stream's badbit then tells the read error apart.
bool ReadParamFile(std::istream& in, TParamImage& image, bool& extMonitor);
