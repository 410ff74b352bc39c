#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"

#include <emmintrin.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "geometry/ZOQDevice_RowBlocks.h"
#include "platform/ZOQDataFile.h"
#include "zoq_errors.h"

namespace {

constexpr size_t kRecordBytes = 44;

// A record read from a file is used only when its byte count is its image
// size (or twice that, with 16-bit transfer).
bool Consistent(const ZOQ_FOV_INFO& fov) {
    if (fov.width < 0 || fov.height < 0 || fov.byteCount <= 0) return false;
    const int64_t pixels = int64_t{fov.width} * fov.height;
    return fov.pixelCount == pixels && (fov.byteCount == pixels || fov.byteCount == 2 * pixels);
}

}  // namespace

void ZoqFlatField::DropFrame(Kind kind) {
    (kind == kDark ? m_dark : m_flat).reset();
    (kind == kDark ? m_darkBytes : m_flatBytes) = 0;
}

bool ZoqFlatField::NewFrame(Kind kind) {
    DropFrame(kind);
    const size_t n = FrameBytes();
    if (n == 0) return false;
    std::unique_ptr<unsigned char[]>& frame = kind == kDark ? m_dark : m_flat;
    frame.reset(new (std::nothrow) unsigned char[n]);
    if (!frame) return false;
    (kind == kDark ? m_darkBytes : m_flatBytes) = n;
    return true;
}

void ZoqFlatField::SetFrameFromSums(Kind kind, const uint32_t* sums, int count) {
    unsigned char* frame = kind == kDark ? m_dark.get() : m_flat.get();
    const size_t n = kind == kDark ? m_darkBytes : m_flatBytes;
    const float divisor = static_cast<float>(count);
    for (size_t j = 0; j < n; ++j) {
        const float v = static_cast<float>(sums[j]) / divisor + 0.5f;
        frame[j] = v > 255.0f ? 255 : static_cast<unsigned char>(v);
    }
}

void ZoqFlatField::ComputeGain(float* gain, size_t n) const {
    const unsigned char* dark = m_dark.get();
    const unsigned char* flat = m_flat.get();
    // Summed exactly: a float sum over millions of bytes drifts by several
    // levels. The quotient is rounded once, so small frames keep the value
    // a float sum gives them.
    int64_t total = 0;
    for (size_t i = 0; i < n; ++i) total += flat[i] - dark[i];
    const auto mean = static_cast<float>(static_cast<double>(total) / static_cast<double>(n));
    for (size_t i = 0; i < n; ++i)
        gain[i] = flat[i] > dark[i] ? mean / static_cast<float>(flat[i] - dark[i]) : 1.0f;
}

int ZoqFlatField::MakeGain() {
    if (!CanCorrect()) return RC_ILLEGAL_OPERATION;
    if (m_gain) return RC_SUCCESS;
    // Frames made for different windows share their common part.
    const size_t n = m_darkBytes < m_flatBytes ? m_darkBytes : m_flatBytes;
    std::unique_ptr<float[]> gain(new (std::nothrow) float[n]);
    if (!gain) return RC_ALLOC_FAILED;
    ComputeGain(gain.get(), n);
    m_gain = std::move(gain);
    m_gainCount = n;
    return RC_SUCCESS;
}

bool ZoqFlatField::Matches(const ZOQ_FOV_INFO& frame) const {
    return frame.columnStart == fov.columnStart && frame.rowStart == fov.rowStart &&
           frame.columnSize == fov.columnSize && frame.rowSize == fov.rowSize &&
           frame.width == fov.width && frame.height == fov.height;
}

namespace {

// Four samples: (sample - dark) x gain + 0.5 in single precision, clamped
// to 0 .. 255 (a NaN gain gives 0) and truncated, as 32-bit integers.
__m128i CorrectFour(__m128i difference16, const float* gain) {
    const __m128i difference32 = _mm_srai_epi32(_mm_unpacklo_epi16(difference16, difference16), 16);
    __m128 v = _mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(difference32), _mm_loadu_ps(gain)),
                          _mm_set1_ps(0.5f));
    v = _mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), _mm_set1_ps(255.0f));
    return _mm_cvttps_epi32(v);
}

}  // namespace

namespace {

// Samples begin .. end - 1, sixteen at a time with SSE2, every step as in
// the loop of the remainder.
void CorrectSpan(unsigned char* data, const unsigned char* dark, const float* gain, size_t begin,
                 size_t end) {
    size_t i = begin;
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= end; i += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dark + i));
        const __m128i low = _mm_sub_epi16(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
        const __m128i high = _mm_sub_epi16(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
        const __m128i v0 = CorrectFour(low, gain + i);
        const __m128i v1 = CorrectFour(_mm_unpackhi_epi64(low, low), gain + i + 4);
        const __m128i v2 = CorrectFour(high, gain + i + 8);
        const __m128i v3 = CorrectFour(_mm_unpackhi_epi64(high, high), gain + i + 12);
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(v0, v1), _mm_packs_epi32(v2, v3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(data + i), bytes);
    }
    for (; i < end; ++i) {
        float v = static_cast<float>(data[i] - dark[i]) * gain[i] + 0.5f;
        v = v > 0.0f ? v : 0.0f;  // a NaN gain gives 0 as well
        v = v < 255.0f ? v : 255.0f;
        data[i] = static_cast<unsigned char>(v);
    }
}

}  // namespace

bool ZoqFlatField::Apply(unsigned char* data, size_t count) const {
    if (!m_gain || !m_dark || count > m_darkBytes || count > m_gainCount) return false;
    const unsigned char* dark = m_dark.get();
    const float* gain = m_gain.get();
    ZoqForEachSpan(count, ZoqRowBlocks::kLightBytes,
                   [=](size_t begin, size_t end) { CorrectSpan(data, dark, gain, begin, end); });
    return true;
}

int ZoqFlatField::Load(const char* path) {
    if (path == nullptr) return RC_PARAMETER_ERROR;
    ZoqDataFile file(path);
    if (!file.IsOpen()) return RC_FAIL;
    unsigned char record[kRecordBytes];
    if (!file.Read(record, sizeof record)) return RC_FAIL;
    ZOQ_FOV_INFO loaded{};
    loaded.columnStart = ZoqLe32Signed(record + 0);
    loaded.columnSize = ZoqLe32Signed(record + 4);
    loaded.rowStart = ZoqLe32Signed(record + 8);
    loaded.rowSize = ZoqLe32Signed(record + 12);
    loaded.columnAddressMode = static_cast<ZOQ_ADDRESSMODE>(ZoqLe32Signed(record + 16));
    loaded.rowAddressMode = static_cast<ZOQ_ADDRESSMODE>(ZoqLe32Signed(record + 20));
    loaded.multiFrameNum = ZoqLe16(record + 24);
    loaded.width = ZoqLe32Signed(record + 28);
    loaded.height = ZoqLe32Signed(record + 32);
    loaded.pixelCount = ZoqLe32Signed(record + 36);
    loaded.byteCount = ZoqLe32Signed(record + 40);
    if (!Consistent(loaded)) return RC_FAIL;
    const size_t n = static_cast<size_t>(loaded.byteCount);
    const long size = file.Size();
    if (size < 0 || static_cast<uint64_t>(size) < kRecordBytes + 5 * uint64_t{n}) return RC_FAIL;
    if (!file.Skip(kRecordBytes)) return RC_FAIL;

    std::unique_ptr<unsigned char[]> dark(new (std::nothrow) unsigned char[n]);
    std::unique_ptr<float[]> gain(new (std::nothrow) float[n]);
    if (!dark || !gain) return RC_ALLOC_FAILED;
    if (!file.Read(dark.get(), n) || !file.Read(gain.get(), n * sizeof(float))) return RC_FAIL;
    fov = loaded;
    m_dark = std::move(dark);
    m_darkBytes = n;
    m_gain = std::move(gain);
    m_gainCount = n;
    return RC_SUCCESS;
}

int ZoqFlatField::Save(const char* path) const {
    if (path == nullptr) return RC_PARAMETER_ERROR;
    // The file holds one geometry for both arrays: they must be the size of
    // the flat-field window's frame.
    const size_t n = FrameBytes();
    const bool gainFits = m_gain ? m_gainCount == n : m_flat && m_flatBytes == n;
    if (!m_dark || n == 0 || m_darkBytes != n || !gainFits) return RC_ILLEGAL_OPERATION;
    std::unique_ptr<float[]> computed;
    const float* gain = m_gain.get();
    if (gain == nullptr) {
        // Gains for the file only: the correction itself starts when it is
        // switched on, as after any new frame.
        computed.reset(new (std::nothrow) float[n]);
        if (!computed) return RC_ALLOC_FAILED;
        ComputeGain(computed.get(), n);
        gain = computed.get();
    }

    unsigned char record[kRecordBytes] = {};
    const int32_t fields[11] = {
        fov.columnStart,    fov.columnSize,    fov.rowStart, fov.rowSize, fov.columnAddressMode,
        fov.rowAddressMode, fov.multiFrameNum, fov.width,    fov.height,  fov.pixelCount,
        fov.byteCount};
    for (size_t i = 0; i < 11; ++i) ZoqPutLe32(record + 4 * i, static_cast<uint32_t>(fields[i]));
    std::unique_ptr<unsigned char[]> gainBytes(new (std::nothrow) unsigned char[4 * n]);
    if (!gainBytes) return RC_ALLOC_FAILED;
    for (size_t i = 0; i < n; ++i) {
        uint32_t bits = 0;
        std::memcpy(&bits, &gain[i], sizeof bits);
        ZoqPutLe32(gainBytes.get() + 4 * i, bits);
    }

    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return RC_FAIL;
    bool written = std::fwrite(record, sizeof record, 1, file) == 1 &&
                   std::fwrite(m_dark.get(), n, 1, file) == 1 &&
                   std::fwrite(gainBytes.get(), 4 * n, 1, file) == 1;
    written = std::fclose(file) == 0 && written;
    // A file cut short would be refused by the next load anyway.
    if (!written) std::remove(path);
    return written ? RC_SUCCESS : RC_FAIL;
}

void ZoqFlatField::Release() {
    DropFrame(kDark);
    DropFrame(kFlat);
    DropGain();
}
