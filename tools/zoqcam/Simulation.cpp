#include "Simulation.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "Console.h"

namespace zoqcam {

namespace {

std::string SelfPath() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

bool IsSimulateOption(const char* arg) {
    return strcmp(arg, "--simulate") == 0 || strncmp(arg, "--simulate=", 11) == 0;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

bool Digits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// One of zoqcam's fault words as zoqsim-run's KIND[:ARGS][@F] for `camera`.
bool MapFault(const std::string& word, size_t camera, std::string* fault, std::string* error) {
    // NAME[@N][xC]; no fault name has an x in it.
    const size_t mark = word.find_first_of("@x");
    const std::string name = word.substr(0, mark);
    std::string rest = mark == std::string::npos ? "" : word.substr(mark);
    std::string at, times;
    if (!rest.empty() && rest[0] == '@') {
        const size_t x = rest.find('x');
        at = rest.substr(1, x == std::string::npos ? std::string::npos : x - 1);
        rest = x == std::string::npos ? "" : rest.substr(x);
        if (!Digits(at)) rest = "?";
    }
    if (!rest.empty() && rest[0] == 'x') {
        times = rest.substr(1);
        rest = Digits(times) ? "" : "?";
    }
    if (!rest.empty()) {
        *error = "\"" + word + "\": @ and x take whole numbers";
        return false;
    }
    const std::string count = times.empty() ? "" : ":" + times;
    const std::string prefix = std::to_string(camera) + ":";
    if (name == "timeout" || name == "short") {
        *fault = prefix + (name == "timeout" ? "lost-frame" : "short-frame:4096") + count +
                 (at.empty() ? "" : "@" + at);
    } else if (name == "error" && at.empty()) {
        *fault = prefix + "bulk-error" + count;
    } else if (name == "denied" && at.empty() && times.empty()) {
        *fault = prefix + "denied";
    } else if ((name == "unplug" || name == "replug") && !at.empty() && times.empty()) {
        *fault = prefix + name + ":" + at;
    } else {
        *error = "\"" + word +
                 "\" is not a fault: timeout[@F][xC], short[@F][xC], error[xC], denied, "
                 "unplug@MS or replug@MS";
        return false;
    }
    return true;
}

}  // namespace

bool SimulationOptions(const std::string& cameraList, std::vector<std::string>* options,
                       std::string* error) {
    std::string cameras;
    size_t count = 0;
    bool all = false;
    for (const std::string& item : Split(cameraList, ',')) {
        const std::vector<std::string> parts = Split(item, ':');
        const std::string& type = parts.empty() ? item : parts[0];
        cameras += (cameras.empty() ? "" : ",") + type;
        size_t copies = 1;
        const size_t x = type.find('x');
        if (x != std::string::npos && Digits(type.substr(x + 1)))
            copies = std::stoul(type.substr(x + 1));
        all = all || type == "all";
        for (size_t p = 1; p < parts.size(); ++p) {
            if (all) {
                *error = "faults go on cameras listed before all";
                return false;
            }
            for (size_t c = 0; c < copies && c < 256; ++c) {
                std::string fault;
                if (!MapFault(parts[p], count + c, &fault, error)) return false;
                options->push_back("--fault=" + fault);
            }
        }
        count += copies;
    }
    options->insert(options->begin(), "--cameras=" + cameras);
    return true;
}

int RunSimulated(int argc, char** argv, const std::string& cameraList, bool motion) {
    std::vector<std::string> simulation;
    std::string error;
    if (!SimulationOptions(cameraList, &simulation, &error)) {
        Error("--simulate=%s: %s", cameraList.c_str(), error.c_str());
        return kUsage;
    }
    if (motion) simulation.push_back("--motion");
    const std::string self = SelfPath();
    if (self.empty()) {
        Error("cannot find its own program file: %s", strerror(errno));
        return kFailed;
    }
    const std::string beside = self.substr(0, self.rfind('/') + 1) + "zoqsim-run";
    const std::string runner = access(beside.c_str(), X_OK) == 0 ? beside : "zoqsim-run";
    std::vector<char*> args = {const_cast<char*>(runner.c_str())};
    for (std::string& option : simulation) args.push_back(option.data());
    args.push_back(const_cast<char*>("--"));
    args.push_back(const_cast<char*>(self.c_str()));
    for (int i = 1; i < argc; ++i)
        if (!IsSimulateOption(argv[i])) args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp(args[0], args.data());
    Error("--simulate needs zoqsim-run (the simulator, in the SDK's tools): %s", strerror(errno));
    return kFailed;
}

}  // namespace zoqcam
