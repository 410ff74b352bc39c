// Hands RGB captures to OpenCV without copying: in a top-down 24-bit Bayer
// mode a capture is exactly the layout of a CV_8UC3 cv::Mat (B, G, R bytes,
// top row first, rows without padding), so the Mat wraps the capture buffer.
//
//   opencv_mat
//   zoqsim-run -- ./opencv_mat
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

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
    const int camera = 0;
    if (ZOQ_DeviceGetCount() < 1) {
        std::fprintf(stderr, "no camera\n");
        return false;
    }
    // The camera's own mosaic pattern (the low two bits), 24-bit, top-down.
    ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    if (!Check(ZOQ_BayerGetDefaultMode(camera, &mode), "ZOQ_BayerGetDefaultMode")) return false;
    const auto topDown = static_cast<ZOQ_BAYERMODE>(ZOQ_BAYER_BGGR_24_TOPDOWN + (mode & 3));
    // ZOQ_BayerSetMode stores the mode and answers RC_NOT_SUPPORTED: there is
    // no preview picture to update on this platform.
    int rc = ZOQ_BayerSetMode(camera, topDown);
    if (rc != RC_NOT_SUPPORTED && !Check(rc, "ZOQ_BayerSetMode")) return false;

    int width = 0, height = 0, bitCount = 0;
    if (!Check(ZOQ_CaptureSetFieldOfView(camera, 0, 0, 1024, 768, ZOQ_ADDRESSMODE_NORMAL,
                                         ZOQ_ADDRESSMODE_NORMAL),
               "ZOQ_CaptureSetFieldOfView") ||
        !Check(ZOQ_CaptureGetSizeEx(camera, &width, &height, &bitCount), "ZOQ_CaptureGetSizeEx"))
        return false;
    if (bitCount != 24) {
        std::fprintf(stderr, "expected 24-bit captures, got %d bits\n", bitCount);
        return false;
    }
    std::vector<unsigned char> buffer(static_cast<size_t>(width) * height * 3);
    cv::Mat image(height, width, CV_8UC3, buffer.data());  // no copy
    cv::Mat gray, edges;
    for (int i = 0; i < 3; ++i) {
        if (!Check(ZOQ_CaptureRgbData(camera, buffer.data()), "ZOQ_CaptureRgbData")) return false;
        cv::cvtColor(image, gray, cv::COLOR_BGR2GRAY);
        cv::Canny(gray, edges, 50, 150);
        const cv::Scalar mean = cv::mean(image);
        std::printf("frame %d: %d x %d, mean B %.1f G %.1f R %.1f, %d edge pixels\n", i, width,
                    height, mean[0], mean[1], mean[2], cv::countNonZero(edges));
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
