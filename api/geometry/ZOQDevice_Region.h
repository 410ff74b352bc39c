// Measurement regions of white balance, auto exposure and auto focus, fitted
// to a frame. A region's y counts from the top of the image as the
// application sees it; frames lie bottom-up in the buffer, so the fitted
// region names its first buffer row (rowOrigin).
#pragma once

struct ZoqRegion {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ZoqFittedRegion {
    int x = 0;          // first column
    int rowOrigin = 0;  // first buffer row
    int width = 0;
    int height = 0;
};

// The rule of white balance and auto exposure: margins of 3 and 4 pixels,
// sizes of at least 4, all four values even.
ZoqFittedRegion FitRegionEven(const ZoqRegion& requested, int frameWidth, int frameHeight);

// Writes a requested region and its show flag through the pointers that are
// not null (the getters of white balance, auto exposure and auto focus).
void ZoqPutRegion(const ZoqRegion& region, bool show, int* x, int* y, int* width, int* height,
                  bool* showOut);

// The rule of auto focus: margins of 4 and 5 pixels, sizes of at least 5,
// no rounding.
ZoqFittedRegion FitRegionFocus(const ZoqRegion& requested, int frameWidth, int frameHeight);
