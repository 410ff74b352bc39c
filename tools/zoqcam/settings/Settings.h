// Camera settings by name: one table of every setting zoqcam can apply (its
// option name, value syntax, range, how it is applied and read back), and
// the shared code that parses, checks, applies, echoes, saves and loads
// them. The table lives in SettingsTable.cpp.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace zoqcam {

// What an RGB capture delivers; Raw captures the sensor data instead.
enum class Output { Unset, Raw, Gray, Bgr24, Bgr32 };

// The camera being set up, and the tool's own state that settings change.
struct Session {
    int index = 0;
    Output output = Output::Unset;
    bool topDown = false;
    // Data files applied in this run, by setting name, so that a saved
    // setup names them again.
    std::map<std::string, std::string> files;
};

// A parsed value: numbers for numeric, choice and on/off settings (a choice
// keeps its value, on/off 1 or 0), text for files.
struct SettingValue {
    std::vector<double> numbers;
    std::string text;
};

enum class Kind { Number, Choice, Switch, File };

// One word of a choice and the value it stands for; `capability` is the
// ZOQ_FUNCTION the camera must answer non-zero for it, or -1.
struct Choice {
    const char* name;
    int value;
    int capability;
};

// Allowed span of one component of a numeric value.
struct Bound {
    double min;
    double max;
};

// Results of the table's functions besides the API's return codes.
constexpr int kNothingToRead = 1;  // nothing to echo or save (not set, not in effect)

struct Setting {
    const char* name;     // the option (--NAME) and the key in a settings file
    const char* family;   // heading in the help
    const char* metavar;  // the value's syntax in the help
    const char* help;
    Kind kind;
    const char* const* parts;  // Number: the components' names, null-terminated
    int minParts;              // Number: components that may be left out at the end
    bool integer;              // Number: whole numbers only
    const Choice* choices;     // Choice: null-terminated by a null name
    const char* unit;          // after the echoed value, or ""
    int capability;            // ZOQ_FUNCTION needed, or -1
    bool colourOnly;           // refused on a monochrome camera
    bool saved;                // written by `settings save`
    // Fills one Bound per component from the camera (Number only); an
    // error code when the camera cannot say. Null: no limits beyond parsing.
    int (*range)(const Session&, std::vector<Bound>*);
    // Checks what the ranges cannot (a mode the setting needs, a window
    // inside the sensor); "" when fine.
    std::string (*check)(const Session&, const SettingValue&);
    int (*apply)(Session&, const SettingValue&);
    // The value in effect, or kNothingToRead; null: echo what was applied.
    int (*read)(const Session&, SettingValue*);
};

// The table, in the order settings are applied.
const std::vector<Setting>& Settings();
const Setting* FindSetting(const std::string& name);

// One setting as given on the command line or in a settings file.
struct SettingArg {
    const Setting* setting;
    std::string text;
    std::string origin;  // "--exposure" or "FILE:LINE", for messages
};

// Parses the text of a value; false with the reason.
bool ParseValue(const Setting& setting, const std::string& text, SettingValue* value,
                std::string* error);
std::string FormatValue(const Setting& setting, const SettingValue& value);

// Status of the whole step: 0, 1 when the camera failed, 2 when a value
// was out of range or not possible on this camera (each reported).
int ApplySettings(Session& session, const std::vector<SettingArg>& args);

// Reads a settings file ("name = value" lines, # comments; "-" is standard
// input): kOk, kFailed when it cannot be read, kUsage for a line that is not
// a setting (each after a message naming the line).
int ReadSettingsFile(const std::string& path, std::vector<SettingArg>* args);
// Writes every saved setting in effect as a settings file.
int WriteSettings(const Session& session, FILE* out, const std::string& heading);

// Every readable setting in effect, by name, as text.
std::vector<std::pair<std::string, std::string>> CurrentSettings(const Session& session);

// The Bayer mode for the session's output and row order, set on the camera.
int ComposeBayerMode(const Session& session);

}  // namespace zoqcam
