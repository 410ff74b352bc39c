#include <optional>
#include <vector>

#include "CameraIdentity.h"
#include "frames/FrameSource.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

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
        // RGB captures of 16-bit frames are twice as large as well.
        m_width.emplace(m_index, m_frame.bytes);
        m_buffer.assign(m_width->BufferBytes(), 0);
        m_frame.data = m_buffer.data();
        return RC_SUCCESS;
    }

    int Next(Frame* frame) override {
        m_width->Arm(m_buffer.data());
        const int rc = m_raw ? ZOQ_CaptureRawData(m_index, m_buffer.data())
                             : ZOQ_CaptureRgbData(m_index, m_buffer.data());
        if (rc != RC_SUCCESS) return rc;
        *frame = m_frame;
        if (m_width->Wide(m_buffer.data())) {
            // The image files here hold 16 bits for gray samples only.
            if (!m_raw) return RC_NOT_SUPPORTED;
            frame->bitsPerPixel = 16;
            frame->bytes *= 2;
        }
        return RC_SUCCESS;
    }

    void Stop() override {}

private:
    const int m_index;
    const bool m_raw;
    std::optional<zoqid::FrameWidth> m_width;
    Frame m_frame;
    std::vector<unsigned char> m_buffer;
};

}  // namespace

std::unique_ptr<FrameSource> MakeCaptureSource(int index, bool raw) {
    return std::make_unique<CaptureSource>(index, raw);
}

}  // namespace zoqcam
