// Every pixel stage of the raw and colour roads against OpenCV's nearest
// equivalent, in one process on the same 2592 x 1944 frame, and the whole
// colour road (demosaic and every colour stage) against the chain of those
// calls. Prints one line per stage: our time and OpenCV's (minimum and
// median over the repetitions) and OpenCV's time over ours, so that a ratio
// above 1 means the stage is faster than OpenCV; then the time of a 15 MB
// copy, the memory bandwidth the stages work against.
//
//   bench_versus_opencv [--benchmark_repetitions=N] [--benchmark_filter=...]
//
// Without OpenCV installed only our column is measured.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchFlatField.h"
#include "BenchFrames.h"
#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"
#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"
#include "calibration/ZOQDevice_Custom_Calibration_Map.h"
#include "colourroad/ZOQDevice_AWB_Measure.h"
#include "colourroad/ZOQDevice_AWB_Tables.h"
#include "colourroad/ZOQDevice_ColourPass.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_Matrix.h"
#include "rawroad/ZOQDevice_AE_Control.h"
#include "rawroad/ZOQDevice_AF_Measure.h"
#include "rawroad/ZOQDevice_Image_Tone.h"
#include "zoq_errors.h"
#include "zoqbayer.h"

#if ZOQ_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using zoqbench::kHeight;
using zoqbench::kPixels;
using zoqbench::kWidth;
using Image = std::vector<unsigned char>;

// The colour road's input: the raw frame demosaiced as a capture does it.
const Image& ColourFrame() {
    static const Image image = [] {
        Image raw = zoqbench::RawFrame();
        Image out(kPixels * 3);
        ZOQCFA_FastBilinear_RGGB(raw.data(), kWidth, kHeight, out.data(), 24);
        return out;
    }();
    return image;
}

// The settings every benchmark of a stage uses, ours and OpenCV's alike
// where OpenCV has them.
constexpr float kGains[3] = {1.25f, 1.0f, 1.4f};  // red, green, blue
constexpr float kMatrix[3][3] = {
    {1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}};
constexpr int kSaturation = 40;  // factor 1.3125

struct Stages {
    ZoqBadPixels badPixels;
    ZoqToneTables tone;
    ZoqAutoExposure exposure;
    ZoqFlatField flatField;
    ZoqAutoFocus focus;
    ZoqGainTables gains;
    ZoqSaturation saturation;
    ZoqHueSaturation hsl;
    ZoqCalibrationMap map;
    ZoqCalibrationMap nearestMap;

    Stages() {
        badPixels.enable = true;
        tone.SetGamma(3);
        tone.SetContrast(20);
        tone.SetBrightness(-10);
        exposure.region = ZoqRegion{0, 0, kWidth, kHeight};
        exposure.maxCount = -1;
        zoqbench::MakeFlatField(&flatField);
        focus.region = ZoqRegion{0, 0, kWidth, kHeight};
        gains.Build(kGains);
        saturation.Set(kSaturation);
        hsl.SetEnable(true);
        hsl.Set(ZOQ_HUE_MASTER, 20, 10, -30);
        hsl.Set(ZOQ_HUE_GREEN, 60, 0, 0);
        const std::string path = zoqbench::WriteMagnifyingMapFile();
        if (map.Load(path.c_str()) != RC_SUCCESS || nearestMap.Load(path.c_str()) != RC_SUCCESS)
            std::fprintf(stderr, "cannot load the calibration map %s\n", path.c_str());
        std::remove(path.c_str());
        nearestMap.mode = ZOQ_MAPMODE_NEAREST;
    }
};

Stages& TheStages() {
    static Stages stages;
    return stages;
}

// Runs work() once an iteration; an in-place stage gets its input back
// before each iteration, outside the timing.
template <typename Work>
void Measure(benchmark::State& state, Image* inPlace, const Image& input, Work work) {
    for (auto _ : state) {
        if (inPlace != nullptr) {
            state.PauseTiming();
            std::memcpy(inPlace->data(), input.data(), input.size());
            state.ResumeTiming();
        }
        work();
        benchmark::ClobberMemory();
    }
}

struct FixedLines {
    int Get(unsigned int* lines) {
        *lines = 1000;
        return RC_SUCCESS;
    }
    int Set(unsigned int) { return RC_SUCCESS; }
};

// Our stages.
void OursBadPixels(benchmark::State& state) {
    Image frame = zoqbench::RawFrame();
    Measure(state, &frame, zoqbench::RawFrame(),
            [&] { TheStages().badPixels.Correct(frame.data(), kWidth, kHeight); });
}

void OursTone(benchmark::State& state) {
    Image frame = zoqbench::RawFrame();
    Measure(state, &frame, zoqbench::RawFrame(),
            [&] { TheStages().tone.Apply(frame.data(), frame.size()); });
}

void OursExposure(benchmark::State& state) {
    const Image& frame = zoqbench::RawFrame();
    FixedLines lines;
    Measure(state, nullptr, frame, [&] {
        TheStages().exposure.Start(true);
        benchmark::DoNotOptimize(
            TheStages().exposure.Evaluate(frame.data(), kWidth, kHeight, lines));
    });
}

void OursFlatField(benchmark::State& state) {
    Image frame = zoqbench::RawFrame();
    Measure(state, &frame, zoqbench::RawFrame(),
            [&] { TheStages().flatField.Apply(frame.data(), frame.size()); });
}

void OursFocus(benchmark::State& state) {
    const Image& frame = zoqbench::RawFrame();
    Measure(state, nullptr, frame, [&] {
        benchmark::DoNotOptimize(TheStages().focus.Measure(frame.data(), kWidth, kHeight));
    });
}

void OursGainTables(benchmark::State& state) {
    Image image = ColourFrame();
    Measure(state, &image, ColourFrame(),
            [&] { TheStages().gains.Apply(image.data(), kWidth, kHeight, 24); });
}

void OursWhiteBalanceMeasure(benchmark::State& state) {
    Image image = ColourFrame();
    const ZoqFittedRegion all = FitRegionEven({0, 0, kWidth, kHeight}, kWidth, kHeight);
    ZoqWhiteBalanceMeter meter;
    Measure(state, nullptr, image, [&] {
        float gains[3];
        benchmark::DoNotOptimize(
            meter.Measure(image.data(), kWidth, kHeight, 24, all, 0, false, gains));
    });
}

void OursMatrix(benchmark::State& state) {
    Image image = ColourFrame();
    Measure(state, &image, ColourFrame(),
            [&] { ZoqApplyColourMatrix(kMatrix, image.data(), kWidth, kHeight, 24); });
}

void OursSaturation(benchmark::State& state) {
    Image image = ColourFrame();
    Measure(state, &image, ColourFrame(),
            [&] { TheStages().saturation.Apply(image.data(), kWidth, kHeight, 24); });
}

void OursHsl(benchmark::State& state) {
    Image image = ColourFrame();
    Measure(state, &image, ColourFrame(),
            [&] { TheStages().hsl.Apply(image.data(), kWidth, kHeight, 24); });
}

void OursRemap(benchmark::State& state, bool bilinear) {
    Image image = ColourFrame();
    ZoqCalibrationMap& map = bilinear ? TheStages().map : TheStages().nearestMap;
    Measure(state, &image, ColourFrame(), [&] { map.Remap(image.data(), kWidth, kHeight, 3); });
}

// The colour road of a capture with every colour stage on: demosaic, white
// balance, colour correction, saturation, hue/saturation/lightness (in one
// pass over blocks of rows, as a capture runs them), remap.
void OursColourRoad(benchmark::State& state) {
    Image raw = zoqbench::RawFrame();
    Image out(kPixels * 3);
    Stages& s = TheStages();
    Measure(state, nullptr, raw, [&] {
        ZOQCFA_FastBilinear_RGGB(raw.data(), kWidth, kHeight, out.data(), 24);
        ZoqColourPass pass;
        pass.gains = &s.gains;
        pass.matrix = kMatrix;
        pass.saturation = &s.saturation;
        pass.hsl = &s.hsl;
        ZoqApplyColourPass(pass, out.data(), kWidth, kHeight, 24);
        s.map.Remap(out.data(), kWidth, kHeight, 3);
    });
}

void Memcpy(benchmark::State& state) {
    const Image& source = ColourFrame();
    Image copy(source.size());
    Measure(state, nullptr, source,
            [&] { std::memcpy(copy.data(), source.data(), source.size()); });
}

#if ZOQ_BENCH_OPENCV

struct OpenCvFixture {
    cv::Mat raw, colour, lut, lut3, dark, gain, map1, map2, matrix;

    OpenCvFixture()
        : raw(kHeight, kWidth, CV_8UC1, const_cast<unsigned char*>(zoqbench::RawFrame().data())),
          colour(kHeight, kWidth, CV_8UC3, const_cast<unsigned char*>(ColourFrame().data())),
          lut(1, 256, CV_8UC1),
          lut3(1, 256, CV_8UC3),
          matrix(3, 3, CV_32F) {
        Stages& s = TheStages();
        std::memcpy(lut.data, s.tone.GammaTable(), 256);
        for (int i = 0; i < 256; ++i)
            lut3.at<cv::Vec3b>(i) =
                cv::Vec3b(s.gains.Blue()[i], s.gains.Green()[i], s.gains.Red()[i]);
        dark = cv::Mat(kHeight, kWidth, CV_8UC1,
                       const_cast<unsigned char*>(s.flatField.Frame(ZoqFlatField::kDark)));
        gain = cv::Mat(kHeight, kWidth, CV_32FC1, const_cast<float*>(s.flatField.Gain()));
        // OpenCV's pixels are B, G, R: the matrix rows and columns reversed.
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) matrix.at<float>(r, c) = kMatrix[2 - r][2 - c];
        cv::Mat x(kHeight, kWidth, CV_32FC1), y(kHeight, kWidth, CV_32FC1);
        for (int row = 0; row < kHeight; ++row)
            for (int col = 0; col < kWidth; ++col) {
                x.at<float>(row, col) = zoqbench::MagnifiedPosition(col, kWidth) / 1024.0f;
                y.at<float>(row, col) = zoqbench::MagnifiedPosition(row, kHeight) / 1024.0f;
            }
        cv::convertMaps(x, y, map1, map2, CV_16SC2);
    }
};

OpenCvFixture& Cv() {
    static OpenCvFixture fixture;
    return fixture;
}

template <typename Work>
void CvMeasure(benchmark::State& state, Work work) {
    Cv();
    Measure(state, nullptr, Image(), work);
}

void CvLut(benchmark::State& state) {
    cv::Mat out;
    CvMeasure(state, [&] { cv::LUT(Cv().raw, Cv().lut, out); });
}

// The mean of the frame and its count of full-scale samples.
void CvExposure(benchmark::State& state) {
    CvMeasure(state, [&] {
        benchmark::DoNotOptimize(cv::sum(Cv().raw));
        benchmark::DoNotOptimize(cv::countNonZero(Cv().raw == 255));
    });
}

void CvFlatField(benchmark::State& state) {
    cv::Mat difference, product, out;
    CvMeasure(state, [&] {
        cv::subtract(Cv().raw, Cv().dark, difference, cv::noArray(), CV_32F);
        cv::multiply(difference, Cv().gain, product);
        product.convertTo(out, CV_8U);
    });
}

void CvFocus(benchmark::State& state) {
    cv::Mat laplacian;
    CvMeasure(state, [&] {
        cv::Laplacian(Cv().raw, laplacian, CV_16S);
        benchmark::DoNotOptimize(cv::sum(cv::abs(laplacian)));
    });
}

void CvLut3(benchmark::State& state) {
    cv::Mat out;
    CvMeasure(state, [&] { cv::LUT(Cv().colour, Cv().lut3, out); });
}

// Y, Cb and Cr of every pixel and their means.
void CvWhiteBalanceMeasure(benchmark::State& state) {
    cv::Mat ycc;
    CvMeasure(state, [&] {
        cv::cvtColor(Cv().colour, ycc, cv::COLOR_BGR2YCrCb);
        benchmark::DoNotOptimize(cv::mean(ycc));
    });
}

void CvTransform(benchmark::State& state) {
    cv::Mat out;
    CvMeasure(state, [&] { cv::transform(Cv().colour, out, Cv().matrix); });
}

// OpenCV's HLS holds H, L, S.
void CvSaturate(const cv::Mat& in, cv::Mat& hls, cv::Mat& out) {
    cv::cvtColor(in, hls, cv::COLOR_BGR2HLS);
    cv::multiply(hls, cv::Scalar(1.0, 1.0, 1.3125), hls);
    cv::cvtColor(hls, out, cv::COLOR_HLS2BGR);
}

void CvAdjustHls(const cv::Mat& in, cv::Mat& hls, cv::Mat& out) {
    cv::cvtColor(in, hls, cv::COLOR_BGR2HLS_FULL);
    cv::add(hls, cv::Scalar(14, 0, 0), hls);
    cv::multiply(hls, cv::Scalar(1.0, 0.85, 1.1), hls);
    cv::cvtColor(hls, out, cv::COLOR_HLS2BGR_FULL);
}

void CvSaturation(benchmark::State& state) {
    cv::Mat hls, out;
    CvMeasure(state, [&] { CvSaturate(Cv().colour, hls, out); });
}

void CvHsl(benchmark::State& state) {
    cv::Mat hls, out;
    CvMeasure(state, [&] { CvAdjustHls(Cv().colour, hls, out); });
}

void CvRemap(benchmark::State& state, bool bilinear) {
    cv::Mat out;
    CvMeasure(state, [&] {
        if (bilinear)
            cv::remap(Cv().colour, out, Cv().map1, Cv().map2, cv::INTER_LINEAR);
        else
            cv::remap(Cv().colour, out, Cv().map1, cv::noArray(), cv::INTER_NEAREST);
    });
}

// A camera's RGGB mosaic is OpenCV's BayerBG.
void CvColourRoad(benchmark::State& state) {
    cv::Mat bgr, a, b, hls, c, d, out;
    CvMeasure(state, [&] {
        cv::cvtColor(Cv().raw, bgr, cv::COLOR_BayerBG2BGR);
        cv::LUT(bgr, Cv().lut3, a);
        cv::transform(a, b, Cv().matrix);
        CvSaturate(b, hls, c);
        CvAdjustHls(c, hls, d);
        cv::remap(d, out, Cv().map1, Cv().map2, cv::INTER_LINEAR);
    });
}

#endif

// Collects the repetitions of every benchmark and prints the table at the
// end; nothing else reaches standard output.
class TableReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override {
        std::fprintf(stderr, "%d CPUs at %.0f MHz; load average %.2f %.2f %.2f\n",
                     context.cpu_info.num_cpus, context.cpu_info.cycles_per_second / 1e6,
                     context.cpu_info.load_avg.size() > 0 ? context.cpu_info.load_avg[0] : 0.0,
                     context.cpu_info.load_avg.size() > 1 ? context.cpu_info.load_avg[1] : 0.0,
                     context.cpu_info.load_avg.size() > 2 ? context.cpu_info.load_avg[2] : 0.0);
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            m_times[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
        }
    }

    void Print(const std::vector<std::string>& stages) const {
        std::printf("%-28s %21s %21s %15s\n", "", "ours ms", "OpenCV ms", "OpenCV / ours");
        std::printf("%-28s %10s %10s %10s %10s %7s %7s\n", "stage", "min", "median", "min",
                    "median", "min", "median");
        for (const std::string& stage : stages) {
            const Times ours = Of(stage + "/ours");
            const Times theirs = Of(stage + "/opencv");
            if (ours.min < 0) continue;
            std::printf("%-28s %10.3f %10.3f", stage.c_str(), ours.min, ours.median);
            if (theirs.min < 0)
                std::printf(" %10s %10s %7s %7s\n", "-", "-", "-", "-");
            else
                std::printf(" %10.3f %10.3f %7.2f %7.2f\n", theirs.min, theirs.median,
                            theirs.min / ours.min, theirs.median / ours.median);
        }
        const Times copy = Of("memcpy 15 MB");
        if (copy.min > 0)
            std::printf("%-28s %10.3f %10.3f   (%.1f GB/s read + written)\n", "memcpy 15 MB",
                        copy.min, copy.median, 2.0 * 3 * kPixels / (copy.min * 1e6));
    }

private:
    struct Times {
        double min = -1, median = -1;
    };

    Times Of(const std::string& name) const {
        auto it = m_times.find(name);
        if (it == m_times.end() || it->second.empty()) return {};
        std::vector<double> t = it->second;
        std::sort(t.begin(), t.end());
        return {t.front(),
                t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2};
    }

    std::map<std::string, std::vector<double>> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    // Five interleaved repetitions unless asked otherwise: other work on
    // the machine then weighs on both columns alike.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    bool given = false;
    for (int i = 1; i < argc; ++i)
        given |= std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
    if (!given) {
        args.push_back(repetitions.data());
        args.push_back(interleave.data());
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    struct Pair {
        const char* stage;
        void (*ours)(benchmark::State&);
        void (*opencv)(benchmark::State&);
    };
#if ZOQ_BENCH_OPENCV
#define ZOQ_OPENCV(f) f
#else
#define ZOQ_OPENCV(f) nullptr
#endif
    const Pair pairs[] = {
        {"bad pixels", OursBadPixels, nullptr},
        {"tone tables", OursTone, ZOQ_OPENCV(CvLut)},
        {"auto exposure", OursExposure, ZOQ_OPENCV(CvExposure)},
        {"flat field", OursFlatField, ZOQ_OPENCV(CvFlatField)},
        {"focus measure", OursFocus, ZOQ_OPENCV(CvFocus)},
        {"white-balance tables", OursGainTables, ZOQ_OPENCV(CvLut3)},
        {"white-balance measure", OursWhiteBalanceMeasure, ZOQ_OPENCV(CvWhiteBalanceMeasure)},
        {"colour matrix", OursMatrix, ZOQ_OPENCV(CvTransform)},
        {"saturation", OursSaturation, ZOQ_OPENCV(CvSaturation)},
        {"hue/saturation/lightness", OursHsl, ZOQ_OPENCV(CvHsl)},
        {"calibration remap", [](benchmark::State& s) { OursRemap(s, true); },
         ZOQ_OPENCV([](benchmark::State& s) { CvRemap(s, true); })},
        {"calibration remap, nearest", [](benchmark::State& s) { OursRemap(s, false); },
         ZOQ_OPENCV([](benchmark::State& s) { CvRemap(s, false); })},
        {"colour road", OursColourRoad, ZOQ_OPENCV(CvColourRoad)},
    };
#undef ZOQ_OPENCV
    std::vector<std::string> stages;
    for (const Pair& pair : pairs) {
        stages.push_back(pair.stage);
        benchmark::RegisterBenchmark((std::string(pair.stage) + "/ours").c_str(), pair.ours)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        if (pair.opencv != nullptr)
            benchmark::RegisterBenchmark((std::string(pair.stage) + "/opencv").c_str(), pair.opencv)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    benchmark::RegisterBenchmark("memcpy 15 MB", Memcpy)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

    TableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    table.Print(stages);
    benchmark::Shutdown();
    return 0;
}
