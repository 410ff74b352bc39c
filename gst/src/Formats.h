// What zoqsrc offers downstream, and how the camera makes each format: the
// stream's format (raw or processed) and the Bayer mode that gives its
// layout top row first.
#pragma once

#include <gst/gst.h>

namespace zoqgst {

struct Format {
    const char* mediaType;  // "video/x-raw" or "video/x-bayer"
    const char* name;       // caps format: BGR, BGRx, GRAY8, GRAY16_LE, bggr, bggr16le, ...
    bool raw;               // ZOQSTREAM_FORMAT_RAW (else processed)
    int bayerMode;          // processed: the mode to capture in; raw: -1
    bool wide;              // 16-bit samples
    int bytesPerPixel;
};

// What the camera delivers: its mosaic pattern (0 BGGR, 1 GRBG, 2 RGGB,
// 3 GBRG, the low bits of its Bayer mode), whether it is monochrome and
// whether its samples come 16 bits wide.
struct CameraKind {
    int pattern = 0;
    bool monochrome = false;
    bool wide = false;
};

// The formats of a camera, best first; returns how many were written.
int FormatsOf(const CameraKind& kind, Format* out, int capacity);

// Caps of every format of a camera at one size and frame rate
// (fpsN/fpsD, 0/1 when the camera runs as fast as it can).
GstCaps* CameraCaps(const CameraKind& kind, int width, int height, int fpsN, int fpsD);

// Every format any camera can give, sizes and rates open (the pad template).
GstCaps* TemplateCaps();

// The format of fixed caps for this camera; false when it is none of its own.
bool FormatOfCaps(const CameraKind& kind, const GstCaps* caps, Format* format);

}  // namespace zoqgst
