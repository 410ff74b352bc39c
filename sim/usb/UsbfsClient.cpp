#include "usb/UsbfsClient.h"

#include "usb/ControlTransfer.h"
#include "usb/DeviceCore.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>

namespace zoqsim {

namespace {

// How long a REAPURBNDELAY waits at most while a frame crosses a paced link
// (the bridge ends the wait as soon as another descriptor has a URB done).
// Without the wait libusb, which sees the emulated descriptor always ready,
// would ask again at once and keep a core busy for the whole transfer.
constexpr auto kReapWait = std::chrono::milliseconds(20);

// A resolved piece of the client's memory. umockdev hands out a new
// reference with every resolve; dropping it here keeps a frame's two copies
// from leaking.
class Resolved {
public:
    Resolved(UMockdevIoctlData* parent, std::size_t offset, std::size_t length) {
        GError* error = nullptr;
        m_data = umockdev_ioctl_data_resolve(parent, offset, length, &error);
        if (error != nullptr)
            g_error_free(error);
    }
    ~Resolved() {
        if (m_data != nullptr)
            g_object_unref(m_data);
    }
    Resolved(const Resolved&) = delete;
    Resolved& operator=(const Resolved&) = delete;

    explicit operator bool() const { return m_data != nullptr; }
    UMockdevIoctlData* get() const { return m_data; }
    uint8_t* bytes() const { return m_data->data; }
    UMockdevIoctlData* release() {
        UMockdevIoctlData* d = m_data;
        m_data = nullptr;
        return d;
    }

private:
    UMockdevIoctlData* m_data = nullptr;
};

usbdevfs_urb* asUrb(UMockdevIoctlData* data) { return reinterpret_cast<usbdevfs_urb*>(data->data); }

constexpr std::size_t kBufferField = offsetof(usbdevfs_urb, buffer);

// True when the URB was submitted by this very process (the usual case: the
// testbed and libusb share it): our memory at the URB's address holds exactly
// the URB umockdev fetched. A client in another process fails the check.
bool submittedByThisProcess(const UMockdevIoctlData* urbData) {
    usbdevfs_urb own;
    iovec local{&own, sizeof own};
    iovec remote{reinterpret_cast<void*>(urbData->client_addr), sizeof own};
    return process_vm_readv(getpid(), &local, 1, &remote, 1, 0) == static_cast<ssize_t>(sizeof own) &&
           std::memcmp(&own, urbData->data, sizeof own) == 0;
}

template <typename T>
bool readArg(UMockdevIoctlData* arg, T& value) {
    Resolved d(arg, 0, sizeof(T));
    if (!d)
        return false;
    value = *reinterpret_cast<const T*>(d.bytes());
    return true;
}

}  // namespace

UsbfsClient::UsbfsClient(UMockdevIoctlClient* client, DeviceCore* device)
    : m_client(client), m_device(device), m_plugId(device ? device->plugId : 0) {}

UsbfsClient::~UsbfsClient() {
    for (Urb& u : m_held)
        g_object_unref(u.data);
    for (Urb& u : m_done)
        g_object_unref(u.data);
}

bool UsbfsClient::live() const {
    return m_device != nullptr && m_device->plugged && m_device->plugId == m_plugId;
}

void UsbfsClient::finish(long result, int error) { umockdev_ioctl_client_complete(m_client, result, error); }

RequestEffect UsbfsClient::answer(long result, int error) {
    finish(result, error);
    return RequestEffect::None;
}

RequestEffect UsbfsClient::handle() {
    const unsigned long request = umockdev_ioctl_client_get_request(m_client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(m_client);
    switch (request) {
    case USBDEVFS_REAPURB:
        reap(true);
        return RequestEffect::None;
    case USBDEVFS_REAPURBNDELAY:
        reap(false);
        return RequestEffect::None;
    case USBDEVFS_DISCARDURB:
        discard(arg);
        return RequestEffect::None;
    default:
        break;
    }
    // Like the kernel's usbfs after a disconnect: everything else fails.
    if (!live())
        return answer(-1, ENODEV);
    if (request == USBDEVFS_SUBMITURB)
        return submit(arg);
    return configure(request, arg);
}

RequestEffect UsbfsClient::configure(unsigned long request, UMockdevIoctlData* arg) {
    DeviceCore& dev = *m_device;
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        Resolved caps(arg, 0, sizeof(uint32_t));
        if (!caps)
            return answer(-1, EFAULT);
        *reinterpret_cast<uint32_t*>(caps.bytes()) = dev.capabilities;
        return answer(0);
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
        unsigned int iface = 0;
        if (!readArg(arg, iface))
            return answer(-1, EFAULT);
        return iface < dev.altSettings.size() ? answer(0) : answer(-1, ENOENT);
    }
    case USBDEVFS_DISCONNECT_CLAIM: {
        // No kernel driver to disconnect: a plain claim.
        usbdevfs_disconnect_claim claim{};
        if (!readArg(arg, claim))
            return answer(-1, EFAULT);
        return claim.interface < dev.altSettings.size() ? answer(0) : answer(-1, ENOENT);
    }
    case USBDEVFS_SETINTERFACE: {
        usbdevfs_setinterface set{};
        if (!readArg(arg, set))
            return answer(-1, EFAULT);
        const ConfigLayout* config = dev.activeConfigLayout();
        if (config == nullptr || set.interface >= config->interfaces.size() ||
            set.altsetting >= config->interfaces[set.interface].altSettings.size())
            return answer(-1, EINVAL);
        dev.altSettings[set.interface] = static_cast<uint8_t>(set.altsetting);
        return answer(0);
    }
    case USBDEVFS_SETCONFIGURATION: {
        int value = 0;
        if (!readArg(arg, value))
            return answer(-1, EFAULT);
        // -1 asks for the unconfigured state, like 0.
        if (value < -1 || value > 255 || !dev.selectConfig(static_cast<uint8_t>(value < 0 ? 0 : value)))
            return answer(-1, EINVAL);
        finish(0);
        return RequestEffect::ConfigChanged;
    }
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP: {
        unsigned int endpoint = 0;
        if (!readArg(arg, endpoint))
            return answer(-1, EFAULT);
        const bool known = endpoint <= 0xFF && dev.findEndpoint(static_cast<uint8_t>(endpoint)) != nullptr;
        return known ? answer(0) : answer(-1, ENOENT);
    }
    case USBDEVFS_RESET:
        // A bus reset: the device stays where it is, its state is kept.
        ++dev.resets;
        return answer(0);
    case USBDEVFS_GETDRIVER:
    case USBDEVFS_IOCTL:
        // No kernel driver is bound to the interfaces, so none to ask or detach.
        return answer(-1, ENODATA);
    default:
        return answer(-1, ENOTTY);
    }
}

RequestEffect UsbfsClient::submit(UMockdevIoctlData* arg) {
    Resolved urbData(arg, 0, sizeof(usbdevfs_urb));
    if (!urbData)
        return answer(-1, EFAULT);
    const usbdevfs_urb* urb = asUrb(urbData.get());
    if (urb->buffer_length < 0)
        return answer(-1, EINVAL);
    switch (urb->type) {
    case USBDEVFS_URB_TYPE_CONTROL:
        return submitControl(urbData.release());
    case USBDEVFS_URB_TYPE_BULK:
    case USBDEVFS_URB_TYPE_INTERRUPT:
        submitTransfer(urbData.release());
        return RequestEffect::None;
    default:
        return answer(-1, EINVAL);  // isochronous transfers are not simulated
    }
}

RequestEffect UsbfsClient::submitControl(UMockdevIoctlData* urbData) {
    DeviceCore& dev = *m_device;
    usbdevfs_urb* urb = asUrb(urbData);
    const auto length = static_cast<std::size_t>(urb->buffer_length);
    Resolved buffer(urbData, kBufferField, length);
    if (length < kSetupSize || !buffer) {
        g_object_unref(urbData);
        return answer(-1, length < kSetupSize ? EINVAL : EFAULT);
    }
    if (dev.faults.controlTimeouts > 0) {
        // No answer: libusb discards the URB when its time-out expires.
        --dev.faults.controlTimeouts;
        m_held.push_back({urbData, Kind::Control, true, false});
        return answer(0);
    }
    const int n = runControlTransfer(dev, buffer.bytes(), length);
    urb->actual_length = n < 0 ? 0 : n;
    urb->status = n < 0 ? -EPIPE : 0;
    m_done.push_back({urbData, Kind::Control, false, false});
    finish(0);
    return RequestEffect::ControlRan;
}

void UsbfsClient::submitTransfer(UMockdevIoctlData* urbData) {
    DeviceCore& dev = *m_device;
    usbdevfs_urb* urb = asUrb(urbData);
    const EndpointLayout* ep = dev.findEndpoint(urb->endpoint);
    const uint8_t type = ep ? ep->attributes & 0x03 : kEpControl;
    if (ep == nullptr || type == kEpControl || type == kEpIsochronous) {
        g_object_unref(urbData);
        finish(-1, ep == nullptr ? ENOENT : EINVAL);
        return;
    }
    if ((urb->endpoint & 0x80) == 0) {
        // Nothing listens on OUT endpoints: the data is taken and dropped.
        urb->actual_length = urb->buffer_length;
        urb->status = 0;
        const auto n = static_cast<uint32_t>(urb->buffer_length);
        dev.log.addBulk(urb->endpoint, n, n, Outcome::Ok);
        m_done.push_back({urbData, Kind::Write, false, false});
    } else if (urb->endpoint != dev.layout.frameEndpoint) {
        m_held.push_back({urbData, Kind::OtherRead, false, false});
    } else if (dev.faults.partialTimeouts > 0) {
        --dev.faults.partialTimeouts;
        Urb u{urbData, Kind::FrameRead, true, false};
        u.partialTimeout = true;
        u.partialBytes = dev.faults.partialBytes;
        m_held.push_back(u);
    } else if (dev.faults.bulkTimeouts > 0) {
        m_held.push_back({urbData, Kind::FrameRead, true, false});
    } else if (dev.faults.bulkIoErrors > 0) {
        m_done.push_back({urbData, Kind::FrameRead, false, true});
    } else if (dev.function->bulkReady()) {
        frameReadDone({urbData, Kind::FrameRead, false, true});
    } else {
        m_held.push_back({urbData, Kind::FrameRead, false, false});
    }
    finish(0);
}

void UsbfsClient::endUnanswered(Urb& u, int status, Outcome outcome) {
    usbdevfs_urb* urb = asUrb(u.data);
    urb->status = status;
    urb->actual_length = 0;
    u.fillAtReap = false;
    if (m_device == nullptr)
        return;
    if (u.kind == Kind::Control) {
        // The buffer was resolved at submission; this fetches that copy.
        Resolved buffer(u.data, kBufferField, static_cast<std::size_t>(urb->buffer_length));
        if (buffer) {
            const UsbSetup setup = parseSetup(buffer.bytes());
            const bool toHost = (setup.bmRequestType & 0x80) != 0;
            const std::size_t n = std::min<std::size_t>(setup.wLength, urb->buffer_length - kSetupSize);
            m_device->log.addControl(setup, toHost ? nullptr : buffer.bytes() + kSetupSize, n, outcome);
        }
    } else {
        m_device->log.addBulk(urb->endpoint, static_cast<uint32_t>(urb->buffer_length), 0, outcome);
    }
}

void UsbfsClient::discard(UMockdevIoctlData* arg) {
    // DISCARDURB's argument is the client's URB address itself.
    const gulong address = *reinterpret_cast<const gulong*>(arg->data);
    auto matches = [address](const Urb& u) { return u.data->client_addr == address; };

    auto held = std::find_if(m_held.begin(), m_held.end(), matches);
    if (held != m_held.end() && held->partialTimeout) {
        // The first bytes of the frame arrived before the time-out; they are
        // copied when libusb reaps the URB.
        Urb u = *held;
        m_held.erase(held);
        u.fillAtReap = true;
        m_done.push_back(u);
        finish(0);
        return;
    }
    if (held != m_held.end()) {
        Urb u = *held;
        m_held.erase(held);
        endUnanswered(u, -ENOENT, u.forcedHold ? Outcome::TimedOut : Outcome::Discarded);
        // One bulk time-out fault covers every URB of the transfer it held.
        const bool lastOfTransfer = std::none_of(m_held.begin(), m_held.end(), [](const Urb& o) {
            return o.forcedHold && o.kind == Kind::FrameRead;
        });
        if (u.forcedHold && u.kind == Kind::FrameRead && lastOfTransfer && m_device->faults.bulkTimeouts > 0)
            --m_device->faults.bulkTimeouts;
        m_done.push_back(u);
        finish(0);
        return;
    }
    auto done = std::find_if(m_done.begin(), m_done.end(), matches);
    if (done != m_done.end() && done->fillAtReap) {
        // Ready but not yet reaped: it ends without taking the frame.
        endUnanswered(*done, -ENOENT, Outcome::Discarded);
        finish(0);
        return;
    }
    // Already complete: libusb then reaps it as usual.
    finish(-1, EINVAL);
}

void UsbfsClient::frameReadDone(Urb u) {
    u.fillAtReap = true;
    const Clock::time_point start = std::max(Clock::now(), m_device->function->bulkReadyAt());
    u.dueAt = m_device->pacing.schedule(static_cast<std::size_t>(asUrb(u.data)->buffer_length), start);
    m_done.push_back(u);
}

Clock::time_point UsbfsClient::nextDue() const {
    const Clock::time_point now = Clock::now();
    Clock::time_point due{};
    for (const Urb& u : m_done)
        if (u.fillAtReap && u.dueAt > now && (due == Clock::time_point{} || u.dueAt < due))
            due = u.dueAt;
    return due;
}

Clock::time_point UsbfsClient::wakeAt() const {
    // A frame due here also ends a wait on another descriptor: libusb's
    // event handling may be waiting there.
    const Clock::time_point due = nextDue();
    if (!m_parked || m_waitUntil == Clock::time_point{} ||
        (due != Clock::time_point{} && due < m_waitUntil))
        return due;
    return m_waitUntil;
}

bool UsbfsClient::hasDeliverable() const {
    const Clock::time_point now = Clock::now();
    return std::any_of(m_done.begin(), m_done.end(),
                       [now](const Urb& u) { return !u.fillAtReap || u.dueAt <= now; });
}

void UsbfsClient::endWait() {
    if (!m_parked || m_waitUntil == Clock::time_point{})
        return;
    unpark();
    finish(-1, EAGAIN);
}

void UsbfsClient::unpark() {
    m_parked = false;
    m_waitUntil = {};
}

void UsbfsClient::reap(bool blocking) {
    if (deliverNext())
        return;
    if (!live()) {
        finish(-1, ENODEV);
    } else if (blocking) {
        m_parked = true;
    } else if (nextDue() != Clock::time_point{}) {
        m_parked = true;
        m_waitUntil = Clock::now() + kReapWait;
    } else {
        finish(-1, EAGAIN);
    }
}

bool UsbfsClient::deliverNext() {
    const Clock::time_point now = Clock::now();
    for (auto it = m_done.begin(); it != m_done.end();) {
        if (it->fillAtReap && it->dueAt > now) {
            ++it;  // still crossing its link
            continue;
        }
        Urb u = *it;
        it = m_done.erase(it);
        if (u.fillAtReap && !fillFrameRead(u)) {
            // The frame went away since it was announced: wait again.
            m_held.push_front(u);
            continue;
        }
        Resolved pointer(umockdev_ioctl_client_get_arg(m_client), 0, sizeof(void*));
        if (!pointer) {
            g_object_unref(u.data);
            finish(-1, EFAULT);
            return true;
        }
        umockdev_ioctl_data_set_ptr(pointer.get(), 0, u.data);
        g_object_unref(u.data);
        finish(0);
        return true;
    }
    return false;
}

bool UsbfsClient::fillFrameRead(Urb& u) {
    DeviceCore& dev = *m_device;
    usbdevfs_urb* urb = asUrb(u.data);
    const auto length = static_cast<std::size_t>(urb->buffer_length);
    if (dev.faults.bulkIoErrors > 0) {
        --dev.faults.bulkIoErrors;
        endUnanswered(u, -EPROTO, Outcome::IoError);
        return true;
    }
    // The frame goes straight into libusb's buffer when libusb runs in this
    // process: it waits in the reap and does not touch the buffer meanwhile.
    // Otherwise the buffer is fetched now, while the client waits in the reap,
    // and crosses umockdev's socket once in each direction.
    uint8_t* destination = nullptr;
    std::unique_ptr<Resolved> buffer;
    if (length != 0 && submittedByThisProcess(u.data)) {
        destination = static_cast<uint8_t*>(urb->buffer);
    } else if (length != 0) {
        buffer = std::make_unique<Resolved>(u.data, kBufferField, length);
        if (!*buffer) {
            endUnanswered(u, -EPROTO, Outcome::IoError);
            return true;
        }
        destination = buffer->bytes();
    }
    const std::size_t wanted = u.partialTimeout ? std::min<std::size_t>(length, u.partialBytes) : length;
    long n = dev.function->bulkIn(destination, wanted);
    if (n < 0 && !u.partialTimeout)
        return false;
    if (n < 0)
        n = 0;  // timed out with nothing to send
    const auto actual = static_cast<uint32_t>(std::min<std::size_t>(static_cast<std::size_t>(n), wanted));
    urb->actual_length = static_cast<int>(actual);
    urb->status = u.partialTimeout ? -ENOENT : 0;
    u.fillAtReap = false;
    dev.log.addBulk(urb->endpoint, static_cast<uint32_t>(length), actual,
                    u.partialTimeout ? Outcome::TimedOut : Outcome::Ok);
    return true;
}

void UsbfsClient::releaseFrameReads() {
    auto waiting = [](const Urb& u) { return u.kind == Kind::FrameRead && !u.forcedHold; };
    for (auto it = m_held.begin(); it != m_held.end();) {
        if (waiting(*it)) {
            frameReadDone(*it);
            it = m_held.erase(it);
        } else {
            ++it;
        }
    }
}

void UsbfsClient::failAll() {
    for (Urb& u : m_done)
        if (u.fillAtReap)
            endUnanswered(u, -ENODEV, Outcome::NoDevice);
    for (Urb& u : m_held) {
        endUnanswered(u, -ENODEV, Outcome::NoDevice);
        m_done.push_back(u);
    }
    m_held.clear();
}

void UsbfsClient::serveParkedReap() {
    if (!m_parked)
        return;
    if (deliverNext()) {
        unpark();
    } else if (!live()) {
        unpark();
        finish(-1, ENODEV);
    } else if (m_waitUntil != Clock::time_point{} && Clock::now() >= m_waitUntil) {
        unpark();
        finish(-1, EAGAIN);
    }
}

}  // namespace zoqsim
