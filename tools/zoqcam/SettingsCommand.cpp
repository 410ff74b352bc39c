// settings save|load|show: a camera's setup as a plain text file of
// "name = value" lines, the names being zoqcam's setting options, so that a
// setup can be repeated (`settings load`, or --settings on capture and
// stream).
#include "Camera.h"
#include "Commands.h"

#include <cerrno>
#include <cstring>

namespace zoqcam {

int RunSettings(const Options& options, int index) {
    Session session;
    session.index = index;
    std::vector<SettingArg> args;
    const std::string file = options.args.empty() ? "" : options.args[0];
    for (const std::string& from : {options.settingsFile, options.action == "load" ? file : ""}) {
        if (from.empty()) continue;
        const int status = ReadSettingsFile(from, &args);
        if (status != kOk) return status;
    }
    args.insert(args.end(), options.settings.begin(), options.settings.end());
    const int status = ApplySettings(session, args);
    if (status != kOk) return status;

    const std::string heading = "zoqcam settings of " + CameraTitle(index);
    if (options.action != "save" || file == "-") return WriteSettings(session, Out(), heading);
    FILE* out = fopen(file.c_str(), "w");
    if (out == nullptr) {
        Error("cannot write %s: %s", file.c_str(), strerror(errno));
        return kFailed;
    }
    const int written = WriteSettings(session, out, heading);
    if (fclose(out) != 0 || written != kOk) {
        Error("cannot write %s", file.c_str());
        return kFailed;
    }
    fprintf(Out(), "%s\n", file.c_str());
    return kOk;
}

}  // namespace zoqcam
