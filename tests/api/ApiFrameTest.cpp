// The frame every function shares, on a machine without cameras: start and
// stop, the index rules, error texts and version.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "AllDeviceFunctions.h"
#include "zoqapi.h"

namespace {

class ApiFrame : public ::testing::Test {
protected:
    void TearDown() override { ZOQ_UnInit(); }
};

TEST_F(ApiFrame, EveryDeviceFunctionAnswersNotInitializedBeforeInit) {
    EXPECT_EQ(ZOQ_DeviceGetCount(), RC_NOT_INITIALIZED);
    for (const auto& function : zoqtest::kDeviceFunctions) {
        EXPECT_EQ(function.call(0), RC_NOT_INITIALIZED) << function.name;
        EXPECT_EQ(function.call(-1), RC_NOT_INITIALIZED) << function.name;
    }
}

TEST_F(ApiFrame, WithoutCamerasEveryIndexNamesNoDevice) {
    ASSERT_EQ(ZOQ_Init(), RC_SUCCESS);
    EXPECT_EQ(ZOQ_DeviceGetCount(), 0);
    for (const auto& function : zoqtest::kDeviceFunctions) {
        if (strcmp(function.name, "ZOQ_CaptureRgbDataEx") == 0) continue;  // inert
        EXPECT_EQ(function.call(0), RC_FAIL) << function.name;
        EXPECT_EQ(function.call(-1), RC_FAIL) << function.name;
        EXPECT_EQ(function.call(64), RC_FAIL) << function.name;
    }
    EXPECT_EQ(ZOQ_CaptureRgbDataEx(0, nullptr, nullptr, nullptr, nullptr), RC_SUCCESS);
}

TEST_F(ApiFrame, InitAndUninitAreIdempotent) {
    EXPECT_EQ(ZOQ_UnInit(), RC_SUCCESS);
    EXPECT_EQ(ZOQ_Init(), RC_SUCCESS);
    EXPECT_EQ(ZOQ_Init(), RC_SUCCESS);
    EXPECT_EQ(ZOQ_DeviceGetCount(), 0);
    EXPECT_EQ(ZOQ_UnInit(), RC_SUCCESS);
    EXPECT_EQ(ZOQ_DeviceGetCount(), RC_NOT_INITIALIZED);
    EXPECT_EQ(ZOQ_CaptureRgbDataEx(0, nullptr, nullptr, nullptr, nullptr), RC_NOT_INITIALIZED);
    EXPECT_EQ(ZOQ_UnInit(), RC_SUCCESS);
    EXPECT_EQ(ZOQ_Init(), RC_SUCCESS);
    EXPECT_EQ(ZOQ_DeviceGetCount(), 0);
}

struct KnownText {
    int code;
    const char* text;
};

TEST(ErrorInfo, EveryCodeHasItsTextByteForByte) {
    const KnownText texts[] = {
        {0, "Successful"},
        {-1, "Parameter Error"},
        {-2, "Memory Allocation Failed"},
        {-3, "Operation is not Supported"},
        {-4, "Device cannt be Detected"},
        {-5, "Device wasn't Initialized"},
        {-6, "Illegal Operation"},
        {-7, "User No Privilege"},
        {-8, "Fail"},
        {-9, "Wrong"},
        {-10, "Device Recovery Successful"},
        {-11, "Device Recovery Fail"},
        {-12, "Bad Frame From Device, Should be Discarded"},
        {-13, "Invalid Frame, Transmission Error"},
        {-14, "Zero Frame, Tranmission Error"},
        {-15, "Version Error"},
        {-16, "Time Out"},
        {-17, "Device Has Closed"},
        {-18, "Bus Not Initial"},
        {-19, "Camera Not Create"},
        {-20, "Invalid Handle"},
    };
    for (const KnownText& known : texts) {
        char text[ZOQ_ERROR_TEXT_SIZE + 8];
        memset(text, 'x', sizeof text);
        EXPECT_EQ(ZOQ_GetErrorInfo(known.code, text), RC_SUCCESS) << known.code;
        EXPECT_STREQ(text, known.text);
        EXPECT_LT(strlen(text), static_cast<size_t>(ZOQ_ERROR_TEXT_SIZE));
    }
    char text[ZOQ_ERROR_TEXT_SIZE];
    ZOQ_GetErrorInfo(-12, text);
    EXPECT_EQ(strlen(text), 42u);
}

TEST(ErrorInfo, UnknownCodesReadAsNotSupported) {
    for (int code : {-21, 1, 100, -1000}) {
        char text[ZOQ_ERROR_TEXT_SIZE] = "";
        EXPECT_EQ(ZOQ_GetErrorInfo(code, text), RC_NOT_SUPPORTED) << code;
        EXPECT_STREQ(text, "Operation is not Supported");
    }
}

TEST(Version, IsEightZeroZeroZeroAndSkipsNullOutputs) {
    int v[4] = {-1, -1, -1, -1};
    EXPECT_EQ(ZOQ_GetVersion(&v[0], &v[1], &v[2], &v[3]), RC_SUCCESS);
    EXPECT_EQ(v[0], 8);
    EXPECT_EQ(v[1], 0);
    EXPECT_EQ(v[2], 0);
    EXPECT_EQ(v[3], 0);
    EXPECT_EQ(ZOQ_GetVersion(nullptr, nullptr, nullptr, nullptr), RC_SUCCESS);
    int minor = -1;
    EXPECT_EQ(ZOQ_GetVersion(nullptr, &minor, nullptr, nullptr), RC_SUCCESS);
    EXPECT_EQ(minor, 0);
}

TEST(SkipTable, HoldsTheAddressModeSteps) {
    const int expected[5] = {1, 2, 3, 4, 8};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g_SkipTable[i], expected[i]);
}

}  // namespace
