// capture and stream: apply the settings, then take frames from a
// FrameSource, save them, and report progress and statistics on standard
// error. The saved files' names are the results (standard output).
#include <signal.h>

#include <chrono>
#include <cmath>
#include <string>

#include "Camera.h"
#include "Capabilities.h"
#include "Commands.h"
#include "Report.h"
#include "frames/FrameSource.h"
#include "frames/ImageFiles.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t g_stop = 0;

void OnInterrupt(int) {
    g_stop = 1;
}

}  // namespace

bool StopRequested() {
    return g_stop != 0;
}

namespace {

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// What the library's callbacks reported during the frames.
struct Reports {
    int aeStatus = -1;
    float gains[3] = {0, 0, 0};
    bool gainsChanged = false;
};

void OnAutoExposure(ZOQ_AE_STATUS status, int, void* context) {
    static_cast<Reports*>(context)->aeStatus = status;
}

void OnWhiteBalance(float red, float green, float blue, void* context) {
    auto* reports = static_cast<Reports*>(context);
    const float gains[3] = {red, green, blue};
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(gains[i] - reports->gains[i]) > 0.005f) reports->gainsChanged = true;
        reports->gains[i] = gains[i];
    }
}

const char* AeStatusText(int status) {
    switch (status) {
        case ZOQ_AE_CONVERGED:
            return "reached the target";
        case ZOQ_AE_MAX_COUNT:
            return "stopped after its most changes";
        case ZOQ_AE_OSCILLATION:
            return "stopped going back and forth";
        case ZOQ_AE_LIMIT:
            return "stopped at the end of its exposure range";
        default:
            return "still running";
    }
}

// A single auto-exposure run adjusts over the frames before the first one
// saved; each change is examined three frames later.
void SettleAutoExposure(int index, FrameSource& source, const Reports& reports) {
    bool running = false;
    int maxCount = 0, target = 0;
    ZOQ_AEGetStatusEx(index, &running, &maxCount, &target);
    if (!running || maxCount < 0) return;
    const int limit = 3 * (maxCount + 1) + 3;
    int frames = 0;
    Frame frame;
    for (; frames < limit && running && !g_stop; ++frames) {
        const int rc = source.Next(&frame);
        if (rc == kInterrupted) break;
        if (rc != RC_SUCCESS)
            Note("auto exposure: frame %d: %s (%d)", frames + 1, ErrorText(rc).c_str(), rc);
        ZOQ_AEGetStatusEx(index, &running, &maxCount, &target);
    }
    float ms = 0;
    ZOQ_ExposureTimeGet(index, &ms);
    Note("auto exposure %s after %d frames: exposure = %.6g ms", AeStatusText(reports.aeStatus),
         frames, ms);
}

struct Statistics {
    long long good = 0;
    long long failed = 0;
    unsigned long long dropped = 0;
    double bytes = 0;
};

void ReportLine(const Statistics& stats, double seconds, int index, bool final) {
    float ms = 0;
    ZOQ_ExposureTimeGet(index, &ms);
    const double fps = seconds > 0 ? stats.good / seconds : 0;
    const double mbps = seconds > 0 ? stats.bytes / seconds / 1e6 : 0;
    char line[160];
    snprintf(line, sizeof line,
             "%lld frames, %lld failed, %llu dropped, %.1f fps, %.1f MB/s, exposure %.3g ms, %.1f s",
             stats.good, stats.failed, stats.dropped, fps, mbps, ms, seconds);
    if (ProgressOnTerminal() && !final)
        fprintf(stderr, "\r%s\033[K", line);
    else if (final && ProgressOnTerminal())
        fprintf(stderr, "\r%s\033[K\n", line);
    else
        Note("%s", line);
}

}  // namespace

int RunFrames(const Options& options, int index) {
    const bool stream = options.command == Command::Stream;
    Session session;
    session.index = index;

    std::vector<SettingArg> args;
    if (!options.settingsFile.empty()) {
        const int status = ReadSettingsFile(options.settingsFile, &args);
        if (status != kOk) return status;
    }
    args.insert(args.end(), options.settings.begin(), options.settings.end());

    // The file format and the output decide each other's default.
    const SettingArg* outputArg = nullptr;
    for (const SettingArg& arg : args)
        if (std::string(arg.setting->name) == "output") outputArg = &arg;
    const bool rawOutput = outputArg != nullptr && outputArg->text == "raw";
    FileFormat format = rawOutput ? FileFormat::Pgm : FileFormat::Bmp;
    if (!options.format.empty()) ParseFileFormat(options.format, &format);
    if (!Available(format)) {
        Error("this zoqcam was built without libpng: use pgm or ppm");
        return kUsage;
    }
    if (outputArg == nullptr && (format == FileFormat::Raw || format == FileFormat::Pgm))
        session.output = Output::Raw;

    int status = ApplySettings(session, args);
    if (status != kOk) return status;
    if (!Check(ComposeBayerMode(session), "setting the output")) return kFailed;
    const int bits = session.output == Output::Raw || session.output == Output::Gray ? 8
                     : session.output == Output::Bgr32                               ? 32
                     : session.output == Output::Bgr24 || !IsMonochrome(index)       ? 24
                                                                                     : 8;
    const std::string unfit = Fits(format, session.output == Output::Raw, bits);
    if (!unfit.empty()) {
        Error("%s", unfit.c_str());
        return kUsage;
    }

    const bool saving = !stream || options.saveEvery > 0;
    const bool raw = session.output == Output::Raw;
    std::unique_ptr<FrameSource> source =
        stream ? MakeStreamSource(index, raw, saving) : MakeCaptureSource(index, raw);
    if (!Check(source->Start(), stream ? "starting the stream" : "preparing the capture"))
        return kFailed;

    FileNamer names(options.outDir, index, options.overwrite);
    if (saving && !MakeFolder(options.outDir)) return kFailed;

    Reports reports;
    ZOQ_AESetCallbackEx(index, OnAutoExposure, &reports);
    ZOQ_WhiteBalanceAutoSetCallBackEx(index, OnWhiteBalance, &reports);
    g_stop = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    sigaction(SIGINT, &action, &previous);

    SettleAutoExposure(index, *source, reports);

    const int wanted = options.count > 0 ? options.count : stream ? 0 : 1;
    ImageWriter writer;
    Statistics stats;
    Frame frame;
    const Clock::time_point start = Clock::now();
    double lastLine = 0;
    int saved = 0;
    status = kOk;
    for (long long n = 1; !g_stop; ++n) {
        if (wanted > 0 && n > wanted) break;
        if (options.seconds > 0 && Since(start) >= options.seconds) break;
        const int rc = source->Next(&frame);
        stats.dropped = source->Dropped();
        if (rc == kInterrupted) break;
        if (rc != RC_SUCCESS) {
            ++stats.failed;
            if (ProgressOnTerminal()) fputc('\n', stderr);
            Error("frame %lld: %s (%d)", n, ErrorText(rc).c_str(), rc);
            if (!stream) {
                status = kFailed;
                break;
            }
            continue;
        }
        ++stats.good;
        // The bus carries one sample a pixel (two with 16-bit transfer),
        // whatever the pipeline makes of it.
        stats.bytes += static_cast<double>(frame.width) * frame.height *
                       (frame.raw && frame.bitsPerPixel == 16 ? 2 : 1);
        if (reports.gainsChanged) {
            reports.gainsChanged = false;
            Note("white balance gains = %.4g,%.4g,%.4g", reports.gains[0], reports.gains[1],
                 reports.gains[2]);
        }
        if (saving && (!stream || n % options.saveEvery == 0)) {
            const std::string why = Fits(format, frame.raw, frame.bitsPerPixel);
            if (!why.empty()) {
                Error("%s", why.c_str());
                status = kUsage;
                break;
            }
            const std::string path = names.Next(format);
            if (!writer.Write(frame, format, path, options.quality)) {
                status = kFailed;
                break;
            }
            fprintf(Out(), "%s\n", path.c_str());
            fflush(Out());
            ++saved;
        }
        const double seconds = Since(start);
        if ((stream || wanted > 1) && seconds - lastLine >= (ProgressOnTerminal() ? 0.25 : 1.0)) {
            lastLine = seconds;
            ReportLine(stats, seconds, index, false);
        }
    }
    sigaction(SIGINT, &previous, nullptr);
    ZOQ_AESetCallbackEx(index, nullptr, nullptr);
    ZOQ_WhiteBalanceAutoSetCallBackEx(index, nullptr, nullptr);
    const double seconds = Since(start);
    source->Stop();
    stats.dropped = source->Dropped();
    if (stream || wanted > 1) ReportLine(stats, seconds, index, true);
    if (saved > 0)
        Note("saved %d %s file%s of %d x %d, %d bits a pixel, in %s", saved, Extension(format),
             saved == 1 ? "" : "s", frame.width, frame.height, frame.bitsPerPixel,
             options.outDir.c_str());
    if (status == kOk && stream && stats.good == 0) status = kFailed;
    return status;
}

}  // namespace zoqcam
