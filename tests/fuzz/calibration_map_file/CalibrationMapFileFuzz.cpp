// Calibration-map files loaded into a simulated camera; a map that loads
// remaps an RGB capture, in the sampling and pixel depth the input's last
// byte picks.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "zoqapi.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zoqfuzz::OpenSimulatedCamera(argc, argv, zoqfuzz::kCameraType);
    return ZOQ_CaptureSetCalibration(0, true) == RC_SUCCESS ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<unsigned char> image(zoqfuzz::RgbBytes(32));
    const int rc = ZOQ_LoadCalibrationMapFile(0, zoqfuzz::WriteInput(data, size));
    if (rc == RC_SUCCESS) {
        const uint8_t pick = size > 0 ? data[size - 1] : 0;
        ZOQ_SetCalibrationMapMode(0, (pick & 1) ? ZOQ_MAPMODE_BILINEAR : ZOQ_MAPMODE_NEAREST);
        static const ZOQ_BAYERMODE kModes[] = {ZOQ_BAYER_RGGB_24_BOTTOMUP,
                                               ZOQ_BAYER_RGGB_32_BOTTOMUP,
                                               ZOQ_BAYER_RGGB_GRAY_BOTTOMUP};
        ZOQ_BayerSetMode(0, kModes[(pick >> 1) % 3]);
        if (ZOQ_CaptureRgbData(0, image.data()) != RC_SUCCESS) std::abort();
        ZOQ_LoadCalibrationMapFile(0, nullptr);
    } else if (rc != RC_FAIL && rc != RC_VERSION_ERROR && rc != RC_ALLOC_FAILED) {
        std::abort();
    }
    return 0;
}
