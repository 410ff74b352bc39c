// What the log writes: stamped entries in files, plain lines on the console,
// error entries, formatted entries and what is refused.
#include <cerrno>
#include <cstring>
#include <string>

#include "LogTestSupport.h"
#include "zoqlog.h"

namespace {

using logtest::ExpectRecent;
using logtest::FreshPath;
using logtest::ParseEntries;
using logtest::ReadAll;

// A file-mode handle on a fresh file of the running test.
class LogFile : public testing::Test {
protected:
    void SetUp() override {
        path_ = FreshPath();
        ASSERT_EQ(ZOQLOG_Init(&log_, path_.c_str(), 1, 1), ZOQLOG_SUCCESS);
        ASSERT_NE(log_, nullptr);
    }
    void TearDown() override {
        if (log_ != nullptr) ZOQLOG_UnInit(&log_);
        std::filesystem::remove(path_);
    }
    std::string path_;
    void* log_ = nullptr;
};

TEST_F(LogFile, EntriesAreStampedLinesAppendedInOrder) {
    EXPECT_EQ(ZOQLOG_OutputString(log_, "first entry", 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_OutputString(log_, "ZOQAPI::second", 10), ZOQLOG_SUCCESS);

    // Flushed at once: readable while the handle is still open.
    const std::string text = ReadAll(path_);
    const auto entries = ParseEntries(text);
    ASSERT_EQ(entries.size(), 2u) << text;
    EXPECT_EQ(text.rfind("20", 0), 0u) << "an entry starts with its stamp";
    EXPECT_EQ(entries[0].second, "first entry\n");
    EXPECT_EQ(entries[1].second, "ZOQAPI::second\n");
    for (const auto& entry : entries) ExpectRecent(entry.first);
}

TEST_F(LogFile, NegativeLevelsAndNullTextWriteNothing) {
    ASSERT_EQ(ZOQLOG_OutputString(log_, "kept", 0), ZOQLOG_SUCCESS);
    const std::string before = ReadAll(path_);

    EXPECT_EQ(ZOQLOG_OutputString(log_, "dropped", -1), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputStringEx(log_, -5, "dropped %d", 1), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputError(log_, ENOENT, -1), ZOQLOG_FAIL);
    errno = EACCES;
    EXPECT_EQ(ZOQLOG_OutputLastError(log_, -2), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputString(log_, nullptr, 0), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputStringEx(log_, 0, nullptr), ZOQLOG_FAIL);

    EXPECT_EQ(ReadAll(path_), before);
}

TEST_F(LogFile, ErrorEntriesShareOneLine) {
    EXPECT_EQ(ZOQLOG_OutputError(log_, ENOENT, 0), ZOQLOG_SUCCESS);
    errno = EACCES;
    EXPECT_EQ(ZOQLOG_OutputLastError(log_, 3), ZOQLOG_SUCCESS);

    const std::string text = ReadAll(path_);
    EXPECT_EQ(text.find('\n'), std::string::npos) << text;
    const auto entries = ParseEntries(text);
    ASSERT_EQ(entries.size(), 2u) << text;
    EXPECT_EQ(entries[0].second, strerror(ENOENT));
    EXPECT_EQ(entries[1].second, strerror(EACCES));

    // The next text entry continues that line and ends it.
    ASSERT_EQ(ZOQLOG_OutputString(log_, "after", 0), ZOQLOG_SUCCESS);
    const std::string after = ReadAll(path_);
    EXPECT_EQ(after.find('\n'), after.size() - 1);
}

TEST_F(LogFile, FormattedEntriesAreFollowedByAnEmptyLine) {
    EXPECT_EQ(ZOQLOG_OutputStringEx(log_, 0, "type %d serial %s", 42, "A7"), ZOQLOG_SUCCESS);
    const auto entries = ParseEntries(ReadAll(path_));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].second, "type 42 serial A7\n\n");
}

TEST_F(LogFile, OverlongFormattedMessageIsCutAt1023Characters) {
    const std::string longText(3000, 'a');
    EXPECT_EQ(ZOQLOG_OutputStringEx(log_, 0, "%s", longText.c_str()), ZOQLOG_SUCCESS);
    const auto entries = ParseEntries(ReadAll(path_));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].second, std::string(1023, 'a') + "\n\n");
}

TEST_F(LogFile, SecondHandleOnThePathAppends) {
    void* second = nullptr;
    ASSERT_EQ(ZOQLOG_Init(&second, path_.c_str(), 1, 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_OutputString(log_, "one", 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_OutputString(second, "two", 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_OutputString(log_, "three", 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_UnInit(&second), ZOQLOG_SUCCESS);

    // A later run on the same path keeps the earlier entries.
    ASSERT_EQ(ZOQLOG_UnInit(&log_), ZOQLOG_SUCCESS);
    ASSERT_EQ(ZOQLOG_Init(&second, path_.c_str(), 1, 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_OutputString(second, "four", 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_UnInit(&second), ZOQLOG_SUCCESS);

    const auto entries = ParseEntries(ReadAll(path_));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].second, "one\n");
    EXPECT_EQ(entries[1].second, "two\n");
    EXPECT_EQ(entries[2].second, "three\n");
    EXPECT_EQ(entries[3].second, "four\n");
}

TEST_F(LogFile, UnInitTwiceAndNullHandlesFail) {
    EXPECT_EQ(ZOQLOG_UnInit(&log_), ZOQLOG_SUCCESS);
    EXPECT_EQ(log_, nullptr);
    EXPECT_EQ(ZOQLOG_UnInit(&log_), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_UnInit(nullptr), ZOQLOG_FAIL);

    EXPECT_EQ(ZOQLOG_OutputString(nullptr, "x", 0), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputStringEx(nullptr, 0, "x"), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputError(nullptr, ENOENT, 0), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputLastError(nullptr, 0), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_Init(nullptr, path_.c_str(), 1, 0), ZOQLOG_FAIL);
}

TEST(LogConsole, EntriesArePlainLinesOnStandardOutput) {
    const std::string path = FreshPath();
    void* log = nullptr;
    ASSERT_EQ(ZOQLOG_Init(&log, path.c_str(), 0, 1), ZOQLOG_SUCCESS);

    testing::internal::CaptureStdout();
    const int plain = ZOQLOG_OutputString(log, "plain", 0);
    const int error = ZOQLOG_OutputError(log, ENOENT, 0);
    const int formatted = ZOQLOG_OutputStringEx(log, 0, "n=%d", 5);
    const int negative = ZOQLOG_OutputString(log, "hidden", -1);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(plain, ZOQLOG_SUCCESS);
    EXPECT_EQ(error, ZOQLOG_SUCCESS);
    EXPECT_EQ(formatted, ZOQLOG_SUCCESS);
    EXPECT_EQ(negative, ZOQLOG_FAIL);
    EXPECT_EQ(out, std::string("plain\n") + strerror(ENOENT) + "\nn=5\n\n");
    EXPECT_FALSE(std::filesystem::exists(path)) << "console mode creates no file";
    EXPECT_EQ(ZOQLOG_UnInit(&log), ZOQLOG_SUCCESS);
}

TEST(LogFileMissing, HandleStaysValidAndEveryWriteFails) {
    const std::string folder = FreshPath("_missing");
    const std::string path = folder + "/entries.log";
    void* log = nullptr;
    ASSERT_EQ(ZOQLOG_Init(&log, path.c_str(), 1, 0), ZOQLOG_SUCCESS);
    ASSERT_NE(log, nullptr);

    EXPECT_EQ(ZOQLOG_OutputString(log, "lost", 0), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputStringEx(log, 0, "lost %d", 2), ZOQLOG_FAIL);
    EXPECT_EQ(ZOQLOG_OutputError(log, ENOENT, 0), ZOQLOG_FAIL);
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_EQ(ZOQLOG_UnInit(&log), ZOQLOG_SUCCESS);
}

TEST(LogDateTime, ReportsLocalTimeWithMilliseconds) {
    struct date day;
    struct time now;
    EXPECT_EQ(ZOQLOG_GetDateTime(nullptr, &now), -1);
    EXPECT_EQ(ZOQLOG_GetDateTime(&day, nullptr), -1);

    const std::time_t before = std::time(nullptr);
    ASSERT_EQ(ZOQLOG_GetDateTime(&day, &now), 0);
    logtest::Stamp stamp;
    stamp.local.tm_year = day.da_year - 1900;
    stamp.local.tm_mon = day.da_mon - 1;
    stamp.local.tm_mday = day.da_day;
    stamp.local.tm_hour = now.ti_hour;
    stamp.local.tm_min = now.ti_min;
    stamp.local.tm_sec = now.ti_sec;
    stamp.local.tm_isdst = -1;
    stamp.milliseconds = now.ti_hund;
    ExpectRecent(stamp);
    std::tm copy = stamp.local;
    EXPECT_GE(std::mktime(&copy), before);
}

}  // namespace
