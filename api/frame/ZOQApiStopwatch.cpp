// A process-wide stopwatch (one user at a time).
#include <sys/time.h>

#include <cstdio>

#include "zoqapi.h"

namespace {

timeval ct_start;
timeval ct_stop;
timeval ct_diff;

// Stops the watch and updates ct_diff, unless the clock went backwards.
void StopWatch() {
    gettimeofday(&ct_stop, nullptr);
    bool earlier = ct_stop.tv_sec < ct_start.tv_sec ||
                   (ct_stop.tv_sec == ct_start.tv_sec && ct_stop.tv_usec < ct_start.tv_usec);
    if (!earlier) {
        ct_diff.tv_sec = ct_stop.tv_sec - ct_start.tv_sec;
        ct_diff.tv_usec = ct_stop.tv_usec - ct_start.tv_usec;
        if (ct_diff.tv_usec < 0) {
            ct_diff.tv_sec -= 1;
            ct_diff.tv_usec += 1000000;
        }
    }
    printf("cv Total time : %d s,%d us\n", static_cast<int>(ct_diff.tv_sec),
           static_cast<int>(ct_diff.tv_usec));
}

}  // namespace

ZOQ_API int ZOQ_StartTimeCounter(void) {
    ct_start = ct_stop = ct_diff = timeval{};
    gettimeofday(&ct_start, nullptr);
    return RC_SUCCESS;
}

ZOQ_API int ZOQ_CheckTimePassedSec(float* seconds) {
    StopWatch();
    if (seconds != nullptr)
        *seconds =
            static_cast<float>(ct_diff.tv_sec) + static_cast<float>(ct_diff.tv_usec) / 1000000.0f;
    return RC_SUCCESS;
}

ZOQ_API int ZOQ_CheckTimePassedMilSec(unsigned int* milliseconds) {
    StopWatch();
    if (milliseconds != nullptr)
        *milliseconds = static_cast<unsigned int>(ct_diff.tv_sec * 1000 + ct_diff.tv_usec / 1000);
    return RC_SUCCESS;
}
