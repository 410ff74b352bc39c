// The camera behind CameraModel: register files, EEPROM, look-up-table
// memories, the frame buffer and the sensor, all under one lock.
#pragma once

#include <mutex>
#include <vector>

#include "CameraModel.h"
#include "Chip.h"
#include "Faults.h"
#include "FrameQueue.h"
#include "ModelTable.h"
#include "Renderer.h"
#include "Scene.h"

namespace zoqsim {

class CameraImpl final : public CameraModel {
public:
    CameraImpl(const CameraConfig& config, const ModelInfo& model);

    // UsbFunction
    int control(const UsbSetup& setup, uint8_t* data) override;
    long bulkIn(uint8_t* dst, std::size_t len) override;
    bool bulkReady() const override;
    std::chrono::steady_clock::time_point bulkReadyAt() const override;
    void powerOn() override;

    // CameraModel
    const CameraConfig& config() const override { return config_; }
    ModelFacts facts() const override;
    uint16_t fpgaRegister(unsigned reg) const override;
    void setFpgaRegister(unsigned reg, uint16_t value) override;
    uint16_t sensorRegister(unsigned address) const override;
    void setSensorRegister(unsigned address, uint16_t value) override;
    std::vector<uint8_t> eeprom(uint32_t address, std::size_t count) const override;
    bool writeEeprom(uint32_t address, const std::vector<uint8_t>& bytes) override;
    std::vector<uint8_t> lut() const override;
    std::vector<uint16_t> gammaLut() const override;
    uint64_t framesTriggered() const override;
    uint64_t framesDelivered() const override;
    int framesQueued() const override;
    FrameGeometry geometry() const override;
    double exposureMs() const override;
    SiteGains gains() const override;
    std::vector<uint8_t> renderFrame() const override;
    std::vector<uint8_t> lastDeliveredFrame() const override;
    void refuseRequests(uint8_t bRequest, int n, int after) override;
    void shortReplies(uint8_t bRequest, int n) override;
    void shortFrames(std::size_t bytes, int n, int after) override;
    void loseFrames(int n, int after) override;
    void setFramePeriod(double ms) override;

private:
    // One vendor request: direction, reply layout and the handler. An IN
    // handler writes its reply and returns its length; an OUT handler takes
    // the data stage and returns 0. Negative stalls.
    struct Request {
        uint8_t bRequest;
        bool in;
        uint8_t replyLength;  // 0: the reply is wLength bytes of data
        bool statusByte;      // byte 0 of the reply is the status
        int (CameraImpl::*handler)(const UsbSetup&, uint8_t*);
    };
    static const Request* findRequest(uint8_t bRequest);

    int rdFpga(const UsbSetup& s, uint8_t* reply);
    int wrFpga(const UsbSetup& s, uint8_t* reply);
    int rdSensor(const UsbSetup& s, uint8_t* reply);
    int wrSensor(const UsbSetup& s, uint8_t* reply);
    int rdEeprom(const UsbSetup& s, uint8_t* reply);
    int wrEeprom(const UsbSetup& s, uint8_t* reply);
    int triggerFrame(const UsbSetup& s, uint8_t* reply);
    int deviceInformation(const UsbSetup& s, uint8_t* reply);
    int setWorkingMode(const UsbSetup& s, uint8_t* reply);
    int getWorkingMode(const UsbSetup& s, uint8_t* reply);
    int rdEepromEx(const UsbSetup& s, uint8_t* reply);
    int wrEepromEx(const UsbSetup& s, uint8_t* data);
    int rdEepromBlock(const UsbSetup& s, uint8_t* reply);
    int wrEepromBlock(const UsbSetup& s, uint8_t* data);
    int setTriggerDelay(const UsbSetup& s, uint8_t* reply);
    int getTriggerDelay(const UsbSetup& s, uint8_t* reply);
    int resetDevice(const UsbSetup& s, uint8_t* reply);
    int downloadLut(const UsbSetup& s, uint8_t* data);
    int sendPacketEnd(const UsbSetup& s, uint8_t* reply);
    int downloadGammaLut(const UsbSetup& s, uint8_t* data);

    // Callers hold mutex_.
    void resetVolatileState();
    void applySensorInits(const RegisterInits& inits);
    uint16_t readFpga(unsigned reg) const;
    void writeFpga(unsigned reg, uint16_t value);
    void writeSensor(unsigned address, uint16_t value);
    bool eepromRange(uint32_t address, std::size_t count) const;
    RenderKey currentKey() const;
    std::shared_ptr<const RenderedFrame> frameFor(const RenderKey& key) const;
    void startFrame(QueuedFrame& q, std::size_t readLength);

    mutable std::mutex mutex_;
    const CameraConfig config_;
    const ModelInfo& model_;
    const Chip& chip_;
    const double pixelClockMHz_;  // with this firmware
    const CameraTraits traits_;
    int siteKind_[4];  // which SiteGains member each frame site uses: 0 r, 1 gr, 2 gb, 3 b

    std::vector<uint16_t> sensor_;
    std::vector<uint16_t> fpga_;
    uint8_t statusBits_ = 0;  // low byte of FPGA register 128
    std::vector<uint8_t> eeprom_;
    std::vector<uint8_t> lut_;
    std::vector<uint16_t> gammaLut_;
    uint64_t lutGeneration_ = 0;

    Scene scene_;
    mutable Renderer renderer_;
    mutable std::shared_ptr<const RenderedFrame> cache_;
    FrameQueue queue_;
    Faults faults_;
    std::chrono::steady_clock::duration framePeriod_{};
    std::chrono::steady_clock::time_point lastReadyAt_{};
    uint64_t triggered_ = 0;
    uint64_t delivered_ = 0;
    std::shared_ptr<const RenderedFrame> lastFrame_;
    uint64_t lastVariant_ = 0;
    std::size_t lastLength_ = 0;
};

}  // namespace zoqsim
