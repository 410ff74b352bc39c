// Bilinear members. The parallel build spreads the interior rows over TBB
// worker threads; the serial build runs them in one loop. Both compute the
// same pixels.
#include <algorithm>

#include "BayerBorder.h"
#include "BayerInterior3x3.h"

#if ZOQ_BAYER_PARALLEL
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_group.h>
#endif

// Row chunks the parallel build aims for. Exported by both builds so that
// either library serves the same programs; only the parallel build uses it.
short wThreadCount = 4;

namespace zoqbayer {
namespace {

constexpr bool kParallelBuild = ZOQ_BAYER_PARALLEL != 0;

struct BilinearMember {
    Pattern pattern;
    bool flip;
    PreFill serialFill;       // the parallel build never pre-fills
    bool simplePartitioner;  // else TBB's auto partitioner
};

void BilinearRows(Pattern pattern, const Mosaic<std::uint8_t>& mosaic, const Canvas<std::uint8_t>& canvas,
                  int first, int last) {
    Interpolate3x3Rows<GreenRule::kAverage, DiagonalRule::kAverage>(pattern, mosaic, canvas, first, last);
}

#if ZOQ_BAYER_PARALLEL

// The library's own calls read and write the shared variable atomically, so
// concurrent calls do not race with each other; a caller that writes it
// directly must not do so during a call.
short LoadThreadCount() { return __atomic_load_n(&wThreadCount, __ATOMIC_RELAXED); }
void StoreThreadCount(short value) { __atomic_store_n(&wThreadCount, value, __ATOMIC_RELAXED); }

// TBB body: the interior rows of one chunk. Index r is image row r + 1.
template <const BilinearMember& M>
class MpExcuter {
public:
    MpExcuter(const std::uint8_t* src, int width, int height, std::uint8_t* dst, unsigned short bitCount)
        : src_(src), width_(width), height_(height), dst_(dst), bitCount_(bitCount) {}

    void operator()(const tbb::blocked_range<std::size_t>& rows) const {
        const Mosaic<std::uint8_t> mosaic{src_, width_, height_};
        const Canvas<std::uint8_t> canvas{dst_, width_, height_, PixelSize(bitCount_), M.flip};
        BilinearRows(M.pattern, mosaic, canvas, static_cast<int>(rows.begin()) + 1, static_cast<int>(rows.end()));
    }

private:
    const std::uint8_t* src_;
    int width_;
    int height_;
    std::uint8_t* dst_;
    unsigned short bitCount_;
};

template <const BilinearMember& M>
void InteriorRows(const Mosaic<std::uint8_t>& mosaic, const Canvas<std::uint8_t>& canvas, unsigned short bitCount) {
    const int rows = mosaic.height - 2;
    // A chunk count below 1 (after a call with height <= 2, or set by the
    // caller) acts as 1, and a chunk never has fewer than one row.
    const int chunks = std::max<int>(LoadThreadCount(), 1);
    const std::size_t grain = static_cast<std::size_t>(std::max(rows / chunks, 1));
    const tbb::blocked_range<std::size_t> range(0, static_cast<std::size_t>(rows), grain);
    const MpExcuter<M> body(mosaic.data, mosaic.width, mosaic.height, canvas.data, bitCount);
    try {
        tbb::task_group_context context;
        if constexpr (M.simplePartitioner) {
            tbb::parallel_for(range, body, tbb::simple_partitioner(), context);
        } else {
            tbb::parallel_for(range, body, tbb::auto_partitioner(), context);
        }
    } catch (...) {
        // TBB could not run the loop (out of memory for its tasks): every row
        // depends on the input only, so computing them all here is exact.
        body(range);
    }
}

#else

template <const BilinearMember& M>
void InteriorRows(const Mosaic<std::uint8_t>& mosaic, const Canvas<std::uint8_t>& canvas, unsigned short) {
    BilinearRows(M.pattern, mosaic, canvas, 1, mosaic.height - 2);
}

#endif

template <const BilinearMember& M>
int Bilinear(const std::uint8_t* src, int width, int height, std::uint8_t* dst, unsigned short bitCount) {
#if ZOQ_BAYER_PARALLEL
    if (height <= 9) StoreThreadCount(static_cast<short>(height - 2));
#endif
    const ColourMember member{M.pattern, M.flip, kParallelBuild ? PreFill::kNone : M.serialFill, 1};
    return RunColourMember(member, src, width, height, dst, bitCount, [bitCount](const auto& mosaic, const auto& canvas) {
        if (mosaic.height > 2) InteriorRows<M>(mosaic, canvas, bitCount);
    });
}

constexpr BilinearMember kRGGBMember{.pattern = kRGGB, .flip = false, .serialFill = PreFill::kOnes,
                                     .simplePartitioner = false};
constexpr BilinearMember kRGGBFlipMember{.pattern = kRGGB, .flip = true, .serialFill = PreFill::kNone,
                                         .simplePartitioner = false};
constexpr BilinearMember kBGGRMember{.pattern = kBGGR, .flip = false, .serialFill = PreFill::kOnes,
                                     .simplePartitioner = true};
constexpr BilinearMember kBGGRFlipMember{.pattern = kBGGR, .flip = true, .serialFill = PreFill::kNone,
                                         .simplePartitioner = false};
constexpr BilinearMember kGRBGMember{.pattern = kGRBG, .flip = false, .serialFill = PreFill::kOnes,
                                     .simplePartitioner = false};
constexpr BilinearMember kGRBGFlipMember{.pattern = kGRBG, .flip = true, .serialFill = PreFill::kNone,
                                         .simplePartitioner = false};
constexpr BilinearMember kGBRGMember{.pattern = kGBRG, .flip = false, .serialFill = PreFill::kOnes,
                                     .simplePartitioner = false};
constexpr BilinearMember kGBRGFlipMember{.pattern = kGBRG, .flip = true, .serialFill = PreFill::kNone,
                                         .simplePartitioner = false};

#if ZOQ_BAYER_PARALLEL
using MpExcuter_RGGB = MpExcuter<kRGGBMember>;
using MpExcuter_RGGB_Flip = MpExcuter<kRGGBFlipMember>;
using MpExcuter_BGGR = MpExcuter<kBGGRMember>;
using MpExcuter_BGGR_Flip = MpExcuter<kBGGRFlipMember>;
using MpExcuter_GRBG = MpExcuter<kGRBGMember>;
using MpExcuter_GRBG_Flip = MpExcuter<kGRBGFlipMember>;
using MpExcuter_GBRG = MpExcuter<kGBRGMember>;
using MpExcuter_GBRG_Flip = MpExcuter<kGBRGFlipMember>;
#endif

}  // namespace
}  // namespace zoqbayer

using zoqbayer::Bilinear;

ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_RGGB) {
    return Bilinear<zoqbayer::kRGGBMember>(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_RGGB_Flip) {
    return Bilinear<zoqbayer::kRGGBFlipMember>(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_BGGR) {
    return Bilinear<zoqbayer::kBGGRMember>(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_BGGR_Flip) {
    return Bilinear<zoqbayer::kBGGRFlipMember>(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_GRBG) {
    return Bilinear<zoqbayer::kGRBGMember>(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_GRBG_Flip) {
    return Bilinear<zoqbayer::kGRBGFlipMember>(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_GBRG) {
    return Bilinear<zoqbayer::kGBRGMember>(src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Bilinear_GBRG_Flip) {
    return Bilinear<zoqbayer::kGBRGFlipMember>(src, width, height, dst, bitCount);
}
