#include "Session.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>

#include "CameraIdentity.h"
#include "zoqapi.h"

namespace zoqgst {

namespace {

// ZOQ_Init and ZOQ_UnInit are process-wide: the first element to open a
// camera starts the library, the last stream or session to go ends it.
std::mutex g_libraryMutex;
int g_libraryUsers = 0;

int HoldLibrary() {
    std::lock_guard lock(g_libraryMutex);
    if (g_libraryUsers == 0) {
        const int rc = ZOQ_Init();
        if (rc != RC_SUCCESS) return rc;
    }
    ++g_libraryUsers;
    return RC_SUCCESS;
}

void DropLibrary() {
    std::lock_guard lock(g_libraryMutex);
    if (--g_libraryUsers == 0) ZOQ_UnInit();
}

std::string ApiText(int rc, const char* what) {
    char text[ZOQ_ERROR_TEXT_SIZE] = "";
    ZOQ_GetErrorInfo(rc, text);
    return std::string(what) + ": " + text + " (" + std::to_string(rc) + ")";
}

}  // namespace

// A stream shared by the session and the buffers over its frames: closed
// (and the library let go) when the last of them is gone. Every frame taken
// has a slot, so handing one downstream allocates nothing of ours.
class StreamRef {
public:
    StreamRef(ZOQSTREAM* stream, int slots)
        : m_stream(stream), m_slots(new Slot[slots]), m_count(slots) {
        for (int i = 0; i < slots; ++i) m_slots[i].owner = this;
    }

    void Ref() { m_refs.fetch_add(1); }
    void Unref() {
        if (m_refs.fetch_sub(1) == 1) {
            ZOQStream_Close(m_stream);
            DropLibrary();
            delete this;
        }
    }
    ZOQSTREAM* Get() const { return m_stream; }

    // A buffer over a good frame; it gives the frame back when freed.
    GstBuffer* Wrap(ZOQSTREAM_FRAME* frame) {
        for (int i = 0; i < m_count; ++i) {
            bool expected = false;
            if (m_slots[i].used.compare_exchange_strong(expected, true)) {
                m_slots[i].frame = frame;
                Ref();
                return gst_buffer_new_wrapped_full(GST_MEMORY_FLAG_READONLY, frame->data,
                                                   frame->bytes, 0, frame->bytes, &m_slots[i],
                                                   &StreamRef::GiveBack);
            }
        }
        // Cannot happen: no more frames are out than the pool holds.
        ZOQStream_ReleaseFrame(m_stream, frame);
        return nullptr;
    }

private:
    struct Slot {
        StreamRef* owner = nullptr;
        ZOQSTREAM_FRAME* frame = nullptr;
        std::atomic<bool> used{false};
    };

    ~StreamRef() = default;

    static void GiveBack(gpointer data) {
        Slot* slot = static_cast<Slot*>(data);
        StreamRef* owner = slot->owner;
        ZOQStream_ReleaseFrame(owner->m_stream, slot->frame);
        slot->used.store(false);
        owner->Unref();
    }

    ZOQSTREAM* m_stream;
    std::unique_ptr<Slot[]> m_slots;
    const int m_count;
    std::atomic<int> m_refs{1};
};

Session::~Session() {
    Stop();
    Release();
}

bool Session::Fail(int rc, const char* what, std::string* error) {
    *error = ApiText(rc, what);
    return false;
}

void Session::Release() {
    if (m_index >= 0 && m_savedBayerMode >= 0)
        ZOQ_BayerSetMode(m_index, static_cast<ZOQ_BAYERMODE>(m_savedBayerMode));
    m_savedBayerMode = -1;
    m_index = -1;
    if (m_libraryHeld) DropLibrary();
    m_libraryHeld = false;
}

bool Session::Open(const Settings& settings, std::string* error) {
    int rc = HoldLibrary();
    if (rc != RC_SUCCESS) return Fail(rc, "ZOQ_Init", error);
    m_libraryHeld = true;
    const int count = ZOQ_DeviceGetCount();
    if (count < 0) return Fail(count, "ZOQ_DeviceGetCount", error);
    const std::string found = " (" + std::to_string(count) + " found)";
    if (settings.serial >= 0) {
        for (int i = 0; i < count && m_index < 0; ++i) {
            int serial = -1;
            if (ZOQ_DeviceGetInformation(i, nullptr, &serial, nullptr) == RC_SUCCESS &&
                serial == settings.serial)
                m_index = i;
        }
        if (m_index < 0) {
            *error = "no camera with serial number " + std::to_string(settings.serial) + found;
            return false;
        }
    } else if (settings.camera >= count) {
        *error = "no camera " + std::to_string(settings.camera) + found;
        return false;
    } else {
        m_index = settings.camera;
    }
    unsigned short type = 0;
    rc = ZOQ_DeviceGetInformation(m_index, &type, nullptr, nullptr);
    if (rc != RC_SUCCESS) return Fail(rc, "ZOQ_DeviceGetInformation", error);

    ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    if ((rc = ZOQ_BayerGetMode(m_index, &mode)) != RC_SUCCESS)
        return Fail(rc, "ZOQ_BayerGetMode", error);
    m_savedBayerMode = mode;
    ZOQ_BAYERMODE pattern = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    if ((rc = ZOQ_BayerGetDefaultMode(m_index, &pattern)) != RC_SUCCESS)
        return Fail(rc, "ZOQ_BayerGetDefaultMode", error);
    m_kind.pattern = pattern & 3;
    int mono = 0;
    ZOQ_QueryFunction(m_index, ZOQ_FUNC_MONOCHROME, &mono);
    m_kind.monochrome = mono != 0;

    if (!settings.fieldOfView.empty()) {
        int w[6];
        if (!ParseFieldOfView(settings.fieldOfView, w)) {
            *error = "field-of-view \"" + settings.fieldOfView +
                     "\": give x,y,width,height[,column mode,row mode]";
            return false;
        }
        rc = ZOQ_CaptureSetFieldOfView(m_index, w[0], w[1], w[2], w[3],
                                       static_cast<ZOQ_ADDRESSMODE>(w[4]),
                                       static_cast<ZOQ_ADDRESSMODE>(w[5]));
        if (rc != RC_SUCCESS) return Fail(rc, "ZOQ_CaptureSetFieldOfView", error);
    }
    const int trigger =
        settings.frameRate > 0 ? ZOQ_TRIGGERMODE_FIXED_FRAMERATE : settings.triggerMode;
    if ((rc = ZOQ_TriggerModeSet(m_index, static_cast<ZOQ_TRIGGERMODE>(trigger))) != RC_SUCCESS)
        return Fail(rc, "ZOQ_TriggerModeSet", error);
    m_fpsN = 0;
    m_fpsD = 1;
    if (settings.frameRate > 0) {
        if ((rc = ZOQ_SetFixedFrameRateEx(m_index, static_cast<float>(settings.frameRate))) !=
            RC_SUCCESS)
            return Fail(rc, "ZOQ_SetFixedFrameRateEx", error);
        float kept = 0;
        // The camera keeps a whole period in its units: 15 fps comes back as
        // 14.99993; caps say it to a thousandth.
        if (ZOQ_GetFixedFrameRateEx(m_index, &kept) == RC_SUCCESS && kept > 0)
            gst_util_double_to_fraction(std::round(kept * 1000.0) / 1000.0, &m_fpsN, &m_fpsD);
    }
    if (settings.whiteBalance >= 0) {
        rc = ZOQ_WhiteBalanceSet(m_index, static_cast<ZOQ_WB_MODE>(settings.whiteBalance));
        // The software modes answer RC_NOT_SUPPORTED on a colour camera
        // without a white balance of its own, yet they work.
        const bool software = settings.whiteBalance <= ZOQ_WB_SOFT_MANUAL && !m_kind.monochrome;
        if (rc != RC_SUCCESS && !(rc == RC_NOT_SUPPORTED && software))
            return Fail(rc, "ZOQ_WhiteBalanceSet", error);
    }
    if (!ApplyLive(settings, error)) return false;

    if ((rc = ZOQ_CaptureGetSize(m_index, &m_width, &m_height)) != RC_SUCCESS)
        return Fail(rc, "ZOQ_CaptureGetSize", error);
    // Whether the samples come 16 bits wide shows only in a frame; an
    // external trigger may never bring one, so there the camera counts as
    // 8-bit (and a 16-bit frame is refused by its size).
    const zoqid::FrameWidth width(m_index, static_cast<size_t>(m_width) * m_height);
    m_kind.wide = false;
    const bool triggered = trigger == ZOQ_TRIGGERMODE_1 || trigger == ZOQ_TRIGGERMODE_2;
    if (!triggered && width.BufferBytes() > static_cast<size_t>(m_width) * m_height) {
        std::unique_ptr<unsigned char[]> probe(new unsigned char[width.BufferBytes()]);
        width.Arm(probe.get());
        if ((rc = ZOQ_CaptureRawData(m_index, probe.get())) != RC_SUCCESS)
            return Fail(rc, "ZOQ_CaptureRawData", error);
        m_kind.wide = width.Wide(probe.get());
    }
    return true;
}

bool Session::ApplyLive(const Settings& settings, std::string* error) {
    if (m_index < 0) return true;
    int rc = RC_SUCCESS;
    if (settings.exposure >= 0 &&
        (rc = ZOQ_ExposureTimeSet(m_index, static_cast<float>(settings.exposure))) != RC_SUCCESS)
        return Fail(rc, "ZOQ_ExposureTimeSet", error);
    if (settings.gain >= 0) {
        for (ZOQ_PARAM p : {ZOQ_PARAM_GAIN_R, ZOQ_PARAM_GAIN_G, ZOQ_PARAM_GAIN_B})
            if ((rc = ZOQ_SetParam(m_index, p, settings.gain)) != RC_SUCCESS)
                return Fail(rc, "ZOQ_SetParam", error);
    }
    bool running = false;
    ZOQ_AEGetStatusEx(m_index, &running, nullptr, nullptr);
    if (settings.autoExposure != running) {
        // Auto exposure keeps adjusting for as long as the element runs.
        if (settings.autoExposure) ZOQ_AESetMaxCount(m_index, -1);
        if ((rc = ZOQ_AEStartEx(m_index, settings.autoExposure)) != RC_SUCCESS)
            return Fail(rc, "ZOQ_AEStartEx", error);
    }
    return true;
}

bool Session::Start(const Format& format, const Settings& settings, std::string* error) {
    Stop();
    m_format = format;
    int rc = RC_SUCCESS;
    if (!format.raw) {
        // Setting a mode answers RC_NOT_SUPPORTED (there is no preview) yet
        // applies: read it back.
        ZOQ_BayerSetMode(m_index, static_cast<ZOQ_BAYERMODE>(format.bayerMode));
        ZOQ_BAYERMODE now = ZOQ_BAYER_RGGB_24_BOTTOMUP;
        ZOQ_BayerGetMode(m_index, &now);
        if (now != format.bayerMode) return Fail(RC_NOT_SUPPORTED, "ZOQ_BayerSetMode", error);
    }
    ZOQSTREAM_CONFIG config;
    ZOQStream_ConfigInit(&config);
    config.format = format.raw ? ZOQSTREAM_FORMAT_RAW : ZOQSTREAM_FORMAT_PROCESSED;
    config.bufferCount = settings.buffers;
    config.policy = settings.drop ? ZOQSTREAM_DROP_OLDEST : ZOQSTREAM_BLOCK;
    ZOQSTREAM* stream = nullptr;
    if ((rc = ZOQStream_Open(m_index, &config, &stream)) != RC_SUCCESS)
        return Fail(rc, "ZOQStream_Open", error);
    // The stream holds the library until its last buffer is gone.
    HoldLibrary();
    m_stream = new StreamRef(stream, settings.buffers);
    if ((rc = ZOQStream_Start(stream)) != RC_SUCCESS) {
        Stop();
        return Fail(rc, "ZOQStream_Start", error);
    }
    return true;
}

void Session::Stop() {
    if (m_stream == nullptr) return;
    ZOQStream_Stop(m_stream->Get());
    m_stream->Unref();
    m_stream = nullptr;
}

Session::Next Session::Wait(unsigned int timeoutMs, const std::atomic<bool>& flushing,
                            GstBuffer** buffer, unsigned long long* timestampNs, std::string* error,
                            void (*warn)(void* context, const std::string& text), void* context) {
    // Short waits, so that a flush (unlock) is seen soon.
    constexpr unsigned int kSliceMs = 50;
    const auto start = std::chrono::steady_clock::now();
    int lastFailure = RC_TIMEOUT;
    while (!flushing.load()) {
        if (m_stream == nullptr) return Next::kFlushing;
        ZOQSTREAM_FRAME* frame = nullptr;
        const int rc = ZOQStream_WaitFrame(m_stream->Get(), kSliceMs, &frame);
        if (rc == RC_ILLEGAL_OPERATION) return Next::kFlushing;
        if (rc == RC_TIMEOUT) {
            // Waited a slice; the deadline below decides.
        } else if (rc != RC_SUCCESS) {
            *error = ApiText(rc, "ZOQStream_WaitFrame");
            return Next::kError;
        } else if (frame->status != RC_SUCCESS) {
            lastFailure = frame->status;
            warn(context,
                 ApiText(frame->status, ("frame " + std::to_string(frame->sequence)).c_str()));
            ZOQStream_ReleaseFrame(m_stream->Get(), frame);
        } else if (m_format.bayerMode >= 0 && frame->bayerMode != m_format.bayerMode) {
            // Another part of the program changed the Bayer mode: rows or
            // channels no longer follow the caps.
            *error = "frame " + std::to_string(frame->sequence) + " came in Bayer mode " +
                     std::to_string(frame->bayerMode) + ", not the negotiated " +
                     std::to_string(m_format.bayerMode);
            ZOQStream_ReleaseFrame(m_stream->Get(), frame);
            return Next::kError;
        } else if (static_cast<long long>(frame->bytes) !=
                   static_cast<long long>(m_width) * m_height * m_format.bytesPerPixel) {
            // Another part of the program changed the geometry: the frame no
            // longer fits the caps.
            *error = "a frame of " + std::to_string(frame->width) + " x " +
                     std::to_string(frame->height) + " (" + std::to_string(frame->bytes) +
                     " bytes) does not fit the negotiated " + std::to_string(m_width) + " x " +
                     std::to_string(m_height);
            ZOQStream_ReleaseFrame(m_stream->Get(), frame);
            return Next::kError;
        } else {
            *timestampNs = frame->timestampNs;
            *buffer = m_stream->Wrap(frame);
            if (*buffer == nullptr) {
                *error = "no slot for a frame";
                return Next::kError;
            }
            GST_BUFFER_OFFSET(*buffer) = frame->sequence;
            return Next::kFrame;
        }
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
        if (waited >= static_cast<long long>(timeoutMs)) {
            *error = "no good frame for " + std::to_string(waited) +
                     " ms: " + ApiText(lastFailure, "last failure");
            return Next::kError;
        }
    }
    return Next::kFlushing;
}

}  // namespace zoqgst
