#pragma once

// Editor page indices, in the order of PageControl1.
enum TPageIndex : int {
    kPageIgn = 0,
    kPageTp14 = 1,
    kPageTp23 = 2,
    kPageIap = 3,
    kPageMisc = 4,
    kPageServo = 5,
    kPageLadeni = 6
};
