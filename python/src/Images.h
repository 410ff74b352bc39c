// numpy arrays over frame memory without copying it.
#pragma once

#include <pybind11/numpy.h>

namespace zoqpy {

struct ImageLayout {
    int width = 0;
    int height = 0;
    int channels = 1;     // 1 (raw, gray), 3 (BGR), 4 (BGR and a fourth byte)
    bool wide = false;    // 16-bit samples
    bool topDown = true;  // row order in memory
};

// A height x width (x channels) uint8 or uint16 array over `data`, top row
// first whatever the order in memory (a bottom-up image gets a negative row
// stride). `base` owns the memory and is kept alive by the array.
pybind11::array ImageView(const ImageLayout& layout, unsigned char* data, pybind11::handle base);

}  // namespace zoqpy
