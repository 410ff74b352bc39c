// Return codes of the API as Python exceptions (zoqcam.Error with the code
// and the API's text).
#pragma once

#include <string>

namespace zoqpy {

struct ApiError {
    int code;
    std::string what;  // the call that failed, e.g. "ZOQ_ExposureTimeSet"
};

// Throws ApiError when rc is not RC_SUCCESS.
inline void Check(int rc, const char* what) {
    if (rc != 0) throw ApiError{rc, what};
}

// The API's text of a code.
std::string ErrorText(int code);

}  // namespace zoqpy
