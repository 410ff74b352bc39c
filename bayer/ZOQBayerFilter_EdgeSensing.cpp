// Edge-sensing members: bilinear, except that a red or blue site takes its
// green along the flatter axis (EdgeSensing1) and, in EdgeSensing2, also its
// opposite colour along the flatter diagonal.
#include "BayerBorder.h"
#include "BayerInterior3x3.h"

namespace zoqbayer {
namespace {

template <DiagonalRule D>
int EdgeSensing(Pattern pattern, bool flip, const std::uint8_t* src, int width, int height, std::uint8_t* dst,
                unsigned short bitCount) {
    const ColourMember member{pattern, flip, PreFill::kNone, 1};
    return RunColourMember(member, src, width, height, dst, bitCount, [pattern](const auto& mosaic, const auto& canvas) {
        Interpolate3x3Rows<GreenRule::kFlatterAxis, D>(pattern, mosaic, canvas, 1, mosaic.height - 2);
    });
}

constexpr auto EdgeSensing1 = EdgeSensing<DiagonalRule::kAverage>;
constexpr auto EdgeSensing2 = EdgeSensing<DiagonalRule::kFlatterDiagonal>;

}  // namespace
}  // namespace zoqbayer

using zoqbayer::EdgeSensing1;
using zoqbayer::EdgeSensing2;

// The RGGB members of EdgeSensing1 hand over to EdgeSensing2, so filter mode 3
// on an RGGB sensor gives the EdgeSensing2 result.
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_RGGB) {
    return ZOQCFA_EdgeSensing2_RGGB(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_RGGB_Flip) {
    return ZOQCFA_EdgeSensing2_RGGB_Flip(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_BGGR) {
    return EdgeSensing1(zoqbayer::kBGGR, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_BGGR_Flip) {
    return EdgeSensing1(zoqbayer::kBGGR, true, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_GRBG) {
    return EdgeSensing1(zoqbayer::kGRBG, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_GRBG_Flip) {
    return EdgeSensing1(zoqbayer::kGRBG, true, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_GBRG) {
    return EdgeSensing1(zoqbayer::kGBRG, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing1_GBRG_Flip) {
    return EdgeSensing1(zoqbayer::kGBRG, true, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing2_RGGB) {
    return EdgeSensing2(zoqbayer::kRGGB, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_EdgeSensing2_RGGB_Flip) {
    return EdgeSensing2(zoqbayer::kRGGB, true, src, width, height, dst, bitCount);
}
