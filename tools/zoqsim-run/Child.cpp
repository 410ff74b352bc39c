#include "Child.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

extern char** environ;

namespace zoqsimrun {

namespace {

volatile sig_atomic_t g_child = 0;

constexpr int kForwarded[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void Forward(int signal) {
    if (g_child > 0) kill(static_cast<pid_t>(g_child), signal);
}

}  // namespace

pid_t SpawnProgram(const std::vector<std::string>& command) {
    std::vector<char*> args;
    for (const std::string& arg : command) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    // The handlers installed below must not reach the program: it starts
    // with the default actions.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : kForwarded) sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, args[0], nullptr, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (rc != 0) {
        fprintf(stderr, "zoqsim-run: cannot run %s: %s\n", args[0], strerror(rc));
        return -1;
    }
    g_child = pid;
    struct sigaction action {};
    action.sa_handler = Forward;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kForwarded) sigaction(signal, &action, nullptr);
    return pid;
}

int WaitForProgram(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            fprintf(stderr, "zoqsim-run: waiting for the program: %s\n", strerror(errno));
            return 1;
        }
    }
    g_child = 0;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 1;
}

}  // namespace zoqsimrun
