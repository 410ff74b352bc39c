// Flat-field correction: a dark frame and a flat frame, each the average of
// several captures made for a field of view of their own, and the per-byte
// gain table computed from them. Correction subtracts the dark frame and
// multiplies by the gain.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "geometry/ZOQDevice_FovRecord.h"
#include "zoq_types.h"

class ZoqFlatField {
public:
    enum Kind { kDark, kFlat };

    // The geometry the frames were made for; its byteCount is the frame
    // size N.
    ZOQ_FOV_INFO fov{};
    bool previewEnable = false;
    bool captureEnable = false;

    size_t FrameBytes() const { return fov.byteCount > 0 ? static_cast<size_t>(fov.byteCount) : 0; }
    bool HasFrame(Kind kind) const { return Frame(kind) != nullptr; }
    bool HasGain() const { return m_gain != nullptr; }
    const unsigned char* Frame(Kind kind) const {
        return kind == kDark ? m_dark.get() : m_flat.get();
    }
    const float* Gain() const { return m_gain.get(); }

    // Drops the frame of that kind and makes room for a new one of N bytes;
    // false when the memory is not there (the frame is then gone).
    bool NewFrame(Kind kind);
    void DropFrame(Kind kind);
    // Fills the new frame from per-byte sums of `count` captures: the
    // average + 0.5, truncated, 255 at most.
    void SetFrameFromSums(Kind kind, const uint32_t* sums, int count);
    void DropGain() {
        m_gain.reset();
        m_gainCount = 0;
    }

    // Correction can be switched on: a dark frame, and a gain table or a
    // flat frame to compute one from (loaded data has no flat frame).
    bool CanCorrect() const { return m_dark && (m_gain || m_flat); }

    // Computes the gain table when there is none: the mean of flat - dark
    // over the mean's own difference, 1.0 where the flat is not brighter.
    // RC_ILLEGAL_OPERATION when !CanCorrect(), RC_ALLOC_FAILED without memory.
    int MakeGain();

    // Same window and image size as the frames were made for.
    bool Matches(const ZOQ_FOV_INFO& frame) const;

    // Corrects `count` bytes in place; false (nothing changed) when the dark
    // frame or gain table is missing or shorter than that.
    bool Apply(unsigned char* data, size_t count) const;

    // Replaces geometry, dark frame and gain table from a flat-field file;
    // a refused file changes nothing. RC_FAIL for a file that cannot be
    // opened or read, is shorter than its record promises or whose byte
    // count does not fit its own image size; RC_ALLOC_FAILED without memory.
    int Load(const char* path);

    // Writes the file Load reads: the window record, the dark frame and the
    // gain table (computed for the file when there is none yet). Both must
    // be of the window's frame size, else RC_ILLEGAL_OPERATION; RC_FAIL when
    // the file cannot be written.
    int Save(const char* path) const;

    void Release();

private:
    // gain[0 .. n - 1] from the first n bytes of both frames.
    void ComputeGain(float* gain, size_t n) const;

    std::unique_ptr<unsigned char[]> m_dark;
    std::unique_ptr<unsigned char[]> m_flat;
    std::unique_ptr<float[]> m_gain;
    // Sizes as made or loaded: the field of view may change afterwards.
    size_t m_darkBytes = 0;
    size_t m_flatBytes = 0;
    size_t m_gainCount = 0;
};
