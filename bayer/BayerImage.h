// Shared vocabulary of the demosaic routines: mosaic patterns, the input and
// output image views, pixel-size and row-colour dispatch, the pre-fills and
// the signatures of the exported members.
#ifndef ZOQ_BAYER_IMAGE_H
#define ZOQ_BAYER_IMAGE_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "zoqbayer.h"

// Signatures of the exported members, written once so that every member of a
// family has exactly the declared parameter list.
#define ZOQ_CFA_COLOUR8(name) \
    ZOQ_API int name(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount)
#define ZOQ_CFA_COLOUR16(name) \
    ZOQ_API int name(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount)
#define ZOQ_CFA_GRAY8(name) ZOQ_API int name(unsigned char* src, int width, int height, unsigned char* dst)
#define ZOQ_CFA_GRAY16(name) ZOQ_API int name(unsigned short* src, int width, int height, unsigned short* dst)

namespace zoqbayer {

// A mosaic pattern is fixed by the column and row parity of its red sample:
// blue sits at the opposite corner of the 2 x 2 block, green on the other two.
struct Pattern {
    int redX;
    int redY;
};

inline constexpr Pattern kRGGB{.redX = 0, .redY = 0};
inline constexpr Pattern kBGGR{.redX = 1, .redY = 1};
inline constexpr Pattern kGRBG{.redX = 1, .redY = 0};
inline constexpr Pattern kGBRG{.redX = 0, .redY = 1};

// Channel offsets inside an output pixel (blue first).
enum Channel : int { kBlue = 0, kGreen = 1, kRed = 2 };

// A mosaic row holds greens and one other colour; this is that colour and the
// column parity of its samples (greens sit at the other parity).
struct RowColours {
    int channel;
    int parity;
};

inline RowColours ColoursOfRow(Pattern p, int y) {
    if (((y ^ p.redY) & 1) == 0) return {kRed, p.redX};
    return {kBlue, p.redX ^ 1};
}

inline int ChannelAt(Pattern p, int x, int y) {
    const RowColours row = ColoursOfRow(p, y);
    return (x & 1) == row.parity ? row.channel : kGreen;
}

// The raw frame: width x height samples, top row first, no padding.
template <typename T>
struct Mosaic {
    const T* data;
    int width;
    int height;

    const T* Row(int y) const { return data + static_cast<std::ptrdiff_t>(y) * width; }
};

// The output in image coordinates; with flip, image row y is stored at
// row height - 1 - y, so every reader and writer agrees on image neighbours.
template <typename T>
struct Canvas {
    T* data;
    int width;
    int height;
    int pixelSize;  // samples per pixel: 1 (gray), 3 or 4
    bool flip;

    T* Row(int y) const {
        const int stored = flip ? height - 1 - y : y;
        return data + static_cast<std::ptrdiff_t>(stored) * width * pixelSize;
    }
    T* Pixel(int x, int y) const { return Row(y) + static_cast<std::ptrdiff_t>(x) * pixelSize; }
};

// Samples per output pixel for a bitCount, 0 for one the routines do not write.
inline int PixelSize(unsigned short bitCount) {
    if (bitCount == 24) return 3;
    if (bitCount == 32) return 4;
    return 0;
}

// Calls fn with the pixel size as a compile-time constant, so that inner
// loops have fixed strides.
template <typename Fn>
void WithPixelSize(int pixelSize, Fn&& fn) {
    if (pixelSize == 4) {
        fn(std::integral_constant<int, 4>{});
    } else {
        fn(std::integral_constant<int, 3>{});
    }
}

// Calls fn(channel, parity) for mosaic row y, with the row's red or blue
// channel as a compile-time constant and the column parity of its samples.
template <typename Fn>
void WithRowColours(Pattern pattern, int y, Fn&& fn) {
    const RowColours row = ColoursOfRow(pattern, y);
    if (row.channel == kRed) {
        fn(std::integral_constant<int, kRed>{}, row.parity);
    } else {
        fn(std::integral_constant<int, kBlue>{}, row.parity);
    }
}

// Calls colourSite(x) for the red or blue sites (column parity `parity`) and
// greenSite(x) for the green sites of columns first ... last, as pairs, so the
// loop body does not branch on the site colour.
template <typename ColourSite, typename GreenSite>
inline void ForEachSite(int first, int last, int parity, ColourSite&& colourSite, GreenSite&& greenSite) {
    int x = first;
    if (x <= last && (x & 1) != parity) {
        greenSite(x);
        ++x;
    }
    for (; x < last; x += 2) {
        colourSite(x);
        greenSite(x + 1);
    }
    if (x == last) colourSite(x);
}

// What a member writes over its output before the frame.
enum class PreFill {
    kNone,
    kOnes,        // 0xFF over width x height x bitCount / 8 bytes
    kZerosRgb24,  // 0x00 over width x height x 3 bytes, whatever the bitCount
};

// With 24-bit output the frame and the interior overwrite every byte a
// pre-fill would write, so it is skipped there: only the fourth bytes of
// 32-bit output keep the fill.
inline void ApplyPreFill(PreFill fill, unsigned char* dst, int width, int height, unsigned short bitCount) {
    if (bitCount == 24) return;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (fill == PreFill::kOnes) std::memset(dst, 0xFF, pixels * (bitCount / 8));
    if (fill == PreFill::kZerosRgb24) std::memset(dst, 0x00, pixels * 3);
}

}  // namespace zoqbayer

#endif
