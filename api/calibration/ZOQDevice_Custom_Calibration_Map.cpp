#include "calibration/ZOQDevice_Custom_Calibration_Map.h"

#include <emmintrin.h>

#include <cstring>
#include <new>

#include "colourroad/ZOQDevice_PixelLanes.h"
#include "geometry/ZOQDevice_RowBlocks.h"
#include "platform/ZOQDataFile.h"
#include "zoq_errors.h"

namespace {

constexpr size_t kHeaderBytes = 24;
constexpr uint16_t kMagic = 0x4D43;  // "CM"
constexpr uint16_t kVersion = 0x0100;

using Array = std::unique_ptr<uint16_t[]>;

// Reads the first `count` entries of an array of `bytes` bytes.
bool ReadArray(ZoqDataFile& file, uint16_t* array, size_t count, uint64_t bytes) {
    return file.ReadLe16(array, count) && file.Skip(bytes - 2 * uint64_t{count});
}

}  // namespace

int ZoqCalibrationMap::Load(const char* path) {
    if (path == nullptr) {
        Release();
        return RC_SUCCESS;
    }
    ZoqDataFile file(path);
    if (!file.IsOpen()) return RC_FAIL;
    const long size = file.Size();
    unsigned char header[kHeaderBytes];
    if (size < 0 || !file.Read(header, sizeof header)) return RC_FAIL;
    if (ZoqLe16(header) != kMagic || ZoqLe16(header + 2) != kVersion) return RC_VERSION_ERROR;
    const int32_t width = ZoqLe32Signed(header + 4);
    const int32_t height = ZoqLe32Signed(header + 8);
    const uint64_t columnBytes = ZoqLe32(header + 16);
    const uint64_t rowBytes = ZoqLe32(header + 20);
    if (width <= 0 || height <= 0) return RC_FAIL;
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    if (columnBytes < 2 * pixels || rowBytes < 2 * pixels) return RC_FAIL;
    if (static_cast<uint64_t>(size) < kHeaderBytes + 2 * columnBytes + 2 * rowBytes) return RC_FAIL;

    const size_t count = static_cast<size_t>(pixels);
    Array columnMap(new (std::nothrow) uint16_t[count]);
    Array columnFraction(new (std::nothrow) uint16_t[count]);
    Array rowMap(new (std::nothrow) uint16_t[count]);
    Array rowFraction(new (std::nothrow) uint16_t[count]);
    std::unique_ptr<unsigned char[]> copy(new (std::nothrow) unsigned char[count * 4]);
    if (!columnMap || !columnFraction || !rowMap || !rowFraction || !copy) return RC_ALLOC_FAILED;
    if (!ReadArray(file, columnMap.get(), count, columnBytes) ||
        !ReadArray(file, columnFraction.get(), count, columnBytes) ||
        !ReadArray(file, rowMap.get(), count, rowBytes) ||
        !ReadArray(file, rowFraction.get(), count, rowBytes))
        return RC_FAIL;
    m_width = width;
    m_height = height;
    m_columnMap = std::move(columnMap);
    m_columnFraction = std::move(columnFraction);
    m_rowMap = std::move(rowMap);
    m_rowFraction = std::move(rowFraction);
    m_copy = std::move(copy);
    return RC_SUCCESS;
}

void ZoqCalibrationMap::Release() {
    m_width = m_height = 0;
    m_columnMap.reset();
    m_columnFraction.reset();
    m_rowMap.reset();
    m_rowFraction.reset();
    m_copy.reset();
}

bool ZoqCalibrationMap::Remap(unsigned char* image, int width, int height, int bytesPerPixel) {
    if (image == nullptr || !Loaded() || width != m_width || height != m_height) return false;
    const bool bilinear = mode == ZOQ_MAPMODE_BILINEAR;
    switch (bytesPerPixel) {
        case 1:
            bilinear ? RemapPixels<1, true>(image) : RemapPixels<1, false>(image);
            return true;
        case 3:
            bilinear ? RemapPixels<3, true>(image) : RemapPixels<3, false>(image);
            return true;
        case 4:
            bilinear ? RemapPixels<4, true>(image) : RemapPixels<4, false>(image);
            return true;
        default:
            return false;
    }
}

namespace {

// The map of one frame as the remap reads it.
struct MapView {
    unsigned int width, height;
    size_t stride;
    const unsigned char* copy;  // the image before remapping, 4 bytes a pixel allocated
    const uint16_t* columnMap;
    const uint16_t* columnFraction;
    const uint16_t* rowMap;
    const uint16_t* rowFraction;
};

// Bilinear sampling with fractions of at most 1024, all colour bytes of a
// 3- or 4-byte pixel at once (SSE2): columns xs and xs + 1 blended down the
// rows, p00 (1024 - fy) + p10 fy, then across, with the same integer as
// the four-term formula. The lanes hold the results of bytes 0 .. 3.
inline __m128i Blend(const unsigned char* p, size_t stride, int bpp, int fx, int fy) {
    auto word = [](const unsigned char* q) {
        int32_t v;
        std::memcpy(&v, q, 4);
        return _mm_cvtsi32_si128(v);
    };
    const __m128i top = _mm_unpacklo_epi32(word(p), word(p + bpp));
    const __m128i bottom = _mm_unpacklo_epi32(word(p + stride), word(p + stride + bpp));
    const __m128i pairs =
        _mm_unpacklo_epi8(top, bottom);  // (p00, p10) byte by byte, then (p01, p11)
    const __m128i zero = _mm_setzero_si128();
    const __m128i down = _mm_set1_epi32((fy << 16) | (1024 - fy));
    const __m128i left = _mm_madd_epi16(_mm_unpacklo_epi8(pairs, zero), down);
    const __m128i right = _mm_madd_epi16(_mm_unpackhi_epi8(pairs, zero), down);
    // (left << 10) + (right - left) fx, below 2^28 in every lane.
    typedef int32_t Lanes __attribute__((vector_size(16)));
    const Lanes across = ((Lanes)left << 10) + ((Lanes)right - (Lanes)left) * fx;
    return _mm_srai_epi32((__m128i)across, 20);
}

// The four-term formula in 64 bits, for fractions beyond 1024 (which a map
// file may hold); the byte is the low 8 bits of the result.
inline unsigned char BlendWide(const unsigned char* p, size_t stride, int bpp, int64_t fx,
                               int64_t fy) {
    const int64_t p00 = p[0];
    const int64_t p01 = p[bpp];
    const int64_t p10 = p[stride];
    const int64_t p11 = p[stride + bpp];
    const int64_t v = p00 * (1 << 20) + (p01 - p00) * fx * 1024 + (p10 - p00) * fy * 1024 +
                      (p00 - p01 - p10 + p11) * fx * fy;
    return static_cast<unsigned char>(v >> 20);
}

// Output pixels begin .. end - 1. The map's arrays in locals: the byte
// stores could otherwise alias them, and they would be read again for
// every pixel.
template <int Bpp, bool Bilinear>
void RemapSpan(const MapView& view, unsigned char* image, size_t begin, size_t end) {
    constexpr int kColours = Bpp < 3 ? Bpp : 3;
    const unsigned int width = view.width;
    const unsigned int height = view.height;
    const size_t stride = view.stride;
    const unsigned char* const copy = view.copy;
    const uint16_t* const columnMap = view.columnMap;
    const uint16_t* const columnFraction = view.columnFraction;
    const uint16_t* const rowMap = view.rowMap;
    const uint16_t* const rowFraction = view.rowFraction;
    for (size_t k = begin; k < end; ++k) {
        unsigned char* out = image + k * Bpp;
        const unsigned int xs = columnMap[k];
        const unsigned int ys = rowMap[k];
        if (xs >= width || ys >= height) {
            for (int c = 0; c < kColours; ++c) out[c] = 0;
            if (Bpp == 4) out[3] = 0;
            continue;
        }
        const unsigned char* p = copy + ys * stride + size_t{xs} * Bpp;
        if (Bilinear && xs != width - 1 && ys != height - 1) {
            const int fx = columnFraction[k];
            const int fy = rowFraction[k];
            if (Bpp >= 3 && fx <= 1024 && fy <= 1024) {
                const __m128i v = Blend(p, stride, Bpp, fx, fy);
                uint32_t bytes = static_cast<uint32_t>(
                    _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(v, v), v)));
                if (Bpp == 4) {
                    bytes &= 0x00FFFFFFu;
                    std::memcpy(out, &bytes, 4);
                } else if (k + 1 < end) {
                    std::memcpy(out, &bytes, 4);  // the next pixel's first byte follows
                } else {
                    std::memcpy(out, &bytes, 3);
                }
                continue;
            }
            for (int c = 0; c < kColours; ++c) out[c] = BlendWide(p + c, stride, Bpp, fx, fy);
        } else if (Bpp >= 3) {
            // The copy holds 4 bytes a pixel, so a word can be read at p.
            uint32_t bytes;
            std::memcpy(&bytes, p, 4);
            bytes &= 0x00FFFFFFu;
            std::memcpy(out, &bytes, Bpp == 4 || k + 1 < end ? 4 : 3);
            continue;
        } else {
            for (int c = 0; c < kColours; ++c) out[c] = p[c];
        }
        if (Bpp == 4) out[3] = 0;
    }
}

ZOQ_LANES_AVX2 inline __m256i Load16(const uint16_t* p) {
    return _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Byte offsets, one word read at each; lanes off the mask stay 0.
ZOQ_LANES_AVX2 inline __m256i Gather(const int* copy, __m256i offsets, __m256i mask) {
    return _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), copy, offsets, mask, 1);
}

ZOQ_LANES_AVX2 inline __m256i Channel(__m256i v, int shift) {
    return _mm256_and_si256(_mm256_srl_epi32(v, _mm_cvtsi32_si128(shift)), _mm256_set1_epi32(0xFF));
}

// Bilinear output pixels begin .. end - 1 of a 24-bit image with AVX2,
// eight a step: the four corners of every lane gathered as words from the
// copy, each colour byte blended in 32-bit lanes with the integers of
// Blend. A step with a fraction beyond 1024 in a lane that blends goes
// through RemapSpan; so does the tail. Offsets are 32-bit: the caller
// checks that the copy's rows fit.
ZOQ_LANES_AVX2 void RemapBilinear24Avx2(const MapView& view, unsigned char* image, size_t begin,
                                        size_t end) {
    const __m256i width = _mm256_set1_epi32(static_cast<int>(view.width));
    const __m256i height = _mm256_set1_epi32(static_cast<int>(view.height));
    const __m256i lastColumn = _mm256_set1_epi32(static_cast<int>(view.width) - 1);
    const __m256i lastRow = _mm256_set1_epi32(static_cast<int>(view.height) - 1);
    const __m256i stride = _mm256_set1_epi32(static_cast<int>(view.stride));
    const __m256i full = _mm256_set1_epi32(1024);
    const int* copy = reinterpret_cast<const int*>(view.copy);
    size_t k = begin;
    for (; k + 8 <= end; k += 8) {
        const __m256i xs = Load16(view.columnMap + k);
        const __m256i ys = Load16(view.rowMap + k);
        const __m256i fx = Load16(view.columnFraction + k);
        const __m256i fy = Load16(view.rowFraction + k);
        const __m256i inside =
            _mm256_and_si256(_mm256_cmpgt_epi32(width, xs), _mm256_cmpgt_epi32(height, ys));
        const __m256i edge =
            _mm256_or_si256(_mm256_cmpeq_epi32(xs, lastColumn), _mm256_cmpeq_epi32(ys, lastRow));
        const __m256i blends = _mm256_andnot_si256(edge, inside);
        const __m256i wide =
            _mm256_or_si256(_mm256_cmpgt_epi32(fx, full), _mm256_cmpgt_epi32(fy, full));
        if (!_mm256_testz_si256(blends, wide)) {
            RemapSpan<3, true>(view, image, k, k + 8);
            continue;
        }
        const __m256i at = _mm256_add_epi32(_mm256_mullo_epi32(ys, stride),
                                            _mm256_add_epi32(xs, _mm256_add_epi32(xs, xs)));
        const __m256i p00 = Gather(copy, at, inside);
        const __m256i p01 = Gather(copy, _mm256_add_epi32(at, _mm256_set1_epi32(3)), blends);
        const __m256i below = _mm256_add_epi32(at, stride);
        const __m256i p10 = Gather(copy, below, blends);
        const __m256i p11 = Gather(copy, _mm256_add_epi32(below, _mm256_set1_epi32(3)), blends);
        const __m256i up = _mm256_sub_epi32(full, fy);
        __m256i blended = _mm256_setzero_si256();
        for (int shift = 0; shift < 24; shift += 8) {
            const __m256i left = _mm256_add_epi32(_mm256_mullo_epi32(Channel(p00, shift), up),
                                                  _mm256_mullo_epi32(Channel(p10, shift), fy));
            const __m256i right = _mm256_add_epi32(_mm256_mullo_epi32(Channel(p01, shift), up),
                                                   _mm256_mullo_epi32(Channel(p11, shift), fy));
            const __m256i across = _mm256_add_epi32(
                _mm256_slli_epi32(left, 10), _mm256_mullo_epi32(_mm256_sub_epi32(right, left), fx));
            blended = _mm256_or_si256(
                blended, _mm256_sll_epi32(_mm256_srai_epi32(across, 20), _mm_cvtsi32_si128(shift)));
        }
        // Blended lanes, the corner itself on the last row or column, 0
        // outside (p00 is 0 there).
        const __m256i nearest = _mm256_and_si256(p00, _mm256_set1_epi32(0xFFFFFF));
        const __m256i colours = _mm256_blendv_epi8(nearest, blended, blends);
        zoqlanes::Avx2::Store(image + k * 3, 3, colours, colours);
    }
    RemapSpan<3, true>(view, image, k, end);
}

}  // namespace

template <int Bpp, bool Bilinear>
void ZoqCalibrationMap::RemapPixels(unsigned char* image) const {
    const MapView m{static_cast<unsigned int>(m_width),
                    static_cast<unsigned int>(m_height),
                    static_cast<size_t>(m_width) * Bpp,
                    m_copy.get(),
                    m_columnMap.get(),
                    m_columnFraction.get(),
                    m_rowMap.get(),
                    m_rowFraction.get()};
    const size_t pixels = size_t{m.width} * m.height;
    unsigned char* copy = m_copy.get();
    ZoqForEachSpan(pixels * Bpp, ZoqRowBlocks::kLightBytes, [=](size_t begin, size_t end) {
        std::memcpy(copy + begin, image + begin, end - begin);
    });
    const ZoqRowBlocks rows(m_height, m.stride, ZoqRowBlocks::kHeavyBytes);
    // The vector path's 32-bit offsets reach one row and a pixel beyond the
    // last row's start.
    const bool vectors = Bpp == 3 && Bilinear && ZoqUseAvx2() &&
                         (size_t{m.height} + 1) * m.stride + 8 < size_t{1} << 31;
    rows.Run([&](int, int begin, int end) {
        if (vectors)
            RemapBilinear24Avx2(m, image, size_t(begin) * m.width, size_t(end) * m.width);
        else
            RemapSpan<Bpp, Bilinear>(m, image, size_t(begin) * m.width, size_t(end) * m.width);
    });
}
