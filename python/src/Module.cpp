// zoqcam._zoqcam: the compiled part of the zoqcam package.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "Camera.h"
#include "Errors.h"
#include "Frames.h"
#include "Library.h"
#include "zoqapi.h"

namespace py = pybind11;
using namespace zoqpy;

namespace {

template <typename Api, typename Value>
Value Read(const Camera& camera, int (*get)(int, Api*), const char* what) {
    Api value{};
    Check(get(camera.Use(), &value), what);
    return static_cast<Value>(value);
}

std::pair<int, int> Range(const Camera& camera, int (*get)(int, int*, int*), const char* what) {
    int low = 0, high = 0;
    Check(get(camera.Use(), &low, &high), what);
    return {low, high};
}

std::pair<int, int> ParamRange(const Camera& camera, ZOQ_PARAM param) {
    int low = 0, high = 0;
    Check(ZOQ_GetParamRange(camera.Use(), param, &low, &high), "ZOQ_GetParamRange");
    return {low, high};
}

int Param(const Camera& camera, ZOQ_PARAM param) {
    int value = 0;
    Check(ZOQ_GetParam(camera.Use(), param, &value), "ZOQ_GetParam");
    return value;
}

// Adds `name` (read and write) and `name_range` for a setting with an int
// range of its own.
void RangedInt(py::class_<Camera>& cls, const char* name, const char* rangeName,
               int (*get)(int, int*), const char* getName, int (*set)(int, int),
               const char* setName, int (*range)(int, int*, int*), const char* rangeApiName) {
    cls.def_property(
        name, [get, getName](const Camera& c) { return Read<int, int>(c, get, getName); },
        [set, setName](Camera& c, int v) { Check(set(c.Use(), v), setName); });
    cls.def_property_readonly(rangeName, [range, rangeApiName](const Camera& c) {
        return Range(c, range, rangeApiName);
    });
}
#define ZOQPY_RANGED(cls, name, get, set, range) \
    RangedInt(cls, name, name "_range", get, #get, set, #set, range, #range)

}  // namespace

PYBIND11_MODULE(_zoqcam, m) {
    m.doc() = "ZOQ cameras from Python (compiled part; use the zoqcam package)";

    // ApiError becomes zoqcam.Error(code, text, what).
    static py::handle errorClass =
        py::object(py::module_::import("zoqcam._errors").attr("Error")).release();
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const ApiError& e) {
            py::object error =
                py::reinterpret_borrow<py::object>(errorClass)(e.code, ErrorText(e.code), e.what);
            PyErr_SetObject(errorClass.ptr(), error.ptr());
        }
    });

    m.def("error_text", &ErrorText, py::arg("code"), "The API's text of a return code.");
    m.def("version", [] {
        int major = 0, minor = 0, build = 0, revision = 0;
        ZOQ_GetVersion(&major, &minor, &build, &revision);
        return py::make_tuple(major, minor, build, revision);
    });
    m.def(
        "set_log",
        [](bool enable, std::optional<std::string> folder) {
            Check(ZOQ_LogSet(enable, folder ? folder->c_str() : nullptr), "ZOQ_LogSet");
        },
        py::arg("enable"), py::arg("folder") = py::none());
    m.def("shutdown", [] {
        bool done = false;
        {
            py::gil_scoped_release unlocked;
            done = Library::Get().Shutdown(false);
        }
        if (!done) throw py::value_error("frames of a stream are still held: release them first");
    });
    m.def("_shutdown_at_exit", [] {
        py::gil_scoped_release unlocked;
        Library::Get().Shutdown(true);
    });
    m.def("cameras", &ListCameras,
          "Every camera found, in bus order (starts the library on first use).");

    py::class_<CameraInfo>(m, "CameraInfo")
        .def_readonly("index", &CameraInfo::index)
        .def_readonly("device_type", &CameraInfo::deviceType)
        .def_readonly("serial", &CameraInfo::serial)
        .def_readonly("firmware", &CameraInfo::firmware)
        .def_readonly("fpga", &CameraInfo::fpga)
        .def_readonly("model", &CameraInfo::model)
        .def("__repr__", [](const CameraInfo& i) {
            return "CameraInfo(index=" + std::to_string(i.index) +
                   ", device_type=" + std::to_string(i.deviceType) +
                   ", serial=" + std::to_string(i.serial) + ", model='" + i.model + "')";
        });

    py::class_<ZOQSTREAM_STATS>(m, "StreamStats")
        .def_readonly("delivered", &ZOQSTREAM_STATS::delivered)
        .def_readonly("failed", &ZOQSTREAM_STATS::failed)
        .def_readonly("dropped", &ZOQSTREAM_STATS::dropped)
        .def_readonly("discarded", &ZOQSTREAM_STATS::discarded)
        .def_readonly("frames_per_second", &ZOQSTREAM_STATS::framesPerSecond)
        .def_readonly("bytes_per_second", &ZOQSTREAM_STATS::bytesPerSecond)
        .def_readonly("buffer_bytes", &ZOQSTREAM_STATS::bufferBytes);

    py::class_<Frame>(m, "Frame",
                      "A frame of a stream: sequence, timestamp (s), status, image. The image "
                      "views the stream's buffer, which goes back to the pool when the frame "
                      "and its arrays are gone, or at release().")
        .def_readonly("sequence", &Frame::sequence)
        .def_readonly("timestamp_ns", &Frame::timestampNs)
        .def_property_readonly("timestamp", [](const Frame& f) { return f.timestampNs * 1e-9; })
        .def_readonly("status", &Frame::status)
        .def_property_readonly("ok", [](const Frame& f) { return f.status == RC_SUCCESS; })
        .def_property_readonly("error_text", [](const Frame& f) { return ErrorText(f.status); })
        .def_readonly("width", &Frame::width)
        .def_readonly("height", &Frame::height)
        .def_readonly("bit_count", &Frame::bitCount)
        .def_readonly("raw", &Frame::raw)
        .def_property_readonly(
            "image", [](py::object self) { return self.cast<const Frame&>().Image(self); })
        .def("release", &Frame::Release);

    py::class_<FrameIterator>(m, "FrameIterator")
        .def("__iter__", [](py::object self) { return self; })
        .def("__next__", &FrameIterator::Next)
        .def("__enter__", [](py::object self) { return self; })
        .def("__exit__", [](FrameIterator& it, py::args) { it.Stop(); })
        .def("stop", &FrameIterator::Stop)
        .def_property_readonly("stats", &FrameIterator::Stats);

    py::class_<Camera> camera(m, "Camera",
                              "Camera(index=0) or Camera(serial=N); a context manager. Settings "
                              "are properties, most with a <name>_range.");
    camera
        .def(py::init([](std::optional<int> index, std::optional<int> serial) {
                 if (index && serial) throw py::value_error("give an index or a serial, not both");
                 if (serial && *serial < 0) throw py::value_error("serial numbers are positive");
                 return Camera(index.value_or(0), serial.value_or(-1));
             }),
             py::arg("index") = py::none(), py::kw_only(), py::arg("serial") = py::none())
        .def("close", &Camera::Close)
        .def_property_readonly("closed", &Camera::Closed)
        .def("__enter__", [](py::object self) { return self; })
        .def("__exit__", [](Camera& c, py::args) { c.Close(); })
        .def_property_readonly("info", &Camera::Info)
        .def_property_readonly("index", [](const Camera& c) { return c.Info().index; })
        .def_property_readonly("serial", [](const Camera& c) { return c.Info().serial; })
        .def_property_readonly("model", [](const Camera& c) { return c.Info().model; })
        .def_property_readonly("device_type", [](const Camera& c) { return c.Info().deviceType; })
        .def_property_readonly("monochrome",
                               [](const Camera& c) {
                                   int value = 0;
                                   Check(ZOQ_QueryFunction(c.Use(), ZOQ_FUNC_MONOCHROME, &value),
                                         "ZOQ_QueryFunction");
                                   return value != 0;
                               })
        .def(
            "query",
            [](const Camera& c, int function) {
                int value = 0;
                Check(ZOQ_QueryFunction(c.Use(), static_cast<ZOQ_FUNCTION>(function), &value),
                      "ZOQ_QueryFunction");
                return value;
            },
            py::arg("function"))
        .def_property_readonly("size",
                               [](const Camera& c) {
                                   int w = 0, h = 0, bits = 0;
                                   Check(ZOQ_CaptureGetSizeEx(c.Use(), &w, &h, &bits),
                                         "ZOQ_CaptureGetSizeEx");
                                   return py::make_tuple(w, h, bits);
                               })
        .def("capture_raw", &Camera::CaptureRaw,
             "One raw frame: height x width, uint8 (uint16 with 16-bit transfer).")
        .def("capture_rgb", &Camera::CaptureRgb,
             "One processed frame, top row first: height x width x 3 (B, G, R), x 4 in the "
             "32-bit modes, height x width in the gray ones; uint16 with 16-bit transfer.")
        .def(
            "frames",
            [](Camera& c, std::optional<long long> count, bool raw, int buffers, bool block,
               unsigned int timeoutMs) {
                if (count && *count < 0) throw py::value_error("count must be 0 or more");
                return FrameIterator(c.Use(), count.value_or(-1), raw, buffers, block, timeoutMs);
            },
            py::arg("count") = py::none(), py::kw_only(), py::arg("raw") = false,
            py::arg("buffers") = 4, py::arg("block") = false, py::arg("timeout_ms") = 2000)
        // Exposure, gain, auto exposure.
        .def_property(
            "exposure",
            [](const Camera& c) {
                return Read<float, float>(c, ZOQ_ExposureTimeGet, "ZOQ_ExposureTimeGet");
            },
            [](Camera& c, float ms) {
                Check(ZOQ_ExposureTimeSet(c.Use(), ms), "ZOQ_ExposureTimeSet");
            })
        .def_property_readonly(
            "exposure_range",
            [](const Camera& c) { return ParamRange(c, ZOQ_PARAM_EXPOSURE_TIME); })
        .def_property(
            "gain", [](const Camera& c) { return Param(c, ZOQ_PARAM_GAIN_G); }, &Camera::SetGain)
        .def_property_readonly("gain_range",
                               [](const Camera& c) { return ParamRange(c, ZOQ_PARAM_GAIN_G); })
        .def_property(
            "auto_exposure",
            [](const Camera& c) {
                bool running = false;
                Check(ZOQ_AEGetStatusEx(c.Use(), &running, nullptr, nullptr), "ZOQ_AEGetStatusEx");
                return running;
            },
            [](Camera& c, bool on) { Check(ZOQ_AEStartEx(c.Use(), on), "ZOQ_AEStartEx"); })
        .def_property(
            "auto_exposure_target",
            [](const Camera& c) {
                int target = 0;
                Check(ZOQ_AEGetStatusEx(c.Use(), nullptr, nullptr, &target), "ZOQ_AEGetStatusEx");
                return target;
            },
            [](Camera& c, int target) {
                Check(ZOQ_AESetTarget(c.Use(), target), "ZOQ_AESetTarget");
            })
        .def_property_readonly("auto_exposure_target_range",
                               [](const Camera&) { return std::make_pair(0, 255); })
        // Colour.
        .def_property(
            "white_balance",
            [](const Camera& c) {
                return Read<ZOQ_WB_MODE, int>(c, ZOQ_WhiteBalanceGet, "ZOQ_WhiteBalanceGet");
            },
            &Camera::SetWhiteBalance)
        .def_property_readonly(
            "white_balance_range",
            [](const Camera&) { return std::make_pair(int(ZOQ_WB_OFF), int(ZOQ_WB_HW_MANUAL)); })
        .def_property(
            "white_balance_gains",
            [](const Camera& c) {
                float gains[3] = {};
                Check(ZOQ_WhiteBalanceMatrixGet(c.Use(), gains), "ZOQ_WhiteBalanceMatrixGet");
                return std::make_tuple(gains[0], gains[1], gains[2]);
            },
            [](Camera& c, std::tuple<float, float, float> rgb) {
                float gains[3] = {std::get<0>(rgb), std::get<1>(rgb), std::get<2>(rgb)};
                Check(ZOQ_WhiteBalanceMatrixSet(c.Use(), gains), "ZOQ_WhiteBalanceMatrixSet");
            })
        .def_property(
            "bayer_mode",
            [](const Camera& c) {
                return Read<ZOQ_BAYERMODE, int>(c, ZOQ_BayerGetMode, "ZOQ_BayerGetMode");
            },
            [](Camera& c, int mode) {
                // Setting a mode answers RC_NOT_SUPPORTED (no preview) yet applies;
                // read it back to see that it held.
                if (mode < 0 || mode > 23) Check(RC_PARAMETER_ERROR, "ZOQ_BayerSetMode");
                ZOQ_BayerSetMode(c.Use(), static_cast<ZOQ_BAYERMODE>(mode));
                ZOQ_BAYERMODE now = ZOQ_BAYER_RGGB_24_BOTTOMUP;
                Check(ZOQ_BayerGetMode(c.Use(), &now), "ZOQ_BayerGetMode");
                if (now != mode) Check(RC_NOT_SUPPORTED, "ZOQ_BayerSetMode");
            })
        // Geometry, trigger, frame rate.
        .def_property("field_of_view", &Camera::FieldOfView, &Camera::SetFieldOfView)
        .def_property_readonly("default_field_of_view", &Camera::DefaultFieldOfView)
        .def_property(
            "trigger_mode",
            [](const Camera& c) {
                return Read<ZOQ_TRIGGERMODE, int>(c, ZOQ_TriggerModeGet, "ZOQ_TriggerModeGet");
            },
            [](Camera& c, int mode) {
                Check(ZOQ_TriggerModeSet(c.Use(), static_cast<ZOQ_TRIGGERMODE>(mode)),
                      "ZOQ_TriggerModeSet");
            })
        .def_property(
            "frame_rate",
            [](const Camera& c) {
                return Read<float, float>(c, ZOQ_GetFixedFrameRateEx, "ZOQ_GetFixedFrameRateEx");
            },
            [](Camera& c, float fps) {
                Check(ZOQ_SetFixedFrameRateEx(c.Use(), fps), "ZOQ_SetFixedFrameRateEx");
            })
        .def_property(
            "flip", [](const Camera& c) { return Param(c, ZOQ_PARAM_FLIP) != 0; },
            [](Camera& c, bool on) {
                Check(ZOQ_SetParam(c.Use(), ZOQ_PARAM_FLIP, on), "ZOQ_SetParam");
            })
        .def_property(
            "mirror", [](const Camera& c) { return Param(c, ZOQ_PARAM_MIRROR) != 0; },
            [](Camera& c, bool on) {
                Check(ZOQ_SetParam(c.Use(), ZOQ_PARAM_MIRROR, on), "ZOQ_SetParam");
            })
        .def_property(
            "timeout_ms",
            [](const Camera& c) {
                return Read<unsigned int, unsigned int>(c, ZOQ_CaptureGetTimeOut,
                                                        "ZOQ_CaptureGetTimeOut");
            },
            [](Camera& c, unsigned int ms) {
                Check(ZOQ_CaptureSetTimeOut(c.Use(), ms), "ZOQ_CaptureSetTimeOut");
            });
    // Software tone and colour settings, each with its range.
    ZOQPY_RANGED(camera, "gamma", ZOQ_GammaGetValue, ZOQ_GammaSetValue, ZOQ_GammaGetRange);
    ZOQPY_RANGED(camera, "contrast", ZOQ_ProcessContrastGet, ZOQ_ProcessContrastSet,
                 ZOQ_ProcessContrastGetRange);
    ZOQPY_RANGED(camera, "brightness", ZOQ_ProcessBrightnessGet, ZOQ_ProcessBrightnessSet,
                 ZOQ_ProcessBrightnessGetRange);
    ZOQPY_RANGED(camera, "saturation", ZOQ_ProcessSaturationGet, ZOQ_ProcessSaturationSet,
                 ZOQ_ProcessSaturationGetRange);
}
