// What the tools and the language bindings say about a camera beyond the
// API's own records: its model name and how wide its samples come.
#pragma once

#include <cstddef>
#include <string>

namespace zoqid {

// The model name a camera's plug-in reports ("ZOQ-MT9P031-C"), or "" when
// the plug-in cannot be loaded or has none.
std::string ModelName(int deviceType);

// A camera with 16-bit transfer on writes two bytes a sample, but the API
// does not say whether it is on. A buffer sized by FrameWidth has room for
// 16-bit frames and a mark at its end that only a 16-bit frame overwrites.
class FrameWidth {
public:
    // narrowBytes: the frame's bytes at one byte a sample. A camera without
    // the 16-bit capability gets a buffer of exactly that size.
    FrameWidth(int index, size_t narrowBytes);

    size_t BufferBytes() const { return m_wideCapable ? 2 * m_narrowBytes : m_narrowBytes; }
    // Writes the mark; call before every capture into `buffer`.
    void Arm(unsigned char* buffer) const;
    // After a capture: true when the frame came with 16-bit samples.
    bool Wide(const unsigned char* buffer) const;

private:
    size_t m_narrowBytes;
    bool m_wideCapable;
};

// Whether an RGB capture in `bayerMode` comes top row first. The 16-bit road
// of the library runs opposite to the 8-bit one.
bool RgbTopDown(int bayerMode, bool wide);

}  // namespace zoqid
