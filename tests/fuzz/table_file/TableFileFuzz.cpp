// Look-up-table and gamma-table files downloaded into a simulated camera.
// Both kinds share one reader and differ in a header byte, so every input is
// offered as either.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzSupport.h"
#include "zoqapi.h"

namespace {

void Check(const char* call, int rc) {
    if (rc == RC_SUCCESS || rc == RC_FAIL || rc == RC_VERSION_ERROR ||
        rc == RC_ILLEGAL_OPERATION || rc == RC_PARAMETER_ERROR)
        return;
    std::fprintf(stderr, "%s returned %d\n", call, rc);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zoqfuzz::OpenSimulatedCamera(argc, argv, zoqfuzz::kCameraType);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = zoqfuzz::WriteInput(data, size);
    Check("ZOQ_LutFileDownload", ZOQ_LutFileDownload(0, path));
    Check("ZOQ_GammaLutFileDownload", ZOQ_GammaLutFileDownload(0, path));
    return 0;
}
