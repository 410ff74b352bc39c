// The stopwatch's arithmetic, with the clock under the test's control: this
// program supplies gettimeofday, which the library then calls.
#include <gtest/gtest.h>
#include <sys/time.h>

#include "zoqapi.h"

namespace {
timeval g_now{};
}

extern "C" __attribute__((visibility("default"))) int gettimeofday(struct timeval* tv, void*) {
    *tv = g_now;
    return 0;
}

namespace {

void SetClock(long seconds, long microseconds) {
    g_now.tv_sec = seconds;
    g_now.tv_usec = microseconds;
}

TEST(Stopwatch, BorrowsASecondWhenMicrosecondsGoNegative) {
    SetClock(10, 900000);
    ASSERT_EQ(ZOQ_StartTimeCounter(), RC_SUCCESS);
    SetClock(12, 400000);
    float seconds = 0;
    unsigned int milliseconds = 0;
    EXPECT_EQ(ZOQ_CheckTimePassedSec(&seconds), RC_SUCCESS);
    EXPECT_FLOAT_EQ(seconds, 1.5f);
    EXPECT_EQ(ZOQ_CheckTimePassedMilSec(&milliseconds), RC_SUCCESS);
    EXPECT_EQ(milliseconds, 1500u);
}

TEST(Stopwatch, MillisecondsTruncateMicroseconds) {
    SetClock(100, 0);
    ZOQ_StartTimeCounter();
    SetClock(103, 2999);
    unsigned int milliseconds = 0;
    ZOQ_CheckTimePassedMilSec(&milliseconds);
    EXPECT_EQ(milliseconds, 3002u);
    float seconds = 0;
    ZOQ_CheckTimePassedSec(&seconds);
    EXPECT_FLOAT_EQ(seconds, 3.002999f);
}

TEST(Stopwatch, ClockGoingBackwardsKeepsThePreviousReading) {
    SetClock(50, 500000);
    ZOQ_StartTimeCounter();
    SetClock(51, 0);
    unsigned int milliseconds = 0;
    ZOQ_CheckTimePassedMilSec(&milliseconds);
    EXPECT_EQ(milliseconds, 500u);
    SetClock(50, 400000);  // earlier than the start
    ZOQ_CheckTimePassedMilSec(&milliseconds);
    EXPECT_EQ(milliseconds, 500u);
    SetClock(49, 999999);
    float seconds = 0;
    ZOQ_CheckTimePassedSec(&seconds);
    EXPECT_FLOAT_EQ(seconds, 0.5f);
}

TEST(Stopwatch, RestartClearsTheLastReading) {
    SetClock(1, 0);
    ZOQ_StartTimeCounter();
    SetClock(5, 0);
    unsigned int milliseconds = 0;
    ZOQ_CheckTimePassedMilSec(&milliseconds);
    EXPECT_EQ(milliseconds, 4000u);
    SetClock(7, 0);
    ZOQ_StartTimeCounter();
    SetClock(6, 0);  // backwards right after a restart: nothing measured yet
    ZOQ_CheckTimePassedMilSec(&milliseconds);
    EXPECT_EQ(milliseconds, 0u);
    EXPECT_EQ(ZOQ_CheckTimePassedSec(nullptr), RC_SUCCESS);
    EXPECT_EQ(ZOQ_CheckTimePassedMilSec(nullptr), RC_SUCCESS);
}

}  // namespace
