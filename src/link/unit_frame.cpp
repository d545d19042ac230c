#include "link/unit_frame.h"

uint8_t FrameCheckByte(uint8_t code, const uint8_t* data) {
    uint8_t check = code ^ 255;
    for (int i = 0; i < kFrameData; ++i) check ^= data[i];
    return check;
}

void TUnitFrame::Seal() {
    bytes[kFrameSize - 1] = FrameCheckByte(bytes[0], DataPtr());
}

bool FrameCheckOk(const uint8_t* frame) {
    uint8_t x = 255;
    for (int i = 0; i < kFrameSize; ++i) x ^= frame[i];
    return x == 0;
}
