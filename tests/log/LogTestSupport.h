// Helpers shared by the log library tests: files in the test's own folder
// and parsing of the stamp that begins every file entry.
#ifndef ZOQ_TESTS_LOG_SUPPORT_H
#define ZOQ_TESTS_LOG_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace logtest {

// A file name unique to the running test (tests run in parallel processes).
inline std::string UniqueName(const char* suffix) {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name() + suffix;
    return name;
}

// A fresh, absent path for the running test.
inline std::string FreshPath(const char* suffix = ".log") {
    std::string path = UniqueName(suffix);
    std::filesystem::remove_all(path);
    return path;
}

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One stamp "YYYY-MM-DD hh-mm-ss-mmmm: " as found in an entry.
struct Stamp {
    std::tm local{};
    int milliseconds = -1;
};

// Whether a stamp "YYYY-MM-DD hh-mm-ss-mmmm: " begins at text[at].
constexpr char kStampShape[] = "0000-00-00 00-00-00-0000: ";
constexpr size_t kStampLength = sizeof(kStampShape) - 1;

inline bool StampAt(const std::string& text, size_t at) {
    if (text.size() - at < kStampLength) return false;
    for (size_t i = 0; i < kStampLength; ++i) {
        const char c = text[at + i];
        const bool ok = kStampShape[i] == '0' ? (c >= '0' && c <= '9') : c == kStampShape[i];
        if (!ok) return false;
    }
    return true;
}

inline Stamp ReadStamp(const std::string& text, size_t at) {
    auto number = [&](size_t offset, size_t digits) {
        return std::stoi(text.substr(at + offset, digits));
    };
    Stamp s;
    s.local.tm_year = number(0, 4) - 1900;
    s.local.tm_mon = number(5, 2) - 1;
    s.local.tm_mday = number(8, 2);
    s.local.tm_hour = number(11, 2);
    s.local.tm_min = number(14, 2);
    s.local.tm_sec = number(17, 2);
    s.local.tm_isdst = -1;
    s.milliseconds = number(20, 4);
    return s;
}

// Every stamp in text, in order, with the text that follows it up to the
// next stamp.
inline std::vector<std::pair<Stamp, std::string>> ParseEntries(const std::string& text) {
    std::vector<std::pair<Stamp, std::string>> entries;
    size_t bodyStart = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (!StampAt(text, at)) continue;
        if (!entries.empty()) entries.back().second = text.substr(bodyStart, at - bodyStart);
        entries.emplace_back(ReadStamp(text, at), std::string());
        bodyStart = at + kStampLength;
        at = bodyStart - 1;
    }
    if (!entries.empty()) entries.back().second = text.substr(bodyStart);
    return entries;
}

// The stamp names a moment within a few seconds of now.
inline void ExpectRecent(const Stamp& stamp) {
    std::tm copy = stamp.local;
    const double age = std::difftime(std::time(nullptr), std::mktime(&copy));
    EXPECT_GE(age, -2.0);
    EXPECT_LE(age, 10.0);
    EXPECT_GE(stamp.milliseconds, 0);
    EXPECT_LE(stamp.milliseconds, 999);
}

}  // namespace logtest

#endif
