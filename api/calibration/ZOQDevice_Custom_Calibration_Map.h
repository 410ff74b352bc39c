// Calibration map: for every output pixel the source column and row, each
// with a fraction in 1/1024, loaded from a file; the colour road's last
// stage moves every pixel of the image to where the map points, by copying
// the nearest pixel or by bilinear sampling in integer arithmetic.
#pragma once

#include <cstdint>
#include <memory>

#include "zoq_types.h"

class ZoqCalibrationMap {
public:
    bool previewEnable = false;
    bool captureEnable = false;
    ZOQ_MAPMODE mode = ZOQ_MAPMODE_BILINEAR;  // any other value: nearest pixel

    // Loads a map file; a null path drops the map. A refused file leaves the
    // loaded map as it was. RC_FAIL for a file that cannot be opened, is
    // shorter than its header promises or whose arrays are smaller than one
    // entry per pixel; RC_VERSION_ERROR for a wrong magic or version;
    // RC_ALLOC_FAILED without memory.
    int Load(const char* path);
    void Release();

    bool Loaded() const { return m_columnMap != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Remaps a width x height image of 1, 3 or 4 bytes a pixel in place;
    // false (image untouched) without a map of that size or for another
    // pixel size. Only the colour bytes are sampled (one for gray); the
    // fourth byte of a 32-bit pixel becomes 0.
    bool Remap(unsigned char* image, int width, int height, int bytesPerPixel);

private:
    template <int Bpp, bool Bilinear>
    void RemapPixels(unsigned char* image) const;

    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<uint16_t[]> m_columnMap;
    std::unique_ptr<uint16_t[]> m_columnFraction;
    std::unique_ptr<uint16_t[]> m_rowMap;
    std::unique_ptr<uint16_t[]> m_rowFraction;
    std::unique_ptr<unsigned char[]> m_copy;  // the image before remapping
};
