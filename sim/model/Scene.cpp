#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace zoqsim {
namespace {

constexpr float kBackground = 0.18f;  // mid gray
constexpr float kDark = 0.04f;
constexpr float kWhite = 0.90f;
constexpr int kChartColumns = 6;
constexpr int kChartRows = 4;

// The classic 24-patch colour chart in sRGB, row by row.
constexpr uint8_t kChartSrgb[kChartRows * kChartColumns][3] = {
    {115, 82, 68},   {194, 150, 130}, {98, 122, 157},  {87, 108, 67},   {133, 128, 177}, {103, 189, 170},
    {214, 126, 44},  {80, 91, 166},   {193, 90, 99},   {94, 60, 108},   {157, 188, 64},  {224, 163, 46},
    {56, 61, 150},   {70, 148, 73},   {175, 54, 60},   {231, 199, 31},  {187, 86, 149},  {8, 133, 161},
    {243, 243, 242}, {200, 200, 200}, {160, 160, 160}, {122, 122, 121}, {85, 85, 85},    {52, 52, 52},
};

float linear(uint8_t srgb) {
    const double c = srgb / 255.0;
    return float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
}

// Cell of a grid of `cells` over [begin, end) with a gap of 1/8 cell at each
// cell's edges: -2 outside, -1 in a gap, else the cell.
int gridCell(int32_t v, int32_t begin, int32_t end, int cells) {
    if (v < begin || v >= end) return -2;
    const int64_t span = int64_t(end - begin);
    const int64_t scaled = int64_t(v - begin) * cells * 8 / span;  // eighths of a cell
    const int eighth = int(scaled % 8);
    return (eighth == 0 || eighth == 7) ? -1 : int(scaled / 8);
}

}  // namespace

Scene::Scene(uint32_t width, uint32_t height) : width_(width), height_(height) {
    const auto at = [](uint32_t size, int percent) { return int32_t(int64_t(size) * percent / 100); };
    chartX_ = {at(width, 5), at(width, 95)};
    chartY_ = {at(height, 5), at(height, 58)};
    rampY_ = {at(height, 63), at(height, 73)};
    edgeY_ = {at(height, 78), at(height, 95)};
    edgeX_ = {at(width, 5), at(width, 50)};  // bars; the checkerboard follows to 95 %
    barPeriod_ = std::max<int32_t>(4, int32_t(width / 64) & ~1);
    checkerSize_ = std::max<int32_t>(2, int32_t(width / 128));
    for (int k = 0; k < int(hot_.size()); ++k)
        hot_[k] = {int32_t(int64_t(width) * (2 * k + 1) / 16),
                   int32_t(int64_t(height) * (2 * ((k * 5) % 8) + 1) / 16)};
}

int Scene::chartRow(int32_t y) const { return gridCell(y, chartY_.begin, chartY_.end, kChartRows); }
int Scene::chartColumn(int32_t x) const { return gridCell(x, chartX_.begin, chartX_.end, kChartColumns); }

float Scene::patch(int row, int column, Channel channel) const {
    const uint8_t* srgb = kChartSrgb[row * kChartColumns + column];
    if (channel == kLuma)
        return 0.2126f * linear(srgb[0]) + 0.7152f * linear(srgb[1]) + 0.0722f * linear(srgb[2]);
    return linear(srgb[channel]);
}

float Scene::reflectance(int32_t x, int32_t y, Channel channel) const {
    const int row = chartRow(y), column = chartColumn(x);
    if (row != -2 && column != -2) return (row == -1 || column == -1) ? kDark : patch(row, column, channel);
    if (y >= rampY_.begin && y < rampY_.end && x >= chartX_.begin && x < chartX_.end)
        return float(x - chartX_.begin) / float(chartX_.end - chartX_.begin);
    if (y >= edgeY_.begin && y < edgeY_.end && x >= edgeX_.begin && x < chartX_.end) {
        if (x < edgeX_.end) return ((x - edgeX_.begin) % barPeriod_) < barPeriod_ / 2 ? kWhite : kDark;
        const bool odd = (((x - edgeX_.end) / checkerSize_) + ((y - edgeY_.begin) / checkerSize_)) & 1;
        return odd ? kWhite : kDark;
    }
    return kBackground;
}

Scene::RowSampler::RowSampler(const Scene& scene, const std::vector<int32_t>& columns) : scene_(scene) {
    const size_t n = columns.size();
    chartIndex_.resize(n);
    ramp_.resize(n);
    edgeIndex_[0].resize(n);
    edgeIndex_[1].resize(n);
    // Edge palette: 0 background, 1 dark, 2 white.
    for (size_t i = 0; i < n; ++i) {
        const int32_t x = columns[i];
        chartIndex_[i] = uint8_t(scene.chartColumn(x) + 2);
        const bool inside = x >= scene.chartX_.begin && x < scene.chartX_.end;
        ramp_[i] = inside ? float(x - scene.chartX_.begin) / float(scene.chartX_.end - scene.chartX_.begin)
                          : kBackground;
        for (int parity = 0; parity < 2; ++parity) {
            uint8_t index = 0;
            if (inside && x >= scene.edgeX_.begin) {
                const bool white = x < scene.edgeX_.end
                                       ? ((x - scene.edgeX_.begin) % scene.barPeriod_) < scene.barPeriod_ / 2
                                       : ((((x - scene.edgeX_.end) / scene.checkerSize_) + parity) & 1) != 0;
                index = white ? 2 : 1;
            }
            edgeIndex_[parity][i] = index;
        }
    }
}

void Scene::RowSampler::fill(int32_t y, Channel even, Channel odd, float* out) const {
    const size_t n = chartIndex_.size();
    const Scene& s = scene_;
    const int row = s.chartRow(y);
    if (row != -2) {
        // Palette by chart column index, one per channel of the row's sites.
        float palette[2][2 + kChartColumns];
        const Channel channels[2] = {even, odd};
        for (int p = 0; p < 2; ++p) {
            palette[p][0] = kBackground;
            palette[p][1] = kDark;
            for (int c = 0; c < kChartColumns; ++c)
                palette[p][2 + c] = row == -1 ? kDark : s.patch(row, c, channels[p]);
        }
        for (size_t i = 0; i < n; ++i) out[i] = palette[i & 1][chartIndex_[i]];
    } else if (y >= s.rampY_.begin && y < s.rampY_.end) {
        std::copy(ramp_.begin(), ramp_.end(), out);
    } else if (y >= s.edgeY_.begin && y < s.edgeY_.end) {
        const float palette[3] = {kBackground, kDark, kWhite};
        const std::vector<uint8_t>& index = edgeIndex_[((y - s.edgeY_.begin) / s.checkerSize_) & 1];
        for (size_t i = 0; i < n; ++i) out[i] = palette[index[i]];
    } else {
        std::fill(out, out + n, kBackground);
    }
}

}  // namespace zoqsim
