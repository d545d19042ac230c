// Settings file, image snapshot and test marker.
#include "app/Hlav.h"

void TFormHlav::LoadSettings() {
    // No settings yet: the stored port values count from 1.
    link.portChoice = static_cast<uint8_t>(link.portChoice - 1);
    link.scanPosition = static_cast<uint8_t>(link.scanPosition - 1);
}
void TFormHlav::SaveSettings() {}
void TFormHlav::ReadTestMarker() { testMode = false; }
