// Both builds of libzoqbayer, loaded side by side (RTLD_LOCAL) and looked up
// by name, and the table of every exported member with what it computes.
#ifndef ZOQ_TESTS_BAYER_MEMBERS_H
#define ZOQ_TESTS_BAYER_MEMBERS_H

#include <string>
#include <vector>

#include "ReferenceDemosaic.h"

namespace bayertest {

using Colour8Fn = int (*)(unsigned char*, int, int, unsigned char*, unsigned short);
using Colour16Fn = int (*)(unsigned short*, int, int, unsigned short*, unsigned short);
using Gray8Fn = int (*)(unsigned char*, int, int, unsigned char*);
using Gray16Fn = int (*)(unsigned short*, int, int, unsigned short*);

// What a member computes (the forwarding members are listed with the
// algorithm they end up in).
enum class Algorithm {
    kNearestNeighbor,
    kNearestNeighbor16,
    kGray,
    kGray16,
    kBilinear,
    kFastBilinear,
    kEdgeSensing1,
    kEdgeSensing2,
    kSmoothHue,
    kLaplacian,
    kEdge1,
    kEdge1_16,
    kEdge2,
};

enum class Signature { kColour8, kColour16, kGray8, kGray16 };

// What a member writes over its output before anything else.
enum class Fill {
    kNone,
    kOnes,            // 0xFF over width x height x bitCount / 8 bytes
    kOnesSerialOnly,  // kOnes in the serial build, nothing in the parallel one
    kZerosRgb,        // 0x00 over width x height x 3 bytes
};

struct Member {
    const char* symbol;
    Signature declared;  // as zoqbayer.h declares it
    Algorithm algorithm;
    ref::Pattern pattern;
    bool flip;
    Fill fill;
    bool windowBeforeX;  // nearest neighbour 8-bit: window at x - 1, x
    bool greenMean;      // nearest neighbour 8-bit: mean of the window's greens
    int grayRepeat;      // gray: right-hand columns repeating the one before
};

Signature SignatureOf(Algorithm algorithm);
const char* AlgorithmName(Algorithm algorithm);

// All 99 members.
const std::vector<Member>& AllMembers();
std::vector<Member> MembersOf(Algorithm algorithm);

// One build of the library.
class Library {
public:
    static Library& Parallel();
    static Library& Serial();

    bool parallel() const { return parallel_; }
    const std::string& name() const { return name_; }
    // The symbol's address, or null when the library does not export it.
    void* Find(const char* symbol) const;
    short* ThreadCount() const { return static_cast<short*>(Find("wThreadCount")); }

    template <typename Fn>
    Fn Get(const char* symbol) const {
        return reinterpret_cast<Fn>(Find(symbol));
    }

private:
    Library(const char* path, bool parallel, std::string name);

    void* handle_;
    bool parallel_;
    std::string name_;
};

// Runs `member` of `library` on the mosaic with bitCount (ignored for gray
// members) and compares the whole output buffer, with pre-fill, untouched
// bytes and guard bytes on both sides, against the reference. Returns an
// empty string when equal, else a description of the first difference.
std::string CompareWithReference(const Library& library, const Member& member, const ref::Mosaic& mosaic,
                                 unsigned short bitCount);

// Random mosaics; with extremes, a third of the samples are 0 and a third the
// largest value, the rest uniform.
ref::Mosaic RandomMosaic(int width, int height, int maxValue, bool extremes, unsigned seed);

}  // namespace bayertest

#endif
