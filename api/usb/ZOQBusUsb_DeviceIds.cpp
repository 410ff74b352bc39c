// The USB ids of the cameras. The product id does not select the plug-in:
// the camera reports its own device type.
#include "usb/ZOQBusUsb_DeviceIds.h"

#include <iterator>

namespace {

using IdRange = CameraIdRange;

// 135 (vendor, product) pairs, runs of consecutive products as one row.
constexpr IdRange kCameraIds[] = {
    {0x0816, 0x0511, 0x0513},
    {0x0816, 0x0515, 0x051B},
    {0x0816, 0x0520, 0x0523},
    {0x0816, 0x0525, 0x052B},
    {0x0816, 0x0530, 0x0532},
    {0x0816, 0x0535, 0x053C},
    {0x0816, 0x0551, 0x0552},
    {0x0816, 0x0555, 0x0555},
    {0x0816, 0x0561, 0x0562},
    {0x0816, 0x0565, 0x056C},
    {0x0816, 0x057A, 0x057B},
    {0x0816, 0x0611, 0x0612},
    {0x0816, 0x0631, 0x0638},
    {0x0816, 0x1110, 0x1110},
    {0x0816, 0x1521, 0x1522},
    {0x0816, 0x1525, 0x1527},
    {0x0816, 0x1561, 0x1562},
    {0x0816, 0x1565, 0x1569},
    {0x0816, 0x1570, 0x1573},
    {0x0816, 0x1711, 0x1714},
    {0x0816, 0x1811, 0x1818},
    {0x0816, 0x1911, 0x1914},
    {0x0816, 0x1A11, 0x1A2F},
    {0x0816, 0x1B11, 0x1B12},
    {0x0816, 0x1C27, 0x1C2A},
    {0x0816, 0x1D10, 0x1D13},
    {0x0816, 0x1D15, 0x1D15},
    {0x0916, 0x0552, 0x0552},
    {0x0817, 0x0555, 0x0555},
    {0x04B4, 0x8613, 0x8613,
     "the USB controller's own pair: unprogrammed controllers of other devices use it too"},
};

constexpr int CountPairs() {
    int count = 0;
    for (const IdRange& range : kCameraIds) count += range.productLast - range.productFirst + 1;
    return count;
}
static_assert(CountPairs() == 135, "the camera id table holds 135 pairs");

}  // namespace

bool IsCameraId(uint16_t idVendor, uint16_t idProduct) {
    for (const IdRange& range : kCameraIds) {
        if (range.vendor == idVendor && idProduct >= range.productFirst &&
            idProduct <= range.productLast)
            return true;
    }
    return false;
}

const CameraIdRange* CameraIdRanges(std::size_t* count) {
    *count = std::size(kCameraIds);
    return kCameraIds;
}
