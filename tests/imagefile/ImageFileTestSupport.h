// Helpers of the image file tests: files of the running test, little-endian
// fields, and a libjpeg decoder to read back what the writer produced.
#ifndef ZOQ_TESTS_IMAGEFILE_SUPPORT_H
#define ZOQ_TESTS_IMAGEFILE_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace imagetest {

// A fresh, absent path unique to the running test.
inline std::string FreshPath(const char* suffix) {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name() + suffix;
    for (char& c : name)
        if (c == '/') c = '_';  // parameterised names
    std::filesystem::remove(name);
    return name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | uint32_t(b.at(at + 3)) << 24;
}

inline uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}

struct Decoded {
    int width = 0;
    int height = 0;
    int components = 0;
    J_COLOR_SPACE colorSpace = JCS_UNKNOWN;
    bool progressive = true;
    std::vector<uint8_t> pixels;  // top-down rows as stored

    const uint8_t* At(int x, int y) const {
        return &pixels[(static_cast<size_t>(y) * width + x) * components];
    }
};

inline Decoded DecodeJpeg(const std::string& path) {
    Decoded out;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) return out;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    out.colorSpace = info.jpeg_color_space;
    out.progressive = info.progressive_mode;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.components = info.output_components;
    const size_t stride = static_cast<size_t>(out.width) * out.components;
    out.pixels.resize(stride * out.height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &out.pixels[info.output_scanline * stride];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    fclose(file);
    return out;
}

}  // namespace imagetest

#endif
