// zoqcam's command line: global options, the command and its arguments,
// the command's own options and the camera settings, parsed with
// getopt_long (--opt=value and --opt value, short forms for the common ones).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Console.h"
#include "settings/Settings.h"

namespace zoqcam {

enum class Command {
    None,
    Help,
    Version,
    List,
    Info,
    Params,
    Query,
    Capture,
    Stream,
    Eeprom,
    Settings
};

struct Options {
    // Global.
    bool simulate = false;
    std::string simulation = "52";  // --simulate=CAMERAS
    std::string logDir;             // empty: the user's cache folder
    bool noLog = false;
    bool verbose = false;
    bool quiet = false;
    std::optional<int> serial;

    Command command = Command::None;
    Command helpTopic = Command::None;  // `help COMMAND`, `COMMAND --help`
    std::string action;                 // eeprom dump|get|set, settings save|load|show
    int index = -1;                     // camera index, unless --serial
    std::vector<std::string> args;      // what follows: EEPROM item and value, settings file

    // Command options.
    bool json = false;
    bool yes = false;
    int count = 0;  // 0: capture one frame, stream until stopped
    double seconds = 0;
    int saveEvery = 0;  // stream: save every Nth frame (0: none)
    std::string outDir = ".";
    std::string format;  // empty: bmp, or pgm for raw output
    int quality = 90;
    bool overwrite = false;
    std::string settingsFile;  // --settings FILE, applied before the command line's
    std::vector<SettingArg> settings;
};

// Parses argv. Returns kOk, or kUsage after a message.
int ParseCommandLine(int argc, char** argv, Options* options);

// The usage of zoqcam, or of one command, on standard output.
void PrintHelp(Command topic);

const char* CommandName(Command command);

}  // namespace zoqcam
