#include "Camera.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "Console.h"
#include "Report.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

// $XDG_CACHE_HOME/zoq, or ~/.cache/zoq; "" when neither can be found.
std::string DefaultLogFolder() {
    const char* cache = getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return std::string(cache) + "/zoq";
    const char* home = getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache/zoq";
    return "";
}

}  // namespace

bool MakeFolder(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        const std::string partial = path.substr(0, i);
        if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
            Error("cannot create %s: %s", partial.c_str(), strerror(errno));
            return false;
        }
    }
    return true;
}

int StartLibrary(const Options& options) {
    std::string folder = options.logDir.empty() ? DefaultLogFolder() : options.logDir;
    if (options.noLog || folder.empty()) {
        if (!options.noLog) Note("no cache folder (HOME is not set): writing no log files");
        ZOQ_LogSet(false, nullptr);
    } else {
        if (!MakeFolder(folder)) return kFailed;
        ZOQ_LogSet(true, folder.c_str());
        if (options.verbose) Note("camera logs in %s", folder.c_str());
    }
    return Check(ZOQ_Init(), "starting the library") ? kOk : kFailed;
}

int ChooseCamera(const Options& options, int* index) {
    const int count = ZOQ_DeviceGetCount();
    if (count < 0) return Check(count, "counting cameras") ? kOk : kFailed;
    if (options.serial) {
        for (int i = 0; i < count; ++i) {
            unsigned short type = 0, firmware = 0;
            int serial = 0;
            if (ZOQ_DeviceGetInformation(i, &type, &serial, &firmware) == RC_SUCCESS &&
                serial == *options.serial) {
                *index = i;
                return kOk;
            }
        }
        Error("no camera with serial number %d (%d camera%s found)", *options.serial, count,
              count == 1 ? "" : "s");
        return kFailed;
    }
    if (options.index >= count) {
        Error("no camera %d (%d camera%s found)", options.index, count, count == 1 ? "" : "s");
        return kFailed;
    }
    *index = options.index;
    return kOk;
}

std::string CameraTitle(int index) {
    unsigned short type = 0, firmware = 0;
    int serial = 0;
    if (ZOQ_DeviceGetInformation(index, &type, &serial, &firmware) != RC_SUCCESS)
        return "camera " + std::to_string(index);
    return "camera " + std::to_string(index) + " (" + ModelName(type) + ", serial " +
           std::to_string(serial) + ")";
}

}  // namespace zoqcam
