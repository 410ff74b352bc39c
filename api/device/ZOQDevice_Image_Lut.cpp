// The camera's look-up table and gamma look-up table: downloads from data
// and from table files, and their switches.
#include <cstring>

#include "device/ZOQDevice.h"

namespace {

constexpr int kLutChunkBytes = 64;
constexpr int kGammaLutChunkEntries = 32;

}  // namespace

template <typename Entry, typename Send>
int CZOQDevice::DownloadCameraTable(ZOQ_FUNCTION query, const Entry* data, int count, Entry* shadow,
                                    int chunk, Send send) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    if (data == nullptr) return RC_PARAMETER_ERROR;
    int supported = 0;
    int rc = m_pCam->Cam_QueryFunction(query, &supported);
    if (rc != RC_SUCCESS) return rc;
    if (supported == 0) return RC_NOT_SUPPORTED;
    int bits = 0;
    rc = m_pCam->Cam_QueryFunction(ZOQ_FUNC_LUT_INPUT_BITS, &bits);
    if (rc != RC_SUCCESS) return rc;
    // The shadow holds 4096 entries: a longer table is refused before
    // anything is sent.
    if (count != ZoqTableLength(bits) || count > ZoqLutShadows::kEntries) return RC_PARAMETER_ERROR;
    if (data != shadow) std::memcpy(shadow, data, sizeof(Entry) * static_cast<size_t>(count));
    for (int offset = 0; offset < count; offset += chunk) {
        int n = count - offset < chunk ? count - offset : chunk;
        rc = send(static_cast<unsigned short>(offset), shadow + offset, n);
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

int CZOQDevice::DownloadLutData(unsigned char* data, int length) {
    return DownloadCameraTable(ZOQ_FUNC_LUT_DOWNLOAD, data, length, m_lutShadow.lut, kLutChunkBytes,
                               [this](unsigned short offset, unsigned char* chunk, int n) {
                                   return DownloadLUT(offset, chunk, n);
                               });
}

int CZOQDevice::DownloadGammaLutData(unsigned short* data, int count) {
    return DownloadCameraTable(ZOQ_FUNC_GAMMA_LUT_DOWNLOAD, data, count, m_lutShadow.gammaLut,
                               kGammaLutChunkEntries,
                               [this](unsigned short offset, unsigned short* chunk, int n) {
                                   return DownloadGammaLUT(offset, chunk, n);
                               });
}

int CZOQDevice::DownloadLutFile(const char* path) {
    int bits = 0;
    int rc = ZoqReadTableFile(path, kZoqTableLut, m_lutShadow.lut, &bits);
    if (rc != RC_SUCCESS) return rc;
    return DownloadLutData(m_lutShadow.lut, ZoqTableLength(bits));
}

int CZOQDevice::DownloadGammaLutFile(const char* path) {
    int bits = 0;
    int rc = ZoqReadTableFile(path, kZoqTableGammaLut, m_lutShadow.gammaLut, &bits);
    if (rc != RC_SUCCESS) return rc;
    return DownloadGammaLutData(m_lutShadow.gammaLut, ZoqTableLength(bits));
}

int CZOQDevice::SetLutEnable(bool on) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    int supported = 0;
    int rc = m_pCam->Cam_QueryFunction(ZOQ_FUNC_LUT_SWITCH, &supported);
    if (rc != RC_SUCCESS) return rc;
    if (supported == 0) return RC_NOT_SUPPORTED;
    return m_pCam->Fpga_SetLutEnable(on);
}

int CZOQDevice::GetLutEnable(bool* on) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetLutEnable, on);
}

int CZOQDevice::SetGammaLutEnable(bool on) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_SetGammaLutEnable, on);
}

int CZOQDevice::GetGammaLutEnable(bool* on) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetGammaLutEnable, on);
}
