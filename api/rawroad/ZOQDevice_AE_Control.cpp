#include "rawroad/ZOQDevice_AE_Control.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

#include "geometry/ZOQDevice_RowBlocks.h"

namespace {

// r x L truncated toward zero, saturating where an unsigned count cannot
// hold it (a level of 0 makes r infinite).
unsigned int ScaleLines(float ratio, unsigned int lines) {
    float v = ratio * static_cast<float>(lines);
    if (!(v > 0.0f)) return 0;  // also NaN
    if (v >= 4294967296.0f) return UINT32_MAX;
    return static_cast<unsigned int>(v);
}

// Adds the samples of a row and its full-scale samples: sixteen at a time
// with SSE2 (psadbw sums eight bytes at once), the rest one by one.
void RowSums(const unsigned char* p, int n, uint64_t* sum, uint64_t* saturated) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi8(static_cast<char>(0xFF));
    __m128i sums = zero;
    __m128i counts = zero;  // per byte lane, emptied before it can overflow
    uint64_t fullScale = 0;
    int x = 0;
    for (int run = 0; x + 16 <= n; x += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
        sums = _mm_add_epi64(sums, _mm_sad_epu8(v, zero));
        counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(v, full));
        if (++run == 255) {
            const __m128i c = _mm_sad_epu8(counts, zero);
            fullScale += uint64_t(_mm_cvtsi128_si64(c)) + uint64_t(_mm_extract_epi16(c, 4));
            counts = zero;
            run = 0;
        }
    }
    const __m128i c = _mm_sad_epu8(counts, zero);
    fullScale += uint64_t(_mm_cvtsi128_si64(c)) + uint64_t(_mm_extract_epi16(c, 4));
    uint64_t total = uint64_t(_mm_cvtsi128_si64(sums)) +
                     uint64_t(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    for (; x < n; ++x) {
        total += p[x];
        fullScale += p[x] == 255;
    }
    *sum += total;
    *saturated += fullScale;
}

}  // namespace

void ZoqAutoExposure::Start(bool start) {
    m_frameCounter = 0;
    ResetController();
    m_running = start;
}

void ZoqAutoExposure::ResetController() {
    m_lastRatio = 0.0f;
    m_crossings = 0;
    m_direction = 0;
    m_reversals = 0;
    m_sameDirection = 0;
}

bool ZoqAutoExposure::TakesFrame() {
    if (m_frameCounter % 3 == 0) return true;
    ++m_frameCounter;
    return false;
}

bool ZoqAutoExposure::MaxCountReached() {
    if (maxCount < 0 || m_frameCounter / 3 < maxCount) return false;
    m_running = false;
    return true;
}

float ZoqAutoExposure::MeasureLevel(const unsigned char* data, int width, int height) {
    m_fitted = FitRegionEven(region, width, height);
    const ZoqFittedRegion f = m_fitted;
    // Integer sums: the blocks' shares add up to the same totals in any order.
    struct Share {
        uint64_t sum = 0;
        uint64_t saturated = 0;
    };
    Share shares[ZoqRowBlocks::kMaxBlocks];
    const ZoqRowBlocks blocks(f.height, static_cast<size_t>(f.width > 0 ? f.width : 0),
                              ZoqRowBlocks::kLightBytes);
    blocks.Run([&](int block, int begin, int end) {
        Share share;
        for (int row = begin; row < end; ++row) {
            const unsigned char* p =
                data + static_cast<size_t>(f.rowOrigin + row) * static_cast<size_t>(width) + f.x;
            RowSums(p, f.width, &share.sum, &share.saturated);
        }
        shares[block] = share;
    });
    uint64_t sum = 0;
    uint64_t saturated = 0;
    for (int b = 0; b < blocks.Count(); ++b) {
        sum += shares[b].sum;
        saturated += shares[b].saturated;
    }
    const uint64_t count = static_cast<uint64_t>(m_fitted.width) * m_fitted.height;
    if (count == 0) return 0.0f;
    return (static_cast<float>(255 * saturated) * m_ratio + static_cast<float>(sum)) /
           static_cast<float>(count);
}

int ZoqAutoExposure::WithinTolerance(float level) {
    // The difference truncated toward zero lies in -10 .. 10.
    const float difference = static_cast<float>(target) - level;
    if (!(difference > -(kTolerance + 1.0f) && difference < kTolerance + 1.0f)) return -1;
    if (Continuous()) {
        ResetController();
        m_frameCounter = 0;
        return ZOQ_AE_CONTINUOUS_CONVERGED;
    }
    return Stop(ZOQ_AE_CONVERGED);
}

ZOQ_AE_STATUS ZoqAutoExposure::Step(float level, unsigned int lines, unsigned int* next) {
    const float r = static_cast<float>(target) / level;
    if (m_lastRatio != 0.0f &&
        ((r > 1.0f && m_lastRatio < 1.0f) || (r < 1.0f && m_lastRatio > 1.0f)))
        ++m_crossings;
    m_lastRatio = r;

    int64_t wanted = 0;
    if (m_crossings == 0) {
        wanted = ScaleLines(r, lines);
    } else {
        const int d = r > 1.0f ? 1 : -1;
        if (m_direction == -d) {
            m_sameDirection = 0;
            ++m_reversals;
        } else if (m_direction == d) {
            ++m_sameDirection;
        }
        m_direction = d;
        if (m_sameDirection > 5) {
            ResetController();  // proportional steps again from the next evaluation
        } else if (m_reversals > 2) {
            if (!Continuous()) return Stop(ZOQ_AE_OSCILLATION);
            m_reversals = 0;
            m_direction = 0;
            return ZOQ_AE_CONTINUOUS_OSCILLATION;
        }
        wanted = static_cast<int64_t>(lines) + d;
    }

    if (wanted < linesMin)
        wanted = linesMin > linesMax ? linesMax : linesMin;
    else if (wanted > linesMax)
        wanted = linesMax;
    if (wanted == lines) return Continuous() ? ZOQ_AE_CONTINUOUS_LIMIT : Stop(ZOQ_AE_LIMIT);
    *next = static_cast<unsigned int>(wanted);
    return ZOQ_AE_CHANGED;
}
