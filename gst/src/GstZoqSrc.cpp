#include "GstZoqSrc.h"

#include <gst/video/video.h>
#include <time.h>

#include <atomic>
#include <mutex>
#include <string>

#include "Formats.h"
#include "Session.h"
#include "Settings.h"

GST_DEBUG_CATEGORY_STATIC(gst_zoq_src_debug);
#define GST_CAT_DEFAULT gst_zoq_src_debug

struct _GstZoqSrc {
    GstPushSrc parent;
    // Properties, guarded by the object lock.
    zoqgst::Settings* settings;
    // From start to stop. The streaming thread uses it without the lock (it
    // runs only between the two); others (properties, caps) take the lock.
    zoqgst::Session* session;
    std::mutex* sessionMutex;
    std::atomic<bool>* flushing;
};

G_DEFINE_TYPE(GstZoqSrc, gst_zoq_src, GST_TYPE_PUSH_SRC)

enum {
    PROP_0,
    PROP_CAMERA,
    PROP_SERIAL,
    PROP_EXPOSURE,
    PROP_GAIN,
    PROP_AUTO_EXPOSURE,
    PROP_WHITE_BALANCE,
    PROP_FIELD_OF_VIEW,
    PROP_FRAME_RATE,
    PROP_TRIGGER_MODE,
    PROP_BUFFERS,
    PROP_DROP,
    PROP_TIMEOUT,
};

namespace {

zoqgst::Settings CopySettings(GstZoqSrc* self) {
    GST_OBJECT_LOCK(self);
    zoqgst::Settings copy = *self->settings;
    GST_OBJECT_UNLOCK(self);
    return copy;
}

void SetProperty(GObject* object, guint id, const GValue* value, GParamSpec* pspec) {
    GstZoqSrc* self = GST_ZOQ_SRC(object);
    GST_OBJECT_LOCK(self);
    zoqgst::Settings& s = *self->settings;
    bool live = false;
    switch (id) {
        case PROP_CAMERA:
            s.camera = g_value_get_int(value);
            break;
        case PROP_SERIAL:
            s.serial = g_value_get_int(value);
            break;
        case PROP_EXPOSURE:
            s.exposure = g_value_get_double(value);
            live = true;
            break;
        case PROP_GAIN:
            s.gain = g_value_get_int(value);
            live = true;
            break;
        case PROP_AUTO_EXPOSURE:
            s.autoExposure = g_value_get_boolean(value);
            live = true;
            break;
        case PROP_WHITE_BALANCE:
            s.whiteBalance = g_value_get_int(value);
            break;
        case PROP_FIELD_OF_VIEW: {
            const char* text = g_value_get_string(value);
            s.fieldOfView = text ? text : "";
            break;
        }
        case PROP_FRAME_RATE:
            s.frameRate = g_value_get_double(value);
            break;
        case PROP_TRIGGER_MODE:
            s.triggerMode = g_value_get_int(value);
            break;
        case PROP_BUFFERS:
            s.buffers = g_value_get_int(value);
            break;
        case PROP_DROP:
            s.drop = g_value_get_boolean(value);
            break;
        case PROP_TIMEOUT:
            s.timeoutMs = g_value_get_uint(value);
            break;
        default:
            G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
            break;
    }
    const zoqgst::Settings copy = s;
    GST_OBJECT_UNLOCK(self);
    // Exposure, gain and auto exposure follow while frames flow.
    if (!live) return;
    std::string error;
    bool applied = true;
    {
        std::lock_guard lock(*self->sessionMutex);
        if (self->session != nullptr) applied = self->session->ApplyLive(copy, &error);
    }
    if (!applied) GST_ELEMENT_WARNING(self, RESOURCE, SETTINGS, ("%s", error.c_str()), (nullptr));
}

void GetProperty(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
    GstZoqSrc* self = GST_ZOQ_SRC(object);
    GST_OBJECT_LOCK(self);
    const zoqgst::Settings& s = *self->settings;
    switch (id) {
        case PROP_CAMERA:
            g_value_set_int(value, s.camera);
            break;
        case PROP_SERIAL:
            g_value_set_int(value, s.serial);
            break;
        case PROP_EXPOSURE:
            g_value_set_double(value, s.exposure);
            break;
        case PROP_GAIN:
            g_value_set_int(value, s.gain);
            break;
        case PROP_AUTO_EXPOSURE:
            g_value_set_boolean(value, s.autoExposure);
            break;
        case PROP_WHITE_BALANCE:
            g_value_set_int(value, s.whiteBalance);
            break;
        case PROP_FIELD_OF_VIEW:
            g_value_set_string(value, s.fieldOfView.c_str());
            break;
        case PROP_FRAME_RATE:
            g_value_set_double(value, s.frameRate);
            break;
        case PROP_TRIGGER_MODE:
            g_value_set_int(value, s.triggerMode);
            break;
        case PROP_BUFFERS:
            g_value_set_int(value, s.buffers);
            break;
        case PROP_DROP:
            g_value_set_boolean(value, s.drop);
            break;
        case PROP_TIMEOUT:
            g_value_set_uint(value, s.timeoutMs);
            break;
        default:
            G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
            break;
    }
    GST_OBJECT_UNLOCK(self);
}

void Finalize(GObject* object) {
    GstZoqSrc* self = GST_ZOQ_SRC(object);
    delete self->session;
    delete self->settings;
    delete self->flushing;
    delete self->sessionMutex;
    G_OBJECT_CLASS(gst_zoq_src_parent_class)->finalize(object);
}

gboolean Start(GstBaseSrc* src) {
    GstZoqSrc* self = GST_ZOQ_SRC(src);
    auto* session = new zoqgst::Session;
    std::string error;
    if (!session->Open(CopySettings(self), &error)) {
        delete session;
        GST_ELEMENT_ERROR(self, RESOURCE, OPEN_READ, ("%s", error.c_str()), (nullptr));
        return FALSE;
    }
    self->flushing->store(false);
    std::lock_guard lock(*self->sessionMutex);
    self->session = session;
    return TRUE;
}

gboolean Stop(GstBaseSrc* src) {
    GstZoqSrc* self = GST_ZOQ_SRC(src);
    std::lock_guard lock(*self->sessionMutex);
    delete self->session;
    self->session = nullptr;
    return TRUE;
}

GstCaps* GetCaps(GstBaseSrc* src, GstCaps* filter) {
    GstZoqSrc* self = GST_ZOQ_SRC(src);
    GstCaps* caps = nullptr;
    {
        std::lock_guard lock(*self->sessionMutex);
        zoqgst::Session* session = self->session;
        if (session != nullptr)
            caps = zoqgst::CameraCaps(session->Kind(), session->Width(), session->Height(),
                                      session->FpsN(), session->FpsD());
    }
    if (caps == nullptr) caps = gst_pad_get_pad_template_caps(GST_BASE_SRC_PAD(src));
    if (filter != nullptr) {
        GstCaps* both = gst_caps_intersect_full(filter, caps, GST_CAPS_INTERSECT_FIRST);
        gst_caps_unref(caps);
        caps = both;
    }
    return caps;
}

gboolean SetCaps(GstBaseSrc* src, GstCaps* caps) {
    GstZoqSrc* self = GST_ZOQ_SRC(src);
    if (self->session == nullptr) return FALSE;
    zoqgst::Format format{};
    if (!zoqgst::FormatOfCaps(self->session->Kind(), caps, &format)) {
        GST_ELEMENT_ERROR(self, CORE, NEGOTIATION, ("the camera gives no %" GST_PTR_FORMAT, caps),
                          (nullptr));
        return FALSE;
    }
    std::string error;
    if (!self->session->Start(format, CopySettings(self), &error)) {
        GST_ELEMENT_ERROR(self, RESOURCE, READ, ("%s", error.c_str()), (nullptr));
        return FALSE;
    }
    GST_INFO_OBJECT(self, "streaming %" GST_PTR_FORMAT, caps);
    return TRUE;
}

gboolean Unlock(GstBaseSrc* src) {
    GST_ZOQ_SRC(src)->flushing->store(true);
    return TRUE;
}

gboolean UnlockStop(GstBaseSrc* src) {
    GST_ZOQ_SRC(src)->flushing->store(false);
    return TRUE;
}

gboolean Query(GstBaseSrc* src, GstQuery* query) {
    GstZoqSrc* self = GST_ZOQ_SRC(src);
    if (GST_QUERY_TYPE(query) == GST_QUERY_LATENCY) {
        // A frame is stamped when it has arrived and pushed once it went
        // through the pipeline: about a frame period, or 30 ms when the
        // camera runs as fast as it can.
        std::lock_guard lock(*self->sessionMutex);
        if (self->session != nullptr) {
            GstClockTime latency = 30 * GST_MSECOND;
            if (self->session->FpsN() > 0)
                latency = gst_util_uint64_scale_int(GST_SECOND, self->session->FpsD(),
                                                    self->session->FpsN());
            gst_query_set_latency(query, TRUE, latency, GST_CLOCK_TIME_NONE);
            return TRUE;
        }
    }
    return GST_BASE_SRC_CLASS(gst_zoq_src_parent_class)->query(src, query);
}

void Warn(void* context, const std::string& text) {
    GstZoqSrc* self = static_cast<GstZoqSrc*>(context);
    GST_ELEMENT_WARNING(self, RESOURCE, READ, ("%s", text.c_str()), (nullptr));
}

// The capture time (CLOCK_MONOTONIC) as running time of the pipeline's
// clock, whatever clock that is.
GstClockTime RunningTime(GstZoqSrc* self, unsigned long long capturedNs) {
    GstClock* clock = gst_element_get_clock(GST_ELEMENT(self));
    if (clock == nullptr) return GST_CLOCK_TIME_NONE;
    const GstClockTime now = gst_clock_get_time(clock);
    gst_object_unref(clock);
    const GstClockTime base = gst_element_get_base_time(GST_ELEMENT(self));
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const unsigned long long monotonic = ts.tv_sec * 1000000000ULL + ts.tv_nsec;
    const GstClockTime age = monotonic > capturedNs ? monotonic - capturedNs : 0;
    if (now < base + age) return 0;
    return now - base - age;
}

GstFlowReturn Create(GstPushSrc* src, GstBuffer** out) {
    GstZoqSrc* self = GST_ZOQ_SRC(src);
    if (self->session == nullptr) return GST_FLOW_FLUSHING;
    const zoqgst::Settings settings = CopySettings(self);
    GstBuffer* buffer = nullptr;
    unsigned long long captured = 0;
    std::string error;
    switch (self->session->Wait(settings.timeoutMs, *self->flushing, &buffer, &captured, &error,
                                Warn, self)) {
        case zoqgst::Session::Next::kFlushing:
            return GST_FLOW_FLUSHING;
        case zoqgst::Session::Next::kError:
            GST_ELEMENT_ERROR(self, RESOURCE, READ, ("%s", error.c_str()), (nullptr));
            return GST_FLOW_ERROR;
        case zoqgst::Session::Next::kFrame:
            break;
    }
    GST_BUFFER_PTS(buffer) = RunningTime(self, captured);
    GST_BUFFER_DTS(buffer) = GST_BUFFER_PTS(buffer);
    if (self->session->FpsN() > 0)
        GST_BUFFER_DURATION(buffer) =
            gst_util_uint64_scale_int(GST_SECOND, self->session->FpsD(), self->session->FpsN());
    *out = buffer;
    return GST_FLOW_OK;
}

}  // namespace

static void gst_zoq_src_class_init(GstZoqSrcClass* klass) {
    GObjectClass* gobject = G_OBJECT_CLASS(klass);
    GstElementClass* element = GST_ELEMENT_CLASS(klass);
    GstBaseSrcClass* base = GST_BASE_SRC_CLASS(klass);
    GstPushSrcClass* push = GST_PUSH_SRC_CLASS(klass);

    gobject->set_property = SetProperty;
    gobject->get_property = GetProperty;
    gobject->finalize = Finalize;

    const auto flags = static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS |
                                                GST_PARAM_MUTABLE_READY);
    const auto liveFlags = static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS |
                                                    GST_PARAM_MUTABLE_PLAYING);
    g_object_class_install_property(
        gobject, PROP_CAMERA,
        g_param_spec_int("camera", "Camera", "Index of the camera (0 = the first found)", 0,
                         G_MAXINT, 0, flags));
    g_object_class_install_property(
        gobject, PROP_SERIAL,
        g_param_spec_int("serial", "Serial number",
                         "Serial number of the camera (-1: choose by index)", -1, G_MAXINT, -1,
                         flags));
    g_object_class_install_property(
        gobject, PROP_EXPOSURE,
        g_param_spec_double("exposure", "Exposure",
                            "Exposure time in milliseconds (-1: the camera's)", -1, 1e6, -1,
                            liveFlags));
    g_object_class_install_property(
        gobject, PROP_GAIN,
        g_param_spec_int("gain", "Gain", "Sensor gain index, every colour (-1: the camera's)", -1,
                         G_MAXINT, -1, liveFlags));
    g_object_class_install_property(
        gobject, PROP_AUTO_EXPOSURE,
        g_param_spec_boolean("auto-exposure", "Auto exposure", "Adjust the exposure continuously",
                             FALSE, liveFlags));
    g_object_class_install_property(
        gobject, PROP_WHITE_BALANCE,
        g_param_spec_int("white-balance", "White balance",
                         "White-balance mode: 0 off, 1 preset, 2 once, 3 continuous, 4 manual "
                         "(software); 5-8 the same in the camera (-1: the camera's)",
                         -1, 8, -1, flags));
    g_object_class_install_property(
        gobject, PROP_FIELD_OF_VIEW,
        g_param_spec_string("field-of-view", "Field of view",
                            "Sensor window x,y,width,height[,column mode,row mode] (\"\": the "
                            "camera's)",
                            "", flags));
    g_object_class_install_property(
        gobject, PROP_FRAME_RATE,
        g_param_spec_double("frame-rate", "Frame rate",
                            "Fixed frame rate in frames a second (trigger mode 3); 0: as fast "
                            "as the camera and its bus go",
                            0, 100000, 0, flags));
    g_object_class_install_property(
        gobject, PROP_TRIGGER_MODE,
        g_param_spec_int("trigger-mode", "Trigger mode",
                         "0 free run, 1 and 2 the external trigger modes (when frame-rate is 0)", 0,
                         2, 0, flags));
    g_object_class_install_property(
        gobject, PROP_BUFFERS,
        g_param_spec_int("buffers", "Buffers", "Frames in the stream's pool", 2, 64, 4, flags));
    g_object_class_install_property(
        gobject, PROP_DROP,
        g_param_spec_boolean("drop", "Drop",
                             "When downstream falls behind, drop the oldest frame (the camera "
                             "keeps going) rather than wait",
                             TRUE, flags));
    g_object_class_install_property(
        gobject, PROP_TIMEOUT,
        g_param_spec_uint("timeout", "Time-out",
                          "Milliseconds without a good frame before an error", 100, G_MAXUINT,
                          10000, flags));

    gst_element_class_set_static_metadata(element, "ZOQ camera source", "Source/Video",
                                          "Frames of a ZOQ industrial USB camera",
                                          "ZOQ camera SDK developers <sdk@zoq.invalid>");
    GstCaps* caps = zoqgst::TemplateCaps();
    gst_element_class_add_pad_template(
        element, gst_pad_template_new("src", GST_PAD_SRC, GST_PAD_ALWAYS, caps));
    gst_caps_unref(caps);

    base->start = Start;
    base->stop = Stop;
    base->get_caps = GetCaps;
    base->set_caps = SetCaps;
    base->unlock = Unlock;
    base->unlock_stop = UnlockStop;
    base->query = Query;
    push->create = Create;

    GST_DEBUG_CATEGORY_INIT(gst_zoq_src_debug, "zoqsrc", 0, "ZOQ camera source");
}

static void gst_zoq_src_init(GstZoqSrc* self) {
    self->settings = new zoqgst::Settings;
    self->session = nullptr;
    self->sessionMutex = new std::mutex;
    self->flushing = new std::atomic<bool>(false);
    gst_base_src_set_live(GST_BASE_SRC(self), TRUE);
    gst_base_src_set_format(GST_BASE_SRC(self), GST_FORMAT_TIME);
}
