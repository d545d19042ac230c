// Monitor frames from somewhere else than the engine model: the virtual unit answers a monitor
// request with the source's frame when it has one.
#pragma once

#include <cstdint>

class TMonitorSource {
  public:
    virtual ~TMonitorSource() = default;
    // Writes the 102-byte frame due at the unit's tick into frame; false to let the engine
    // answer.
    virtual bool FrameAt(int tick, uint8_t* frame) = 0;
};
