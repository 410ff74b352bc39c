// Look-up-table and gamma-table files downloaded into a simulated camera.
// Both kinds share one reader and differ in a header byte, so every input is
// offered as either.
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "zoqapi.h"

namespace {

bool Documented(int rc) {
    return rc == RC_SUCCESS || rc == RC_FAIL || rc == RC_VERSION_ERROR ||
           rc == RC_ILLEGAL_OPERATION || rc == RC_PARAMETER_ERROR;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zoqfuzz::OpenSimulatedCamera(argc, argv, zoqfuzz::kTableCameraType);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = zoqfuzz::WriteInput(data, size);
    if (!Documented(ZOQ_LutFileDownload(0, path))) std::abort();
    if (!Documented(ZOQ_GammaLutFileDownload(0, path))) std::abort();
    return 0;
}
