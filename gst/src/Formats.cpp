#include "Formats.h"

#include <cstring>
#include <string>

namespace zoqgst {

namespace {

constexpr const char* kPatterns[4] = {"bggr", "grbg", "rggb", "gbrg"};
constexpr int kMaxFormats = 8;

// The Bayer modes that come top row first: 24-bit 4-7, 32-bit 12-15, gray
// 20-23 with 8-bit samples; 16-bit samples run the other way (gray 16-19).
constexpr int kBgrTopDown = 4;
constexpr int kBgrxTopDown = 12;
constexpr int kGrayTopDown = 20;
constexpr int kGrayTopDownWide = 16;

GstStructure* StructureOf(const Format& format) {
    return gst_structure_new(format.mediaType, "format", G_TYPE_STRING, format.name, nullptr);
}

}  // namespace

int FormatsOf(const CameraKind& kind, Format* out, int capacity) {
    Format all[kMaxFormats];
    int n = 0;
    const int p = kind.pattern & 3;
    if (kind.monochrome) {
        all[n++] = kind.wide ? Format{"video/x-raw", "GRAY16_LE", true, -1, true, 2}
                             : Format{"video/x-raw", "GRAY8", true, -1, false, 1};
    } else if (!kind.wide) {
        all[n++] = {"video/x-raw", "BGR", false, kBgrTopDown | p, false, 3};
        all[n++] = {"video/x-raw", "BGRx", false, kBgrxTopDown | p, false, 4};
        all[n++] = {"video/x-raw", "GRAY8", false, kGrayTopDown | p, false, 1};
        all[n++] = {"video/x-bayer", kPatterns[p], true, -1, false, 1};
    } else {
        // The library demosaics 16-bit frames, but GStreamer has no 16-bit
        // BGR: gray and the mosaic itself.
        static const char* const kWide[4] = {"bggr16le", "grbg16le", "rggb16le", "gbrg16le"};
        all[n++] = {"video/x-raw", "GRAY16_LE", false, kGrayTopDownWide | p, true, 2};
        all[n++] = {"video/x-bayer", kWide[p], true, -1, true, 2};
    }
    const int count = n < capacity ? n : capacity;
    for (int i = 0; i < count; ++i) out[i] = all[i];
    return count;
}

GstCaps* CameraCaps(const CameraKind& kind, int width, int height, int fpsN, int fpsD) {
    Format formats[kMaxFormats];
    const int n = FormatsOf(kind, formats, kMaxFormats);
    GstCaps* caps = gst_caps_new_empty();
    for (int i = 0; i < n; ++i) {
        GstStructure* s = StructureOf(formats[i]);
        gst_structure_set(s, "width", G_TYPE_INT, width, "height", G_TYPE_INT, height, "framerate",
                          GST_TYPE_FRACTION, fpsN, fpsD, "pixel-aspect-ratio", GST_TYPE_FRACTION, 1,
                          1, nullptr);
        gst_caps_append_structure(caps, s);
    }
    return caps;
}

GstCaps* TemplateCaps() {
    return gst_caps_from_string(
        "video/x-raw, format = (string) { BGR, BGRx, GRAY8, GRAY16_LE }, "
        "width = (int) [ 1, 2147483647 ], height = (int) [ 1, 2147483647 ], "
        "framerate = (fraction) [ 0/1, 2147483647/1 ]; "
        "video/x-bayer, format = (string) { bggr, grbg, rggb, gbrg, bggr16le, grbg16le, "
        "rggb16le, gbrg16le }, "
        "width = (int) [ 1, 2147483647 ], height = (int) [ 1, 2147483647 ], "
        "framerate = (fraction) [ 0/1, 2147483647/1 ]");
}

bool FormatOfCaps(const CameraKind& kind, const GstCaps* caps, Format* format) {
    if (gst_caps_get_size(caps) < 1) return false;
    const GstStructure* s = gst_caps_get_structure(caps, 0);
    const char* name = gst_structure_get_string(s, "format");
    if (name == nullptr) return false;
    Format formats[kMaxFormats];
    const int n = FormatsOf(kind, formats, kMaxFormats);
    for (int i = 0; i < n; ++i) {
        if (gst_structure_has_name(s, formats[i].mediaType) && strcmp(name, formats[i].name) == 0) {
            *format = formats[i];
            return true;
        }
    }
    return false;
}

}  // namespace zoqgst
