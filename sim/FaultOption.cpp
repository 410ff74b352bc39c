#include "FaultOption.h"

#include "SimCamera.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace zoqsim {

namespace {

struct KindName {
    const char* name;
    FaultKind kind;
    int requiredArgs;  // BYTES, REQUEST or MS before the optional N
    bool takesCount;
    bool takesFrame;  // @F
};

constexpr KindName kKinds[] = {
    {"denied", FaultKind::Denied, 0, false, false},
    {"control-timeout", FaultKind::ControlTimeout, 0, true, false},
    {"bulk-timeout", FaultKind::BulkTimeout, 0, true, false},
    {"bulk-error", FaultKind::BulkError, 0, true, false},
    {"short-frame", FaultKind::ShortFrame, 1, true, true},
    {"lost-frame", FaultKind::LostFrame, 0, true, true},
    {"refuse", FaultKind::Refuse, 1, true, false},
    {"unplug", FaultKind::Unplug, 1, false, false},
    {"replug", FaultKind::Replug, 1, false, false},
};

// A whole unsigned number, decimal or 0x-hexadecimal.
bool parseNumber(const std::string& text, unsigned long limit, unsigned long& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 0);
    return *end == '\0' && value <= limit;
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ':')) parts.push_back(part);
    if (!text.empty() && text.back() == ':') parts.emplace_back();
    return parts;
}

}  // namespace

bool parseFaultOption(const std::string& text, FaultOption& fault, std::string& error) {
    auto fail = [&](const std::string& why) {
        error = "fault \"" + text + "\": " + why;
        return false;
    };
    const std::size_t at = text.find('@');
    const std::vector<std::string> parts = split(text.substr(0, at));
    unsigned long frame = 1;
    if (at != std::string::npos &&
        (!parseNumber(text.substr(at + 1), 1000000, frame) || frame == 0))
        return fail("@ needs a frame number from 1");
    unsigned long camera = 0;
    if (parts.size() < 2 || !parseNumber(parts[0], 254, camera))
        return fail("expected CAMERA:KIND[:ARGS], e.g. 0:bulk-timeout:2");
    const KindName* kind = nullptr;
    for (const KindName& k : kKinds)
        if (parts[1] == k.name) kind = &k;
    if (kind == nullptr) return fail("unknown kind \"" + parts[1] + "\"");
    const std::size_t args = parts.size() - 2;
    const std::size_t most = kind->requiredArgs + (kind->takesCount ? 1 : 0);
    if (args < static_cast<std::size_t>(kind->requiredArgs) || args > most)
        return fail(std::string(kind->name) + " takes " +
                    (kind->requiredArgs ? "a number" : "no number") +
                    (kind->takesCount ? " and an optional count" : ""));
    if (at != std::string::npos && !kind->takesFrame)
        return fail(std::string(kind->name) + " takes no @FRAME");
    FaultOption out;
    out.camera = camera;
    out.kind = kind->kind;
    out.after = static_cast<unsigned>(frame - 1);
    const unsigned long valueLimit = kind->kind == FaultKind::Refuse ? 255 : 0xFFFFFFFFul;
    if (kind->requiredArgs == 1 && !parseNumber(parts[2], valueLimit, out.value))
        return fail("\"" + parts[2] + "\" is not a number in range");
    if (args == most && kind->takesCount) {
        unsigned long count = 0;
        if (!parseNumber(parts.back(), 1000000, count) || count == 0)
            return fail("the count must be 1 or more");
        out.count = static_cast<unsigned>(count);
    }
    fault = out;
    return true;
}

bool armsOnTransfers(FaultKind kind) {
    return kind != FaultKind::Denied && kind != FaultKind::Unplug && kind != FaultKind::Replug;
}

void armFault(SimCamera& camera, const FaultOption& fault) {
    switch (fault.kind) {
        case FaultKind::ControlTimeout:
            camera.timeOutControlTransfers(fault.count);
            break;
        case FaultKind::BulkTimeout:
            camera.timeOutBulkTransfers(fault.count);
            break;
        case FaultKind::BulkError:
            camera.failBulkReads(fault.count);
            break;
        case FaultKind::ShortFrame:
            camera.model().shortFrames(fault.value, static_cast<int>(fault.count),
                                       static_cast<int>(fault.after));
            break;
        case FaultKind::LostFrame:
            camera.model().loseFrames(static_cast<int>(fault.count), static_cast<int>(fault.after));
            break;
        case FaultKind::Refuse:
            camera.model().refuseRequests(static_cast<uint8_t>(fault.value),
                                          static_cast<int>(fault.count));
            break;
        case FaultKind::Denied:
        case FaultKind::Unplug:
        case FaultKind::Replug:
            break;
    }
}

std::string deviceNode(const SimCamera& camera) {
    char node[32];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", camera.busNumber(),
                  camera.deviceAddress());
    return node;
}

}  // namespace zoqsim
