// Frames of `stream` from the continuous-acquisition interface: the next
// frame is on the bus while this one is saved and counted, so the frame
// rate is the camera's and the bus's rather than the tool's.
#include "frames/FrameSource.h"
#include "zoqapi.h"
#include "zoqstream.h"

namespace zoqcam {

namespace {

// Short waits, so that Ctrl-C ends a stream whose camera waits for a trigger.
constexpr unsigned int kWaitSliceMs = 200;

class StreamSource final : public FrameSource {
public:
    StreamSource(int index, bool raw, bool keepEvery) : m_index(index), m_raw(raw) {
        ZOQStream_ConfigInit(&m_config);
        m_config.format = raw ? ZOQSTREAM_FORMAT_RAW : ZOQSTREAM_FORMAT_PROCESSED;
        // Saved frames must not be dropped; a live count may drop what it
        // cannot keep up with, and says so.
        m_config.policy = keepEvery ? ZOQSTREAM_BLOCK : ZOQSTREAM_DROP_OLDEST;
        m_config.bufferCount = 4;
    }

    ~StreamSource() override { Stop(); }

    int Start() override {
        const int rc = ZOQStream_Open(m_index, &m_config, &m_stream);
        if (rc != RC_SUCCESS) return rc;
        return ZOQStream_Start(m_stream);
    }

    int Next(Frame* frame) override {
        GiveBack();
        if (m_stream == nullptr) return RC_ILLEGAL_OPERATION;
        int rc;
        do {
            rc = ZOQStream_WaitFrame(m_stream, kWaitSliceMs, &m_taken);
            if (StopRequested() && rc != RC_SUCCESS) return kInterrupted;
        } while (rc == RC_TIMEOUT);
        if (rc != RC_SUCCESS) return rc;
        const int status = m_taken->status;
        if (status != RC_SUCCESS) {
            GiveBack();
            return status;
        }
        frame->data = m_taken->data;
        frame->bytes = static_cast<size_t>(m_taken->bytes);
        frame->width = m_taken->width;
        frame->height = m_taken->height;
        frame->bitsPerPixel = m_taken->bitCount;
        frame->raw = m_raw;
        // Each frame says the mode it was laid out in, so a change of mode
        // mid-stream cannot turn a saved picture upside down.
        frame->topDown = m_raw || (m_taken->bayerMode & 4) != 0;
        return RC_SUCCESS;
    }

    void Stop() override {
        if (m_stream == nullptr) return;
        GiveBack();
        ZOQStream_Stop(m_stream);
        m_dropped = Dropped();
        ZOQStream_Close(m_stream);
        m_stream = nullptr;
    }

    unsigned long long Dropped() const override {
        ZOQSTREAM_STATS stats{};
        if (m_stream == nullptr || ZOQStream_GetStats(m_stream, &stats) != RC_SUCCESS)
            return m_dropped;
        return stats.dropped;
    }

private:
    void GiveBack() {
        if (m_taken != nullptr) ZOQStream_ReleaseFrame(m_stream, m_taken);
        m_taken = nullptr;
    }

    const int m_index;
    const bool m_raw;
    ZOQSTREAM_CONFIG m_config{};
    ZOQSTREAM* m_stream = nullptr;
    ZOQSTREAM_FRAME* m_taken = nullptr;
    unsigned long long m_dropped = 0;  // of the last run, once closed
};

}  // namespace

std::unique_ptr<FrameSource> MakeStreamSource(int index, bool raw, bool keepEvery) {
    return std::make_unique<StreamSource>(index, raw, keepEvery);
}

}  // namespace zoqcam
