// relaunchUnderPreload, run in a process of its own.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ProbeRun {
    int status;
    std::string output;
};

ProbeRun run(const std::string& environment) {
    const std::string command = "env " + environment + " " + SIM_RELAUNCH_PROBE + " one 'two words' 2>/dev/null";
    ProbeRun result{-1, {}};
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr)
        return result;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, child) != nullptr)
        result.output += buffer;
    const int status = pclose(child);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(Launcher, RestartsWithThePreloadLibraryAndTheSameArguments) {
    const ProbeRun restarted = run("-u LD_PRELOAD");
    EXPECT_EQ(restarted.status, 0);
    EXPECT_EQ(restarted.output, "loaded [one] [two words]\n");
    const ProbeRun already = run("LD_PRELOAD=libumockdev-preload.so.0");
    EXPECT_EQ(already.output, "loaded [one] [two words]\n");
}

TEST(Launcher, GivesUpWhenTheLibraryCannotBeLoaded) {
    const ProbeRun broken = run("LD_PRELOAD=/nonexistent/libumockdev-preload.so.0");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.output, "");
}

}  // namespace
