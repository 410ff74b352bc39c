// list, info, params and query: what the cameras are and what they can do,
// as text or JSON.
#include "Camera.h"
#include "Capabilities.h"
#include "Commands.h"
#include "Json.h"
#include "Report.h"
#include "settings/Settings.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

Json Identity(int index, int* rc) {
    unsigned short type = 0, firmware = 0, fpga = 0;
    int serial = 0;
    Json camera = Json::Object();
    camera.Set("index", index);
    *rc = ZOQ_DeviceGetInformationEx(index, &type, &serial, &firmware, &fpga);
    if (*rc != RC_SUCCESS) {
        camera.Set("error", ErrorText(*rc));
        return camera;
    }
    const std::string model = ModelName(type);
    camera.Set("type", int(type));
    camera.Set("model", model.empty() ? Json() : Json(model));
    camera.Set("serial", serial);
    camera.Set("firmware", VersionText(firmware));
    camera.Set("fpga", VersionText(fpga));
    return camera;
}

}  // namespace

int RunList(const Options& options, bool* complete) {
    const int count = ZOQ_DeviceGetCount();
    *complete = count > 0;
    if (count < 0) return Check(count, "counting cameras") ? kOk : kFailed;
    Json cameras = Json::Array();
    for (int i = 0; i < count; ++i) {
        int rc = RC_SUCCESS;
        cameras.Add(Identity(i, &rc));
        *complete = *complete && rc == RC_SUCCESS;
    }
    FILE* out = Out();
    if (options.json) {
        Json document = Json::Object();
        document.Set("count", count);
        document.Set("cameras", cameras);
        document.Write(out);
        return kOk;
    }
    fprintf(out, "%d camera%s\n", count, count == 1 ? "" : "s");
    if (count > 0)
        fprintf(out, "%-6s %-6s %-16s %-7s %s\n", "index", "type", "model", "serial", "firmware");
    for (int i = 0; i < count; ++i) {
        unsigned short type = 0, firmware = 0;
        int serial = 0;
        const int rc = ZOQ_DeviceGetInformation(i, &type, &serial, &firmware);
        if (rc != RC_SUCCESS) {
            fprintf(out, "%-6d (%s)\n", i, ErrorText(rc).c_str());
            continue;
        }
        const std::string model = ModelName(type);
        fprintf(out, "%-6d %-6u %-16s %-7d %s\n", i, type,
                model.empty() ? "(no plug-in)" : model.c_str(), serial,
                VersionText(firmware).c_str());
    }
    return kOk;
}

int RunInfo(const Options& options, int index) {
    int rc = RC_SUCCESS;
    Json info = Identity(index, &rc);
    if (!Check(rc, "reading the camera's identity")) return kFailed;
    info.Set("monochrome", IsMonochrome(index));
    int cs = 0, rs = 0, width = 0, height = 0, bits = 0;
    ZOQ_ADDRESSMODE cm{}, rm{};
    Json sensor = Json::Object();
    if (ZOQ_CaptureGetDefaultFieldOfView(index, &cs, &rs, &width, &height, &cm, &rm) ==
        RC_SUCCESS) {
        sensor.Set("width", width);
        sensor.Set("height", height);
    }
    info.Set("sensor", sensor);
    Json capture = Json::Object();
    if (ZOQ_CaptureGetSizeEx(index, &width, &height, &bits) == RC_SUCCESS) {
        capture.Set("width", width);
        capture.Set("height", height);
        capture.Set("rgb_bits", bits);
    }
    info.Set("capture", capture);
    ZOQ_EEPROM_TYPE eeprom{};
    info.Set("eeprom_type",
             ZOQ_EEPROMTypeGet(index, &eeprom) == RC_SUCCESS ? Json(int(eeprom)) : Json());
    Json features = Json::Array();
    for (int f = ZOQ_FUNC_MIRROR; f < kFunctionCount; ++f)
        if (Has(index, f)) features.Add(FunctionName(f));
    info.Set("features", features);
    Session session;
    session.index = index;
    Json settings = Json::Object();
    const auto current = CurrentSettings(session);
    for (const auto& [name, text] : current) settings.Set(name, text);
    info.Set("settings", settings);

    FILE* out = Out();
    if (options.json) {
        info.Write(out);
        return kOk;
    }
    unsigned short type = 0, firmware = 0, fpga = 0;
    int serial = 0;
    ZOQ_DeviceGetInformationEx(index, &type, &serial, &firmware, &fpga);
    fprintf(out, "%s: type %u, firmware %s, FPGA %s, %s\n", CameraTitle(index).c_str(), type,
            VersionText(firmware).c_str(), VersionText(fpga).c_str(),
            IsMonochrome(index) ? "monochrome" : "colour");
    ZOQ_CaptureGetDefaultFieldOfView(index, &cs, &rs, &width, &height, &cm, &rm);
    fprintf(out, "  sensor:    %d x %d\n", width, height);
    ZOQ_CaptureGetSizeEx(index, &width, &height, &bits);
    fprintf(out, "  capture:   %d x %d, %d bits per RGB pixel\n", width, height, bits);
    fprintf(out, "  EEPROM:    type %d\n", int(eeprom));
    fprintf(out, "  features: ");
    for (int f = ZOQ_FUNC_MIRROR; f < kFunctionCount; ++f)
        if (Has(index, f)) fprintf(out, " %s", FunctionName(f));
    fprintf(out, "\nsettings:\n");
    for (const auto& [name, text] : current)
        fprintf(out, "  %-22s %s\n", name.c_str(), text.c_str());
    return kOk;
}

int RunParams(const Options& options, int index) {
    Json params = Json::Array();
    FILE* out = Out();
    if (!options.json)
        fprintf(out, "%-6s %-15s %10s %10s %10s\n", "number", "name", "value", "min", "max");
    for (int i = 0; i < ParamCount(); ++i) {
        const ParamName& p = Params()[i];
        const auto number = static_cast<ZOQ_PARAM>(p.number);
        int value = 0, lo = 0, hi = 0;  // flip and mirror fill only the first byte
        const int rc = ZOQ_GetParam(index, number, &value);
        const int rangeRc = ZOQ_GetParamRange(index, number, &lo, &hi);
        if (p.number == ZOQ_PARAM_FLIP || p.number == ZOQ_PARAM_MIRROR) value = (value & 0xFF) != 0;
        Json& entry = params.Add(Json::Object());
        entry.Set("number", p.number);
        entry.Set("name", p.name);
        entry.Set("value", rc == RC_SUCCESS ? Json(value) : Json());
        entry.Set("min", rangeRc == RC_SUCCESS ? Json(lo) : Json());
        entry.Set("max", rangeRc == RC_SUCCESS ? Json(hi) : Json());
        entry.Set("unit", p.unit);
        if (rc != RC_SUCCESS) entry.Set("error", ErrorText(rc));
        if (options.json) continue;
        const std::string v = rc == RC_SUCCESS ? std::to_string(value) : "(" + ErrorText(rc) + ")";
        fprintf(out, "%-6d %-15s %10s %10s %10s %s\n", p.number, p.name, v.c_str(),
                rangeRc == RC_SUCCESS ? std::to_string(lo).c_str() : "-",
                rangeRc == RC_SUCCESS ? std::to_string(hi).c_str() : "-", p.unit);
    }
    if (options.json) params.Write(out);
    return kOk;
}

int RunQuery(const Options& options, int index) {
    Json answers = Json::Array();
    FILE* out = Out();
    for (int f = 0; f < kFunctionCount; ++f) {
        int value = 0;
        const int rc = ZOQ_QueryFunction(index, static_cast<ZOQ_FUNCTION>(f), &value);
        if (rc != RC_SUCCESS && f == 0) return Check(rc, "querying the camera") ? kOk : kFailed;
        Json& entry = answers.Add(Json::Object());
        entry.Set("number", f);
        entry.Set("name", FunctionName(f));
        entry.Set("value", rc == RC_SUCCESS ? Json(value) : Json());
        if (!options.json) fprintf(out, "%2d %-24s %d\n", f, FunctionName(f), value);
    }
    if (options.json) answers.Write(out);
    return kOk;
}

}  // namespace zoqcam
