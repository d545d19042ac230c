// The printout's page geometry: the window picture drawn at the page's top-left corner, scaled
// to fit the printable area while keeping its proportions.
#pragma once

struct TPrintRect {
    int width = 0;
    int height = 0;
};

// The size the picture (pictureWidth x pictureHeight) is drawn at on a printable area of
// pageWidth x pageHeight: the full page height when the page is wider than the picture at that
// height, else the full page width. Both divisions round to the nearest pixel; a picture or page
// without area gives an empty rectangle.
TPrintRect FitToPage(int pictureWidth, int pictureHeight, int pageWidth, int pageHeight);
