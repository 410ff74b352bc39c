// The umockdev side of the simulator: the testbed (emulated sysfs and /dev,
// uevents), one ioctl handler for every device node, and the open file
// descriptors on them. umockdev calls the handler on its worker thread, which
// the testbed starts when it is created and joins when it is destroyed.
#pragma once

#include "usb/UsbfsClient.h"

#include <umockdev.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace zoqsim {

struct DeviceCore;

class UsbfsBridge {
public:
    explicit UsbfsBridge(std::mutex& lock);
    ~UsbfsBridge();
    UsbfsBridge(const UsbfsBridge&) = delete;
    UsbfsBridge& operator=(const UsbfsBridge&) = delete;

    std::string rootDir() const { return m_root; }

    // Both with the Testbed's lock held. plug() creates the sysfs entry and
    // device node for the device's address and plug sequence and announces
    // it; unplug() announces the removal, removes them and ends what is
    // outstanding on its open descriptors.
    void plug(DeviceCore& device);
    void unplug(DeviceCore& device);
    // Writes the sysfs attribute of a plugged device.
    void setAttribute(const DeviceCore& device, const char* name, const std::string& value);

private:
    static gboolean onIoctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer self);
    static void onClientConnected(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer self);
    static void onConnectionChanged(GObject* client, GParamSpec* property, gpointer self);
    static gboolean wakeParkedReaps(gpointer self);
    // Lock held: answers the reaps that wait and can be answered now, and
    // arms a timer on the worker thread for the earliest time a waiting reap
    // needs looking at again.
    void serveWaitingReaps();
    void armWake();

    UsbfsClient& clientFor(UMockdevIoctlClient* client);
    void forget(UMockdevIoctlClient* client);
    // After a control transfer: waiting frame reads of the device complete
    // when its function has a frame.
    void offerFrame(DeviceCore& device);

    struct Connection {
        std::unique_ptr<UsbfsClient> client;
        gulong notifyHandler;
    };

    std::mutex& m_lock;
    UMockdevTestbed* m_testbed;
    UMockdevIoctlBase* m_handler;
    std::string m_root;
    GMainContext* m_worker = nullptr;             // umockdev's, learnt at the first connection
    Clock::time_point m_wakeArmed{};              // the earliest timer armed, or the epoch
    std::set<std::string> m_attachedNodes;        // nodes that have our handler
    std::map<std::string, DeviceCore*> m_plugged; // device node -> device plugged there
    std::map<UMockdevIoctlClient*, Connection> m_connections;
};

}  // namespace zoqsim
