#include "Commands.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Report.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

double Now() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return static_cast<double>(tv.tv_sec) + tv.tv_usec / 1e6;
}

bool CheckIndex(int index) {
    int count = ZOQ_DeviceGetCount();
    if (count < 0) return Check(count, "counting cameras");
    if (index < 0 || index >= count) {
        fprintf(stderr, "zoqcam: no camera %d (%d camera%s found)\n", index, count,
                count == 1 ? "" : "s");
        return false;
    }
    return true;
}

bool MakeFolder(const std::string& path) {
    std::string partial;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || (path[i] == '/' && i > 0)) {
            partial = path.substr(0, i);
            if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
                fprintf(stderr, "zoqcam: cannot create %s: %s\n", partial.c_str(),
                        strerror(errno));
                return false;
            }
        }
    }
    return true;
}

struct Capability {
    ZOQ_FUNCTION function;
    const char* name;
};

constexpr Capability kCapabilities[] = {
    {ZOQ_FUNC_MIRROR, "mirror"},
    {ZOQ_FUNC_FLIP, "flip"},
    {ZOQ_FUNC_ADDRESSMODE_1, "skip-2"},
    {ZOQ_FUNC_ADDRESSMODE_2, "skip-3"},
    {ZOQ_FUNC_ADDRESSMODE_3, "skip-4"},
    {ZOQ_FUNC_ADDRESSMODE_4, "skip-8"},
    {ZOQ_FUNC_TRIGGERMODE_1, "trigger-1"},
    {ZOQ_FUNC_TRIGGERMODE_2, "trigger-2"},
    {ZOQ_FUNC_TRIGGERMODE_3, "fixed-frame-rate"},
    {ZOQ_FUNC_TRIGGER_DELAY, "trigger-delay"},
    {ZOQ_FUNC_EMPTY_FRAME_BUFFER, "empty-frame-buffer"},
    {ZOQ_FUNC_16BITS_TRANSFER, "16-bit-transfer"},
    {ZOQ_FUNC_MULTI_FRAME, "multi-frame"},
    {ZOQ_FUNC_HW_BAD_PIXEL_CORRECTION, "hw-bad-pixels"},
    {ZOQ_FUNC_LUT_DOWNLOAD, "lut"},
    {ZOQ_FUNC_GAMMA_LUT_DOWNLOAD, "gamma-lut"},
    {ZOQ_FUNC_WB_GAINS_WRITABLE, "hw-white-balance"},
    {ZOQ_FUNC_CCM_WRITABLE, "hw-colour-matrix"},
};

bool IsMonochrome(int index) {
    int mono = 0;
    return ZOQ_QueryFunction(index, ZOQ_FUNC_MONOCHROME, &mono) == RC_SUCCESS && mono == 1;
}

// Image files take bottom-up rows: colour cameras get 24-bit bottom-up output
// of their own pattern, monochrome ones 8-bit gray.
bool ChooseImageLayout(int index) {
    ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    if (!Check(ZOQ_BayerGetDefaultMode(index, &mode), "reading the default Bayer mode"))
        return false;
    int pattern = mode & 3;
    int chosen = IsMonochrome(index) ? ZOQ_BAYER_BGGR_GRAY_BOTTOMUP + pattern : pattern;
    // The mode is stored even though the call reports that no preview
    // picture follows it.
    int rc = ZOQ_BayerSetMode(index, static_cast<ZOQ_BAYERMODE>(chosen));
    return rc == RC_SUCCESS || rc == RC_NOT_SUPPORTED || Check(rc, "setting the Bayer mode");
}

bool WriteRaw(const std::string& path, const std::vector<unsigned char>& data) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        fprintf(stderr, "zoqcam: cannot write %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    bool ok = fwrite(data.data(), 1, data.size(), file) == data.size();
    ok = fclose(file) == 0 && ok;
    if (!ok) fprintf(stderr, "zoqcam: cannot write %s\n", path.c_str());
    return ok;
}

// BMP rows are padded to four bytes; the capture's rows are not.
const unsigned char* PadRows(const std::vector<unsigned char>& image, int width, int height,
                             int bitCount, std::vector<unsigned char>* padded) {
    size_t row = static_cast<size_t>(width) * (bitCount / 8);
    size_t paddedRow = (row + 3) & ~static_cast<size_t>(3);
    if (row == paddedRow) return image.data();
    padded->assign(paddedRow * height, 0);
    for (int y = 0; y < height; ++y)
        memcpy(padded->data() + y * paddedRow, image.data() + y * row, row);
    return padded->data();
}

}  // namespace

int RunList(bool* complete) {
    int count = ZOQ_DeviceGetCount();
    *complete = count > 0;
    if (count < 0) return Check(count, "counting cameras") ? 0 : 1;
    printf("%d camera%s\n", count, count == 1 ? "" : "s");
    if (count > 0) printf("%-6s %-6s %-16s %-7s %s\n", "index", "type", "model", "serial", "firmware");
    for (int i = 0; i < count; ++i) {
        unsigned short type = 0;
        int serial = 0;
        unsigned short firmware = 0;
        int rc = ZOQ_DeviceGetInformation(i, &type, &serial, &firmware);
        if (rc != RC_SUCCESS) {
            printf("%-6d (%s)\n", i, ErrorText(rc).c_str());
            *complete = false;
            continue;
        }
        std::string model = ModelName(type);
        printf("%-6d %-6u %-16s %-7d %s\n", i, type, model.empty() ? "(no plug-in)" : model.c_str(),
               serial, VersionText(firmware).c_str());
    }
    return 0;
}

int RunInfo(int index) {
    if (!CheckIndex(index)) return 1;
    unsigned short type = 0, firmware = 0, fpga = 0;
    int serial = 0;
    if (!Check(ZOQ_DeviceGetInformationEx(index, &type, &serial, &firmware, &fpga),
               "reading the camera's identity"))
        return 1;
    printf("camera %d: type %u, model %s, serial %d, firmware %s, FPGA %s, %s\n", index, type,
           ModelName(type).c_str(), serial, VersionText(firmware).c_str(),
           VersionText(fpga).c_str(), IsMonochrome(index) ? "monochrome" : "colour");

    int cs = 0, rs = 0, cz = 0, rz = 0;
    ZOQ_ADDRESSMODE cm = ZOQ_ADDRESSMODE_NORMAL, rm = ZOQ_ADDRESSMODE_NORMAL;
    if (ZOQ_CaptureGetDefaultFieldOfView(index, &cs, &rs, &cz, &rz, &cm, &rm) == RC_SUCCESS)
        printf("  sensor:        %d x %d\n", cz, rz);
    if (ZOQ_CaptureGetFieldOfView(index, &cs, &rs, &cz, &rz, &cm, &rm) == RC_SUCCESS)
        printf("  window:        %d,%d %d x %d, address mode %d\n", cs, rs, cz, rz, cm);
    int width = 0, height = 0, bits = 0;
    if (ZOQ_CaptureGetSizeEx(index, &width, &height, &bits) == RC_SUCCESS)
        printf("  capture:       %d x %d, %d bits per RGB pixel\n", width, height, bits);
    ZOQ_BAYERMODE bayer = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    ZOQ_FILTERMODE filter = ZOQ_FILTER_FAST_BILINEAR;
    ZOQ_BayerGetMode(index, &bayer);
    ZOQ_FilterGetMode(index, &filter);
    printf("  bayer mode:    %d, filter mode %d\n", bayer, filter);

    float ms = 0;
    int minLines = 0, maxLines = 0, lines = 0;
    if (ZOQ_ExposureTimeGet(index, &ms) == RC_SUCCESS) {
        printf("  exposure:      %.3f ms", ms);
        if (ZOQ_GetParam(index, ZOQ_PARAM_EXPOSURE_LINES, &lines) == RC_SUCCESS)
            printf(" (%d lines)", lines);
        if (ZOQ_GetParamRange(index, ZOQ_PARAM_EXPOSURE_LINES, &minLines, &maxLines) ==
            RC_SUCCESS)
            printf(", lines %d-%d", minLines, maxLines);
        printf("\n");
    }
    int gain[3] = {0, 0, 0}, minGain = 0, maxGain = 0;
    if (ZOQ_GetParam(index, ZOQ_PARAM_GAIN_R, &gain[0]) == RC_SUCCESS) {
        ZOQ_GetParam(index, ZOQ_PARAM_GAIN_G, &gain[1]);
        ZOQ_GetParam(index, ZOQ_PARAM_GAIN_B, &gain[2]);
        ZOQ_GetParamRange(index, ZOQ_PARAM_GAIN_R, &minGain, &maxGain);
        printf("  gain:          R %d, G %d, B %d (range %d-%d)\n", gain[0], gain[1], gain[2],
               minGain, maxGain);
    }
    ZOQ_TRIGGERMODE trigger = ZOQ_TRIGGERMODE_FREERUN;
    if (ZOQ_TriggerModeGet(index, &trigger) == RC_SUCCESS) printf("  trigger mode:  %d\n", trigger);
    unsigned int timeout = 0;
    bool recover = false;
    ZOQ_CaptureGetTimeOutEx(index, &timeout, &recover);
    printf("  time-out:      %u ms, recovery %s\n", timeout, recover ? "on" : "off");
    ZOQ_EEPROM_TYPE eeprom = ZOQ_EEPROM_TYPE_16BIT_8K;
    if (ZOQ_EEPROMTypeGet(index, &eeprom) == RC_SUCCESS) printf("  EEPROM type:   %d\n", eeprom);

    printf("  features:     ");
    for (const Capability& capability : kCapabilities) {
        int value = 0;
        if (ZOQ_QueryFunction(index, capability.function, &value) == RC_SUCCESS && value != 0)
            printf(" %s", capability.name);
    }
    int lutBits = 0;
    if (ZOQ_QueryFunction(index, ZOQ_FUNC_LUT_INPUT_BITS, &lutBits) == RC_SUCCESS && lutBits > 0)
        printf(" (LUT input %d bits)", lutBits);
    printf("\n");
    return 0;
}

int RunCapture(const Options& options) {
    const int index = options.index;
    if (!CheckIndex(index)) return 1;
    if (options.fov) {
        auto mode = static_cast<ZOQ_ADDRESSMODE>(options.fov->addressMode);
        if (!Check(ZOQ_CaptureSetFieldOfView(index, options.fov->columnStart,
                                             options.fov->rowStart, options.fov->columnSize,
                                             options.fov->rowSize, mode, mode),
                   "setting the field of view"))
            return 1;
    }
    if (options.exposureMs &&
        !Check(ZOQ_ExposureTimeSet(index, *options.exposureMs), "setting the exposure time"))
        return 1;
    if (options.gain) {
        for (ZOQ_PARAM colour : {ZOQ_PARAM_GAIN_R, ZOQ_PARAM_GAIN_G, ZOQ_PARAM_GAIN_B})
            if (!Check(ZOQ_SetParam(index, colour, *options.gain), "setting the gain")) return 1;
    }
    if (options.format != Format::Raw && !ChooseImageLayout(index)) return 1;

    int width = 0, height = 0, bitCount = 0;
    if (!Check(ZOQ_CaptureGetSizeEx(index, &width, &height, &bitCount), "reading the capture size"))
        return 1;
    if (!MakeFolder(options.outDir)) return 1;

    const bool raw = options.format == Format::Raw;
    const size_t bytes = static_cast<size_t>(width) * height * (raw ? 1 : bitCount / 8);
    std::vector<unsigned char> image(bytes);
    std::vector<unsigned char> padded;
    const char* extension = raw ? "raw" : options.format == Format::Jpg ? "jpg" : "bmp";
    const double start = Now();
    // A progress line rewritten in place, on a terminal only.
    const bool progress = options.count > 1 && isatty(STDOUT_FILENO);
    for (int i = 0; i < options.count; ++i) {
        int rc = raw ? ZOQ_CaptureRawData(index, image.data())
                     : ZOQ_CaptureRgbData(index, image.data());
        if (!Check(rc, "capturing a frame")) return 1;
        char name[64];
        snprintf(name, sizeof name, "/cam%d_%04d.%s", index, i, extension);
        std::string path = options.outDir + name;
        bool saved = true;
        if (raw) {
            saved = WriteRaw(path, image);
        } else if (options.format == Format::Bmp) {
            saved = Check(ZOQ_HelperSaveToBmp(PadRows(image, width, height, bitCount, &padded),
                                              width, height, bitCount, path.c_str()),
                          path.c_str());
        } else {
            saved = Check(ZOQ_HelperSaveToJpg(image.data(), width, height, bitCount,
                                              options.jpegQuality, path.c_str()),
                          path.c_str());
        }
        if (!saved) return 1;
        if (progress) {
            double elapsed = Now() - start;
            printf("\rframe %d/%d  %.1f fps", i + 1, options.count,
                   elapsed > 0 ? (i + 1) / elapsed : 0.0);
            fflush(stdout);
        }
    }
    if (progress) printf("\n");
    printf("saved %d %s frame%s of %d x %d to %s\n", options.count, extension,
           options.count == 1 ? "" : "s", width, height, options.outDir.c_str());
    return 0;
}

}  // namespace zoqcam
