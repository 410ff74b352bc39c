// Flat-field data for the stage benchmarks' frame.
#pragma once

#include <cstdint>
#include <vector>

#include "BenchFrames.h"
#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"

namespace zoqbench {

// Flat-field data for the whole frame: a dark frame of 3 and a flat frame
// of 150 .. 210, with the gain table made from them.
inline void MakeFlatField(ZoqFlatField* ff) {
    ff->fov.columnSize = kWidth;
    ff->fov.rowSize = kHeight;
    ff->fov.multiFrameNum = 1;
    ZoqFovGeometry(&ff->fov, false);
    std::vector<std::uint32_t> dark(kPixels, 3), flat(kPixels);
    for (std::int64_t i = 0; i < kPixels; ++i) flat[i] = 150u + static_cast<std::uint32_t>(i % 61);
    ff->NewFrame(ZoqFlatField::kDark);
    ff->SetFrameFromSums(ZoqFlatField::kDark, dark.data(), 1);
    ff->NewFrame(ZoqFlatField::kFlat);
    ff->SetFrameFromSums(ZoqFlatField::kFlat, flat.data(), 1);
    ff->MakeGain();
}

}  // namespace zoqbench
