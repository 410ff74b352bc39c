#include "FaultSoak.h"

#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

#include <libusb.h>

#include "zoqapi.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZOQ_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZOQ_SOAK_ASAN 1
#endif
#endif
#ifdef ZOQ_SOAK_ASAN
// From the AddressSanitizer runtime (g++ ships no header for it): malloc's
// own statistics do not see ASan's allocator.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace zoqtest {

SoakResources MeasureResources() {
    SoakResources r;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        long size = 0, resident = 0;
        if (std::fscanf(statm, "%ld %ld", &size, &resident) == 2)
            r.rssKiB = resident * (sysconf(_SC_PAGESIZE) / 1024);
        std::fclose(statm);
    }
#ifdef ZOQ_SOAK_ASAN
    r.heapBytes = static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    r.heapBytes = static_cast<long long>(info.uordblks + info.hblkhd);
#endif
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (const dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') ++r.fds;
        closedir(dir);
        --r.fds;  // the directory's own descriptor
    }
    return r;
}

namespace {

// Captures in this window keep the soak quick.
constexpr int kWidth = 160;
constexpr int kHeight = 120;
// Shorter than the library's default, since faults that lose a frame wait
// for it; long enough that a loaded machine (or a sanitizer) does not make a
// good frame late.
constexpr unsigned kTimeOutMs = 500;
// The trigger request, which every capture sends.
constexpr uint8_t kTrigger = 0xC8;

// Every kind the soak arms, by the name the report counts it under.
constexpr const char* kFaultKinds[] = {
    "control-timeout", "bulk-timeout", "bulk-timeout-part-way", "bulk-error",
    "bulk-error-twice", "short-frame", "empty-frame", "lost-frame",
    "refused-trigger", "short-reply-trigger", "unplug", "replug-new-address",
    "replug-unreadable-descriptor"};

// The library's console lines go to /dev/null while it lives.
class QuietStdout {
public:
    explicit QuietStdout(bool on) {
        if (!on) return;
        std::fflush(stdout);
        m_saved = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            close(null);
        }
    }
    ~QuietStdout() {
        if (m_saved < 0) return;
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int m_saved = -1;
};

// Opens and closes the device at `address` with a libusb context of our
// own, as any program would: what the USB stack keeps for a device node
// that has been opened, without the library.
void OpenAndClose(libusb_context* context, zoqsim::UsbAddress address) {
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    for (ssize_t i = 0; i < count; ++i) {
        if (libusb_get_bus_number(list[i]) != address.bus ||
            libusb_get_device_address(list[i]) != address.address)
            continue;
        libusb_device_handle* handle = nullptr;
        if (libusb_open(list[i], &handle) == LIBUSB_SUCCESS) {
            if (libusb_claim_interface(handle, 0) == LIBUSB_SUCCESS)
                libusb_release_interface(handle, 0);
            libusb_close(handle);
        }
    }
    if (list != nullptr) libusb_free_device_list(list, 1);
}

zoqsim::CameraModel& Model(zoqsim::SimDevice& device) {
    return static_cast<zoqsim::CameraModel&>(device.function());
}

class Soak {
public:
    Soak(zoqsim::Testbed& bed, zoqsim::SimDevice& camera, const SoakOptions& options)
        : m_bed(bed), m_camera(camera), m_options(options), m_random(options.seed) {}

    SoakReport Run();

private:
    struct Fault {
        const char* name;
        // Arms the fault before the capture.
        std::function<void()> arm;
        // Runs after the faulted capture (a camera that was away comes back).
        std::function<void()> after;
    };

    std::vector<Fault> Faults();
    // One capture, raw or RGB by turn, checked against the camera's frame.
    int Capture(bool faulted);
    void Problem(const std::string& what) {
        if (m_report.problems.size() < 10)
            m_report.problems.push_back("capture " + std::to_string(m_report.captures) + ": " + what);
    }

    zoqsim::Testbed& m_bed;
    zoqsim::SimDevice& m_camera;
    SoakOptions m_options;
    std::mt19937 m_random;
    SoakReport m_report;
    std::vector<unsigned char> m_raw, m_rgb;
    std::vector<unsigned char> m_expectedRaw, m_expectedRgb;
    size_t m_rawBytes = 0;
    std::string m_lastFault = "none";
    int m_lastFaultAt = -1;
};

std::vector<Soak::Fault> Soak::Faults() {
    zoqsim::CameraModel& camera = Model(m_camera);
    const size_t frame = m_rawBytes;
    auto none = [] {};
    auto somewhere = [this, frame] {
        return std::uniform_int_distribution<size_t>(1, frame - 1)(m_random);
    };
    return {
        {"control-timeout", [this] { m_camera.timeOutControlTransfers(1); }, none},
        {"bulk-timeout", [this] { m_camera.timeOutBulkTransfers(1); }, none},
        {"bulk-timeout-part-way",
         [this, somewhere] { m_camera.timeOutBulkTransfersAfter(static_cast<uint32_t>(somewhere()), 1); },
         none},
        {"bulk-error", [this] { m_camera.failBulkReads(1); }, none},
        {"bulk-error-twice", [this] { m_camera.failBulkReads(2); }, none},
        {"short-frame", [&camera, somewhere] { camera.shortFrames(somewhere(), 1); }, none},
        {"empty-frame", [&camera] { camera.shortFrames(0, 1); }, none},
        {"lost-frame", [&camera] { camera.loseFrames(1); }, none},
        {"refused-trigger", [&camera] { camera.refuseRequests(kTrigger, 1); }, none},
        {"short-reply-trigger", [&camera] { camera.shortReplies(kTrigger, 1); }, none},
        // Away during the capture, back at the same address after it.
        {"unplug", [this] { m_bed.unplug(m_camera); },
         [this] {
             m_bed.replug(m_camera, false);
             ++m_report.replugs;
         }},
        // Power-cycled at a new address just before the capture.
        {"replug-new-address",
         [this] {
             m_bed.replug(m_camera, true);
             ++m_report.replugs;
             ++m_report.newAddresses;
         },
         none},
        // Back at a new address with a device descriptor that cannot be read
        // while the capture runs (programs linked with zoqsim_interpose).
        {"replug-unreadable-descriptor",
         [this] {
             m_camera.failDeviceDescriptor(true);
             m_bed.replug(m_camera, true);
             ++m_report.replugs;
             ++m_report.newAddresses;
         },
         [this] { m_camera.failDeviceDescriptor(false); }},
    };
}

int Soak::Capture(bool faulted) {
    const bool rgb = m_report.captures % 2 == 1;
    std::vector<unsigned char>& buffer = rgb ? m_rgb : m_raw;
    std::fill(buffer.begin(), buffer.end(), 0xEE);
    const int rc = rgb ? ZOQ_CaptureRgbData(0, buffer.data()) : ZOQ_CaptureRawData(0, buffer.data());
    ++m_report.captures;
    // A frame still waiting in the camera after a capture would be handed
    // over as the frame of a later trigger.
    const int waiting = Model(m_camera).framesQueued();
    if (waiting > 0 && m_report.framesLeftWaiting++ < 3)
        Problem(std::to_string(waiting) + " frames left waiting in the camera after a " +
                (faulted ? "faulted" : "good") + " capture (" + std::to_string(rc) + ")");
    if (rc == RC_SUCCESS) {
        ++m_report.goodCaptures;
        const bool same = buffer == (rgb ? m_expectedRgb : m_expectedRaw);
        // A raw frame is also what the camera handed over last.
        const bool sent = rgb || buffer == Model(m_camera).lastDeliveredFrame();
        if (!same || !sent) {
            ++m_report.corrupted;
            Problem(std::string(rgb ? "RGB" : "raw") + " frame reported good differs from " +
                    (same ? "the frame the camera sent" : "the camera's frame"));
        }
    } else if (!faulted) {
        ++m_report.lost;
        Problem("a capture without a fault failed with " + std::to_string(rc) + " (the last fault, " +
                m_lastFault + ", was at capture " + std::to_string(m_lastFaultAt) + ")");
    }
    return rc;
}

SoakReport Soak::Run() {
    QuietStdout quiet(m_options.quiet);
    // Recorded transfers would grow for ever.
    m_camera.setRecording(false);
    if (ZOQ_Init() != RC_SUCCESS || ZOQ_DeviceGetCount() != 1 ||
        ZOQ_CaptureSetFieldOfView(0, 64, 32, kWidth, kHeight, ZOQ_ADDRESSMODE_NORMAL,
                                  ZOQ_ADDRESSMODE_NORMAL) != RC_SUCCESS ||
        ZOQ_CaptureSetTimeOut(0, kTimeOutMs) != RC_SUCCESS) {
        Problem("the camera did not open");
        return m_report;
    }
    int width = 0, height = 0, bits = 0;
    ZOQ_CaptureGetSizeEx(0, &width, &height, &bits);
    m_rawBytes = static_cast<size_t>(width) * height;
    m_raw.resize(m_rawBytes);
    m_rgb.resize(m_rawBytes * static_cast<size_t>(bits / 8));
    // The camera renders the same frame every time (no noise, no motion):
    // every good capture must be that frame, or the image made of it.
    m_expectedRaw = Model(m_camera).renderFrame();
    m_expectedRgb.resize(m_rgb.size());
    if (m_expectedRaw.size() != m_rawBytes ||
        ZOQ_CaptureRgbData(0, m_expectedRgb.data()) != RC_SUCCESS) {
        Problem("no reference frame");
        return m_report;
    }

    // The baseline: the library started but idle while the camera comes
    // back at new addresses, each opened and closed by plain libusb; the
    // warm-up's first capture recovers it.
    // Each new node is opened once, as the library's recovery would.
    libusb_context* context = nullptr;
    if (libusb_init(&context) != LIBUSB_SUCCESS) {
        Problem("no libusb context for the baseline");
        return m_report;
    }
    // Then as many opens of the last node alone: the share of an open.
    m_report.baselineStart = MeasureResources();
    for (int i = 0; i < m_options.baselineReplugs; ++i) {
        m_bed.replug(m_camera, true);
        OpenAndClose(context, m_camera.address());
    }
    m_report.baselineReplugged = MeasureResources();
    for (int i = 0; i < m_options.baselineReplugs; ++i) OpenAndClose(context, m_camera.address());
    m_report.baselineEnd = MeasureResources();
    libusb_exit(context);

    std::vector<Fault> faults = Faults();
    // Faults come in shuffled rounds of every kind, so that each kind comes
    // up about as often as the others.
    std::vector<size_t> round;
    // The warm-up's first capture finds the camera gone from where the
    // library opened it, and recovers it.
    for (int i = 0; i < m_options.warmUp; ++i) Capture(i == 0);
    m_report.captures = 0;
    m_report.goodCaptures = 0;
    m_report.start = MeasureResources();
    std::uniform_int_distribution<int> odds(1, m_options.faultOneIn);
    bool recovering = false;
    while (m_report.captures < m_options.captures) {
        // A fault's capture is always followed by one without.
        if (!recovering && odds(m_random) == 1) {
            if (round.empty()) {
                for (size_t k = 0; k < faults.size(); ++k) round.push_back(k);
                std::shuffle(round.begin(), round.end(), m_random);
            }
            const Fault& fault = faults[round.back()];
            round.pop_back();
            ++m_report.faults;
            ++m_report.faultsByKind[fault.name];
            m_lastFault = fault.name;
            m_lastFaultAt = m_report.captures;
            fault.arm();
            if (Capture(true) != RC_SUCCESS) ++m_report.faultedCapturesFailed;
            fault.after();
            recovering = true;
            continue;
        }
        const int rc = Capture(false);
        if (recovering && rc != RC_SUCCESS) ++m_report.unrecovered;
        recovering = false;
    }
    m_report.end = MeasureResources();
    return m_report;
}

}  // namespace

SoakReport RunFaultSoak(zoqsim::Testbed& bed, zoqsim::SimDevice& camera, const SoakOptions& options) {
    return Soak(bed, camera, options).Run();
}

std::vector<std::string> SoakFailures(const SoakReport& report, const SoakOptions& options,
                                      const SoakLimits& limits) {
    const SoakResources& baseStart = report.baselineStart;
    const SoakResources& baseEnd = report.baselineEnd;
    std::vector<std::string> failures = report.problems;
    auto check = [&](bool ok, const std::string& what) {
        if (!ok) failures.push_back(what);
    };
    check(report.corrupted == 0, std::to_string(report.corrupted) + " frames corrupted");
    check(report.lost == 0, std::to_string(report.lost) + " frames lost without a fault");
    check(report.unrecovered == 0,
          std::to_string(report.unrecovered) + " faults not followed by a good frame");
    check(report.framesLeftWaiting == 0, std::to_string(report.framesLeftWaiting) +
                                             " captures left a frame waiting in the camera");
    for (const char* kind : kFaultKinds)
        check(report.faultsByKind.count(kind) != 0, std::string("no ") + kind + " fault came up");
    // What the baseline kept per replug and per open times the soak's
    // replugs and opens (at most two per fault: the recovery's, and
    // the replug's).
    const long long n = options.baselineReplugs > 0 ? options.baselineReplugs : 1;
    const SoakResources& mid = report.baselineReplugged;
    auto per = [&](long long before, long long after) {
        return after > before ? double(after - before) / double(n) : 0.0;
    };
    auto allowance = [&](long long start, long long middle, long long end, int replugs) {
        return static_cast<long long>(
            std::ceil(per(start, middle) * replugs + per(middle, end) * 2 * report.faults));
    };
    const SoakResources& s = report.start;
    const SoakResources& e = report.end;
    const long long fds = allowance(baseStart.fds, mid.fds, baseEnd.fds, report.newAddresses);
    check(e.fds - s.fds <= limits.fds + fds,
          "file descriptors grew from " + std::to_string(s.fds) + " to " + std::to_string(e.fds) +
              " (the baseline keeps " + std::to_string(fds) + ")");
    const long long heap =
        allowance(baseStart.heapBytes, mid.heapBytes, baseEnd.heapBytes, report.replugs);
    check(e.heapBytes - s.heapBytes <= limits.heapBytes + heap,
          "heap grew by " + std::to_string(e.heapBytes - s.heapBytes) + " bytes (the baseline " +
              std::to_string(heap) + ")");
#ifndef ZOQ_SOAK_ASAN
    // Under AddressSanitizer freed memory waits in its quarantine (up to
    // 256 MiB), so only the allocated bytes above say what is kept.
    const long long rss =
        allowance(baseStart.rssKiB, mid.rssKiB, baseEnd.rssKiB, report.replugs);
    check(e.rssKiB - s.rssKiB <= limits.rssKiB + rss,
          "RSS grew by " + std::to_string(e.rssKiB - s.rssKiB) + " KiB (the baseline " +
              std::to_string(rss) + ")");
#endif
    return failures;
}

std::string FormatSoakReport(const SoakReport& r) {
    std::string text = "captures " + std::to_string(r.captures) + ", good " +
                       std::to_string(r.goodCaptures) + ", faults " + std::to_string(r.faults) +
                       " (" + std::to_string(r.faultedCapturesFailed) + " cost their frame)\n";
    text += "faults:";
    for (const auto& [kind, count] : r.faultsByKind)
        text += " " + kind + " " + std::to_string(count);
    text += "\nframes lost " + std::to_string(r.lost) + ", corrupted " +
            std::to_string(r.corrupted) + ", faults without a good frame after " +
            std::to_string(r.unrecovered) + "\n";
    text += "replugs " + std::to_string(r.replugs) + " (" + std::to_string(r.newAddresses) +
            " at new addresses)\n";
    const SoakResources& b0 = r.baselineStart;
    const SoakResources& b1 = r.baselineEnd;
    const SoakResources& bm = r.baselineReplugged;
    text += "baseline without the library (replugs, then opens): RSS " +
            std::to_string(b0.rssKiB) + " -> " + std::to_string(bm.rssKiB) + " -> " +
            std::to_string(b1.rssKiB) + " KiB, heap " + std::to_string(b0.heapBytes) + " -> " +
            std::to_string(bm.heapBytes) + " -> " + std::to_string(b1.heapBytes) +
            " bytes, fds " + std::to_string(b0.fds) + " -> " + std::to_string(bm.fds) + " -> " +
            std::to_string(b1.fds) + "\n";
    text += "soak: RSS " + std::to_string(r.start.rssKiB) + " -> " + std::to_string(r.end.rssKiB) +
            " KiB, heap " + std::to_string(r.start.heapBytes) + " -> " +
            std::to_string(r.end.heapBytes) + " bytes, fds " + std::to_string(r.start.fds) +
            " -> " + std::to_string(r.end.fds) + "\n";
    return text;
}

}  // namespace zoqtest
