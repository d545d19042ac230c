// The File commands' dialogs, and reading and writing a parameter file as they do.
#pragma once

#include <cstdint>
#include <string>

#include "params/param_image.h"

constexpr const char* kOpenDialogFilter = "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*";
constexpr const char* kSaveDialogFilter = "Ignition Parametrs(*.ign)|*.ign";
constexpr const char* kParamFileExt = "ign";

enum class TOpenResult : uint8_t { Ok, CannotOpen, Unmatched };
// A parameter file into the image and the extended-monitor flag, all or nothing: CannotOpen for
// what is no readable regular file (also a read error part way), Unmatched for a file of another
// layout version; in both cases nothing changes.
TOpenResult OpenParamFile(const std::string& path, TParamImage& image, bool& extMonitor);

class TAtomicFile;
// The image as parameter file text into a file created beside its target, which then replaces
// the target; false when either fails, the old file staying whole.
bool SaveParamFile(TAtomicFile& file, const TParamImage& image, bool extMonitor);
