#include "ui/print.h"

#include <cstdint>

namespace {

// a * b / c rounded to the nearest whole number, for positive values.
int MulDivRound(int a, int b, int c) {
    const int64_t p = static_cast<int64_t>(a) * b;
    return static_cast<int>((p + c / 2) / c);
}

}  // namespace

TPrintRect FitToPage(int w, int h, int pw, int ph) {
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0) return {};
    const int atPageHeight = MulDivRound(w, ph, h);
    if (pw > atPageHeight) return {atPageHeight, ph};
    return {pw, MulDivRound(h, pw, w)};
}
