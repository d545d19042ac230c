// Operating-point tracking: the map cells, curve points and rows the engine runs in.
#include "app/Hlav.h"

void TFormHlav::TrackOperatingPoint() {}
