// Where log files go: paths built by ZOQLOG_InitEx, folder creation, the
// path length limit and the executable's own path.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "LogTestSupport.h"
#include "zoqlog.h"

namespace {

namespace fs = std::filesystem;
using logtest::FreshPath;
using logtest::ParseEntries;
using logtest::ReadAll;

std::string LogName(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char name[64];
    std::strftime(name, sizeof(name), "LOG%Y%m%d(%H%M%S).txt", &local);
    return name;
}

// The only default-named file in folder whose name falls within [from, to].
fs::path FindDefaultLog(const fs::path& folder, std::time_t from, std::time_t to) {
    for (std::time_t t = from; t <= to; ++t) {
        const fs::path candidate = folder / LogName(t);
        if (fs::exists(candidate)) return candidate;
    }
    return {};
}

TEST(LogInitEx, DefaultsToDatedFileInZOQLogBesideTheExecutable) {
    const fs::path folder = fs::read_symlink("/proc/self/exe").parent_path() / "ZOQLog";
    void* log = nullptr;
    void* again = nullptr;
    const std::time_t from = std::time(nullptr);
    ASSERT_EQ(ZOQLOG_InitEx(&log, 0, "", "", 1, 0), ZOQLOG_SUCCESS);
    ASSERT_EQ(ZOQLOG_InitEx(&again, 0, nullptr, nullptr, 1, 0), ZOQLOG_SUCCESS);
    const std::time_t to = std::time(nullptr);

    EXPECT_TRUE(fs::is_directory(folder));
    const fs::path file = FindDefaultLog(folder, from, to);
    ASSERT_FALSE(file.empty()) << "no " << LogName(from) << " in " << folder;
    EXPECT_EQ(ZOQLOG_OutputString(log, "default place", 0), ZOQLOG_SUCCESS);
    const auto entries = ParseEntries(ReadAll(file.string()));
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back().second, "default place\n");

    EXPECT_EQ(ZOQLOG_UnInit(&log), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_UnInit(&again), ZOQLOG_SUCCESS);
    fs::remove(FindDefaultLog(folder, from, to));
    fs::remove(FindDefaultLog(folder, from, to));
    std::error_code ignored;
    fs::remove(folder, ignored);  // only when no other run left files there
}

TEST(LogInitEx, CreatesAMissingFolderAndReusesIt) {
    const std::string folder = FreshPath("_folder");
    void* log = nullptr;
    ASSERT_EQ(ZOQLOG_InitEx(&log, 0, folder.c_str(), "camera.log", 1, 0), ZOQLOG_SUCCESS);
    struct stat status {};
    ASSERT_EQ(stat(folder.c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(status.st_mode & 0777, 0775 & ~mask);
    EXPECT_EQ(ZOQLOG_OutputString(log, "in folder", 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_UnInit(&log), ZOQLOG_SUCCESS);

    // The folder exists now; a dated file lands beside the named one.
    const std::time_t from = std::time(nullptr);
    ASSERT_EQ(ZOQLOG_InitEx(&log, 0, folder.c_str(), "", 1, 0), ZOQLOG_SUCCESS);
    EXPECT_FALSE(FindDefaultLog(folder, from, std::time(nullptr)).empty());
    EXPECT_EQ(ZOQLOG_UnInit(&log), ZOQLOG_SUCCESS);

    const auto entries = ParseEntries(ReadAll(folder + "/camera.log"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].second, "in folder\n");
    fs::remove_all(folder);
}

TEST(LogInitEx, FolderThatCannotBeCreatedFails) {
    const std::string parent = FreshPath("_parent");
    const std::string nested = parent + "/child";
    void* log = reinterpret_cast<void*>(&log);
    EXPECT_EQ(ZOQLOG_InitEx(&log, 0, nested.c_str(), "x.log", 1, 0), ZOQLOG_FAIL);
    EXPECT_EQ(log, nullptr);
    EXPECT_FALSE(fs::exists(parent));
    EXPECT_EQ(ZOQLOG_InitEx(nullptr, 0, nested.c_str(), "x.log", 1, 0), ZOQLOG_FAIL);
}

TEST(LogPathLimit, PathsBeyond127CharactersAreRefused) {
    const std::string prefix = logtest::UniqueName("_");
    const std::string fits = prefix + std::string(127 - prefix.size(), 'f');
    const std::string tooLong = prefix + std::string(128 - prefix.size(), 'g');
    ASSERT_EQ(fits.size(), 127u);
    fs::remove(fits);

    void* log = nullptr;
    ASSERT_EQ(ZOQLOG_Init(&log, fits.c_str(), 1, 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_OutputString(log, "fits", 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_UnInit(&log), ZOQLOG_SUCCESS);
    EXPECT_TRUE(fs::exists(fits));
    fs::remove(fits);

    log = reinterpret_cast<void*>(&log);
    EXPECT_EQ(ZOQLOG_Init(&log, tooLong.c_str(), 1, 0), ZOQLOG_FAIL);
    EXPECT_EQ(log, nullptr);
    EXPECT_FALSE(fs::exists(tooLong));
    // No file of any truncated form either.
    EXPECT_FALSE(fs::exists(tooLong.substr(0, 127)));

    // Folder + "/" + name must fit as well: 120 + 1 + 7 characters.
    const std::string folder = prefix + std::string(120 - prefix.size(), 'd');
    log = reinterpret_cast<void*>(&log);
    EXPECT_EQ(ZOQLOG_InitEx(&log, 0, folder.c_str(), "abc.log", 1, 0), ZOQLOG_FAIL);
    EXPECT_EQ(log, nullptr);
    EXPECT_EQ(ZOQLOG_InitEx(&log, 0, folder.c_str(), "ab.log", 1, 0), ZOQLOG_SUCCESS);
    EXPECT_EQ(ZOQLOG_UnInit(&log), ZOQLOG_SUCCESS);
    fs::remove_all(folder);
}

TEST(LogAppPath, IsTheTerminatedExecutablePath) {
    char path[ZOQLOG_MAX_PATH + 16];
    memset(path, 'x', sizeof(path));
    const std::string expected = fs::read_symlink("/proc/self/exe").string();
    ASSERT_LT(expected.size(), static_cast<size_t>(ZOQLOG_MAX_PATH)) << "build folder too deep";
    EXPECT_EQ(ZOQLOG_GetAppPath(0, path), static_cast<int>(expected.size()));
    EXPECT_EQ(std::string(path), expected);
    EXPECT_EQ(path[ZOQLOG_MAX_PATH], 'x');
    EXPECT_EQ(ZOQLOG_GetAppPath(0, nullptr), -1);
}

TEST(LogAppPath, LongExecutablePathIsCutAndTerminated) {
    // Run a copy of the probe from a folder whose name alone exceeds the buffer.
    const fs::path folder = fs::absolute(FreshPath("_") + std::string(140, 'p'));
    ASSERT_TRUE(fs::create_directory(folder));
    const fs::path probe = folder / "probe";
    fs::copy_file(ZOQLOG_PROBE, probe);

    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(probe.c_str(), "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    int result = 0;
    size_t length = 0;
    char placed[ZOQLOG_MAX_PATH + 2] = "";
    ASSERT_EQ(fscanf(pipe.get(), "%d %zu\n", &result, &length), 2);
    ASSERT_NE(fgets(placed, sizeof(placed), pipe.get()), nullptr);
    pipe.reset();
    fs::remove_all(folder);

    EXPECT_EQ(result, ZOQLOG_MAX_PATH - 1);
    EXPECT_EQ(length, static_cast<size_t>(ZOQLOG_MAX_PATH - 1));
    EXPECT_EQ(std::string(placed), probe.string().substr(0, ZOQLOG_MAX_PATH - 1) + "\n");
}

}  // namespace
