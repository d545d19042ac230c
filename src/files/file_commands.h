// The texts of the File menu's dialogs.
#pragma once

constexpr const char* kOpenDialogFilter = "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*";
constexpr const char* kSaveDialogFilter = "Ignition Parametrs(*.ign)|*.ign";
constexpr const char* kParamFileExt = "ign";
