/* CZOQCam: construction and the whole-camera operations. */
#include "fpga/ZOQCam_Imp.h"
#include "ZoqOut.h"

using namespace zoqfpga;

CZOQCam::CZOQCam(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : m_pDevice(device),
      m_pPrivate(nullptr),
      m_fPixelClock(0.0f),
      m_fPixelClockPeriod(0.0f),
      m_wDeviceType(0),
      m_wFirmwareVersion(0),
      m_nSerial(0),
      m_wFpgaVersion(0),
      m_byFirmwareMajor(0),
      m_byFirmwareMinor(0),
      m_byFpgaMajor(0),
      m_byFpgaMinor(0),
      m_uImageWidth(0),
      m_uImageHeight(0),
      m_FpgaRegs(kCachedRegisters),
      m_Capability{},
      m_CapabilityTable(capability) {
    if (!m_pDevice) return;
    // Failures here are not reported: the object is created with whatever
    // the reads left, and recovery or a later setter puts things right.
    m_pDevice->VendorCmd_GetDeviceInformation(&m_wDeviceType, &m_nSerial, &m_wFirmwareVersion);
    m_byFirmwareMajor = static_cast<unsigned char>(m_wFirmwareVersion >> 8);
    m_byFirmwareMinor = static_cast<unsigned char>(m_wFirmwareVersion & 0xFF);
    Cam_CapConfiguration_Base();
    Fpga_GetVersion(&m_wFpgaVersion);
    m_byFpgaMajor = static_cast<unsigned char>(m_wFpgaVersion >> 8);
    m_byFpgaMinor = static_cast<unsigned char>(m_wFpgaVersion & 0xFF);
    Cam_CapConfiguration_Fpga();
    Fpga_RdRelatedRegValue();
}

// Nothing is written on destruction; the camera keeps its settings.
CZOQCam::~CZOQCam() = default;

unsigned int CZOQCam::FramesPerCapture() const {
    unsigned short frames = m_FpgaRegs.Get(REG_FRAMES);
    return frames ? frames : 1u;
}

bool CZOQCam::Is16BitsTransfer() const {
    return m_FpgaRegs.Get(REG_CONTROL) & CTL_16BITS;
}

ZOQ_BAYERMODE CZOQCam::Sensor_GetDefaultBayerMode() {
    return static_cast<ZOQ_BAYERMODE>(m_Capability.Field(CAP_DEFAULT_BAYER, 2));
}

int CZOQCam::Cam_GetDeviceInformation(unsigned short* deviceType, int* serial,
                                      unsigned short* firmwareVersion) {
    return Cam_GetDeviceInformationEx(deviceType, serial, firmwareVersion, nullptr);
}

int CZOQCam::Cam_GetDeviceInformationEx(unsigned short* deviceType, int* serial,
                                        unsigned short* firmwareVersion,
                                        unsigned short* fpgaVersion) {
    if (!m_pDevice) return RC_INVALID_HANDLE;
    zoq::Put(deviceType, m_wDeviceType);
    zoq::Put(serial, m_nSerial);
    zoq::Put(firmwareVersion, m_wFirmwareVersion);
    zoq::Put(fpgaVersion, m_wFpgaVersion);
    return RC_SUCCESS;
}

int CZOQCam::Cam_GetCaptureBytes() {
    unsigned long long bytes = static_cast<unsigned long long>(m_uImageWidth) * m_uImageHeight *
                               FramesPerCapture() * (Is16BitsTransfer() ? 2u : 1u);
    return bytes > 0x7FFFFFFFull ? 0x7FFFFFFF : static_cast<int>(bytes);
}

int CZOQCam::Cam_GetCaptureSize(int* width, int* height) {
    zoq::Put(width, static_cast<int>(m_uImageWidth));
    zoq::Put(height, static_cast<int>(m_uImageHeight * FramesPerCapture()));
    return RC_SUCCESS;
}

int CZOQCam::Cam_GetEEPROMType(ZOQ_EEPROM_TYPE* type) {
    zoq::Put(type, static_cast<ZOQ_EEPROM_TYPE>(m_Capability.Field(CAP_EEPROM_TYPE, 3)));
    return RC_SUCCESS;
}

int CZOQCam::Cam_RecoverRelatedRegValue() {
    int fpga = Fpga_RecoverRelatedRegValue();
    int sensor = Sensor_RecoverRelatedRegValue();
    // The sensor is restored even when the FPGA was not, but a failed FPGA
    // write-back is still reported.
    return fpga != RC_SUCCESS ? fpga : sensor;
}
