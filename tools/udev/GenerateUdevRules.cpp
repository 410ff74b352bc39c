// Writes the udev rules that let the logged-in user (uaccess) and the
// plugdev group open every camera, from the library's own id table, so that
// the rules cannot miss a pair the SDK accepts.
//
//   zoq_generate_udev_rules OUTPUT
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "usb/ZOQBusUsb_DeviceIds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    FILE* out = fopen(argv[1], "w");
    if (out == nullptr) {
        fprintf(stderr, "%s: %s\n", argv[1], strerror(errno));
        return 1;
    }
    fprintf(out,
            "# ZOQ industrial USB cameras: read and write access for the user logged in at\n"
            "# the seat (uaccess) and for the group plugdev. Generated from the SDK's camera\n"
            "# id table. After installing: udevadm control --reload, then plug the cameras\n"
            "# in again (or udevadm trigger --subsystem-match=usb).\n"
            "# uaccess is applied by 73-seat-late.rules, so this file sorts before it.\n\n"
            "ACTION==\"remove\", GOTO=\"zoq_cameras_end\"\n"
            "SUBSYSTEM!=\"usb\", GOTO=\"zoq_cameras_end\"\n"
            "ENV{DEVTYPE}!=\"usb_device\", GOTO=\"zoq_cameras_end\"\n\n");
    std::size_t count = 0;
    const CameraIdRange* ranges = CameraIdRanges(&count);
    for (std::size_t i = 0; i < count; ++i) {
        const CameraIdRange& range = ranges[i];
        if (range.note != nullptr)
            fprintf(out, "\n# %04x:%04x is %s.\n", range.vendor, range.productFirst, range.note);
        for (uint32_t product = range.productFirst; product <= range.productLast; ++product) {
            fprintf(out,
                    "ATTR{idVendor}==\"%04x\", ATTR{idProduct}==\"%04x\", MODE=\"0660\", "
                    "GROUP=\"plugdev\", TAG+=\"uaccess\"\n",
                    range.vendor, product);
        }
        if (range.note != nullptr) fputc('\n', out);
    }
    fprintf(out, "\nLABEL=\"zoq_cameras_end\"\n");
    if (fclose(out) != 0) {
        fprintf(stderr, "%s: %s\n", argv[1], strerror(errno));
        return 1;
    }
    return 0;
}
