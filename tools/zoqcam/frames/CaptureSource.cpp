#include <cstring>
#include <vector>

#include "Capabilities.h"
#include "frames/FrameSource.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

// A camera with 16-bit transfer on writes two bytes a sample, but the API
// does not say whether it is on: the buffer has room for 16-bit frames,
// and a mark at its end that only a 16-bit frame overwrites.
constexpr size_t kMarkBytes = 16;
constexpr unsigned char kMark = 0xA5;

class CaptureSource final : public FrameSource {
public:
    CaptureSource(int index, bool raw) : m_index(index), m_raw(raw) {}

    int Start() override {
        int width = 0, height = 0, bits = 0;
        int rc = ZOQ_CaptureGetSizeEx(m_index, &width, &height, &bits);
        if (rc != RC_SUCCESS) return rc;
        ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
        rc = ZOQ_BayerGetMode(m_index, &mode);
        if (rc != RC_SUCCESS) return rc;
        m_frame.width = width;
        m_frame.height = height;
        m_frame.raw = m_raw;
        m_frame.bitsPerPixel = m_raw ? 8 : bits;
        m_frame.topDown = m_raw || (mode & 4) != 0;
        m_frame.bytes = static_cast<size_t>(width) * height * (m_frame.bitsPerPixel / 8);
        m_wide = m_raw && m_frame.bytes >= kMarkBytes && Has(m_index, ZOQ_FUNC_16BITS_TRANSFER);
        m_buffer.assign(m_frame.bytes * (m_wide ? 2 : 1), 0);
        m_frame.data = m_buffer.data();
        return RC_SUCCESS;
    }

    int Next(Frame* frame) override {
        unsigned char* mark = m_wide ? m_buffer.data() + m_buffer.size() - kMarkBytes : nullptr;
        if (m_wide) memset(mark, kMark, kMarkBytes);
        const int rc = m_raw ? ZOQ_CaptureRawData(m_index, m_buffer.data())
                             : ZOQ_CaptureRgbData(m_index, m_buffer.data());
        if (rc != RC_SUCCESS) return rc;
        *frame = m_frame;
        if (m_wide) {
            bool marked = true;
            for (size_t i = 0; i < kMarkBytes; ++i) marked = marked && mark[i] == kMark;
            if (!marked) {
                frame->bitsPerPixel = 16;
                frame->bytes *= 2;
            }
        }
        return RC_SUCCESS;
    }

    void Stop() override {}

private:
    const int m_index;
    const bool m_raw;
    bool m_wide = false;
    Frame m_frame;
    std::vector<unsigned char> m_buffer;
};

}  // namespace

std::unique_ptr<FrameSource> MakeCaptureSource(int index, bool raw) {
    return std::make_unique<CaptureSource>(index, raw);
}

}  // namespace zoqcam
