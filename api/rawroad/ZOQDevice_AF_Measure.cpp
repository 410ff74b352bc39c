// The focus measure sums D / 1020.0 in double precision over the inner
// samples, one after the other (D the sum of four absolute differences,
// 0 .. 1020), and the rounding of every addition is part of the result. The
// sum is the same when added in a different way as long as every rounding is:
// while the running sum S stays in one binade [2^E, 2^(E+1)), adding t rounds
// to S + q ulp, q = t / ulp rounded to the nearest integer, and sums of such
// integers are exact in any order. For E of 7 and more no term D / 1020.0 is
// half-way between two multiples of the ulp (the distance is at least
// 1 / 510 of an ulp, the term's own rounding error at most 2^-9 of one), so
// q does not depend on S. The rows are therefore added in parallel as
// integer counts of the ulp of the binade the sum is predicted to be in; a
// row whose sum turns out to start in another binade is counted again in
// that one, and a row that leaves its binade, or starts below 2^7, is added
// term by term as before.
#include "rawroad/ZOQDevice_AF_Measure.h"

#include <cmath>
#include <cstdlib>

#include "geometry/ZOQDevice_RowBlocks.h"

namespace {

constexpr int kMaxDifference = 1020;
constexpr int kFirstBinade = 7;  // below 2^7 a term may be half-way
constexpr int kLastBinade = 40;  // far beyond any sum of a frame; 52 - E >= 12
constexpr uint64_t kUnitsPerBinade = uint64_t{1} << 52;

// q for D in the binade 2^E, the nearest integer to D 2^k / 1020 with
// k = 52 - E: with 2^k = 1020 m + r it is D m plus the nearest integer to
// D r / 1020, which single precision gets right (an error below 2^-13, a
// distance of at least 1 / 510 from any half, as 4 divides r). Summed over
// a row: m times the row's sum of D plus the rounded rest.
struct UlpCount {
    uint64_t m;
    int r;
    explicit UlpCount(int e) {
        const uint64_t power = uint64_t{1} << (52 - e);
        m = power / kMaxDifference;
        r = static_cast<int>(power % kMaxDifference);
    }
};

int RoundedRest(const uint16_t* d, int n, int r) {
    constexpr float kInverse = 1.0f / 1020.0f;
    constexpr float kRound = 12582912.0f;  // 1.5 x 2^23: adding it rounds to an integer
    int total = 0;                         // at most 1020 a sample of a 512-sample chunk
    for (int j = 0; j < n; ++j) {
        const float x = static_cast<float>(d[j] * r) * kInverse;
        total += static_cast<int>((x + kRound) - kRound);
    }
    return total;
}

// The binade of a positive, normal sum.
int Binade(double s) {
    return std::ilogb(s);
}

struct Rows {
    const unsigned char* first;  // the first inner sample
    std::ptrdiff_t stride;
    int count;    // rows
    int columns;  // inner samples a row
};

// D of the inner samples of one row, in chunks: use(d, n).
template <typename Use>
void RowDifferences(const Rows& r, int row, Use use) {
    constexpr int kChunk = 512;
    uint16_t d[kChunk];
    const unsigned char* c = r.first + row * r.stride;
    const std::ptrdiff_t up = 2 * r.stride;
    for (int j0 = 0; j0 < r.columns; j0 += kChunk) {
        const int n = r.columns - j0 < kChunk ? r.columns - j0 : kChunk;
        const unsigned char* p = c + j0;
        for (int j = 0; j < n; ++j) {
            const int v = p[j];
            d[j] = static_cast<uint16_t>(std::abs(v - p[j + 2]) + std::abs(v - p[j - 2]) +
                                         std::abs(v - p[j - up]) + std::abs(v - p[j + up]));
        }
        use(d, n);
    }
}

// One row added term by term, as the sum is defined.
double AddRow(const Rows& r, int row, double sum) {
    RowDifferences(r, row, [&](const uint16_t* d, int n) {
        for (int j = 0; j < n; ++j) sum += d[j] / 1020.0;
    });
    return sum;
}

}  // namespace

double ZoqAutoFocus::Sum(const unsigned char* first, std::ptrdiff_t stride, int rows, int columns) {
    const Rows r{first, stride, rows, columns};
    if (rows <= 0 || columns <= 0) return 0.0;
    if (m_rowSums.size() < static_cast<size_t>(rows)) {
        m_shapeRows = m_shapeColumns = 0;
        try {
            m_rowSums.resize(static_cast<size_t>(rows));
            m_rowUnits.resize(static_cast<size_t>(rows));
            m_rowBinades.resize(static_cast<size_t>(rows));
        } catch (...) {
            // No room for the rows' shares: all of it term by term.
            double sum = 0.0;
            for (int i = 0; i < rows; ++i) sum = AddRow(r, i, sum);
            return sum;
        }
    }
    uint32_t* rowSums = m_rowSums.data();
    const ZoqRowBlocks blocks(rows, static_cast<size_t>(columns), ZoqRowBlocks::kLightBytes);
    // The rows' sums of D predict the binade in which the sum starts each
    // row. A region of the shape measured last time takes that frame's
    // (frames follow one another closely); any other first adds up its own.
    if (rows != m_shapeRows || columns != m_shapeColumns) {
        blocks.Run([&](int, int begin, int end) {
            for (int i = begin; i < end; ++i) {
                uint32_t total = 0;
                RowDifferences(r, i, [&](const uint16_t* d, int n) {
                    for (int j = 0; j < n; ++j) total += d[j];
                });
                rowSums[i] = total;
            }
        });
    }
    int8_t* binades = m_rowBinades.data();  // -1: none
    double predicted = 0.0;
    for (int i = 0; i < rows; ++i) {
        const bool counted =
            predicted >= 2.0 * (1 << kFirstBinade) && Binade(predicted) <= kLastBinade;
        binades[i] = static_cast<int8_t>(counted ? Binade(predicted) : -1);
        predicted += rowSums[i] / 1020.0;
    }
    // Each row's sum of D, and the row in ulps of its predicted binade.
    uint64_t* rowUnits = m_rowUnits.data();
    auto units = [&](int i, int e) {
        const UlpCount q(e);
        uint32_t total = 0;
        uint64_t rest = 0;
        RowDifferences(r, i, [&](const uint16_t* d, int n) {
            for (int j = 0; j < n; ++j) total += d[j];
            rest += static_cast<uint64_t>(RoundedRest(d, n, q.r));
        });
        rowSums[i] = total;
        return q.m * total + rest;
    };
    blocks.Run([&](int, int begin, int end) {
        for (int i = begin; i < end; ++i)
            rowUnits[i] = units(i, binades[i] >= 0 ? binades[i] : kFirstBinade);
    });
    m_shapeRows = rows;
    m_shapeColumns = columns;
    // The rows in order, whole where the sum is in a binade that allows it:
    // the predicted one, or else that row again in the one it is in.
    double sum = 0.0;
    for (int i = 0; i < rows; ++i) {
        if (rowSums[i] == 0) continue;  // adding 0 leaves the sum as it is
        if (sum >= (1 << kFirstBinade) && Binade(sum) <= kLastBinade) {
            const int e = Binade(sum);
            const uint64_t ulps = e == binades[i] ? rowUnits[i] : units(i, e);
            const uint64_t total = static_cast<uint64_t>(std::ldexp(sum, 52 - e)) + ulps;
            if (total < 2 * kUnitsPerBinade) {
                sum = std::ldexp(static_cast<double>(total), e - 52);
                continue;
            }
        }
        sum = AddRow(r, i, sum);
    }
    return sum;
}

int ZoqAutoFocus::Measure(const unsigned char* data, int width, int height) {
    if (data == nullptr || width < 5 || height < 5) return 0;
    m_fitted = FitRegionFocus(region, width, height);
    const int h = m_fitted.height;
    const int w = m_fitted.width;
    const std::ptrdiff_t stride = width;
    const double sum =
        Sum(data + (m_fitted.rowOrigin + 2) * stride + m_fitted.x + 2, stride, h - 4, w - 4);
    const int inner = (h - 4) * (w - 4);
    return static_cast<int>(sum / inner * 10200.0);
}
