#include "BayerMembers.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <type_traits>

#include "zoqbayer.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define BAYER_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define BAYER_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define BAYER_POISON(p, n) ((void)(p), (void)(n))
#define BAYER_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace bayertest {
namespace {

template <typename Fn>
constexpr Signature SignatureOfType() {
    if constexpr (std::is_same_v<Fn, Colour8Fn>) {
        return Signature::kColour8;
    } else if constexpr (std::is_same_v<Fn, Colour16Fn>) {
        return Signature::kColour16;
    } else if constexpr (std::is_same_v<Fn, Gray8Fn>) {
        return Signature::kGray8;
    } else {
        static_assert(std::is_same_v<Fn, Gray16Fn>, "a member with an unknown signature");
        return Signature::kGray16;
    }
}

using ref::Pattern;
constexpr Pattern RGGB = Pattern::RGGB, BGGR = Pattern::BGGR, GRBG = Pattern::GRBG, GBRG = Pattern::GBRG;
constexpr bool kFlip = true, kTop = false;

// The symbol comes from the name as written here; the signature from the
// header's declaration of the same name.
#define MEMBER(fn, algorithm, pattern, flip, fill, ...) \
    Member { #fn, SignatureOfType<decltype(&fn)>(), Algorithm::algorithm, pattern, flip, Fill::fill, __VA_ARGS__ }
#define NN(fn, pattern, flip, fill, before, mean) MEMBER(fn, kNearestNeighbor, pattern, flip, fill, before, mean, 0)
#define GRAY(fn, algorithm, flip, repeat) MEMBER(fn, algorithm, RGGB, flip, kNone, false, false, repeat)
#define PLAIN(fn, algorithm, pattern, flip, fill) MEMBER(fn, algorithm, pattern, flip, fill, false, false, 0)

const std::vector<Member> kMembers = {
    NN(ZOQCFA_NearestNeighbor_RGGB, RGGB, kTop, kOnes, false, true),
    NN(ZOQCFA_NearestNeighbor_RGGB_Flip, RGGB, kFlip, kNone, false, true),
    NN(ZOQCFA_NearestNeighbor_BGGR, BGGR, kTop, kNone, true, false),
    NN(ZOQCFA_NearestNeighbor_BGGR_Flip, BGGR, kFlip, kNone, false, true),
    NN(ZOQCFA_NearestNeighbor_GRBG, GRBG, kTop, kNone, false, true),
    NN(ZOQCFA_NearestNeighbor_GRBG_Flip, GRBG, kFlip, kNone, false, true),
    NN(ZOQCFA_NearestNeighbor_GBRG, GBRG, kTop, kNone, false, false),
    NN(ZOQCFA_NearestNeighbor_GBRG_Flip, GBRG, kFlip, kNone, false, false),

    PLAIN(ZOQCFA_NearestNeighbor_RGGB_16Bits, kNearestNeighbor16, RGGB, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_RGGB_Flip_16Bits, kNearestNeighbor16, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_BGGR_16Bits, kNearestNeighbor16, BGGR, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_BGGR_Flip_16Bits, kNearestNeighbor16, BGGR, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_GRBG_16Bits, kNearestNeighbor16, GRBG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_GRBG_Flip_16Bits, kNearestNeighbor16, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_GBRG_16Bits, kNearestNeighbor16, GBRG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_GBRG_Flip_16Bits, kNearestNeighbor16, GBRG, kFlip, kNone),

    // The 8-bit RGGB members repeat two right-hand columns, and so do the
    // other patterns' _Flip members, which hand over to RGGB_Gray_Flip.
    GRAY(ZOQCFA_NearestNeighbor_RGGB_Gray, kGray, kTop, 2),
    GRAY(ZOQCFA_NearestNeighbor_RGGB_Gray_Flip, kGray, kFlip, 2),
    GRAY(ZOQCFA_NearestNeighbor_BGGR_Gray, kGray, kTop, 1),
    GRAY(ZOQCFA_NearestNeighbor_BGGR_Gray_Flip, kGray, kFlip, 2),
    GRAY(ZOQCFA_NearestNeighbor_GRBG_Gray, kGray, kTop, 1),
    GRAY(ZOQCFA_NearestNeighbor_GRBG_Gray_Flip, kGray, kFlip, 2),
    GRAY(ZOQCFA_NearestNeighbor_GBRG_Gray, kGray, kTop, 1),
    GRAY(ZOQCFA_NearestNeighbor_GBRG_Gray_Flip, kGray, kFlip, 2),

    GRAY(ZOQCFA_NearestNeighbor_RGGB_Gray_16Bits, kGray16, kTop, 1),
    GRAY(ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits, kGray16, kFlip, 1),
    GRAY(ZOQCFA_NearestNeighbor_BGGR_Gray_16Bits, kGray16, kTop, 1),
    GRAY(ZOQCFA_NearestNeighbor_BGGR_Gray_Flip_16Bits, kGray16, kFlip, 1),
    GRAY(ZOQCFA_NearestNeighbor_GRBG_Gray_16Bits, kGray16, kTop, 1),
    GRAY(ZOQCFA_NearestNeighbor_GRBG_Gray_Flip_16Bits, kGray16, kFlip, 1),
    GRAY(ZOQCFA_NearestNeighbor_GBRG_Gray_16Bits, kGray16, kTop, 1),
    GRAY(ZOQCFA_NearestNeighbor_GBRG_Gray_Flip_16Bits, kGray16, kFlip, 1),

    PLAIN(ZOQCFA_Bilinear_RGGB, kBilinear, RGGB, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_Bilinear_RGGB_Flip, kBilinear, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_Bilinear_BGGR, kBilinear, BGGR, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_Bilinear_BGGR_Flip, kBilinear, BGGR, kFlip, kNone),
    PLAIN(ZOQCFA_Bilinear_GRBG, kBilinear, GRBG, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_Bilinear_GRBG_Flip, kBilinear, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_Bilinear_GBRG, kBilinear, GBRG, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_Bilinear_GBRG_Flip, kBilinear, GBRG, kFlip, kNone),

    PLAIN(ZOQCFA_FastBilinear_RGGB, kFastBilinear, RGGB, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_FastBilinear_RGGB_Flip, kFastBilinear, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_FastBilinear_BGGR, kFastBilinear, BGGR, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_FastBilinear_BGGR_Flip, kFastBilinear, BGGR, kFlip, kNone),
    PLAIN(ZOQCFA_FastBilinear_GRBG, kFastBilinear, GRBG, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_FastBilinear_GRBG_Flip, kFastBilinear, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_FastBilinear_GBRG, kFastBilinear, GBRG, kTop, kOnesSerialOnly),
    PLAIN(ZOQCFA_FastBilinear_GBRG_Flip, kFastBilinear, GBRG, kFlip, kNone),

    // EdgeSensing1 on RGGB hands over to EdgeSensing2.
    PLAIN(ZOQCFA_EdgeSensing1_RGGB, kEdgeSensing2, RGGB, kTop, kNone),
    PLAIN(ZOQCFA_EdgeSensing1_RGGB_Flip, kEdgeSensing2, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_EdgeSensing1_BGGR, kEdgeSensing1, BGGR, kTop, kNone),
    PLAIN(ZOQCFA_EdgeSensing1_BGGR_Flip, kEdgeSensing1, BGGR, kFlip, kNone),
    PLAIN(ZOQCFA_EdgeSensing1_GRBG, kEdgeSensing1, GRBG, kTop, kNone),
    PLAIN(ZOQCFA_EdgeSensing1_GRBG_Flip, kEdgeSensing1, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_EdgeSensing1_GBRG, kEdgeSensing1, GBRG, kTop, kNone),
    PLAIN(ZOQCFA_EdgeSensing1_GBRG_Flip, kEdgeSensing1, GBRG, kFlip, kNone),
    PLAIN(ZOQCFA_EdgeSensing2_RGGB, kEdgeSensing2, RGGB, kTop, kNone),
    PLAIN(ZOQCFA_EdgeSensing2_RGGB_Flip, kEdgeSensing2, RGGB, kFlip, kNone),

    PLAIN(ZOQCFA_SmoothHue_RGGB, kSmoothHue, RGGB, kTop, kNone),
    PLAIN(ZOQCFA_SmoothHue_RGGB_Flip, kSmoothHue, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_SmoothHue_BGGR, kSmoothHue, BGGR, kTop, kNone),
    PLAIN(ZOQCFA_SmoothHue_BGGR_Flip, kSmoothHue, BGGR, kFlip, kZerosRgb),
    PLAIN(ZOQCFA_SmoothHue_GRBG, kSmoothHue, GRBG, kTop, kNone),
    PLAIN(ZOQCFA_SmoothHue_GRBG_Flip, kSmoothHue, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_SmoothHue_GBRG, kSmoothHue, GBRG, kTop, kNone),
    PLAIN(ZOQCFA_SmoothHue_GBRG_Flip, kSmoothHue, GBRG, kFlip, kNone),

    PLAIN(ZOQCFA_Laplacian_RGGB, kLaplacian, RGGB, kTop, kOnes),
    PLAIN(ZOQCFA_Laplacian_RGGB_Flip, kLaplacian, RGGB, kFlip, kOnes),
    PLAIN(ZOQCFA_Laplacian_BGGR, kLaplacian, BGGR, kTop, kOnes),
    PLAIN(ZOQCFA_Laplacian_BGGR_Flip, kLaplacian, BGGR, kFlip, kOnes),
    PLAIN(ZOQCFA_Laplacian_GRBG, kLaplacian, GRBG, kTop, kOnes),
    PLAIN(ZOQCFA_Laplacian_GRBG_Flip, kLaplacian, GRBG, kFlip, kOnes),
    PLAIN(ZOQCFA_Laplacian_GBRG, kLaplacian, GBRG, kTop, kOnes),
    PLAIN(ZOQCFA_Laplacian_GBRG_Flip, kLaplacian, GBRG, kFlip, kOnes),
    // Exported under its C++ name.
    Member{"_Z22ZOQCFA_Laplacian2_RGGBPhiiS_t", SignatureOfType<decltype(&ZOQCFA_Laplacian2_RGGB)>(),
           Algorithm::kLaplacian, RGGB, kTop, Fill::kOnes, false, false, 0},

    PLAIN(ZOQCFA_NearestNeighbor_Edge1_RGGB, kEdge1, RGGB, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_RGGB_Flip, kEdge1, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_BGGR, kEdge1, BGGR, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_BGGR_Flip, kEdge1, BGGR, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GRBG, kEdge1, GRBG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GRBG_Flip, kEdge1, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GBRG, kEdge1, GBRG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GBRG_Flip, kEdge1, GBRG, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_RGGB_16Bits, kEdge1_16, RGGB, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_RGGB_Flip_16Bits, kEdge1_16, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_BGGR_16Bits, kEdge1_16, BGGR, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_BGGR_Flip_16Bits, kEdge1_16, BGGR, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GRBG_16Bits, kEdge1_16, GRBG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GRBG_Flip_16Bits, kEdge1_16, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GBRG_16Bits, kEdge1_16, GBRG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge1_GBRG_Flip_16Bits, kEdge1_16, GBRG, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_RGGB, kEdge2, RGGB, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_RGGB_Flip, kEdge2, RGGB, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_BGGR, kEdge2, BGGR, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_BGGR_Flip, kEdge2, BGGR, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_GRBG, kEdge2, GRBG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_GRBG_Flip, kEdge2, GRBG, kFlip, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_GBRG, kEdge2, GBRG, kTop, kNone),
    PLAIN(ZOQCFA_NearestNeighbor_Edge2_GBRG_Flip, kEdge2, GBRG, kFlip, kNone),
};

// An output buffer between two guard zones, all filled with random bytes.
// Under AddressSanitizer the guards are poisoned, so any access to them
// stops the test at once; otherwise they are compared afterwards.
template <typename T>
class GuardedBuffer {
public:
    static constexpr std::size_t kGuard = 64;

    GuardedBuffer(std::size_t count, std::mt19937& random) : storage_(count + 2 * kGuard), count_(count) {
        for (T& value : storage_) value = static_cast<T>(random());
        Guard(true);
    }
    ~GuardedBuffer() { Guard(false); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    T* data() { return storage_.data() + kGuard; }
    // The whole storage, guards included, once nothing more will be written.
    const std::vector<T>& Finish() {
        Guard(false);
        return storage_;
    }

private:
    void Guard(bool on) {
        const std::size_t bytes = kGuard * sizeof(T);
        if (on) {
            BAYER_POISON(storage_.data(), bytes);
            BAYER_POISON(storage_.data() + kGuard + count_, bytes);
        } else {
            BAYER_UNPOISON(storage_.data(), bytes);
            BAYER_UNPOISON(storage_.data() + kGuard + count_, bytes);
        }
    }

    std::vector<T> storage_;
    std::size_t count_;
};

template <typename T>
void ApplyFill(Fill fill, bool serial, T* data, int width, int height, unsigned short bitCount) {
    auto* bytes = reinterpret_cast<unsigned char*>(data);
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    if (fill == Fill::kOnes || (fill == Fill::kOnesSerialOnly && serial)) {
        std::memset(bytes, 0xFF, pixels * bitCount / 8);
    }
    if (fill == Fill::kZerosRgb) std::memset(bytes, 0x00, pixels * 3);
}

template <typename T>
void Reference(const Member& member, const ref::Mosaic& m, const ref::Output<T>& out) {
    const Pattern p = member.pattern;
    if constexpr (std::is_same_v<T, std::uint16_t>) {
        switch (member.algorithm) {
            case Algorithm::kNearestNeighbor16: ref::NearestNeighbor16(m, p, out); return;
            case Algorithm::kGray16: ref::Gray(m, member.grayRepeat, out); return;
            case Algorithm::kEdge1_16: ref::Frame(m, p, 1, out); return;
            default: std::abort();
        }
    } else {
        switch (member.algorithm) {
            case Algorithm::kNearestNeighbor:
                ref::NearestNeighbor(m, p, member.windowBeforeX, member.greenMean, out);
                return;
            case Algorithm::kGray: ref::Gray(m, member.grayRepeat, out); return;
            case Algorithm::kBilinear:
            case Algorithm::kFastBilinear: ref::Bilinear(m, p, out); return;
            case Algorithm::kEdgeSensing1: ref::EdgeSensing(m, p, false, out); return;
            case Algorithm::kEdgeSensing2: ref::EdgeSensing(m, p, true, out); return;
            case Algorithm::kSmoothHue: ref::SmoothHue(m, p, out); return;
            case Algorithm::kLaplacian: ref::Laplacian(m, p, out); return;
            case Algorithm::kEdge1: ref::Frame(m, p, 1, out); return;
            case Algorithm::kEdge2: ref::Frame(m, p, 2, out); return;
            default: std::abort();
        }
    }
}

template <typename T>
std::string Compare(const Library& library, const Member& member, const ref::Mosaic& mosaic,
                    unsigned short bitCount) {
    const Signature signature = SignatureOf(member.algorithm);
    const bool gray = signature == Signature::kGray8 || signature == Signature::kGray16;
    const int pixelSize = gray ? 1 : bitCount / 8;
    const int width = mosaic.width, height = mosaic.height;
    const std::size_t count = static_cast<std::size_t>(width) * height * pixelSize;

    std::vector<T> src(mosaic.samples.begin(), mosaic.samples.end());  // exactly sized
    std::mt19937 random(static_cast<unsigned>(width * 7919 + height * 31 + bitCount));
    GuardedBuffer<T> actual(count, random);

    int result = -100;
    void* fn = library.Find(member.symbol);
    if (fn == nullptr) return std::string("not exported: ") + member.symbol;
    switch (signature) {
        case Signature::kColour8:
            result = reinterpret_cast<Colour8Fn>(fn)(reinterpret_cast<unsigned char*>(src.data()), width, height,
                                                     reinterpret_cast<unsigned char*>(actual.data()), bitCount);
            break;
        case Signature::kColour16:
            result = reinterpret_cast<Colour16Fn>(fn)(reinterpret_cast<unsigned short*>(src.data()), width, height,
                                                      reinterpret_cast<unsigned short*>(actual.data()), bitCount);
            break;
        case Signature::kGray8:
            result = reinterpret_cast<Gray8Fn>(fn)(reinterpret_cast<unsigned char*>(src.data()), width, height,
                                                   reinterpret_cast<unsigned char*>(actual.data()));
            break;
        case Signature::kGray16:
            result = reinterpret_cast<Gray16Fn>(fn)(reinterpret_cast<unsigned short*>(src.data()), width, height,
                                                    reinterpret_cast<unsigned short*>(actual.data()));
            break;
    }
    const std::vector<T>& got = actual.Finish();

    std::vector<T> expected = [&] {
        std::mt19937 same(static_cast<unsigned>(width * 7919 + height * 31 + bitCount));
        std::vector<T> initial(count + 2 * GuardedBuffer<T>::kGuard);
        for (T& value : initial) value = static_cast<T>(same());
        return initial;
    }();
    T* out = expected.data() + GuardedBuffer<T>::kGuard;
    ApplyFill(member.fill, !library.parallel(), out, width, height, bitCount);
    Reference(member, mosaic, ref::Output<T>{out, width, height, pixelSize, member.flip});

    std::ostringstream report;
    if (result != 0) report << "returned " << result << "; ";
    std::size_t differences = 0, first = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i] != expected[i] && differences++ == 0) first = i;
    }
    if (differences > 0) {
        report << differences << " samples differ, first ";
        const std::size_t guard = GuardedBuffer<T>::kGuard;
        if (first < guard || first >= guard + count) {
            report << "in a guard zone at " << static_cast<long>(first) - static_cast<long>(guard);
        } else {
            const std::size_t offset = first - guard;
            const std::size_t pixel = offset / pixelSize;
            const int storedRow = static_cast<int>(pixel / width);
            report << "at image x " << pixel % width << ", y " << (member.flip ? height - 1 - storedRow : storedRow)
                   << ", channel " << offset % pixelSize;
        }
        report << ": expected " << +expected[first] << ", got " << +got[first];
    }
    return report.str();
}

}  // namespace

Signature SignatureOf(Algorithm algorithm) {
    switch (algorithm) {
        case Algorithm::kNearestNeighbor16:
        case Algorithm::kEdge1_16: return Signature::kColour16;
        case Algorithm::kGray: return Signature::kGray8;
        case Algorithm::kGray16: return Signature::kGray16;
        default: return Signature::kColour8;
    }
}

const char* AlgorithmName(Algorithm algorithm) {
    static const char* const kNames[] = {"NearestNeighbor", "NearestNeighbor16", "Gray",       "Gray16",
                                         "Bilinear",        "FastBilinear",      "EdgeSensing1", "EdgeSensing2",
                                         "SmoothHue",       "Laplacian",         "Edge1",      "Edge1_16",
                                         "Edge2"};
    return kNames[static_cast<int>(algorithm)];
}

const std::vector<Member>& AllMembers() { return kMembers; }

std::vector<Member> MembersOf(Algorithm algorithm) {
    std::vector<Member> result;
    for (const Member& member : kMembers) {
        if (member.algorithm == algorithm) result.push_back(member);
    }
    return result;
}

Library::Library(const char* path, bool parallel, std::string name)
    : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)), parallel_(parallel), name_(std::move(name)) {
    if (handle_ == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
        std::abort();
    }
}

Library& Library::Parallel() {
    static Library library(ZOQ_BAYER_PARALLEL_LIBRARY, true, "parallel");
    return library;
}

Library& Library::Serial() {
    static Library library(ZOQ_BAYER_SERIAL_LIBRARY, false, "serial");
    return library;
}

void* Library::Find(const char* symbol) const { return dlsym(handle_, symbol); }

std::string CompareWithReference(const Library& library, const Member& member, const ref::Mosaic& mosaic,
                                 unsigned short bitCount) {
    const Signature signature = SignatureOf(member.algorithm);
    if (signature == Signature::kColour16 || signature == Signature::kGray16) {
        return Compare<std::uint16_t>(library, member, mosaic, bitCount);
    }
    return Compare<std::uint8_t>(library, member, mosaic, bitCount);
}

ref::Mosaic RandomMosaic(int width, int height, int maxValue, bool extremes, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(0, maxValue);
    std::uniform_int_distribution<int> kind(0, 2);
    ref::Mosaic mosaic{width, height, std::vector<int>(static_cast<std::size_t>(width) * height)};
    for (int& sample : mosaic.samples) {
        const int k = extremes ? kind(random) : 2;
        sample = k == 0 ? 0 : k == 1 ? maxValue : value(random);
    }
    return mosaic;
}

}  // namespace bayertest
