/* zoqbayer.h must compile as C: this file only has to build. */
#include "zoqbayer.h"

int zoq_bayer_header_is_c(void);

int zoq_bayer_header_is_c(void) {
    /* Unevaluated, so nothing needs to be linked. */
    return (int)(sizeof(ZOQCFA_Bilinear_RGGB(0, 2, 2, 0, 24)) + sizeof(ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits(0, 2, 2, 0)) +
                 sizeof(wThreadCount));
}
