// Helpers shared by the log library tests: files in the test's own folder
// and parsing of the stamp that begins every file entry.
#ifndef ZOQ_TESTS_LOG_SUPPORT_H
#define ZOQ_TESTS_LOG_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
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

// Every stamp in text, in order, and the text that follows each one up to
// the next stamp.
inline std::vector<std::pair<Stamp, std::string>> ParseEntries(const std::string& text) {
    static const std::regex stamp(
        R"((\d{4})-(\d{2})-(\d{2}) (\d{2})-(\d{2})-(\d{2})-(\d{4}): )");
    std::vector<std::pair<Stamp, std::string>> entries;
    auto it = std::sregex_iterator(text.begin(), text.end(), stamp);
    for (; it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        Stamp s;
        s.local.tm_year = std::stoi(m[1]) - 1900;
        s.local.tm_mon = std::stoi(m[2]) - 1;
        s.local.tm_mday = std::stoi(m[3]);
        s.local.tm_hour = std::stoi(m[4]);
        s.local.tm_min = std::stoi(m[5]);
        s.local.tm_sec = std::stoi(m[6]);
        s.local.tm_isdst = -1;
        s.milliseconds = std::stoi(m[7]);
        const size_t start = static_cast<size_t>(m.position(0) + m.length(0));
        if (!entries.empty()) {
            std::string& previous = entries.back().second;
            previous.resize(previous.size() - (text.size() - static_cast<size_t>(m.position(0))));
        }
        entries.emplace_back(s, text.substr(start));
    }
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
