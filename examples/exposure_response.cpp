// Shows how the mean level of raw frames follows the exposure time: the
// response of the sensor is linear until white clips.
//
//   exposure_response
//   zoqsim-run -- ./exposure_response
#include <cstdio>
#include <vector>

#include <zoqapi.h>

namespace {

bool Check(int rc, const char* what) {
    if (rc == RC_SUCCESS) return true;
    char text[ZOQ_ERROR_TEXT_SIZE];
    ZOQ_GetErrorInfo(rc, text);
    std::fprintf(stderr, "%s: %s (%d)\n", what, text, rc);
    return false;
}

bool Run() {
    if (ZOQ_DeviceGetCount() < 1) {
        std::fprintf(stderr, "no camera\n");
        return false;
    }
    int width = 0, height = 0;
    if (!Check(ZOQ_CaptureSetFieldOfView(0, 0, 0, 640, 480, ZOQ_ADDRESSMODE_NORMAL,
                                         ZOQ_ADDRESSMODE_NORMAL),
               "ZOQ_CaptureSetFieldOfView") ||
        !Check(ZOQ_CaptureGetSize(0, &width, &height), "ZOQ_CaptureGetSize"))
        return false;
    std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
    std::printf("exposure (ms)  mean level\n");
    for (float ms : {1.0f, 2.0f, 4.0f, 8.0f, 16.0f, 32.0f, 64.0f}) {
        float actual = 0;
        if (!Check(ZOQ_ExposureTimeSet(0, ms), "ZOQ_ExposureTimeSet") ||
            !Check(ZOQ_ExposureTimeGet(0, &actual), "ZOQ_ExposureTimeGet") ||
            !Check(ZOQ_CaptureRawData(0, frame.data()), "ZOQ_CaptureRawData"))
            return false;
        double sum = 0;
        for (unsigned char v : frame) sum += v;
        std::printf("%13.2f  %10.1f\n", actual, sum / frame.size());
    }
    return true;
}

}  // namespace

int main() {
    if (!Check(ZOQ_Init(), "ZOQ_Init")) return 1;
    bool ok = Run();
    ok = Check(ZOQ_UnInit(), "ZOQ_UnInit") && ok;
    return ok ? 0 : 1;
}
