#include "Frames.h"

#include "CameraIdentity.h"
#include "Errors.h"
#include "Images.h"
#include "Library.h"
#include "zoqapi.h"

namespace zoqpy {

namespace py = pybind11;

Frame::Frame(std::shared_ptr<StreamHandle> stream, ZOQSTREAM_FRAME* frame)
    : sequence(frame->sequence),
      timestampNs(frame->timestampNs),
      status(frame->status),
      width(frame->width),
      height(frame->height),
      bitCount(frame->bitCount),
      raw(frame->format == ZOQSTREAM_FORMAT_RAW),
      m_stream(std::move(stream)),
      m_frame(frame) {
    // A processed frame of 16-bit samples is twice its 8-bit size.
    if (!raw && status == RC_SUCCESS &&
        static_cast<long long>(frame->bytes) ==
            2LL * frame->width * frame->height * (frame->bitCount / 8))
        bitCount *= 2;
}

void Frame::Release() {
    if (m_frame != nullptr) m_stream->Release(m_frame);
    m_frame = nullptr;
}

py::object Frame::Image(py::handle self) const {
    if (status != RC_SUCCESS) return py::none();
    if (m_frame == nullptr) throw py::value_error("the frame was released");
    ImageLayout layout;
    layout.width = width;
    layout.height = height;
    if (raw) {
        layout.wide = bitCount == 16;
    } else {
        layout.wide = bitCount == 16 || bitCount > 32;
        layout.channels = (layout.wide ? bitCount / 2 : bitCount) / 8;
        // The mode the frame was processed in, whatever the camera's is now.
        layout.topDown = zoqid::RgbTopDown(m_frame->bayerMode, layout.wide);
    }
    return ImageView(layout, m_frame->data, self);
}

FrameIterator::FrameIterator(int index, long long count, bool raw, int buffers, bool block,
                             unsigned int timeoutMs)
    : m_remaining(count), m_timeoutMs(timeoutMs) {
    ZOQSTREAM_CONFIG config;
    ZOQStream_ConfigInit(&config);
    config.format = raw ? ZOQSTREAM_FORMAT_RAW : ZOQSTREAM_FORMAT_PROCESSED;
    config.bufferCount = buffers;
    config.policy = block ? ZOQSTREAM_BLOCK : ZOQSTREAM_DROP_OLDEST;
    m_stream = std::make_shared<StreamHandle>(index, config);
    if (m_remaining != 0) {
        m_stream->Start();
        m_running = true;
    }
}

std::unique_ptr<Frame> FrameIterator::Next() {
    if (m_remaining == 0 || !m_running) {
        Stop();
        throw py::stop_iteration();
    }
    ZOQSTREAM_FRAME* frame = m_stream->Wait(m_timeoutMs);
    auto result = std::make_unique<Frame>(m_stream, frame);
    if (m_remaining > 0 && --m_remaining == 0) Stop();
    return result;
}

void FrameIterator::Stop() {
    if (!m_running) return;
    m_running = false;
    m_stream->Stop();
}

}  // namespace zoqpy
