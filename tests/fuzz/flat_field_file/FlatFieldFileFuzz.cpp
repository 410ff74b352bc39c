// Flat-field files loaded into a simulated camera; what loads is then
// applied to a capture.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "zoqapi.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zoqfuzz::OpenSimulatedCamera(argc, argv, zoqfuzz::kCameraType);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<unsigned char> frame(zoqfuzz::RawBytes());
    char* path = const_cast<char*>(zoqfuzz::WriteInput(data, size));
    const int rc = ZOQ_LoadFlatFieldCorrection(0, path);
    if (rc == RC_SUCCESS) {
        if (ZOQ_CaptureSetFlatFieldCorrection(0, true) == RC_SUCCESS) {
            ZOQ_CaptureRawData(0, frame.data());
            ZOQ_CaptureSetFlatFieldCorrection(0, false);
        }
    } else if (rc != RC_FAIL && rc != RC_ALLOC_FAILED) {
        std::abort();
    }
    return 0;
}
