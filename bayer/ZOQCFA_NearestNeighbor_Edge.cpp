// Border routines: the one-pixel frame (8-bit and 16-bit samples) and the
// two-pixel frame of the Laplacian members.
#include "BayerBorder.h"

namespace zoqbayer {
namespace {

template <typename T>
void FramePixel(Pattern pattern, const Mosaic<T>& mosaic, const Canvas<T>& canvas, int x, int y) {
    const int blockX = x == 0 ? 0 : x - 1;
    const int blockY = y == mosaic.height - 1 ? y - 1 : y;
    T* out = canvas.Pixel(x, y);
    for (int sy = blockY; sy < blockY + 2; ++sy) {
        const T* row = mosaic.Row(sy);
        for (int sx = blockX; sx < blockX + 2; ++sx) {
            const int channel = ChannelAt(pattern, sx, sy);
            if (channel != kGreen) out[channel] = row[sx];
        }
    }
    out[kGreen] = BorderGreen(pattern, mosaic, x, y);
}

}  // namespace

template <typename T>
void FillFrame(Pattern pattern, const Mosaic<T>& mosaic, const Canvas<T>& canvas, int thickness) {
    const int width = mosaic.width;
    const int height = mosaic.height;
    for (int y = 0; y < height; ++y) {
        if (y < thickness || y >= height - thickness) {
            for (int x = 0; x < width; ++x) FramePixel(pattern, mosaic, canvas, x, y);
            continue;
        }
        const int left = thickness < width ? thickness : width;
        const int right = width - thickness > left ? width - thickness : left;
        for (int x = 0; x < left; ++x) FramePixel(pattern, mosaic, canvas, x, y);
        for (int x = right; x < width; ++x) FramePixel(pattern, mosaic, canvas, x, y);
    }
}

template void FillFrame<std::uint8_t>(Pattern, const Mosaic<std::uint8_t>&, const Canvas<std::uint8_t>&, int);
template void FillFrame<std::uint16_t>(Pattern, const Mosaic<std::uint16_t>&, const Canvas<std::uint16_t>&, int);

namespace {

template <typename T>
int Edge(const ColourMember& member, const T* src, int width, int height, T* dst, unsigned short bitCount) {
    return RunColourMember(member, src, width, height, dst, bitCount, [](const auto&, const auto&) {});
}

}  // namespace
}  // namespace zoqbayer

using zoqbayer::Edge;
using zoqbayer::PreFill;

ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_RGGB) {
    return Edge({zoqbayer::kRGGB, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_RGGB_Flip) {
    return Edge({zoqbayer::kRGGB, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_BGGR) {
    return Edge({zoqbayer::kBGGR, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_BGGR_Flip) {
    return Edge({zoqbayer::kBGGR, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_GRBG) {
    return Edge({zoqbayer::kGRBG, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_GRBG_Flip) {
    return Edge({zoqbayer::kGRBG, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_GBRG) {
    return Edge({zoqbayer::kGBRG, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge1_GBRG_Flip) {
    return Edge({zoqbayer::kGBRG, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}

ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_RGGB_16Bits) {
    return Edge({zoqbayer::kRGGB, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_RGGB_Flip_16Bits) {
    return Edge({zoqbayer::kRGGB, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_BGGR_16Bits) {
    return Edge({zoqbayer::kBGGR, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_BGGR_Flip_16Bits) {
    return Edge({zoqbayer::kBGGR, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_GRBG_16Bits) {
    return Edge({zoqbayer::kGRBG, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_GRBG_Flip_16Bits) {
    return Edge({zoqbayer::kGRBG, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_GBRG_16Bits) {
    return Edge({zoqbayer::kGBRG, false, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_Edge1_GBRG_Flip_16Bits) {
    return Edge({zoqbayer::kGBRG, true, PreFill::kNone, 1}, src, width, height, dst, bitCount);
}

ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_RGGB) {
    return Edge({zoqbayer::kRGGB, false, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_RGGB_Flip) {
    return Edge({zoqbayer::kRGGB, true, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_BGGR) {
    return Edge({zoqbayer::kBGGR, false, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_BGGR_Flip) {
    return Edge({zoqbayer::kBGGR, true, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_GRBG) {
    return Edge({zoqbayer::kGRBG, false, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_GRBG_Flip) {
    return Edge({zoqbayer::kGRBG, true, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_GBRG) {
    return Edge({zoqbayer::kGBRG, false, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_Edge2_GBRG_Flip) {
    return Edge({zoqbayer::kGBRG, true, PreFill::kNone, 2}, src, width, height, dst, bitCount);
}
