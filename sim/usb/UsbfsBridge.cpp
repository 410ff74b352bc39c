#include "usb/UsbfsBridge.h"

#include "usb/DeviceCore.h"
#include "usb/SysfsEntry.h"

#include <glib/gstdio.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace zoqsim {

namespace {

[[noreturn]] void fatal(const char* what, GError* error) {
    std::fprintf(stderr, "zoqsim: %s: %s\n", what, error != nullptr ? error->message : "failed");
    std::abort();
}

}  // namespace

UsbfsBridge::UsbfsBridge(std::mutex& lock) : m_lock(lock) {
    m_testbed = umockdev_testbed_new();
    gchar* root = umockdev_testbed_get_root_dir(m_testbed);
    m_root = root;
    g_free(root);
    m_handler = umockdev_ioctl_base_new();
    g_signal_connect(m_handler, "handle-ioctl", G_CALLBACK(onIoctl), this);
    g_signal_connect(m_handler, "client-connected", G_CALLBACK(onClientConnected), this);
}

UsbfsBridge::~UsbfsBridge() {
    // Joins umockdev's worker thread: no handler runs after this line.
    g_object_unref(m_testbed);
    for (auto& [client, connection] : m_connections) {
        g_signal_handler_disconnect(client, connection.notifyHandler);
        connection.client.reset();
        g_object_unref(client);
    }
    m_connections.clear();
    g_object_unref(m_handler);
    if (m_worker != nullptr)
        g_main_context_unref(m_worker);
}

void UsbfsBridge::plug(DeviceCore& device) {
    const SysfsEntry entry = sysfsEntry(device.address, device.plugSequence);
    GError* error = nullptr;
    // The handler goes on the node before the device appears, so that an
    // open right after the add event reaches it.
    if (m_attachedNodes.insert(entry.devnode).second &&
        !umockdev_testbed_attach_ioctl(m_testbed, entry.devnode.c_str(), m_handler, &error))
        fatal("cannot emulate usbfs on the device node", error);
    const std::string record = umockdevRecord(entry, device.address, device.layout, device.activeConfig);
    if (!umockdev_testbed_add_from_string(m_testbed, record.c_str(), &error))
        fatal("cannot add the device to the testbed", error);
    m_plugged[entry.devnode] = &device;
    device.plugged = true;
    umockdev_testbed_uevent(m_testbed, entry.syspath.c_str(), "add");
}

void UsbfsBridge::unplug(DeviceCore& device) {
    const SysfsEntry entry = sysfsEntry(device.address, device.plugSequence);
    umockdev_testbed_uevent(m_testbed, entry.syspath.c_str(), "remove");
    umockdev_testbed_remove_device(m_testbed, entry.syspath.c_str());
    // umockdev leaves the /sys/dev link behind; a later plug at this address
    // must be able to create it again.
    g_unlink((m_root + entry.sysDevLink).c_str());
    m_plugged.erase(entry.devnode);

    bool parked = false;
    for (auto& [client, connection] : m_connections) {
        if (connection.client->device() == &device && connection.client->live()) {
            connection.client->failAll();
            parked = parked || connection.client->parked();
        }
    }
    device.plugged = false;
    // A blocking reap is answered on the worker thread, which owns the
    // client connections.
    if (parked && m_worker != nullptr)
        g_main_context_invoke(m_worker, wakeParkedReaps, this);
}

void UsbfsBridge::setAttribute(const DeviceCore& device, const char* name, const std::string& value) {
    const SysfsEntry entry = sysfsEntry(device.address, device.plugSequence);
    umockdev_testbed_set_attribute(m_testbed, entry.syspath.c_str(), name, value.c_str());
}

UsbfsClient& UsbfsBridge::clientFor(UMockdevIoctlClient* client) {
    auto it = m_connections.find(client);
    if (it != m_connections.end())
        return *it->second.client;
    if (m_worker == nullptr)
        m_worker = g_main_context_ref_thread_default();
    const auto plugged = m_plugged.find(umockdev_ioctl_client_get_devnode(client));
    DeviceCore* device = plugged != m_plugged.end() ? plugged->second : nullptr;
    g_object_ref(client);
    Connection connection{std::make_unique<UsbfsClient>(client, device),
                          g_signal_connect(client, "notify::connected", G_CALLBACK(onConnectionChanged), this)};
    return *m_connections.emplace(client, std::move(connection)).first->second.client;
}

void UsbfsBridge::forget(UMockdevIoctlClient* client) {
    auto it = m_connections.find(client);
    if (it == m_connections.end())
        return;
    g_signal_handler_disconnect(client, it->second.notifyHandler);
    m_connections.erase(it);  // drops every URB still held for the descriptor
    g_object_unref(client);
}

void UsbfsBridge::offerFrame(DeviceCore& device) {
    if (!device.function->bulkReady())
        return;
    for (auto& [client, connection] : m_connections) {
        if (connection.client->device() == &device && connection.client->live()) {
            connection.client->releaseFrameReads();
            connection.client->serveParkedReap();
        }
    }
}

gboolean UsbfsBridge::onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* bridge = static_cast<UsbfsBridge*>(self);
    std::lock_guard<std::mutex> guard(bridge->m_lock);
    UsbfsClient& c = bridge->clientFor(client);
    switch (c.handle()) {
    case RequestEffect::ControlRan:
        bridge->offerFrame(*c.device());
        break;
    case RequestEffect::ConfigChanged: {
        const uint8_t value = c.device()->activeConfig;
        bridge->setAttribute(*c.device(), "bConfigurationValue",
                             value == 0 ? "\n" : std::to_string(value) + "\n");
        break;
    }
    case RequestEffect::None:
        break;
    }
    bridge->serveWaitingReaps();
    return TRUE;
}

void UsbfsBridge::onClientConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* bridge = static_cast<UsbfsBridge*>(self);
    std::lock_guard<std::mutex> guard(bridge->m_lock);
    bridge->clientFor(client);
}

void UsbfsBridge::onConnectionChanged(GObject* client, GParamSpec*, gpointer self) {
    auto* c = UMOCKDEV_IOCTL_CLIENT(client);
    if (umockdev_ioctl_client_get_connected(c))
        return;
    auto* bridge = static_cast<UsbfsBridge*>(self);
    std::lock_guard<std::mutex> guard(bridge->m_lock);
    bridge->forget(c);
}

gboolean UsbfsBridge::wakeParkedReaps(gpointer self) {
    auto* bridge = static_cast<UsbfsBridge*>(self);
    std::lock_guard<std::mutex> guard(bridge->m_lock);
    bridge->m_wakeArmed = {};
    bridge->serveWaitingReaps();
    return G_SOURCE_REMOVE;
}

void UsbfsBridge::serveWaitingReaps() {
    bool somethingDone = false;
    for (auto& [client, connection] : m_connections) {
        connection.client->serveParkedReap();
        somethingDone = somethingDone || connection.client->hasDeliverable();
    }
    // A URB done on one descriptor is reaped by the same event handling that
    // may be waiting on another.
    if (somethingDone)
        for (auto& [client, connection] : m_connections)
            connection.client->endWait();
    armWake();
}

void UsbfsBridge::armWake() {
    Clock::time_point earliest{};
    for (auto& [client, connection] : m_connections) {
        const Clock::time_point at = connection.client->wakeAt();
        if (at != Clock::time_point{} && (earliest == Clock::time_point{} || at < earliest))
            earliest = at;
    }
    if (earliest == Clock::time_point{} || m_worker == nullptr)
        return;
    if (m_wakeArmed != Clock::time_point{} && m_wakeArmed <= earliest)
        return;
    m_wakeArmed = earliest;
    // GLib's timers count whole milliseconds: round up, never early.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(earliest - Clock::now());
    GSource* timer = g_timeout_source_new(static_cast<guint>(std::max<long>(0, long(wait.count()))));
    g_source_set_callback(timer, wakeParkedReaps, this, nullptr);
    g_source_attach(timer, m_worker);
    g_source_unref(timer);
}

}  // namespace zoqsim
