// A whole simulated camera: the firmware behind endpoint 0, the FPGA and
// sensor register files, the EEPROM, the look-up-table memories and the image
// sensor looking at a synthetic scene.
//
// The usbfs front end (sim/usb) drives it through the UsbFunction seam; tests
// observe and steer it through the methods below. Every method is safe to call
// from any thread while the front end serves requests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "../UsbFunction.h"

namespace zoqsim {

// What the sensor looks at, and how imperfect the optics are.
struct SceneOptions {
    // Standard deviation of the pixel noise in 8-bit levels at black; it
    // grows with the signal as shot noise does (twice as large at white).
    // 0 gives noise-free, exactly repeatable frames.
    double noise = 0.0;
    // Defocus: radius in pixels of the blur applied to each colour plane
    // (0 = sharp). Lets focus measures find a difference.
    double blur = 0.0;
    // Light fall-off towards the sensor corners: 0.3 leaves the corners at
    // 70 % of the centre (for flat-field correction).
    double vignetting = 0.0;
    // Seed of the noise; the same seed gives the same frames.
    uint32_t seed = 1;
    // Pan of the scene across the sensor in pixels per frame, back and forth
    // over 32 frames each way, so that a stream looks live. 0 keeps the
    // scene still, and frames exactly repeatable.
    double motion = 0.0;
    // Exposure in milliseconds at which a white surface (reflectance 1.0)
    // reaches full scale at unity gain.
    double fullScaleMs = 20.0;
};

// Device type 115 names two products; the variant picks one.
enum class Variant {
    kDefault,  // the device type's usual chip (115: IMX290)
    kIsg1307,  // device type 115 with the ISG1307 sensor
};

// Which camera to build. Zero or -1 fields take the model's defaults.
struct CameraConfig {
    int deviceType = 52;
    Variant variant = Variant::kDefault;
    // USB ids; both 0 = the model's default pair. Any pair the SDK accepts
    // as a camera is allowed.
    uint16_t idVendor = 0;
    uint16_t idProduct = 0;
    uint8_t serial = 1;        // one byte on the wire (request 0xC9)
    // How fast frames can come, as on a real camera and bus; 0 = as fast as
    // the simulation runs (the default, which keeps tests quick).
    double bandwidth = 0.0;      // bytes per second on the bulk link
    double framePeriodMs = 0.0;  // shortest time from one frame to the next
    int firmwareVersion = -1;  // major << 8 | minor; -1 = model default
    int fpgaVersion = -1;      // as Fpga_GetVersion reports it; -1 = default
    // Powers up with 16-bit transfer on (FPGA control word bit 4), as a
    // camera set up that way; only models with the capability honour it.
    bool wideSamples = false;
    SceneOptions scene;
};

// Facts of the model that was built, after the config's versions applied.
struct ModelFacts {
    int deviceType;
    const char* chip;  // "MT9P031", "IMX250", ...
    bool mono;
    int bayerPattern;  // top-left of every frame: 0 BGGR, 1 GRBG, 2 RGGB, 3 GBRG
    int eepromType;    // 0, 1 or 2
    std::size_t eepromBytes;
    double pixelClockMHz;
    uint32_t sensorWidth;  // the full sensor, on which the scene is defined
    uint32_t sensorHeight;
    // True when the frame's size follows the registers (MT9P031, MT9T001 and
    // the IMX250 family); otherwise a frame is as long as the first bulk read
    // after its trigger.
    bool frameFollowsRegisters;
};

// The frame that the registers describe now.
struct FrameGeometry {
    int32_t columnStart;  // window on the sensor, in sensor pixels
    int32_t rowStart;
    uint32_t columnStep;  // 1 normal, 2, 3, 4, 8 when skipping
    uint32_t rowStep;
    uint32_t width;  // one frame, after skipping
    uint32_t height;
    uint32_t frames;          // frames stacked vertically (FPGA register 8)
    uint32_t bytesPerSample;  // 2 with 16-bit transfer (FPGA register 0 bit 4)
    bool mirror;
    bool flip;
    std::size_t bytes() const { return std::size_t(width) * height * frames * bytesPerSample; }
};

// Gains the sensor applies at each Bayer site (1.0 = unity); gr is the green
// on the rows that carry red.
struct SiteGains {
    double r;
    double gr;
    double gb;
    double b;
};

class CameraModel : public UsbFunction {
public:
    // Largest frame the FPGA buffers; a trigger for a larger one is refused.
    static constexpr std::size_t kMaxFrameBytes = 16u << 20;
    // Frames that can wait for the host; a further trigger is refused.
    static constexpr int kFrameQueueDepth = 8;
    // Entries in each look-up-table memory.
    static constexpr int kLutEntries = 4096;

    // Identity and facts.
    virtual const CameraConfig& config() const = 0;  // defaults filled in
    virtual ModelFacts facts() const = 0;

    // Register files. FPGA registers by their plain number (0-255; 128 and
    // 241 read the version and status), sensor registers by address. Setting
    // a register here acts as a host write would, without the request;
    // setting register 128 sets its status bits (low byte: bits 2-3 are the
    // trigger status; bit 2 also reads set while a frame waits).
    virtual uint16_t fpgaRegister(unsigned reg) const = 0;
    virtual void setFpgaRegister(unsigned reg, uint16_t value) = 0;
    virtual uint16_t sensorRegister(unsigned address) const = 0;
    virtual void setSensorRegister(unsigned address, uint16_t value) = 0;

    // Non-volatile memory; out-of-range parts are not read or written
    // (false / a shorter vector).
    virtual std::vector<uint8_t> eeprom(uint32_t address, std::size_t count) const = 0;
    virtual bool writeEeprom(uint32_t address, const std::vector<uint8_t>& bytes) = 0;

    // The look-up-table memories as downloaded (power-on: identity).
    virtual std::vector<uint8_t> lut() const = 0;
    virtual std::vector<uint16_t> gammaLut() const = 0;

    // Frame counters: accepted triggers, frames handed over completely (or
    // ended early by a fault), frames waiting.
    virtual uint64_t framesTriggered() const = 0;
    virtual uint64_t framesDelivered() const = 0;
    virtual int framesQueued() const = 0;

    // What the sensor does with the registers as they are now.
    virtual FrameGeometry geometry() const = 0;
    virtual double exposureMs() const = 0;
    virtual SiteGains gains() const = 0;

    // The bytes a trigger issued now would deliver (for a frame that follows
    // the reader, the size the registers describe).
    virtual std::vector<uint8_t> renderFrame() const = 0;
    // The bytes of the last frame handed over, as far as it went.
    virtual std::vector<uint8_t> lastDeliveredFrame() const = 0;

    // Faults of the camera itself. The next n requests with this bRequest
    // (after the next `after` ones, for refusals) are refused (status byte
    // 1, or a stall where the reply has no status byte) or answered with
    // their first byte only (the status byte).
    virtual void refuseRequests(uint8_t bRequest, int n, int after = 0) = 0;
    virtual void shortReplies(uint8_t bRequest, int n) = 0;
    // The next n frames end after `bytes` bytes (0: empty frames); with
    // `after`, the n frames that follow the next `after` ones.
    virtual void shortFrames(std::size_t bytes, int n = 1, int after = 0) = 0;
    // The camera accepts the next n triggers (after the next `after` ones)
    // but never sends their frames, so the host's read times out.
    virtual void loseFrames(int n = 1, int after = 0) = 0;

    // The sensor's frame period (0: none): a frame triggered sooner than this
    // after the one before is ready only when the period has passed.
    virtual void setFramePeriod(double ms) = 0;
};

// Builds the camera; null for a device type the SDK has no plug-in for, a
// variant that does not belong to it, an id pair the SDK would not accept,
// a version outside 0-0xFFFF, or a negative bandwidth or frame period.
std::unique_ptr<CameraModel> makeCamera(const CameraConfig& config);

// The device types makeCamera accepts, ascending.
std::vector<int> supportedDeviceTypes();

}  // namespace zoqsim
