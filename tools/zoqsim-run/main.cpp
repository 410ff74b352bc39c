// zoqsim-run: runs an unmodified program against simulated cameras.
//
// The runner owns the simulated bus: it starts under umockdev's preload
// library, builds the testbed and the cameras, and serves their usbfs
// requests on umockdev's worker thread. The program inherits the preload
// library and the testbed's folder (UMOCKDEV_DIR), so its libusb reaches the
// cameras through umockdev's socket as another process would.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Child.h"
#include "Events.h"
#include "Options.h"
#include "zoq_version.h"
#include "zoqsim.h"

namespace {

// The library behind the `denied` fault: installed beside the SDK's
// libraries, or in the build tree's lib/.
std::string DeniedOpenLibrary() {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "";
    std::string folder(self, static_cast<std::size_t>(n));
    folder = folder.substr(0, folder.rfind('/'));
    for (const char* relative : {"/../" ZOQ_INSTALL_LIBDIR "/zoq/", "/../lib/"}) {
        const std::string path = folder + relative + "libzoqsim_denied.so";
        if (access(path.c_str(), R_OK) == 0) return path;
    }
    return "";
}

// Makes opening the listed device nodes fail in the program.
bool DenyNodes(const std::string& nodes) {
    const std::string library = DeniedOpenLibrary();
    if (library.empty()) {
        fprintf(stderr, "zoqsim-run: libzoqsim_denied.so is missing; the denied fault needs it\n");
        return false;
    }
    const char* preload = getenv("LD_PRELOAD");
    const std::string joined = library + (preload != nullptr ? ":" + std::string(preload) : "");
    setenv("LD_PRELOAD", joined.c_str(), 1);
    setenv("ZOQSIM_DENIED_NODES", nodes.c_str(), 1);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    zoqsimrun::Options options;
    std::string error;
    if (!zoqsimrun::ParseOptions(argc, argv, &options, &error)) {
        fprintf(stderr, "zoqsim-run: %s\nrun 'zoqsim-run --help' for the usage\n", error.c_str());
        return 2;
    }
    if (options.help) {
        zoqsimrun::PrintUsage();
        return 0;
    }
    if (options.version) {
        printf("zoqsim-run %s\n", ZOQ_VERSION_STRING);
        return 0;
    }
    zoqsim::relaunchUnderPreload(argc, argv);

    zoqsim::Testbed bed;
    const std::vector<zoqsim::SimCamera*> cameras = zoqsim::attachCameras(bed, options.cameras);
    std::string denied;
    std::vector<zoqsimrun::TimedEvent> events;
    for (const zoqsim::FaultOption& fault : options.faults) {
        zoqsim::SimCamera& camera = *cameras[fault.camera];
        if (zoqsim::armsOnTransfers(fault.kind))
            zoqsim::armFault(camera, fault);
        else if (fault.kind == zoqsim::FaultKind::Denied)
            denied += (denied.empty() ? "" : ":") + zoqsim::deviceNode(camera);
        else if (fault.kind == zoqsim::FaultKind::Unplug && fault.value == 0)
            bed.unplug(camera);  // before the program can enumerate, not racing it
        else
            events.push_back({std::chrono::milliseconds(fault.value), &camera,
                              fault.kind == zoqsim::FaultKind::Replug});
    }
    if (!denied.empty() && !DenyNodes(denied)) return 1;

    const pid_t pid = zoqsimrun::SpawnProgram(options.command);
    if (pid < 0) return 127;
    zoqsimrun::EventTimer timer(bed, std::move(events));
    return zoqsimrun::WaitForProgram(pid);
}
