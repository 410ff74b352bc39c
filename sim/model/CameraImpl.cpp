#include "CameraImpl.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zoqsim {
namespace {

constexpr uint16_t kUnityGain = 4096;  // FPGA gains and matrix in 1/4096

// Scene channel at frame sites (x & 1) + 2 * (y & 1) for each Bayer mode.
constexpr Channel kPatterns[4][4] = {
    {kBlue, kGreen, kGreen, kRed},  // 0 BGGR
    {kGreen, kRed, kBlue, kGreen},  // 1 GRBG
    {kRed, kGreen, kGreen, kBlue},  // 2 RGGB
    {kGreen, kBlue, kRed, kGreen},  // 3 GBRG
};
constexpr int kRggb = 2;

std::array<Channel, 4> siteChannels(const CameraTraits& traits) {
    if (traits.mono) return {kLuma, kLuma, kLuma, kLuma};
    const Channel* p = kPatterns[traits.bayerPattern];
    return {p[0], p[1], p[2], p[3]};
}

// FPGA version in register 128 (bits 13-15 major, 10-12 minor) or, when it
// does not fit, 0xE0 there and the whole word in register 241.
bool extendedVersion(uint16_t version) { return (version >> 8) >= 7 || (version & 0xFF) >= 8; }

}  // namespace

CameraImpl::CameraImpl(const CameraConfig& config, const ModelInfo& model)
    : config_(config),
      model_(model),
      chip_(*model.chip),
      pixelClockMHz_(pixelClockFor(model, uint16_t(config.firmwareVersion))),
      traits_(resolveTraits(model, uint16_t(config.firmwareVersion), uint16_t(config.fpgaVersion))),
      sensor_(kSensorRegisterCount),
      fpga_(kFpgaRegisterCount),
      eeprom_(eepromBytes(traits_.eepromType), 0xFF),
      lut_(kLutEntries),
      gammaLut_(kLutEntries),
      scene_(chip_.fullWidth, chip_.fullHeight),
      renderer_(scene_, config.scene, siteChannels(traits_)) {
    setFramePeriod(config.framePeriodMs);
    // Gains follow the sensor's own colour sites; a mono sensor keeps the
    // RGGB register layout of its colour sibling.
    const Channel* colours = kPatterns[traits_.mono ? kRggb : traits_.bayerPattern];
    for (int site = 0; site < 4; ++site) {
        const Channel c = colours[site];
        const bool redRow = colours[(site & 2)] == kRed || colours[(site & 2) + 1] == kRed;
        siteKind_[site] = c == kRed ? 0 : c == kBlue ? 3 : redRow ? 1 : 2;
    }
    // The serial number byte lives at the top of the EEPROM.
    if (!eeprom_.empty()) eeprom_.back() = config.serial;
    resetVolatileState();
}

void CameraImpl::applySensorInits(const RegisterInits& inits) {
    const uint16_t mask = chip_.registerBits == 8 ? 0xFF : 0xFFFF;
    for (size_t i = 0; i < inits.count; ++i) {
        const RegisterInit& r = inits.items[i];
        if (r.bytes == 0)
            sensor_[r.address] = uint16_t(r.value & mask);
        else
            for (unsigned b = 0; b < r.bytes; ++b)
                sensor_[(r.address + b) & 0xFFFF] = (r.value >> (8 * b)) & 0xFF;
    }
}

void CameraImpl::resetVolatileState() {
    std::fill(sensor_.begin(), sensor_.end(), 0);
    applySensorInits(chip_.familyPowerOn);
    applySensorInits(chip_.sensorPowerOn);
    std::fill(fpga_.begin(), fpga_.end(), 0);
    fpga_[8] = 1;
    fpga_[16] = fpga_[17] = fpga_[18] = kUnityGain;
    fpga_[19] = fpga_[23] = fpga_[27] = kUnityGain;
    for (size_t i = 0; i < chip_.fpgaPowerOn.count; ++i)
        fpga_[chip_.fpgaPowerOn.items[i].address & 0xFF] = uint16_t(chip_.fpgaPowerOn.items[i].value);
    if (config_.wideSamples) fpga_[0] |= 0x0010;
    statusBits_ = 0;
    // Identity tables: 12-bit input to 8-bit output, and to 16-bit output.
    for (int i = 0; i < kLutEntries; ++i) {
        lut_[i] = uint8_t(i >> 4);
        gammaLut_[i] = uint16_t(i << 4 | i >> 8);
    }
    ++lutGeneration_;
    queue_.clear();
}

ModelFacts CameraImpl::facts() const {
    return {.deviceType = model_.deviceType,
            .chip = chip_.name,
            .mono = traits_.mono,
            .bayerPattern = traits_.bayerPattern,
            .eepromType = traits_.eepromType,
            .eepromBytes = eeprom_.size(),
            .pixelClockMHz = pixelClockMHz_,
            .sensorWidth = chip_.fullWidth,
            .sensorHeight = chip_.fullHeight,
            .frameFollowsRegisters = chip_.frameFollowsRegisters};
}

// ---- Register files ----

uint16_t CameraImpl::readFpga(unsigned reg) const {
    const uint16_t version = uint16_t(config_.fpgaVersion);
    const bool extended = extendedVersion(version);
    switch (reg) {
        case 128: {
            const uint16_t high = extended ? 0xE0 : uint16_t((version >> 8) << 5 | (version & 7) << 2);
            const uint8_t frameWaiting = queue_.empty() ? 0 : 0x04;
            return uint16_t(high << 8 | statusBits_ | frameWaiting);
        }
        case 241:
            return extended ? version : 0;
        default:
            return reg < kFpgaRegisterCount ? fpga_[reg] : 0;
    }
}

void CameraImpl::writeFpga(unsigned reg, uint16_t value) {
    if (reg >= kFpgaRegisterCount || reg == 128 || reg == 241) return;  // read-only
    if (reg == 0 && (value & 0x100)) {
        queue_.clear();  // "empty the frame buffer" acts once and does not stay set
        value &= uint16_t(~0x100);
    }
    fpga_[reg] = value;
}

void CameraImpl::writeSensor(unsigned address, uint16_t value) {
    address &= 0xFFFF;
    if (chip_.registerBits == 8) value &= 0xFF;
    sensor_[address] = value;
    const GainMirror& m = chip_.gainMirror;
    if (m.global != 0 && address == m.global)
        for (uint16_t colour : m.colour) sensor_[colour] = value;
}

uint16_t CameraImpl::fpgaRegister(unsigned reg) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return readFpga(reg);
}

void CameraImpl::setFpgaRegister(unsigned reg, uint16_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (reg == 128)
        statusBits_ = uint8_t(value);
    else
        writeFpga(reg, value);
}

uint16_t CameraImpl::sensorRegister(unsigned address) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sensor_[address & 0xFFFF];
}

void CameraImpl::setSensorRegister(unsigned address, uint16_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    writeSensor(address, value);
}

// ---- Memories ----

bool CameraImpl::eepromRange(uint32_t address, std::size_t count) const {
    return address <= eeprom_.size() && count <= eeprom_.size() - address;
}

std::vector<uint8_t> CameraImpl::eeprom(uint32_t address, std::size_t count) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (address >= eeprom_.size()) return {};
    count = std::min(count, eeprom_.size() - address);
    return {eeprom_.begin() + address, eeprom_.begin() + address + count};
}

bool CameraImpl::writeEeprom(uint32_t address, const std::vector<uint8_t>& bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!eepromRange(address, bytes.size())) return false;
    std::copy(bytes.begin(), bytes.end(), eeprom_.begin() + address);
    return true;
}

std::vector<uint8_t> CameraImpl::lut() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lut_;
}

std::vector<uint16_t> CameraImpl::gammaLut() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return gammaLut_;
}

// ---- Sensor state and frames ----

RenderKey CameraImpl::currentKey() const {
    const RegisterView view{sensor_.data(), fpga_.data()};
    const SensorWindow w = chip_.window(view);
    RenderKey key{};
    FrameGeometry& g = key.geometry;
    g.columnStart = w.columnStart;
    g.rowStart = w.rowStart;
    g.columnStep = std::max(1u, w.columnStep);
    g.rowStep = std::max(1u, w.rowStep);
    g.width = w.columnSize / g.columnStep;
    g.height = w.rowSize / g.rowStep;
    g.frames = fpga_[8] ? fpga_[8] : 1;
    g.bytesPerSample = (fpga_[0] & 0x10) ? 2 : 1;
    g.mirror = w.mirror;
    g.flip = w.flip;
    const double level = 65535.0 * chip_.exposureMs(view, pixelClockMHz_) / config_.scene.fullScaleMs;
    const SiteGains sg = chip_.gains(view);
    const double bySite[4] = {sg.r, sg.gr, sg.gb, sg.b};
    for (int site = 0; site < 4; ++site) key.scale[site] = level * bySite[siteKind_[site]];
    key.lut = g.bytesPerSample == 1 && (fpga_[0] & 0x800);
    key.lutGeneration = key.lut ? lutGeneration_ : 0;
    // Back and forth: 32 frames one way, 32 back.
    constexpr uint64_t kPanFrames = 32;
    const uint64_t phase = triggered_ % (2 * kPanFrames);
    const uint64_t steps = phase < kPanFrames ? phase : 2 * kPanFrames - phase;
    key.pan = int32_t(std::lround(config_.scene.motion * double(steps)));
    return key;
}

std::shared_ptr<const RenderedFrame> CameraImpl::frameFor(const RenderKey& key) const {
    if (!cache_ || cache_->key != key) cache_ = renderer_.render(key, lut_.data());
    return cache_;
}

FrameGeometry CameraImpl::geometry() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return currentKey().geometry;
}

double CameraImpl::exposureMs() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return chip_.exposureMs({sensor_.data(), fpga_.data()}, pixelClockMHz_);
}

SiteGains CameraImpl::gains() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return chip_.gains({sensor_.data(), fpga_.data()});
}

std::vector<uint8_t> CameraImpl::renderFrame() const {
    std::lock_guard<std::mutex> lock(mutex_);
    const RenderKey key = currentKey();
    if (key.geometry.bytes() > kMaxFrameBytes) return {};
    const auto frame = frameFor(key);
    return frame->variants[triggered_ % frame->variants.size()];
}

std::vector<uint8_t> CameraImpl::lastDeliveredFrame() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!lastFrame_) return {};
    const std::vector<uint8_t>& bytes = lastFrame_->variants[lastVariant_ % lastFrame_->variants.size()];
    return {bytes.begin(), bytes.begin() + std::min(lastLength_, bytes.size())};
}

uint64_t CameraImpl::framesTriggered() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return triggered_;
}

uint64_t CameraImpl::framesDelivered() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return delivered_;
}

int CameraImpl::framesQueued() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

// The first read of a frame fixes what it hands over: the registers' frame,
// or for a chip whose frame follows the reader, as many bytes as were asked.
void CameraImpl::startFrame(QueuedFrame& q, std::size_t readLength) {
    RenderKey key = q.key;
    std::size_t length = key.geometry.bytes();
    if (!chip_.frameFollowsRegisters && readLength != length) {
        FrameGeometry& g = key.geometry;
        length = std::min(readLength, kMaxFrameBytes);
        g.width = std::max(1u, g.width);
        const std::size_t rowBytes = std::size_t(g.width) * g.bytesPerSample;
        g.frames = 1;
        g.height = uint32_t((length + rowBytes - 1) / rowBytes);
    }
    q.frame = frameFor(key);
    q.length = std::min(length, q.frame->bytes);
    if (const auto limit = faults_.takeFrameLimit()) q.length = std::min(q.length, *limit);
    q.sent = 0;
    q.started = true;
}

long CameraImpl::bulkIn(uint8_t* dst, std::size_t len) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.empty()) return kBulkNotReady;
    QueuedFrame& q = queue_.front();
    if (!q.started) startFrame(q, len);
    const std::size_t n = std::min(len, q.length - q.sent);
    if (n > 0) {
        const std::vector<uint8_t>& bytes = q.frame->variants[q.variant % q.frame->variants.size()];
        std::memcpy(dst, bytes.data() + q.sent, n);
    }
    q.sent += n;
    if (q.sent == q.length) {
        ++delivered_;
        lastFrame_ = q.frame;
        lastVariant_ = q.variant;
        lastLength_ = q.length;
        queue_.pop();
    }
    return long(n);
}

bool CameraImpl::bulkReady() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return !queue_.empty();
}

std::chrono::steady_clock::time_point CameraImpl::bulkReadyAt() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.empty() ? std::chrono::steady_clock::time_point{} : queue_.front().readyAt;
}

void CameraImpl::setFramePeriod(double ms) {
    std::lock_guard<std::mutex> lock(mutex_);
    framePeriod_ = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double, std::milli>(ms > 0.0 ? ms : 0.0));
}

void CameraImpl::powerOn() {
    std::lock_guard<std::mutex> lock(mutex_);
    resetVolatileState();
}

// ---- Faults ----

void CameraImpl::refuseRequests(uint8_t bRequest, int n, int after) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.refuse(bRequest, n, after);
}

void CameraImpl::shortReplies(uint8_t bRequest, int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.shortReply(bRequest, n);
}

void CameraImpl::shortFrames(std::size_t bytes, int n, int after) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.shortFrames(bytes, n, after);
}

void CameraImpl::loseFrames(int n, int after) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.loseFrames(n, after);
}

}  // namespace zoqsim
