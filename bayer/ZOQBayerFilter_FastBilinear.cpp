// FastBilinear members: the bilinear members behind a bitCount check, the
// entry points the API library uses by default.
#include "BayerImage.h"

namespace {

using BilinearMember = int (*)(unsigned char*, int, int, unsigned char*, unsigned short);

// Only here does a bad bitCount report an error: -1, and dst is left as it was.
int CheckedBilinear(BilinearMember bilinear, unsigned char* src, int width, int height, unsigned char* dst,
                    unsigned short bitCount) {
    if (zoqbayer::PixelSize(bitCount) == 0) return -1;
    return bilinear(src, width, height, dst, bitCount);
}

}  // namespace

ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_RGGB) {
    return CheckedBilinear(ZOQCFA_Bilinear_RGGB, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_RGGB_Flip) {
    return CheckedBilinear(ZOQCFA_Bilinear_RGGB_Flip, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_BGGR) {
    return CheckedBilinear(ZOQCFA_Bilinear_BGGR, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_BGGR_Flip) {
    return CheckedBilinear(ZOQCFA_Bilinear_BGGR_Flip, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_GRBG) {
    return CheckedBilinear(ZOQCFA_Bilinear_GRBG, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_GRBG_Flip) {
    return CheckedBilinear(ZOQCFA_Bilinear_GRBG_Flip, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_GBRG) {
    return CheckedBilinear(ZOQCFA_Bilinear_GBRG, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_FastBilinear_GBRG_Flip) {
    return CheckedBilinear(ZOQCFA_Bilinear_GBRG_Flip, src, width, height, dst, bitCount);
}
