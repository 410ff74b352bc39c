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

bool takesMode(int flags) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

int refuse() {
    errno = EACCES;
    return -1;
}

using OpenFn = int (*)(const char*, int, ...);
using OpenAtFn = int (*)(int, const char*, int, ...);
using Open2Fn = int (*)(const char*, int);

// The next library's function of that name (umockdev's), looked up once.
template <typename Fn>
Fn next(Fn& cached, const char* name) {
    if (cached == nullptr) cached = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
    return cached;
}

}  // namespace

// The mode argument is there only when the flags create a file.
#define ZOQSIM_MODE_ARGUMENT(flags, mode)                   \
    mode_t mode = 0;                                        \
    if (takesMode(flags)) {                                 \
        va_list args;                                       \
        va_start(args, flags);                              \
        mode = static_cast<mode_t>(va_arg(args, unsigned)); \
        va_end(args);                                       \
    }

extern "C" {

__attribute__((visibility("default"))) int open(const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    ZOQSIM_MODE_ARGUMENT(flags, mode)
    static OpenFn real = nullptr;
    return next(real, "open")(path, flags, mode);
}

__attribute__((visibility("default"))) int open64(const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    ZOQSIM_MODE_ARGUMENT(flags, mode)
    static OpenFn real = nullptr;
    return next(real, "open64")(path, flags, mode);
}

__attribute__((visibility("default"))) int openat(int dir, const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    ZOQSIM_MODE_ARGUMENT(flags, mode)
    static OpenAtFn real = nullptr;
    return next(real, "openat")(dir, path, flags, mode);
}

__attribute__((visibility("default"))) int openat64(int dir, const char* path, int flags, ...) {
    if (denied(path)) return refuse();
    ZOQSIM_MODE_ARGUMENT(flags, mode)
    static OpenAtFn real = nullptr;
    return next(real, "openat64")(dir, path, flags, mode);
}

// The fortified entry points that glibc's headers call for two-argument opens.
__attribute__((visibility("default"))) int __open_2(const char* path, int flags) {
    if (denied(path)) return refuse();
    static Open2Fn real = nullptr;
    return next(real, "__open_2")(path, flags);
}

__attribute__((visibility("default"))) int __open64_2(const char* path, int flags) {
    if (denied(path)) return refuse();
    static Open2Fn real = nullptr;
    return next(real, "__open64_2")(path, flags);
}

}  // extern "C"
