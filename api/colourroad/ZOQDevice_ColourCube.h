// A colour cube: for each of the 2^24 BGR colours the adjusted colour, three
// bytes at ((B * 256 + G) * 256 + R) * 3. Applying it costs one look-up a
// pixel; building it converts every colour, spread over the cores.
#pragma once

#include <cstddef>
#include <memory>

#include "colourroad/ZOQDevice_ColourConvert.h"

// Runs work(context, slice) for slice = 0 .. count-1 on the calling thread
// and on helper threads (one fewer than the cores); returns when every slice
// is done. Threads that cannot be started leave their share to the others.
void ZoqRunSlices(int count, void (*work)(void* context, int slice), void* context);

class ZoqColourCube {
public:
    static constexpr std::size_t kColours = std::size_t(1) << 24;
    static constexpr std::size_t kBytes = 3 * kColours;

    bool Exists() const { return m_data != nullptr; }
    // Allocation failures leave the cube absent and answer false.
    bool AllocateZeroed();
    bool AllocateIdentity();
    void Release() { m_data.reset(); }

    // Sets every entry to convert(colour); convert(const COLOR_RGB&,
    // COLOR_RGB&) must be safe to call from several threads at once. The
    // bytes do not depend on how the work is spread.
    template <typename Convert>
    void Build(const Convert& convert);

    // Replaces bytes 0-2 of every pixel of a checked image (see
    // ZoqColourImageCheck) by their entry; RC_ALLOC_FAILED when the cube is
    // absent.
    int Apply(unsigned char* image, int width, int height, int bitCount) const;

    const unsigned char* Data() const { return m_data.get(); }

private:
    struct BuildJob {
        unsigned char* data;
        const void* convert;
    };
    template <typename Convert>
    static void BuildBlue(void* job, int blue);

    std::unique_ptr<unsigned char[]> m_data;
};

template <typename Convert>
void ZoqColourCube::BuildBlue(void* job, int blue) {
    const BuildJob& j = *static_cast<const BuildJob*>(job);
    const Convert& convert = *static_cast<const Convert*>(j.convert);
    unsigned char* entry = j.data + std::size_t(blue) * 65536 * 3;
    COLOR_RGB in;
    COLOR_RGB out;
    in.b = static_cast<unsigned char>(blue);
    for (int g = 0; g < 256; ++g) {
        in.g = static_cast<unsigned char>(g);
        for (int r = 0; r < 256; ++r, entry += 3) {
            in.r = static_cast<unsigned char>(r);
            convert(in, out);
            entry[0] = out.b;
            entry[1] = out.g;
            entry[2] = out.r;
        }
    }
}

template <typename Convert>
void ZoqColourCube::Build(const Convert& convert) {
    if (!Exists()) return;
    BuildJob job{m_data.get(), &convert};
    ZoqRunSlices(256, &BuildBlue<Convert>, &job);
}

// What the saturation and hue/saturation/lightness stages share: a colour
// cube built lazily, on the first frame after a setting marked it.
class ZoqCubeStage {
public:
    virtual ~ZoqCubeStage() = default;

    bool RebuildPending() const { return m_rebuild; }
    // Rebuilds a marked cube when the stage allows it and the cube exists;
    // clears the mark.
    virtual void BuildCube() = 0;
    // Skips the image while the stage is off (RC_SUCCESS); otherwise the
    // image checks' codes, or builds the cube when marked and applies it
    // (RC_ALLOC_FAILED when it could not be allocated).
    int Apply(unsigned char* image, int width, int height, int bitCount);

    const ZoqColourCube& Cube() const { return m_cube; }
    void Release() { m_cube.Release(); }

protected:
    virtual bool On() const = 0;

    bool m_rebuild = false;
    ZoqColourCube m_cube;
};
