// White-balance gain tables: one 256-entry table per channel, so that
// applying the three gains costs three look-ups a pixel.
#pragma once

#include <cstddef>

class ZoqGainTables {
public:
    ZoqGainTables();  // every gain 1.0

    // gains: red, green, blue. Entry i = (double)((float)i * gain) + 0.5,
    // truncated, 255 above 255 and 0 below 0.
    void Build(const float gains[3]);
    // Table look-up of bytes 0 (blue), 1 (green) and 2 (red) of every pixel
    // of a 24- or 32-bit image; RC_SUCCESS or the image checks' codes.
    int Apply(unsigned char* image, int width, int height, int bitCount) const;
    // The same on `pixels` pixels of bpp bytes (3 or 4) from p, on this
    // thread.
    void ApplySpan(unsigned char* p, std::size_t pixels, int bpp) const;

    const unsigned char* Blue() const { return m_blue; }
    const unsigned char* Green() const { return m_green; }
    const unsigned char* Red() const { return m_red; }

private:
    unsigned char m_blue[256];
    unsigned char m_green[256];
    unsigned char m_red[256];
};
