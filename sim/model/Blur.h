// Defocus on a Bayer mosaic: each colour plane (samples two pixels apart) is
// blurred on its own, so colours do not bleed into each other.
#pragma once

#include <cstdint>

namespace zoqsim {

// Blurs plane (width x height floats) in place with two passes of a box of
// 2 * radius + 1 same-colour samples each way; scratch holds as many floats.
void blurBayerPlanes(float* plane, float* scratch, uint32_t width, uint32_t height, int radius);

}  // namespace zoqsim
