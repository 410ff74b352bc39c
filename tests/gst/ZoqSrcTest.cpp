// zoqsrc under gst-check, on simulated cameras 52 (colour) and 114
// (monochrome, fixed frame rate) started by zoqsim-run. Each test runs as a
// CTest of its own (GST_CHECKS=<name>).
#include <gst/check/gstcheck.h>
#include <gst/check/gstharness.h>
#include <gst/video/video.h>

#include <cstring>
#include <string>
#include <vector>

#include "Formats.h"
#include "Settings.h"
#include "zoqapi.h"

namespace {

// A harness on zoqsrc with `properties` ("name=value ...") and the sink
// asking for `caps`; playing, so the library runs and the camera streams.
GstHarness* StartSource(const char* properties, const char* caps) {
    std::string launch = std::string("zoqsrc ") + properties;
    GstHarness* h = gst_harness_new_parse(launch.c_str());
    // Time stamps come from the pipeline's clock: a real one, not the
    // harness's test clock that stands still.
    gst_harness_use_systemclock(h);
    gst_harness_set_sink_caps_str(h, caps);
    gst_harness_play(h);
    return h;
}

std::vector<guint8> Bytes(GstBuffer* buffer) {
    GstMapInfo map;
    fail_unless(gst_buffer_map(buffer, &map, GST_MAP_READ));
    std::vector<guint8> bytes(map.data, map.data + map.size);
    gst_buffer_unmap(buffer, &map);
    return bytes;
}

void CurrentCaps(GstHarness* h, const char* format, int* width, int* height) {
    GstCaps* caps = gst_pad_get_current_caps(h->sinkpad);
    fail_unless(caps != nullptr);
    const GstStructure* s = gst_caps_get_structure(caps, 0);
    fail_unless_equals_string(gst_structure_get_string(s, "format"), format);
    fail_unless(gst_structure_get_int(s, "width", width));
    fail_unless(gst_structure_get_int(s, "height", height));
    gst_caps_unref(caps);
}

// Runs `launch` to its end; the text of its first error, or "" after EOS.
std::string RunPipeline(const char* launch, GstClockTime limit = 20 * GST_SECOND) {
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(launch, &error);
    fail_unless(pipeline != nullptr && error == nullptr);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, limit, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    fail_unless(message != nullptr, "neither EOS nor an error from %s", launch);
    std::string text;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        GError* e = nullptr;
        gst_message_parse_error(message, &e, nullptr);
        text = e->message;
        g_error_free(e);
    }
    gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return text;
}

}  // namespace

// Caps come from the camera's field of view; a BGR buffer is the top-down
// capture of the library itself, without row padding.
GST_START_TEST(bgr_frames_are_the_library_capture) {
    GstHarness* h = StartSource("field-of-view=16,8,320,240", "video/x-raw,format=BGR");
    GstBuffer* buffer = gst_harness_pull(h);
    int width = 0, height = 0;
    CurrentCaps(h, "BGR", &width, &height);
    fail_unless_equals_int(width, 320);
    fail_unless_equals_int(height, 240);
    fail_unless_equals_int(gst_buffer_get_size(buffer), 320 * 240 * 3);
    // The element switched camera 0 to a top-down mode; the scene stands still.
    ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    fail_unless_equals_int(ZOQ_BayerGetMode(0, &mode), RC_SUCCESS);
    fail_unless((mode & 4) != 0 && mode < 8);
    std::vector<guint8> expected(320 * 240 * 3);
    fail_unless_equals_int(ZOQ_CaptureRgbData(0, expected.data()), RC_SUCCESS);
    fail_unless(Bytes(buffer) == expected);
    gst_buffer_unref(buffer);
    gst_harness_teardown(h);
}
GST_END_TEST;

// Every format the camera offers, each the size its layout needs; the mosaic
// is the raw frame.
GST_START_TEST(every_colour_format_has_its_layout) {
    const struct {
        const char* caps;
        const char* format;
        int bytesPerPixel;
    } cases[] = {{"video/x-raw,format=BGRx", "BGRx", 4},
                 {"video/x-raw,format=GRAY8", "GRAY8", 1},
                 {"video/x-bayer", "grbg", 1}};
    for (const auto& c : cases) {
        GstHarness* h = StartSource("field-of-view=0,0,64,48", c.caps);
        GstBuffer* buffer = gst_harness_pull(h);
        int width = 0, height = 0;
        CurrentCaps(h, c.format, &width, &height);
        fail_unless_equals_int(gst_buffer_get_size(buffer), 64 * 48 * c.bytesPerPixel);
        if (strcmp(c.format, "grbg") == 0) {
            std::vector<guint8> raw(64 * 48);
            fail_unless_equals_int(ZOQ_CaptureRawData(0, raw.data()), RC_SUCCESS);
            fail_unless(Bytes(buffer) == raw);
        }
        gst_buffer_unref(buffer);
        gst_harness_teardown(h);
    }
}
GST_END_TEST;

// A monochrome camera gives gray only; its fixed frame rate is in the caps
// and the buffers' durations.
GST_START_TEST(monochrome_camera_at_a_fixed_rate) {
    GstHarness* h = StartSource("camera=1 frame-rate=20", "video/x-raw");
    GstBuffer* buffer = gst_harness_pull(h);
    GstCaps* caps = gst_pad_get_current_caps(h->sinkpad);
    const GstStructure* s = gst_caps_get_structure(caps, 0);
    fail_unless_equals_string(gst_structure_get_string(s, "format"), "GRAY8");
    int n = 0, d = 0;
    fail_unless(gst_structure_get_fraction(s, "framerate", &n, &d));
    fail_unless_equals_int(n, 20);
    fail_unless_equals_int(d, 1);
    fail_unless_equals_uint64(GST_BUFFER_DURATION(buffer), 50 * GST_MSECOND);
    gst_caps_unref(caps);
    gst_buffer_unref(buffer);
    GstCaps* offered = gst_pad_peer_query_caps(h->sinkpad, nullptr);
    fail_unless_equals_int(gst_caps_get_size(offered), 1);
    gst_caps_unref(offered);
    gst_harness_teardown(h);
}
GST_END_TEST;

// Buffers carry the capture time as running time, rising with the frames'
// sequence numbers (the buffer offsets).
GST_START_TEST(time_stamps_follow_the_capture_times) {
    GstHarness* h = StartSource("field-of-view=0,0,64,48", "video/x-raw,format=GRAY8");
    GstClockTime last = 0;
    guint64 lastOffset = 0;
    for (int i = 0; i < 8; ++i) {
        GstBuffer* buffer = gst_harness_pull(h);
        fail_unless(GST_BUFFER_PTS_IS_VALID(buffer));
        if (i > 0) {
            fail_unless(GST_BUFFER_PTS(buffer) > last);
            fail_unless(GST_BUFFER_OFFSET(buffer) > lastOffset);
        }
        last = GST_BUFFER_PTS(buffer);
        lastOffset = GST_BUFFER_OFFSET(buffer);
        gst_buffer_unref(buffer);
    }
    gst_harness_teardown(h);
}
GST_END_TEST;

// Buffers wrap the stream's frames: buffers held downstream leave the
// camera running, and each gives its frame back when it goes.
GST_START_TEST(held_buffers_do_not_stop_the_stream) {
    GstHarness* h = StartSource("field-of-view=0,0,64,48 buffers=4", "video/x-raw,format=GRAY8");
    GstBuffer* held[2] = {gst_harness_pull(h), gst_harness_pull(h)};
    const std::vector<guint8> first = Bytes(held[0]);
    for (int i = 0; i < 10; ++i) {
        GstBuffer* buffer = gst_harness_pull(h);
        fail_unless(GST_BUFFER_OFFSET(buffer) > GST_BUFFER_OFFSET(held[1]));
        gst_buffer_unref(buffer);
    }
    fail_unless(Bytes(held[0]) == first);
    for (GstBuffer* b : held) gst_buffer_unref(b);
    gst_harness_teardown(h);
}
GST_END_TEST;

// A lost frame (camera 0's 3rd, see CMakeLists.txt) is a warning with the
// API's text; the stream goes on to the end. Nothing is dropped (drop=false),
// so the failed frame's record reaches the element however busy the machine.
GST_START_TEST(failed_frames_warn_and_the_stream_goes_on) {
    GstElement* pipeline = gst_parse_launch(
        "zoqsrc num-buffers=6 drop=false field-of-view=0,0,64,48 ! fakesink", nullptr);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    int warnings = 0;
    bool ended = false;
    while (!ended) {
        GstMessage* m = gst_bus_timed_pop_filtered(
            bus, 30 * GST_SECOND,
            static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_WARNING));
        fail_unless(m != nullptr);
        fail_if(GST_MESSAGE_TYPE(m) == GST_MESSAGE_ERROR);
        if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_WARNING) {
            GError* e = nullptr;
            gst_message_parse_warning(m, &e, nullptr);
            const std::string text = e->message;
            g_error_free(e);
            ++warnings;
            // Which of the stream's frames it was depends on the frames the
            // element took before (the 16-bit probe).
            fail_unless(
                g_regex_match_simple("^frame [0-2]: (Device Recovery Successful \\(-10\\)|"
                                     "Time Out \\(-16\\))$",
                                     text.c_str(), GRegexCompileFlags(0), GRegexMatchFlags(0)),
                "%s", text.c_str());
        }
        ended = GST_MESSAGE_TYPE(m) == GST_MESSAGE_EOS;
        gst_message_unref(m);
    }
    fail_unless_equals_int(warnings, 1);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
}
GST_END_TEST;

// num-buffers ends with EOS; the states go round and round.
GST_START_TEST(num_buffers_eos_and_repeated_state_changes) {
    const std::string end = RunPipeline("zoqsrc num-buffers=5 field-of-view=0,0,64,48 ! fakesink");
    fail_unless(end.empty(), "%s", end.c_str());
    GstElement* pipeline =
        gst_parse_launch("zoqsrc field-of-view=0,0,64,48 ! fakesink name=sink", nullptr);
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
    const GstState path[] = {GST_STATE_READY,  GST_STATE_PAUSED, GST_STATE_PLAYING,
                             GST_STATE_PAUSED, GST_STATE_READY,  GST_STATE_NULL};
    for (int round = 0; round < 3; ++round) {
        for (GstState state : path) {
            fail_unless(gst_element_set_state(pipeline, state) != GST_STATE_CHANGE_FAILURE);
            fail_unless_equals_int(
                gst_element_get_state(pipeline, nullptr, nullptr, 10 * GST_SECOND),
                state == GST_STATE_PAUSED ? GST_STATE_CHANGE_NO_PREROLL : GST_STATE_CHANGE_SUCCESS);
            if (state == GST_STATE_PLAYING) {
                // Wait for a frame to reach the sink.
                GstSample* sample = nullptr;
                for (int i = 0; i < 200 && sample == nullptr; ++i) {
                    g_object_get(sink, "last-sample", &sample, nullptr);
                    if (sample == nullptr) g_usleep(10000);
                }
                fail_unless(sample != nullptr, "no frame in round %d", round);
                gst_sample_unref(sample);
                g_object_set(sink, "enable-last-sample", FALSE, nullptr);
                g_object_set(sink, "enable-last-sample", TRUE, nullptr);
            }
        }
    }
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* error = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    fail_unless(error == nullptr);
    gst_object_unref(bus);
    gst_object_unref(sink);
    gst_object_unref(pipeline);
    // The library was let go with the last state change to NULL.
    fail_unless_equals_int(ZOQ_DeviceGetCount(), RC_NOT_INITIALIZED);
}
GST_END_TEST;

// Failures reach the bus with the API's text.
GST_START_TEST(errors_carry_the_api_text) {
    const struct {
        const char* launch;
        const char* error;
    } cases[] = {
        {"zoqsrc camera=7 ! fakesink", "no camera 7 (2 found)"},
        {"zoqsrc serial=9 ! fakesink", "no camera with serial number 9 (2 found)"},
        // Camera 0 (52) has no fixed frame rate.
        {"zoqsrc frame-rate=10 ! fakesink", "ZOQ_TriggerModeSet: Operation is not Supported (-3)"},
        // Camera 1 is monochrome.
        {"zoqsrc camera=1 ! video/x-raw,format=BGR ! fakesink", "Internal data stream error."},
    };
    for (const auto& c : cases) {
        const std::string error = RunPipeline(c.launch);
        fail_unless(error == c.error, "%s: \"%s\"", c.launch, error.c_str());
    }
    std::string bad = RunPipeline("zoqsrc field-of-view=1,2,3 ! fakesink");
    fail_unless(bad.find("field-of-view \"1,2,3\"") == 0, "%s", bad.c_str());
}
GST_END_TEST;

// The error a playing 64 x 48 pipeline posts after another part of the
// program changes the camera under it.
template <typename Change>
std::string ErrorAfterAChange(Change change) {
    GstElement* pipeline =
        gst_parse_launch("zoqsrc field-of-view=0,0,64,48 ! fakesink name=sink", nullptr);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    fail_unless_equals_int(gst_element_get_state(pipeline, nullptr, nullptr, 10 * GST_SECOND),
                           GST_STATE_CHANGE_SUCCESS);
    change();
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* m = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND, GST_MESSAGE_ERROR);
    fail_unless(m != nullptr);
    GError* e = nullptr;
    gst_message_parse_error(m, &e, nullptr);
    std::string text = e->message;
    g_error_free(e);
    gst_message_unref(m);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return text;
}

// A window changed by another part of the program while frames flow makes
// frames that no longer fit the caps: an error, not a wrong picture.
GST_START_TEST(a_new_geometry_midstream_is_an_error) {
    const std::string text = ErrorAfterAChange([] {
        fail_unless_equals_int(ZOQ_CaptureSetFieldOfView(0, 0, 0, 128, 96, ZOQ_ADDRESSMODE_NORMAL,
                                                         ZOQ_ADDRESSMODE_NORMAL),
                               RC_SUCCESS);
    });
    fail_unless(text.rfind("a frame of 128 x 96 (36864 bytes) does not fit the negotiated 64 x 48",
                           0) == 0,
                "%s", text.c_str());
}
GST_END_TEST;

// Exposure and gain follow while frames flow; the camera is chosen by serial.
GST_START_TEST(live_settings_and_serial) {
    GstHarness* h = StartSource("serial=2 exposure=5", "video/x-raw");
    gst_buffer_unref(gst_harness_pull(h));
    float ms = 0;
    fail_unless_equals_int(ZOQ_ExposureTimeGet(1, &ms), RC_SUCCESS);
    fail_unless(ms > 4.5f && ms < 5.5f, "exposure %f", ms);
    GstElement* source = gst_harness_find_element(h, "zoqsrc");
    g_object_set(source, "exposure", 12.0, "gain", 2, nullptr);
    gst_object_unref(source);
    gst_buffer_unref(gst_harness_pull(h));
    fail_unless_equals_int(ZOQ_ExposureTimeGet(1, &ms), RC_SUCCESS);
    fail_unless(ms > 11.5f && ms < 12.5f, "exposure %f", ms);
    int gain = 0;
    fail_unless_equals_int(ZOQ_GetParam(1, ZOQ_PARAM_GAIN_G, &gain), RC_SUCCESS);
    fail_unless_equals_int(gain, 2);
    gst_harness_teardown(h);
}
GST_END_TEST;

// A camera with 16-bit transfer on (52@16bit, see CMakeLists.txt) offers
// 16-bit gray and its 16-bit mosaic, which is the raw frame.
GST_START_TEST(sixteen_bit_camera_offers_16_bit_formats) {
    GstHarness* h = StartSource("field-of-view=0,0,64,48", "video/x-raw");
    GstBuffer* buffer = gst_harness_pull(h);
    int width = 0, height = 0;
    CurrentCaps(h, "GRAY16_LE", &width, &height);
    fail_unless_equals_int(gst_buffer_get_size(buffer), 64 * 48 * 2);
    gst_buffer_unref(buffer);
    GstCaps* offered = gst_pad_peer_query_caps(h->sinkpad, nullptr);
    fail_unless_equals_int(gst_caps_get_size(offered), 2);
    gst_caps_unref(offered);
    gst_harness_teardown(h);

    h = StartSource("field-of-view=0,0,64,48", "video/x-bayer");
    buffer = gst_harness_pull(h);
    CurrentCaps(h, "grbg16le", &width, &height);
    std::vector<guint8> raw(64 * 48 * 2);
    fail_unless_equals_int(ZOQ_CaptureRawData(0, raw.data()), RC_SUCCESS);
    fail_unless(Bytes(buffer) == raw);
    gst_buffer_unref(buffer);
    gst_harness_teardown(h);
}
GST_END_TEST;

// Without a camera: the formats of each kind of camera and the parsing of
// the field of view.
// The same for a Bayer mode changed elsewhere: the rows would come upside
// down (or the channels in another order) under unchanged caps.
GST_START_TEST(a_new_bayer_mode_midstream_is_an_error) {
    const std::string text = ErrorAfterAChange([] {
        ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
        fail_unless_equals_int(ZOQ_BayerGetMode(0, &mode), RC_SUCCESS);
        ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(mode ^ 4));  // the other row order
    });
    fail_unless(text.find("came in Bayer mode") != std::string::npos &&
                    text.find("not the negotiated") != std::string::npos,
                "%s", text.c_str());
}
GST_END_TEST;

GST_START_TEST(formats_and_field_of_view_text) {
    zoqgst::Format formats[8];
    zoqgst::CameraKind colour{2, false, false};
    fail_unless_equals_int(zoqgst::FormatsOf(colour, formats, 8), 4);
    fail_unless_equals_string(formats[0].name, "BGR");
    fail_unless_equals_int(formats[0].bayerMode, 6);  // RGGB, 24 bits, top-down
    fail_unless_equals_int(formats[1].bayerMode, 14);
    fail_unless_equals_int(formats[2].bayerMode, 22);
    fail_unless_equals_string(formats[3].name, "rggb");
    zoqgst::CameraKind wide{1, false, true};
    fail_unless_equals_int(zoqgst::FormatsOf(wide, formats, 8), 2);
    fail_unless_equals_string(formats[0].name, "GRAY16_LE");
    fail_unless_equals_int(formats[0].bayerMode, 17);  // the 16-bit gray modes run top-down
    fail_unless_equals_string(formats[1].name, "grbg16le");
    zoqgst::CameraKind mono{0, true, true};
    fail_unless_equals_int(zoqgst::FormatsOf(mono, formats, 8), 1);
    fail_unless(formats[0].raw && formats[0].wide);

    GstCaps* caps = gst_caps_from_string("video/x-bayer,format=gbrg");
    zoqgst::Format found{};
    fail_if(zoqgst::FormatOfCaps(colour, caps, &found));  // not this camera's pattern
    gst_caps_unref(caps);
    caps = zoqgst::CameraCaps(colour, 10, 20, 0, 1);
    fail_unless_equals_int(gst_caps_get_size(caps), 4);
    GstCaps* one = gst_caps_copy_nth(caps, 1);
    fail_unless(zoqgst::FormatOfCaps(colour, one, &found));
    fail_unless_equals_string(found.name, "BGRx");
    gst_caps_unref(one);
    gst_caps_unref(caps);

    int window[6];
    fail_unless(zoqgst::ParseFieldOfView("1,2,300,400", window));
    fail_unless(window[0] == 1 && window[3] == 400 && window[4] == 0);
    fail_unless(zoqgst::ParseFieldOfView("0, 0, 640, 480, 1, 1", window));
    fail_unless(window[4] == 1 && window[5] == 1);
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,3,4,", "a,b,c,d", "-1,0,4,4"})
        fail_if(zoqgst::ParseFieldOfView(bad, window), "accepted \"%s\"", bad);
}
GST_END_TEST;

static Suite* zoqsrc_suite() {
    Suite* s = suite_create("zoqsrc");
    TCase* tc = tcase_create("general");
    tcase_set_timeout(tc, 120);
    suite_add_tcase(s, tc);
    tcase_add_test(tc, bgr_frames_are_the_library_capture);
    tcase_add_test(tc, every_colour_format_has_its_layout);
    tcase_add_test(tc, monochrome_camera_at_a_fixed_rate);
    tcase_add_test(tc, time_stamps_follow_the_capture_times);
    tcase_add_test(tc, held_buffers_do_not_stop_the_stream);
    tcase_add_test(tc, num_buffers_eos_and_repeated_state_changes);
    tcase_add_test(tc, errors_carry_the_api_text);
    tcase_add_test(tc, live_settings_and_serial);
    tcase_add_test(tc, formats_and_field_of_view_text);
    tcase_add_test(tc, failed_frames_warn_and_the_stream_goes_on);
    tcase_add_test(tc, sixteen_bit_camera_offers_16_bit_formats);
    tcase_add_test(tc, a_new_geometry_midstream_is_an_error);
    tcase_add_test(tc, a_new_bayer_mode_midstream_is_an_error);
    return s;
}

GST_CHECK_MAIN(zoqsrc)
