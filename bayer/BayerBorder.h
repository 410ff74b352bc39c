// The frame along the image edges that every colour member fills before its
// interior, where the interior formulas would read outside the mosaic.
#ifndef ZOQ_BAYER_BORDER_H
#define ZOQ_BAYER_BORDER_H

#include "BayerImage.h"

namespace zoqbayer {

// The green a frame pixel gets: of the block's two columns (x - 1, x, or 0, 1
// at the left edge), the one with a green sample in the pixel's own row.
template <typename T>
T BorderGreen(Pattern pattern, const Mosaic<T>& mosaic, int x, int y) {
    const int blockX = x == 0 ? 0 : x - 1;
    return mosaic.Row(y)[ChannelAt(pattern, blockX, y) == kGreen ? blockX : blockX + 1];
}

// Fills the frame of `thickness` pixels (1 or 2) with the border block rule:
// each frame pixel takes R and B from the 2 x 2 block at columns x - 1, x
// (0, 1 at the left edge) and rows y, y + 1 (the last two rows on the last
// row), and the block's green of its own row.
template <typename T>
void FillFrame(Pattern pattern, const Mosaic<T>& mosaic, const Canvas<T>& canvas, int thickness);

extern template void FillFrame<std::uint8_t>(Pattern, const Mosaic<std::uint8_t>&, const Canvas<std::uint8_t>&, int);
extern template void FillFrame<std::uint16_t>(Pattern, const Mosaic<std::uint16_t>&, const Canvas<std::uint16_t>&,
                                              int);

// What every colour member shares: its pattern, row order, pre-fill and the
// width of its frame.
struct ColourMember {
    Pattern pattern;
    bool flip;
    PreFill fill;
    int frame;  // 1 or 2 pixels
};

// Runs a colour member: pre-fill, frame, then interior(mosaic, canvas). A
// bitCount other than 24 or 32 writes nothing.
template <typename T, typename Interior>
int RunColourMember(const ColourMember& member, const T* src, int width, int height, T* dst,
                    unsigned short bitCount, Interior&& interior) {
    const int pixelSize = PixelSize(bitCount);
    if (pixelSize == 0) return 0;
    if constexpr (sizeof(T) == 1) ApplyPreFill(member.fill, dst, width, height, bitCount);
    const Mosaic<T> mosaic{src, width, height};
    const Canvas<T> canvas{dst, width, height, pixelSize, member.flip};
    FillFrame(member.pattern, mosaic, canvas, member.frame);
    interior(mosaic, canvas);
    return 0;
}

}  // namespace zoqbayer

#endif
