// libzoqsim_denied.so: preloaded ahead of umockdev's library by zoqsim-run
// for the `denied` fault. Opening one of the device nodes listed in
// ZOQSIM_DENIED_NODES (colon-separated) fails with EACCES, as it does for a
// user without access to a real camera; libusb then reports
// LIBUSB_ERROR_ACCESS. Every other open goes on to the next library, which
// is umockdev's emulation.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char kUsbNodes[] = "/dev/bus/usb/";

bool denied(const char* path) {
    if (path == nullptr || std::strncmp(path, kUsbNodes, sizeof kUsbNodes - 1) != 0) return false;
    const char* list = std::getenv("ZOQSIM_DENIED_NODES");
    const std::size_t length = std::strlen(path);
    while (list != nullptr && *list != '\0') {
        const char* end = std::strchr(list, ':');
        const std::size_t n =
            end != nullptr ? static_cast<std::size_t>(end - list) : std::strlen(list);
        if (n == length && std::strncmp(list, path, n) == 0) return true;
        list = end != nullptr ? end + 1 : nullptr;
    }
    return false;
}

mode_t modeArgument(int flags, va_list args) {
    const bool hasMode = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return hasMode ? static_cast<mode_t>(va_arg(args, unsigned)) : 0;
}

template <typename Fn>
Fn next(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

using OpenFn = int (*)(const char*, int, ...);
using OpenAtFn = int (*)(int, const char*, int, ...);
using Open2Fn = int (*)(const char*, int);

int refuse() {
    errno = EACCES;
    return -1;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int open(const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    static const OpenFn real = next<OpenFn>("open");
    return real(path, flags, mode);
}

__attribute__((visibility("default"))) int open64(const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    static const OpenFn real = next<OpenFn>("open64");
    return real(path, flags, mode);
}

__attribute__((visibility("default"))) int openat(int dir, const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    static const OpenAtFn real = next<OpenAtFn>("openat");
    return real(dir, path, flags, mode);
}

__attribute__((visibility("default"))) int openat64(int dir, const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    static const OpenAtFn real = next<OpenAtFn>("openat64");
    return real(dir, path, flags, mode);
}

// The fortified entry points that glibc's headers call for two-argument opens.
__attribute__((visibility("default"))) int __open_2(const char* path, int flags) {
    if (denied(path)) return refuse();
    static const Open2Fn real = next<Open2Fn>("__open_2");
    return real(path, flags);
}

__attribute__((visibility("default"))) int __open64_2(const char* path, int flags) {
    if (denied(path)) return refuse();
    static const Open2Fn real = next<Open2Fn>("__open64_2");
    return real(path, flags);
}

}  // extern "C"
