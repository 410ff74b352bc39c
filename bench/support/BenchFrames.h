// Frames the stage benchmarks share: a full MT9P031 raw frame (2592 x
// 1944), and a calibration map file that magnifies such a frame as a lens
// correction would.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace zoqbench {

constexpr int kWidth = 2592;
constexpr int kHeight = 1944;
constexpr std::int64_t kPixels = std::int64_t{kWidth} * kHeight;

// A plausible RGGB raw frame: a smooth gradient with texture and a few hot
// pixels.
inline const std::vector<unsigned char>& RawFrame() {
    static const std::vector<unsigned char> frame = [] {
        std::vector<unsigned char> f(kPixels);
        std::uint32_t seed = 12345;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                seed = seed * 1664525u + 1013904223u;
                int v = 40 + (x + y) / 40 + static_cast<int>(seed >> 28);
                if ((seed >> 8) % 5000 == 0) v = 255;
                f[std::size_t(y) * kWidth + x] = static_cast<unsigned char>(v > 255 ? 255 : v);
            }
        return f;
    }();
    return frame;
}

// Source position of output pixel (x, y) under a 1.2 % magnification about
// the centre, in 1/1024 pixel.
inline int MagnifiedPosition(int v, int size) {
    const int scaled = v * 988 + size * 6;  // in 1/1000 pixel
    const int at = scaled / 1000;
    return at < size ? at * 1024 + (scaled % 1000) * 1024 / 1000 : (size - 1) * 1024;
}

// Writes that map as a calibration map file; its path, empty on failure.
// The caller removes the file.
inline std::string WriteMagnifyingMapFile() {
    std::vector<unsigned char> file;
    auto le16 = [&](unsigned v) {
        file.push_back(static_cast<unsigned char>(v & 0xFF));
        file.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto le32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    le16(0x4D43);
    le16(0x0100);
    le32(kWidth);
    le32(kHeight);
    le32(0);
    le32(2 * kPixels);
    le32(2 * kPixels);
    for (int pass = 0; pass < 4; ++pass)
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int at =
                    pass < 2 ? MagnifiedPosition(x, kWidth) : MagnifiedPosition(y, kHeight);
                le16(pass % 2 == 0 ? static_cast<unsigned>(at >> 10)
                                   : static_cast<unsigned>(at & 1023));
            }
    std::string path = "/tmp/zoq_bench_map_XXXXXX";
    const int fd = mkstemp(&path[0]);
    if (fd < 0) return {};
    FILE* out = fdopen(fd, "wb");
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    std::fclose(out);
    if (!written) std::remove(path.c_str());
    return written ? path : std::string();
}

}  // namespace zoqbench
