#include "colourroad/ZOQDevice_HslOfColour.h"

namespace {

ZoqHslPairTable* BuildPairs() {
    static ZoqHslPairTable table;
    for (int max = 0; max < 256; ++max)
        for (int min = 0; min <= max; ++min) {
            // Red the largest, green and blue the smallest: RGBtoHSL2's
            // saturation of every colour with these extremes.
            const COLOR_RGB colour{static_cast<unsigned char>(min), static_cast<unsigned char>(min),
                                   static_cast<unsigned char>(max)};
            COLOR_HSL hsl;
            RGBtoHSL2(colour, hsl);
            const double d = static_cast<double>(zoqcolour::kUnit.of[max]) -
                             static_cast<double>(zoqcolour::kUnit.of[min]);
            table.saturation[max << 8 | min] = hsl.s;
            table.sixthOverDifference[max << 8 | min] = d == 0.0 ? 0.0 : 1.0 / (6.0 * d);
        }
    return &table;
}

struct HslOfKernel {
    COLOR_HSL* out;
    std::size_t n;
    const ZoqHslPairTable* table;

    template <int N>
    ZOQ_LANES_INLINE typename ZoqLanes<N>::I Read(ZoqPixelLanes<N>& px, int first) const {
        zoqlanes::HslOfLanes<N> hsl;
        const typename ZoqLanes<N>::I flagged = hsl.From(px, *table);
        const typename zoqlanes::Wide<N>::F hue = zoqlanes::Wide<N>::Narrow(hsl.hue);
        int counted = 0;
        for (int i = 0; i < N && std::size_t(first + i) < n; ++i) {
            out[first + i] =
                COLOR_HSL{flagged[i] ? -1.0f : hue[i], hsl.saturation[i], hsl.lightness[i]};
            counted += flagged[i] != 0;
        }
        typename ZoqLanes<N>::I answer = {};
        answer[0] = counted;
        return answer;
    }
};

}  // namespace

const ZoqHslPairTable& ZoqHslPairs() {
    static const ZoqHslPairTable* table = BuildPairs();
    return *table;
}

std::size_t ZoqHslOfPixels(const unsigned char* pixels, std::size_t n, int bpp, COLOR_HSL* out) {
    const HslOfKernel kernel{out, n, &ZoqHslPairs()};
    return static_cast<std::size_t>(ZoqReadPixelLanes(kernel, pixels, n, bpp));
}
