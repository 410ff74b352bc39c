// A separate process on the simulated bus of the test that starts it (it
// inherits LD_PRELOAD and UMOCKDEV_DIR): writes three bytes with vendor
// request 0x02, then reads one frame of LENGTH bytes from endpoint 0x86 of
// the device at BUS ADDRESS and prints "<bytes read> <byte sum>".
#include <libusb.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const int bus = std::atoi(argv[1]);
    const int address = std::atoi(argv[2]);
    std::vector<unsigned char> frame(static_cast<std::size_t>(std::atol(argv[3])));
    libusb_context* ctx = nullptr;
    if (libusb_init(&ctx) != 0)
        return 3;
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(ctx, &list);
    libusb_device_handle* h = nullptr;
    for (ssize_t i = 0; i < n; ++i)
        if (libusb_get_bus_number(list[i]) == bus && libusb_get_device_address(list[i]) == address)
            libusb_open(list[i], &h);
    libusb_free_device_list(list, 1);
    int rc = 4;
    if (h != nullptr) {
        unsigned char written[3] = {7, 8, 9};
        int got = 0;
        if (libusb_claim_interface(h, 0) == 0 &&
            libusb_control_transfer(h, 0x40, 0x02, 0, 0, written, 3, 1000) == 3 &&
            libusb_bulk_transfer(h, 0x86, frame.data(), static_cast<int>(frame.size()), &got, 2000) == 0) {
            unsigned long sum = 0;
            for (int i = 0; i < got; ++i)
                sum += frame[static_cast<std::size_t>(i)];
            std::printf("%d %lu\n", got, sum);
            rc = 0;
        }
        libusb_close(h);
    }
    libusb_exit(ctx);
    return rc;
}
