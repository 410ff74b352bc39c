#include "settings/Settings.h"

#include <strings.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "Capabilities.h"
#include "Console.h"
#include "Report.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool ParseNumber(const std::string& text, double* value) {
    const std::string t = Trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    *value = strtod(t.c_str(), &end);
    return *end == '\0' && std::isfinite(*value);
}

int PartCount(const Setting& setting) {
    int n = 0;
    while (setting.parts[n] != nullptr) ++n;
    return n;
}

const Choice* FindChoice(const Setting& setting, int value) {
    for (const Choice* c = setting.choices; c->name != nullptr; ++c)
        if (c->value == value) return c;
    return nullptr;
}

std::string Number(double value, bool integer) {
    char text[32];
    const bool whole = integer || (value == std::floor(value) && std::fabs(value) < 1e15);
    snprintf(text, sizeof text, whole ? "%.0f" : "%.6g", value);
    return text;
}

// Why the setting cannot be used on this camera at all, or "".
std::string Unavailable(const Session& session, const Setting& setting) {
    if (setting.colourOnly && IsMonochrome(session.index)) return "not on a monochrome camera";
    if (setting.capability >= 0 && !Has(session.index, setting.capability))
        return std::string("this camera has no ") + FunctionName(setting.capability);
    return "";
}

void Echo(const Session& session, const Setting& setting, const SettingValue& applied) {
    SettingValue now;
    const bool readBack = setting.read != nullptr && setting.read(session, &now) == RC_SUCCESS;
    const std::string text = FormatValue(setting, readBack ? now : applied);
    Note("%s = %s%s%s", setting.name, text.c_str(), *setting.unit ? " " : "", setting.unit);
}

// 0, or the status of the whole step after a message.
int ApplyOne(Session& session, const Setting& setting, const SettingArg& arg) {
    const char* origin = arg.origin.c_str();
    const char* text = arg.text.c_str();
    SettingValue value;
    std::string why;
    if (!ParseValue(setting, arg.text, &value, &why)) {
        Error("%s %s: %s", origin, text, why.c_str());
        return kUsage;
    }
    why = Unavailable(session, setting);
    if (setting.kind == Kind::Choice && why.empty()) {
        const Choice* choice = FindChoice(setting, static_cast<int>(value.numbers[0]));
        if (choice->capability >= 0 && !Has(session.index, choice->capability))
            why = std::string("this camera has no ") + FunctionName(choice->capability);
    }
    if (why.empty() && setting.range != nullptr) {
        std::vector<Bound> bounds;
        const int rc = setting.range(session, &bounds);
        if (rc != RC_SUCCESS) {
            Error("%s: reading this camera's range: %s (%d)", origin, ErrorText(rc).c_str(), rc);
            return kFailed;
        }
        const bool single = PartCount(setting) == 1;
        for (size_t i = 0; i < value.numbers.size() && i < bounds.size() && why.empty(); ++i) {
            const double v = value.numbers[i];
            if (v >= bounds[i].min && v <= bounds[i].max) continue;
            why = std::string(single ? ""
                                     : setting.parts[i] + std::string(" ") +
                                           Number(v, setting.integer) + " is ") +
                  "outside this camera's range " + Number(bounds[i].min, setting.integer) + " to " +
                  Number(bounds[i].max, setting.integer) + (*setting.unit ? " " : "") +
                  setting.unit;
        }
    }
    if (why.empty() && setting.check != nullptr) why = setting.check(session, value);
    if (!why.empty()) {
        Error("%s %s: %s", origin, text, why.c_str());
        return kUsage;
    }
    // What the camera has already needs no change (switching flat-field
    // correction off without frames, for one, is refused).
    SettingValue now;
    if (setting.read != nullptr && setting.read(session, &now) == RC_SUCCESS &&
        FormatValue(setting, now) == FormatValue(setting, value)) {
        Echo(session, setting, value);
        return kOk;
    }
    const int rc = setting.apply(session, value);
    if (rc == RC_PARAMETER_ERROR) {
        Error("%s %s: this camera does not take that value: %s (%d)", origin, text,
              ErrorText(rc).c_str(), rc);
        return kUsage;
    }
    if (rc != RC_SUCCESS) {
        Error("%s %s: %s (%d)", origin, text, ErrorText(rc).c_str(), rc);
        return kFailed;
    }
    Echo(session, setting, value);
    return kOk;
}

}  // namespace

const Setting* FindSetting(const std::string& name) {
    for (const Setting& setting : Settings())
        if (name == setting.name) return &setting;
    return nullptr;
}

bool ParseValue(const Setting& setting, const std::string& text, SettingValue* value,
                std::string* error) {
    value->numbers.clear();
    value->text.clear();
    switch (setting.kind) {
        case Kind::Number: {
            const int most = PartCount(setting);
            std::stringstream stream(text);
            std::string item;
            while (std::getline(stream, item, ',')) {
                double v = 0;
                if (!ParseNumber(item, &v) || (setting.integer && v != std::floor(v))) {
                    *error = std::string("needs ") +
                             (setting.integer ? "whole numbers" : "numbers") + " (" +
                             setting.metavar + ")";
                    return false;
                }
                value->numbers.push_back(v);
            }
            const int n = static_cast<int>(value->numbers.size());
            if (n < setting.minParts || n > most || text.empty() || text.back() == ',') {
                *error = std::string("needs ") + setting.metavar;
                return false;
            }
            return true;
        }
        case Kind::Choice: {
            const std::string word = Trim(text);
            double number = 0;
            const bool numeric = ParseNumber(word, &number);
            for (const Choice* c = setting.choices; c->name != nullptr; ++c) {
                if (strcasecmp(word.c_str(), c->name) == 0 || (numeric && number == c->value)) {
                    value->numbers = {static_cast<double>(c->value)};
                    return true;
                }
            }
            *error = std::string("needs one of ") + setting.metavar;
            return false;
        }
        case Kind::Switch: {
            const std::string word = Trim(text);
            for (const char* on : {"on", "yes", "true", "1"})
                if (strcasecmp(word.c_str(), on) == 0) value->numbers = {1};
            for (const char* off : {"off", "no", "false", "0"})
                if (strcasecmp(word.c_str(), off) == 0) value->numbers = {0};
            if (value->numbers.empty()) *error = "needs on or off";
            return !value->numbers.empty();
        }
        case Kind::File:
            value->text = Trim(text);
            if (value->text.empty()) *error = "needs a file name";
            return !value->text.empty();
    }
    return false;
}

std::string FormatValue(const Setting& setting, const SettingValue& value) {
    switch (setting.kind) {
        case Kind::Number: {
            std::string text;
            for (size_t i = 0; i < value.numbers.size(); ++i)
                text += (i ? "," : "") + Number(value.numbers[i], setting.integer);
            return text;
        }
        case Kind::Choice: {
            const int v = value.numbers.empty() ? 0 : static_cast<int>(value.numbers[0]);
            const Choice* choice = FindChoice(setting, v);
            return choice != nullptr ? choice->name : std::to_string(v);
        }
        case Kind::Switch:
            return !value.numbers.empty() && value.numbers[0] != 0 ? "on" : "off";
        case Kind::File:
            return value.text;
    }
    return "";
}

int ApplySettings(Session& session, const std::vector<SettingArg>& args) {
    // A later value replaces an earlier one: a settings file first, then
    // the command line.
    std::map<const Setting*, const SettingArg*> chosen;
    for (const SettingArg& arg : args) chosen[arg.setting] = &arg;
    for (const Setting& setting : Settings()) {
        const auto it = chosen.find(&setting);
        if (it == chosen.end()) continue;
        const int status = ApplyOne(session, setting, *it->second);
        if (status != kOk) return status;
    }
    return kOk;
}

int ReadSettingsFile(const std::string& path, std::vector<SettingArg>* args) {
    std::ifstream file;
    if (path != "-") {
        file.open(path);
        if (!file) {
            Error("cannot read %s: %s", path.c_str(), strerror(errno));
            return kFailed;
        }
    }
    std::istream& in = path == "-" ? std::cin : file;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = Trim(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        const std::string origin = path + ":" + std::to_string(number);
        const std::string name = Trim(line.substr(0, equals));
        const Setting* setting = FindSetting(name);
        if (equals == std::string::npos || setting == nullptr) {
            Error("%s: expected NAME = VALUE with a setting's name, found \"%s\"", origin.c_str(),
                  line.c_str());
            return kUsage;
        }
        SettingArg arg{setting, Trim(line.substr(equals + 1)), origin + " " + name};
        SettingValue value;
        std::string why;
        if (!ParseValue(*setting, arg.text, &value, &why)) {
            Error("%s %s: %s", arg.origin.c_str(), arg.text.c_str(), why.c_str());
            return kUsage;
        }
        args->push_back(arg);
    }
    return kOk;
}

std::vector<std::pair<std::string, std::string>> CurrentSettings(const Session& session) {
    std::vector<std::pair<std::string, std::string>> current;
    for (const Setting& setting : Settings()) {
        SettingValue value;
        if (setting.read == nullptr || !Unavailable(session, setting).empty() ||
            setting.read(session, &value) != RC_SUCCESS)
            continue;
        current.emplace_back(setting.name, FormatValue(setting, value));
    }
    return current;
}

int WriteSettings(const Session& session, FILE* out, const std::string& heading) {
    fprintf(out, "# %s\n", heading.c_str());
    for (const auto& [name, text] : CurrentSettings(session))
        if (FindSetting(name)->saved) fprintf(out, "%s = %s\n", name.c_str(), text.c_str());
    return ferror(out) ? kFailed : kOk;
}

int ComposeBayerMode(const Session& session) {
    if (session.output == Output::Raw) return RC_SUCCESS;
    ZOQ_BAYERMODE defaultMode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    int rc = ZOQ_BayerGetDefaultMode(session.index, &defaultMode);
    if (rc != RC_SUCCESS) return rc;
    Output output = session.output;
    if (output == Output::Unset)
        output = IsMonochrome(session.index) ? Output::Gray : Output::Bgr24;
    const int kind = output == Output::Gray    ? ZOQ_BAYER_BGGR_GRAY_BOTTOMUP
                     : output == Output::Bgr32 ? ZOQ_BAYER_BGGR_32_BOTTOMUP
                                               : ZOQ_BAYER_BGGR_24_BOTTOMUP;
    const int mode = kind + (session.topDown ? 4 : 0) + (defaultMode & 3);
    // The mode is stored even though the call reports that no preview
    // picture follows it.
    rc = ZOQ_BayerSetMode(session.index, static_cast<ZOQ_BAYERMODE>(mode));
    return rc == RC_NOT_SUPPORTED ? RC_SUCCESS : rc;
}

}  // namespace zoqcam
