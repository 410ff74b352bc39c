// A plain, slow model of every demosaic algorithm, written pixel by pixel
// from the formulas, for comparing the library against. It shares no code
// with the library.
#ifndef ZOQ_TESTS_REFERENCE_DEMOSAIC_H
#define ZOQ_TESTS_REFERENCE_DEMOSAIC_H

#include <cstdint>
#include <vector>

namespace ref {

enum class Pattern { RGGB, BGGR, GRBG, GBRG };

// 'R', 'G' or 'B': the colour of the sample at (x, y).
char ColourAt(Pattern pattern, int x, int y);

// The raw frame as plain integers.
struct Mosaic {
    int width;
    int height;
    std::vector<int> samples;  // row by row, top row first

    int S(int x, int y) const { return samples[static_cast<std::size_t>(y) * width + x]; }
};

// Writes into an output buffer of 8-bit or 16-bit channels, row y of the
// image at row height - 1 - y when flipped. Only channels 0 (B), 1 (G), 2 (R)
// of colour pixels, or channel 0 of gray ones, are ever written.
template <typename T>
struct Output {
    T* data;
    int width;
    int height;
    int pixelSize;  // channels a pixel: 1, 3 or 4
    bool flip;

    T& At(int x, int y, int channel) const {
        const int row = flip ? height - 1 - y : y;
        return data[(static_cast<std::size_t>(row) * width + x) * pixelSize + channel];
    }
    T& Colour(int x, int y, char colour) const { return At(x, y, colour == 'B' ? 0 : colour == 'G' ? 1 : 2); }
};

using Out8 = Output<std::uint8_t>;
using Out16 = Output<std::uint16_t>;

// Border block rule on the frame of `thickness` (1 or 2) pixels.
void Frame(const Mosaic& m, Pattern p, int thickness, const Out8& out);
void Frame(const Mosaic& m, Pattern p, int thickness, const Out16& out);

// Nearest neighbour, 8-bit: frame, then every interior pixel from the window
// at columns x, x + 1 (or x - 1, x when windowBeforeX), rows y, y + 1; green
// the mean of the window's greens, or the window's green in row y.
void NearestNeighbor(const Mosaic& m, Pattern p, bool windowBeforeX, bool greenMean, const Out8& out);
// Nearest neighbour, 16-bit: the border block rule everywhere.
void NearestNeighbor16(const Mosaic& m, Pattern p, const Out16& out);
// Gray: 2 x 2 means; the last `repeatedColumns` columns repeat the one before.
void Gray(const Mosaic& m, int repeatedColumns, const Out8& out);
void Gray(const Mosaic& m, int repeatedColumns, const Out16& out);

void Bilinear(const Mosaic& m, Pattern p, const Out8& out);
// EdgeSensing1, or EdgeSensing2 with flatterDiagonal.
void EdgeSensing(const Mosaic& m, Pattern p, bool flatterDiagonal, const Out8& out);
void SmoothHue(const Mosaic& m, Pattern p, const Out8& out);
void Laplacian(const Mosaic& m, Pattern p, const Out8& out);

}  // namespace ref

#endif
