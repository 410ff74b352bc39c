// The geometry of one frame as a capture sees it: what the read asks the
// camera for and how the pipeline lays the frame out. A capture takes it in
// one piece under the device's state lock and sizes its buffers, its read
// and its pipeline from it, so that they agree even when another thread (or
// a callback of the capture itself) changes the window or the Bayer mode.
#pragma once

#include <cstddef>

struct ZoqFrameShape {
    int readBytes = 0;  // what the camera sends (the plug-in's capture bytes)
    int rawBytes = 0;   // what the raw buffer holds: readBytes, or the record's count if larger
    int width = 0;      // the capture record: the frame the pipeline works on
    int height = 0;
    bool is16Bits = false;
    int bitCount = 0;  // bits a pixel of the processed image
    // The ZOQ_BAYERMODE the image is laid out in (row order, channels). Not
    // part of the comparison: a single capture lays its frame out in the mode
    // of the moment, which its caller asked for; a stream checks it apart.
    int bayerMode = 0;

    // Bytes of the processed image (16-bit samples take two bytes each).
    size_t ImageBytes() const {
        return static_cast<size_t>(width) * static_cast<size_t>(height) *
               static_cast<size_t>(bitCount) / 8 * (is16Bits ? 2 : 1);
    }
    bool operator==(const ZoqFrameShape& o) const {
        return readBytes == o.readBytes && rawBytes == o.rawBytes && width == o.width &&
               height == o.height && is16Bits == o.is16Bits && bitCount == o.bitCount;
    }
    bool operator!=(const ZoqFrameShape& o) const { return !(*this == o); }
};
