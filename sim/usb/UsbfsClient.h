// One open file descriptor on a simulated device node: it answers the usbfs
// requests that libusb sends on it and keeps the URBs submitted on it until
// libusb reaps them. Runs on umockdev's worker thread under the Testbed's
// lock.
#pragma once

#include "usb/TransferLog.h"

#include <umockdev.h>

#include <chrono>
#include <cstdint>
#include <deque>

namespace zoqsim {

struct DeviceCore;

// What a request did beyond its own answer, for the bridge to act on.
enum class RequestEffect { None, ControlRan, ConfigChanged };

using Clock = std::chrono::steady_clock;

class UsbfsClient {
public:
    // `device` is the device plugged at the node when it was opened (null
    // when none); the descriptor stays bound to that plug-in.
    UsbfsClient(UMockdevIoctlClient* client, DeviceCore* device);
    ~UsbfsClient();
    UsbfsClient(const UsbfsClient&) = delete;
    UsbfsClient& operator=(const UsbfsClient&) = delete;

    RequestEffect handle();

    DeviceCore* device() const { return m_device; }
    // Still talking to the plug-in it was opened on.
    bool live() const;
    // A frame became ready: reads waiting on the frame endpoint complete.
    void releaseFrameReads();
    // The device was unplugged: every URB still outstanding ends with -ENODEV.
    void failAll();
    // Answers a reap that waits: with a URB once one is done, with ENODEV
    // once the device is gone, or, for a REAPURBNDELAY, with EAGAIN once its
    // short wait is over.
    void serveParkedReap();
    bool parked() const { return m_parked; }
    // When waiting reaps need looking at again (a frame due over a paced
    // link, the end of a short wait); the epoch when nothing is timed.
    Clock::time_point wakeAt() const;
    // A URB is done and waits to be reaped.
    bool hasDeliverable() const;
    // Ends a REAPURBNDELAY's wait at once with EAGAIN: libusb's event
    // handling, which waits in it, has other descriptors to serve.
    void endWait();

private:
    enum class Kind : uint8_t { Control, FrameRead, OtherRead, Write };
    struct Urb {
        UMockdevIoctlData* data;   // our reference to the client's usbdevfs_urb
        Kind kind;
        bool forcedHold;           // held by a time-out fault until discarded
        bool fillAtReap;           // done; frame data is copied when reaped
        // Time-out after part of the frame: the transfer takes at most this
        // many bytes when libusb discards it, and ends timed out.
        bool partialTimeout = false;
        uint32_t partialBytes = 0;
        // A frame read on a paced link: its bytes have crossed at this time.
        Clock::time_point dueAt{};
    };

    RequestEffect configure(unsigned long request, UMockdevIoctlData* arg);
    RequestEffect submit(UMockdevIoctlData* arg);
    RequestEffect submitControl(UMockdevIoctlData* urbData);
    void submitTransfer(UMockdevIoctlData* urbData);
    void discard(UMockdevIoctlData* arg);
    void reap(bool blocking);
    bool deliverNext();
    bool fillFrameRead(Urb& urb);
    // A frame read that gets data: done now, or when its link has carried it.
    void frameReadDone(Urb urb);
    // The earliest due time of a frame read still crossing its link, or the
    // epoch.
    Clock::time_point nextDue() const;
    void unpark();
    // Ends a URB that never got data (discard, unplug) and records it.
    void endUnanswered(Urb& urb, int status, Outcome outcome);
    void finish(long result, int error = 0);
    RequestEffect answer(long result, int error = 0);

    UMockdevIoctlClient* m_client;
    DeviceCore* m_device;
    uint64_t m_plugId;
    std::deque<Urb> m_held;        // waiting for the device
    std::deque<Urb> m_done;        // waiting to be reaped, in completion order
    bool m_parked = false;         // a reap waits for a URB
    Clock::time_point m_waitUntil{};  // a waiting REAPURBNDELAY is answered by then
};

}  // namespace zoqsim
