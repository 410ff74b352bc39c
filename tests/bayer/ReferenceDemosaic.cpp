#include "ReferenceDemosaic.h"

#include <cmath>
#include <cstdlib>

namespace ref {

char ColourAt(Pattern pattern, int x, int y) {
    static const char* const kNames[] = {"RGGB", "BGGR", "GRBG", "GBRG"};
    return kNames[static_cast<int>(pattern)][(y % 2) * 2 + (x % 2)];
}

namespace {

bool IsGreen(Pattern p, int x, int y) { return ColourAt(p, x, y) == 'G'; }

// The red or blue channel of the site (x, y), and the other one.
char OwnColour(Pattern p, int x, int y) { return ColourAt(p, x, y); }
char Opposite(char colour) { return colour == 'R' ? 'B' : 'R'; }

// At a green site: the colour of its W and E neighbours (the row colour).
char RowColour(Pattern p, int x, int y) { return ColourAt(p, x + 1, y); }

int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

template <typename T>
void BorderPixel(const Mosaic& m, Pattern p, int x, int y, const Output<T>& out) {
    const int c0 = x == 0 ? 0 : x - 1;
    const int r0 = y == m.height - 1 ? m.height - 2 : y;
    int red = -1, blue = -1, greenOwnRow = -1;
    for (int r = r0; r <= r0 + 1; ++r) {
        for (int c = c0; c <= c0 + 1; ++c) {
            const char colour = ColourAt(p, c, r);
            if (colour == 'R') red = m.S(c, r);
            if (colour == 'B') blue = m.S(c, r);
            if (colour == 'G' && r == y) greenOwnRow = m.S(c, r);
        }
    }
    const int green = IsGreen(p, x, y) ? m.S(x, y) : greenOwnRow;
    out.Colour(x, y, 'R') = static_cast<T>(red);
    out.Colour(x, y, 'G') = static_cast<T>(green);
    out.Colour(x, y, 'B') = static_cast<T>(blue);
}

template <typename T>
void FrameOf(const Mosaic& m, Pattern p, int t, const Output<T>& out) {
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            const bool inFrame = y < t || y >= m.height - t || x < t || x >= m.width - t;
            if (inFrame) BorderPixel(m, p, x, y, out);
        }
    }
}

template <typename T>
void GrayOf(const Mosaic& m, int repeatedColumns, const Output<T>& out) {
    const int w = m.width, h = m.height;
    for (int y = 0; y <= h - 2; ++y) {
        for (int x = 0; x <= w - 2; ++x) {
            const long sum = static_cast<long>(m.S(x, y)) + m.S(x + 1, y) + m.S(x, y + 1) + m.S(x + 1, y + 1);
            out.At(x, y, 0) = static_cast<T>(sum >> 2);
        }
        // The source column of the repeat; a width of 2 has no third-last
        // column, and there column 1 repeats column 0.
        const int source = w - 1 - repeatedColumns >= 0 ? w - 1 - repeatedColumns : 0;
        for (int x = source + 1; x < w; ++x) out.At(x, y, 0) = out.At(source, y, 0);
    }
    for (int x = 0; x < w; ++x) out.At(x, h - 1, 0) = out.At(x, h - 2, 0);
}

// Smooth hue: each result above 255 becomes 255, otherwise it is truncated;
// not-a-number (a zero green beside a zero sample) is stored as 0.
std::uint8_t HueValue(float v) {
    if (std::isnan(v)) return 0;
    if (v > 255.0f) return 255;
    return static_cast<std::uint8_t>(static_cast<int>(v));
}

}  // namespace

void Frame(const Mosaic& m, Pattern p, int thickness, const Out8& out) { FrameOf(m, p, thickness, out); }
void Frame(const Mosaic& m, Pattern p, int thickness, const Out16& out) { FrameOf(m, p, thickness, out); }

void NearestNeighbor(const Mosaic& m, Pattern p, bool windowBeforeX, bool greenMean, const Out8& out) {
    Frame(m, p, 1, out);
    for (int y = 1; y <= m.height - 2; ++y) {
        for (int x = 1; x <= m.width - 2; ++x) {
            const int c0 = windowBeforeX ? x - 1 : x;
            int red = 0, blue = 0, greenSum = 0, greenRowY = 0;
            for (int r = y; r <= y + 1; ++r) {
                for (int c = c0; c <= c0 + 1; ++c) {
                    const char colour = ColourAt(p, c, r);
                    if (colour == 'R') red = m.S(c, r);
                    if (colour == 'B') blue = m.S(c, r);
                    if (colour == 'G') greenSum += m.S(c, r);
                    if (colour == 'G' && r == y) greenRowY = m.S(c, r);
                }
            }
            int green;
            if (greenMean) {
                green = greenSum >> 1;
            } else {
                green = IsGreen(p, x, y) ? m.S(x, y) : greenRowY;
            }
            out.Colour(x, y, 'R') = static_cast<std::uint8_t>(red);
            out.Colour(x, y, 'G') = static_cast<std::uint8_t>(green);
            out.Colour(x, y, 'B') = static_cast<std::uint8_t>(blue);
        }
    }
}

void NearestNeighbor16(const Mosaic& m, Pattern p, const Out16& out) {
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) BorderPixel(m, p, x, y, out);
    }
}

void Gray(const Mosaic& m, int repeatedColumns, const Out8& out) { GrayOf(m, repeatedColumns, out); }
void Gray(const Mosaic& m, int repeatedColumns, const Out16& out) { GrayOf(m, repeatedColumns, out); }

namespace {

void EdgeSensingOrBilinear(const Mosaic& m, Pattern p, bool edgeGreen, bool flatterDiagonal, const Out8& out) {
    Frame(m, p, 1, out);
    for (int y = 1; y <= m.height - 2; ++y) {
        for (int x = 1; x <= m.width - 2; ++x) {
            const int N = m.S(x, y - 1), S = m.S(x, y + 1), W = m.S(x - 1, y), E = m.S(x + 1, y);
            const int NW = m.S(x - 1, y - 1), NE = m.S(x + 1, y - 1), SW = m.S(x - 1, y + 1), SE = m.S(x + 1, y + 1);
            if (IsGreen(p, x, y)) {
                const char row = RowColour(p, x, y);
                out.Colour(x, y, 'G') = static_cast<std::uint8_t>(m.S(x, y));
                out.Colour(x, y, row) = static_cast<std::uint8_t>((W + E) >> 1);
                out.Colour(x, y, Opposite(row)) = static_cast<std::uint8_t>((N + S) >> 1);
                continue;
            }
            int green = (N + S + W + E) >> 2;
            if (edgeGreen) {
                const int dH = std::abs(W - E), dV = std::abs(N - S);
                if (dH < dV) green = (W + E) >> 1;
                if (dV < dH) green = (N + S) >> 1;
            }
            int opposite = (NW + NE + SW + SE) >> 2;
            if (flatterDiagonal) {
                const int d1 = std::abs(NW - SE), d2 = std::abs(NE - SW);
                if (d1 < d2) opposite = (NW + SE) >> 1;
                if (d2 < d1) opposite = (NE + SW) >> 1;
            }
            const char own = OwnColour(p, x, y);
            out.Colour(x, y, own) = static_cast<std::uint8_t>(m.S(x, y));
            out.Colour(x, y, 'G') = static_cast<std::uint8_t>(green);
            out.Colour(x, y, Opposite(own)) = static_cast<std::uint8_t>(opposite);
        }
    }
}

}  // namespace

void Bilinear(const Mosaic& m, Pattern p, const Out8& out) { EdgeSensingOrBilinear(m, p, false, false, out); }

void EdgeSensing(const Mosaic& m, Pattern p, bool flatterDiagonal, const Out8& out) {
    EdgeSensingOrBilinear(m, p, true, flatterDiagonal, out);
}

void SmoothHue(const Mosaic& m, Pattern p, const Out8& out) {
    Frame(m, p, 1, out);
    const int w = m.width, h = m.height;
    for (int y = 1; y <= h - 2; ++y) {
        for (int x = 1; x <= w - 2; ++x) {
            const int N = m.S(x, y - 1), S = m.S(x, y + 1), W = m.S(x - 1, y), E = m.S(x + 1, y);
            out.Colour(x, y, 'G') = static_cast<std::uint8_t>(IsGreen(p, x, y) ? m.S(x, y) : (N + S + W + E) >> 2);
        }
    }
    const auto r = [&](int x, int y) {
        return static_cast<float>(m.S(x, y)) / static_cast<float>(out.Colour(x, y, 'G'));
    };
    for (int y = 1; y <= h - 2; ++y) {
        for (int x = 1; x <= w - 2; ++x) {
            const float c = out.Colour(x, y, 'G');
            if (IsGreen(p, x, y)) {
                const char row = RowColour(p, x, y);
                const float column = (r(x, y + 1) + r(x, y - 1)) * (c * 0.5f);
                const float rowValue = (r(x + 1, y) + r(x - 1, y)) * (c * 0.5f);
                out.Colour(x, y, Opposite(row)) = HueValue(column);
                out.Colour(x, y, row) = HueValue(rowValue);
            } else {
                const char own = OwnColour(p, x, y);
                float sum = r(x - 1, y - 1);
                sum = sum + r(x + 1, y - 1);
                sum = sum + r(x - 1, y + 1);
                sum = sum + r(x + 1, y + 1);
                out.Colour(x, y, own) = static_cast<std::uint8_t>(m.S(x, y));
                out.Colour(x, y, Opposite(own)) = HueValue(sum * (c * 0.25f));
            }
        }
    }
}

void Laplacian(const Mosaic& m, Pattern p, const Out8& out) {
    Frame(m, p, 2, out);
    const int w = m.width, h = m.height;
    for (int y = 2; y <= h - 3; ++y) {
        for (int x = 2; x <= w - 3; ++x) {
            if (IsGreen(p, x, y)) {
                out.Colour(x, y, 'G') = static_cast<std::uint8_t>(m.S(x, y));
                continue;
            }
            const int mm = m.S(x, y);
            const int N = m.S(x, y - 1), S = m.S(x, y + 1), W = m.S(x - 1, y), E = m.S(x + 1, y);
            const int hH = 2 * mm - m.S(x - 2, y) - m.S(x + 2, y);
            const int hV = 2 * mm - m.S(x, y - 2) - m.S(x, y + 2);
            const int dH = std::abs(W - E) + std::abs(hH);
            const int dV = std::abs(N - S) + std::abs(hV);
            int g;
            if (dH < dV) {
                g = ((W + E) >> 1) + hH / 4;
            } else if (dV < dH) {
                g = ((N + S) >> 1) + hV / 4;
            } else {
                g = ((N + S + W + E) >> 2) + (hH + hV) / 8;
            }
            out.Colour(x, y, 'G') = static_cast<std::uint8_t>(Clamp255(g));
            out.Colour(x, y, OwnColour(p, x, y)) = static_cast<std::uint8_t>(mm);
        }
    }
    const auto G = [&](int x, int y) -> int { return out.Colour(x, y, 'G'); };
    for (int y = 2; y <= h - 3; ++y) {
        for (int x = 2; x <= w - 3; ++x) {
            const int N = m.S(x, y - 1), S = m.S(x, y + 1), W = m.S(x - 1, y), E = m.S(x + 1, y);
            if (IsGreen(p, x, y)) {
                const char row = RowColour(p, x, y);
                out.Colour(x, y, row) = static_cast<std::uint8_t>((W + E) >> 1);
                out.Colour(x, y, Opposite(row)) = static_cast<std::uint8_t>((N + S) >> 1);
                continue;
            }
            const int NW = m.S(x - 1, y - 1), NE = m.S(x + 1, y - 1), SW = m.S(x - 1, y + 1), SE = m.S(x + 1, y + 1);
            const int g = G(x, y);
            const int t1 = 2 * g - G(x + 1, y - 1) - G(x - 1, y + 1);
            const int t2 = 2 * g - G(x - 1, y - 1) - G(x + 1, y + 1);
            const int D1 = std::abs(NW - SE) + std::abs(t2);
            const int D2 = std::abs(NE - SW) + std::abs(t1);
            int X;
            if (D1 < D2) {
                X = (NW + SE + t2) / 2;
            } else if (D2 < D1) {
                X = (NE + SW + t1) / 2;
            } else {
                X = (NW + NE + SW + SE + t1 + t2) / 4;
            }
            out.Colour(x, y, Opposite(OwnColour(p, x, y))) = static_cast<std::uint8_t>(Clamp255(X));
        }
    }
}

}  // namespace ref
