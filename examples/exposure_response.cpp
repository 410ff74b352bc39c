// Shows how the mean level of raw frames follows the exposure time: the
// response of the sensor is linear until white clips.
//
//   exposure_response [--simulate]
#include <cstdio>
#include <vector>

#include "ExampleSimulation.h"
#include "zoqapi.h"

int main(int argc, char** argv) {
    if (zoq_example_simulate(&argc, argv) != 0) return 1;
    if (ZOQ_Init() != RC_SUCCESS || ZOQ_DeviceGetCount() < 1) {
        fprintf(stderr, "no camera\n");
        ZOQ_UnInit();
        return 1;
    }
    ZOQ_CaptureSetFieldOfView(0, 0, 0, 640, 480, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL);
    int width = 0, height = 0;
    ZOQ_CaptureGetSize(0, &width, &height);
    std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
    printf("exposure (ms)  mean level\n");
    for (float ms : {1.0f, 2.0f, 4.0f, 8.0f, 16.0f, 32.0f, 64.0f}) {
        if (ZOQ_ExposureTimeSet(0, ms) != RC_SUCCESS) break;
        float actual = 0;
        ZOQ_ExposureTimeGet(0, &actual);
        if (ZOQ_CaptureRawData(0, frame.data()) != RC_SUCCESS) break;
        double sum = 0;
        for (unsigned char v : frame) sum += v;
        printf("%13.2f  %10.1f\n", actual, sum / frame.size());
    }
    ZOQ_UnInit();
    return 0;
}
