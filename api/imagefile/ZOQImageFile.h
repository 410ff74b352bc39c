// Shared pieces of the BMP and JPEG writers (ZOQImageFileBmp.cpp,
// ZOQImageFileJpg.cpp); the pixel helpers are declared in zoqapi.h.
#ifndef ZOQ_API_IMAGEFILE_H
#define ZOQ_API_IMAGEFILE_H

#include <cstddef>
#include <cstdio>
#include <memory>

namespace zoq::imagefile {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
// Closed on every early return; Close() reports the final flush.
using File = std::unique_ptr<FILE, FileCloser>;

inline File Open(const char* path, const char* mode) {
    return File(fopen(path, mode));
}

// True when the buffered data reached the file and it closed cleanly.
inline bool Close(File& file) {
    const bool written = ferror(file.get()) == 0;
    return fclose(file.release()) == 0 && written;
}

// Arguments both writers accept: a buffer, a positive size, 8-bit gray or
// 24/32-bit BGR pixels and a path. Checked before any file is touched.
inline bool ValidImage(const void* data, int width, int height, int bitCount, const char* path) {
    return data != nullptr && path != nullptr && width > 0 && height > 0 &&
           (bitCount == 8 || bitCount == 24 || bitCount == 32);
}

// Bytes of one row without padding.
inline size_t RowBytes(int width, int bitCount) {
    return static_cast<size_t>(width) * static_cast<size_t>(bitCount / 8);
}

}  // namespace zoq::imagefile

#endif
