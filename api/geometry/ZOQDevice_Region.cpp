#include "geometry/ZOQDevice_Region.h"
#include "ZoqOut.h"

namespace {

// margin: how far from the far edge a start may lie (3 or 4); minimum: the
// smallest size (4 or 5).
ZoqFittedRegion Fit(const ZoqRegion& r, int W, int H, int margin, int minimum) {
    ZoqFittedRegion f;
    int x = r.x, y = r.y, width = r.width, height = r.height;
    if (x < 0) x = 0;
    if (x >= W - margin) x = W - margin - 1;
    if (y < 0) y = 0;
    if (y >= H - margin) y = H - margin - 1;
    if (width < minimum) width = minimum;
    if (width > W) width = W;
    if (height < minimum) height = minimum;
    if (height > H) height = H;
    if (x + width > W) width = W - x;
    if (y + height > H) {
        height = H - y;
        f.rowOrigin = 0;
    } else {
        f.rowOrigin = H - y - height;
    }
    f.x = x;
    f.width = width;
    f.height = height;
    return f;
}

}  // namespace

ZoqFittedRegion FitRegionEven(const ZoqRegion& requested, int frameWidth, int frameHeight) {
    ZoqFittedRegion f = Fit(requested, frameWidth, frameHeight, 3, 4);
    f.x &= ~1;
    f.width &= ~1;
    f.height &= ~1;
    f.rowOrigin &= ~1;
    return f;
}

ZoqFittedRegion FitRegionFocus(const ZoqRegion& requested, int frameWidth, int frameHeight) {
    return Fit(requested, frameWidth, frameHeight, 4, 5);
}

void ZoqPutRegion(const ZoqRegion& region, bool show, int* x, int* y, int* width, int* height,
                  bool* showOut) {
    zoq::Put(x, region.x);
    zoq::Put(y, region.y);
    zoq::Put(width, region.width);
    zoq::Put(height, region.height);
    zoq::Put(showOut, show);
}
