#include "Images.h"

#include <vector>

namespace zoqpy {

namespace py = pybind11;

py::array ImageView(const ImageLayout& layout, unsigned char* data, py::handle base) {
    const py::ssize_t sample = layout.wide ? 2 : 1;
    const py::ssize_t pixel = sample * layout.channels;
    const py::ssize_t row = pixel * layout.width;
    unsigned char* first = data;
    py::ssize_t rowStride = row;
    if (!layout.topDown && layout.height > 0) {
        first = data + row * (layout.height - 1);
        rowStride = -row;
    }
    std::vector<py::ssize_t> shape{layout.height, layout.width};
    std::vector<py::ssize_t> strides{rowStride, pixel};
    if (layout.channels > 1) {
        shape.push_back(layout.channels);
        strides.push_back(sample);
    }
    const py::dtype dtype = layout.wide ? py::dtype::of<uint16_t>() : py::dtype::of<uint8_t>();
    return py::array(dtype, shape, strides, first, base);
}

}  // namespace zoqpy
