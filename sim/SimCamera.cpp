#include "SimCamera.h"

#include <cstdio>
#include <cstdlib>

namespace zoqsim {

CameraModel& SimCamera::model() {
    auto* model = dynamic_cast<CameraModel*>(&function());
    if (model == nullptr) {
        // Only Testbed::replace with a plain function can get here.
        std::fprintf(stderr, "zoqsim: this camera was replaced by a device that is not a camera\n");
        std::abort();
    }
    return *model;
}

}  // namespace zoqsim
