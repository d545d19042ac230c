// Settings file, image snapshot and test marker.
#include "app/Hlav.h"

void TFormHlav::LoadSettings() {}
void TFormHlav::SaveSettings() {}
void TFormHlav::ReadTestMarker() { testMode = false; }
