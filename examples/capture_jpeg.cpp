// Captures colour frames from the first camera and saves them as JPEG files.
//
//   capture_jpeg [--simulate] [COUNT]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ExampleSimulation.h"
#include "zoqapi.h"

static bool Ok(int rc, const char* what) {
    if (rc == RC_SUCCESS) return true;
    char text[ZOQ_ERROR_TEXT_SIZE];
    ZOQ_GetErrorInfo(rc, text);
    fprintf(stderr, "%s: %s (%d)\n", what, text, rc);
    return false;
}

int main(int argc, char** argv) {
    if (zoq_example_simulate(&argc, argv) != 0) return 1;
    int count = argc > 1 ? atoi(argv[1]) : 3;
    if (!Ok(ZOQ_Init(), "ZOQ_Init")) return 1;
    if (ZOQ_DeviceGetCount() < 1) {
        fprintf(stderr, "no camera\n");
        ZOQ_UnInit();
        return 1;
    }
    const int camera = 0;
    // A 1024 x 768 window in the middle of the sensor, 15 ms exposure.
    int sensorWidth = 0, sensorHeight = 0;
    ZOQ_CaptureGetDefaultFieldOfView(camera, nullptr, nullptr, &sensorWidth, &sensorHeight,
                                     nullptr, nullptr);
    ZOQ_CaptureSetFieldOfView(camera, (sensorWidth - 1024) / 2, (sensorHeight - 768) / 2, 1024,
                              768, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL);
    ZOQ_ExposureTimeSet(camera, 15.0f);

    int width = 0, height = 0, bitCount = 0;
    if (!Ok(ZOQ_CaptureGetSizeEx(camera, &width, &height, &bitCount), "ZOQ_CaptureGetSizeEx")) {
        ZOQ_UnInit();
        return 1;
    }
    // Rows come bottom-up in the default Bayer mode, as the file writers take them.
    std::vector<unsigned char> image(static_cast<size_t>(width) * height * bitCount / 8);
    ZOQ_StartTimeCounter();
    int saved = 0;
    for (int i = 0; i < count; ++i) {
        if (!Ok(ZOQ_CaptureRgbData(camera, image.data()), "ZOQ_CaptureRgbData")) break;
        std::string name = "frame_" + std::to_string(i) + ".jpg";
        if (!Ok(ZOQ_HelperSaveToJpg(image.data(), width, height, bitCount, 90, name.c_str()),
                name.c_str()))
            break;
        ++saved;
    }
    unsigned int ms = 0;
    ZOQ_CheckTimePassedMilSec(&ms);
    printf("saved %d frame(s) of %d x %d in %u ms\n", saved, width, height, ms);
    ZOQ_UnInit();
    return saved == count ? 0 : 1;
}
