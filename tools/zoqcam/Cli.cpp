#include "Cli.h"

#include <getopt.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace zoqcam {

namespace {

constexpr unsigned Bit(Command command) {
    return 1u << static_cast<unsigned>(command);
}

constexpr unsigned kCameraCommands =
    Bit(Command::Info) | Bit(Command::Params) | Bit(Command::Query) | Bit(Command::Capture) |
    Bit(Command::Stream) | Bit(Command::Eeprom) | Bit(Command::Settings);
constexpr unsigned kFrameCommands = Bit(Command::Capture) | Bit(Command::Stream);
constexpr unsigned kSettingCommands = kFrameCommands | Bit(Command::Settings);
constexpr unsigned kEveryCommand = ~0u;

struct CommandInfo {
    Command command;
    const char* name;
    const char* synopsis;
    const char* summary;
};

constexpr CommandInfo kCommands[] = {
    {Command::List, "list", "list [--json]",
     "index, device type, model, serial number and firmware of every camera"},
    {Command::Info, "info", "info INDEX [--json]",
     "identity, sizes, capabilities and every setting in effect"},
    {Command::Params, "params", "params INDEX [--json]",
     "the numbered parameters with their ranges and values"},
    {Command::Query, "query", "query INDEX [--json]", "every capability answer by name"},
    {Command::Capture, "capture", "capture INDEX [SETTINGS] [-n N] [-o DIR] [-f FORMAT]",
     "apply settings, then capture N frames (default 1) into files"},
    {Command::Stream, "stream", "stream INDEX [SETTINGS] [-n N | -t SECONDS] [--save-every N]",
     "capture continuously with a live line of frame rate, bandwidth and failed frames"},
    {Command::Eeprom, "eeprom", "eeprom dump|get|set INDEX [ITEM|ADDR[:COUNT]] [VALUE] [--yes]",
     "the camera's EEPROM: typed items and raw bytes (writes need --yes)"},
    {Command::Settings, "settings", "settings save|load|show INDEX [FILE] [SETTINGS]",
     "write the settings in effect to a file, or apply a file and show the result"},
    {Command::Help, "help", "help [COMMAND]", "this help, or a command's"},
    {Command::Version, "version", "version", "the SDK version"},
};

const CommandInfo* FindCommand(const std::string& name) {
    for (const CommandInfo& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

enum OptionId {
    kSimulate = 1000,
    kLogDir,
    kNoLog,
    kSaveEvery,
    kQuality,
    kOverwrite,
    kSettingsFile,
    kFirstSetting = 2000,
};

struct ToolOption {
    const char* name;
    int hasArg;
    int id;  // the short letter, or an OptionId
    unsigned commands;
    const char* metavar;
    const char* help;
};

constexpr ToolOption kToolOptions[] = {
    {"simulate", optional_argument, kSimulate, kEveryCommand, "[=CAMERAS]",
     "run against simulated cameras (see SIMULATION below)"},
    {"log-dir", required_argument, kLogDir, kEveryCommand, "DIR",
     "folder of the cameras' log files (default: $XDG_CACHE_HOME/zoq or ~/.cache/zoq)"},
    {"no-log", no_argument, kNoLog, kEveryCommand, "", "write no log files"},
    {"verbose", no_argument, 'v', kEveryCommand, "", "say more on standard error"},
    {"quiet", no_argument, 'q', kEveryCommand, "",
     "only errors on standard error (no echoes, no progress, no library lines)"},
    {"help", no_argument, 'h', kEveryCommand, "", "the usage, or a command's"},
    {"version", no_argument, 'V', kEveryCommand, "", "the SDK version"},
    {"serial", required_argument, 's', kCameraCommands, "N",
     "choose the camera by serial number instead of INDEX"},
    {"json", no_argument, 'j',
     Bit(Command::List) | Bit(Command::Info) | Bit(Command::Params) | Bit(Command::Query) |
         Bit(Command::Eeprom),
     "", "results as JSON"},
    {"count", required_argument, 'n', kFrameCommands, "N",
     "frames to capture (capture: default 1; stream: default until -t or Ctrl-C)"},
    {"seconds", required_argument, 't', Bit(Command::Stream), "S", "stream for S seconds"},
    {"save-every", required_argument, kSaveEvery, Bit(Command::Stream), "N",
     "save every Nth frame of a stream"},
    {"out", required_argument, 'o', kFrameCommands, "DIR", "folder for the files (default .)"},
    {"format", required_argument, 'f', kFrameCommands, "FORMAT",
     "bmp, jpg, png, pgm, ppm or raw (default bmp; pgm for raw output)"},
    {"quality", required_argument, kQuality, kFrameCommands, "Q", "JPEG quality 1-100 (90)"},
    {"overwrite", no_argument, kOverwrite, kFrameCommands, "",
     "number files from 0 again, replacing earlier ones"},
    {"settings", required_argument, kSettingsFile, kSettingCommands, "FILE",
     "apply a settings file first (see settings save)"},
    {"yes", no_argument, 'y', Bit(Command::Eeprom), "", "really write the EEPROM"},
};

// Short forms of the most used settings.
struct SettingShort {
    const char* name;
    char letter;
};
constexpr SettingShort kSettingShorts[] = {{"exposure", 'e'}, {"gain", 'g'}};

bool ParseInt(const char* text, int* value) {
    char* end = nullptr;
    errno = 0;
    const long v = strtol(text, &end, 0);
    if (*text == '\0' || *end != '\0' || errno != 0 || v < -2147483647L || v > 2147483647L)
        return false;
    *value = static_cast<int>(v);
    return true;
}

int Usage(const char* format, const std::string& detail = "") {
    fprintf(stderr, "zoqcam: ");
    fprintf(stderr, format, detail.c_str());
    fprintf(stderr, "\nrun 'zoqcam --help' for the usage\n");
    return kUsage;
}

const char* OptionName(int id) {
    for (const ToolOption& o : kToolOptions)
        if (o.id == id) return o.name;
    return "";
}

// The camera and what follows it, by command.
int ReadPositionals(const std::vector<std::string>& words, Options* options) {
    size_t next = 1;
    const Command c = options->command;
    if (c == Command::Help) {
        if (words.size() > 2) return Usage("help takes one command");
        if (words.size() == 2) {
            const CommandInfo* topic = FindCommand(words[1]);
            if (topic == nullptr) return Usage("no command %s", words[1]);
            options->helpTopic = topic->command;
        }
        return kOk;
    }
    if (c == Command::Eeprom || c == Command::Settings) {
        static constexpr const char* kEepromActions[] = {"dump", "get", "set"};
        static constexpr const char* kSettingsActions[] = {"save", "load", "show"};
        const char* const* actions = c == Command::Eeprom ? kEepromActions : kSettingsActions;
        if (words.size() < 2) return Usage("%s needs an action", CommandName(c));
        options->action = words[1];
        bool known = false;
        for (int a = 0; a < 3; ++a) known |= options->action == actions[a];
        if (!known) return Usage("unknown action %s", options->action);
        next = 2;
    }
    if (Bit(c) & kCameraCommands) {
        if (!options->serial) {
            if (words.size() <= next || !ParseInt(words[next].c_str(), &options->index) ||
                options->index < 0)
                return Usage("%s needs a camera INDEX (or --serial N)", CommandName(c));
            ++next;
        }
    }
    options->args.assign(words.begin() + static_cast<long>(next), words.end());
    size_t wanted = 0;
    if (c == Command::Eeprom)
        wanted = options->action == "get" ? 1 : options->action == "set" ? 2 : 0;
    if (c == Command::Settings) wanted = options->action == "show" ? 0 : 1;
    if (options->args.size() != wanted)
        return Usage(
            "%s: wrong number of arguments",
            std::string(CommandName(c)) + (options->action.empty() ? "" : " " + options->action));
    return kOk;
}

int CheckFormat(const std::string& format) {
    for (const char* known : {"bmp", "jpg", "png", "pgm", "ppm", "raw"})
        if (format == known) return kOk;
    if (format == "jpeg") return kOk;
    return Usage("unknown file format %s (bmp, jpg, png, pgm, ppm, raw)", format);
}

// An option and its help, the help from column 37 and wrapped at 100.
void PrintWrapped(FILE* out, const std::string& head, const std::string& help) {
    constexpr size_t kColumn = 37, kWidth = 100;
    fputs(head.c_str(), out);
    size_t column = head.size();
    if (column + 1 >= kColumn) {
        fputc('\n', out);
        column = 0;
    }
    size_t at = 0;
    while (at < help.size()) {
        size_t end = help.size();
        if (end - at > kWidth - kColumn) {
            end = help.rfind(' ', at + kWidth - kColumn);
            if (end == std::string::npos || end <= at) end = help.find(' ', at);
            if (end == std::string::npos) end = help.size();
        }
        fprintf(out, "%*s%s\n", static_cast<int>(kColumn - column), "",
                help.substr(at, end - at).c_str());
        column = 0;
        at = end + 1;
    }
}

}  // namespace

const char* CommandName(Command command) {
    for (const CommandInfo& c : kCommands)
        if (c.command == command) return c.name;
    return "zoqcam";
}

int ParseCommandLine(int argc, char** argv, Options* options) {
    const std::vector<Setting>& settings = Settings();
    std::vector<option> longOptions;
    // A leading ':' tells a missing value from an unknown option.
    std::string shortOptions = ":";
    for (const ToolOption& o : kToolOptions) {
        longOptions.push_back({o.name, o.hasArg, nullptr, o.id});
        if (o.id < 128) shortOptions += std::string(1, char(o.id)) + (o.hasArg ? ":" : "");
    }
    for (size_t i = 0; i < settings.size(); ++i)
        longOptions.push_back(
            {settings[i].name, required_argument, nullptr, kFirstSetting + static_cast<int>(i)});
    for (const SettingShort& s : kSettingShorts) shortOptions += std::string(1, s.letter) + ":";
    longOptions.push_back({nullptr, 0, nullptr, 0});

    struct Seen {
        int id;
        std::string text;
    };
    std::vector<Seen> seen;
    opterr = 0;
    optind = 1;
    int id = 0;
    int longIndex = -1;
    while ((id = getopt_long(argc, argv, shortOptions.c_str(), longOptions.data(), &longIndex)) !=
           -1) {
        if (id == ':') return Usage("%s needs a value", argv[optind - 1]);
        if (id == '?') {
            const char* arg = argv[optind - 1];
            if (optopt != 0 && strncmp(arg, "--", 2) != 0)
                return Usage("unknown option -%s", std::string(1, char(optopt)));
            return Usage("unknown option %s", arg);
        }
        for (const SettingShort& s : kSettingShorts) {
            if (id != s.letter) continue;
            const Setting* setting = FindSetting(s.name);
            id = kFirstSetting + static_cast<int>(setting - settings.data());
        }
        seen.push_back({id, optarg != nullptr ? optarg : ""});
    }
    std::vector<std::string> words(argv + optind, argv + argc);

    // The command first: whether an option fits depends on it.
    for (const Seen& s : seen) {
        if (s.id == 'h') options->command = Command::Help;
        if (s.id == 'V' && options->command != Command::Help) options->command = Command::Version;
    }
    if (!words.empty()) {
        const CommandInfo* command = FindCommand(words[0]);
        if (command == nullptr) return Usage("unknown command %s", words[0]);
        if (options->command == Command::Help)
            options->helpTopic = command->command;
        else if (options->command != Command::Version)
            options->command = command->command;
    }
    if (options->command == Command::None) return Usage("no command given");

    for (const Seen& s : seen) {
        const char* value = s.text.c_str();
        if (s.id >= kFirstSetting) {
            const Setting& setting = settings[static_cast<size_t>(s.id - kFirstSetting)];
            if (!(Bit(options->command) & kSettingCommands) && options->command != Command::Help &&
                options->command != Command::Version)
                return Usage("--%s is a camera setting: capture, stream and settings take it",
                             setting.name);
            SettingValue parsed;
            std::string why;
            if (!ParseValue(setting, s.text, &parsed, &why))
                return Usage("--%s", std::string(setting.name) + " " + s.text + ": " + why);
            options->settings.push_back({&setting, s.text, std::string("--") + setting.name});
            continue;
        }
        unsigned commands = kEveryCommand;
        for (const ToolOption& o : kToolOptions)
            if (o.id == s.id) commands = o.commands;
        if (!(Bit(options->command) & commands) && options->command != Command::Help &&
            options->command != Command::Version)
            return Usage(
                "--%s does not apply to this command",
                std::string(OptionName(s.id)) + " (" + CommandName(options->command) + ")");
        switch (s.id) {
            case kSimulate:
                options->simulate = true;
                if (!s.text.empty()) options->simulation = s.text;
                break;
            case kLogDir:
                options->logDir = s.text;
                if (s.text.empty()) return Usage("--log-dir needs a folder");
                break;
            case kNoLog:
                options->noLog = true;
                break;
            case 'v':
                options->verbose = true;
                break;
            case 'q':
                options->quiet = true;
                break;
            case 's': {
                int serial = 0;
                if (!ParseInt(value, &serial) || serial < 0)
                    return Usage("--serial needs a serial number, not %s", s.text);
                options->serial = serial;
                break;
            }
            case 'j':
                options->json = true;
                break;
            case 'n':
                if (!ParseInt(value, &options->count) || options->count < 1)
                    return Usage("--count needs a positive number, not %s", s.text);
                break;
            case 't': {
                char* end = nullptr;
                options->seconds = strtod(value, &end);
                if (*value == '\0' || *end != '\0' || !(options->seconds > 0) ||
                    !std::isfinite(options->seconds))
                    return Usage("--seconds needs a positive number, not %s", s.text);
                break;
            }
            case kSaveEvery:
                if (!ParseInt(value, &options->saveEvery) || options->saveEvery < 1)
                    return Usage("--save-every needs a positive number, not %s", s.text);
                break;
            case 'o':
                options->outDir = s.text;
                if (s.text.empty()) return Usage("--out needs a folder");
                break;
            case 'f':
                options->format = s.text == "jpeg" ? "jpg" : s.text;
                if (CheckFormat(options->format) != kOk) return kUsage;
                break;
            case kQuality:
                if (!ParseInt(value, &options->quality) || options->quality < 1 ||
                    options->quality > 100)
                    return Usage("--quality needs 1 to 100, not %s", s.text);
                break;
            case kOverwrite:
                options->overwrite = true;
                break;
            case kSettingsFile:
                options->settingsFile = s.text;
                break;
            case 'y':
                options->yes = true;
                break;
            default:
                break;
        }
    }
    if (options->command != Command::Help && options->command != Command::Version) {
        const int status = ReadPositionals(words, options);
        if (status != kOk) return status;
    }
    if (options->quiet && options->verbose)
        return Usage("--quiet and --verbose exclude each other");
    return kOk;
}

void PrintHelp(Command topic) {
    FILE* out = stdout;
    const auto option = [&](const char* shortName, const char* name, const char* metavar,
                            const char* help) {
        char head[128];
        const bool spaced = *metavar != '\0' && *metavar != '[';
        snprintf(head, sizeof head, "  %s%s--%s%s%s", shortName, *shortName ? ", " : "    ", name,
                 spaced ? " " : "", metavar);
        PrintWrapped(out, head, help);
    };
    // The global options, or those of one command.
    const auto toolOptions = [&](unsigned commands) {
        for (const ToolOption& o : kToolOptions) {
            const bool global = o.commands == kEveryCommand;
            if (commands == kEveryCommand ? !global : global || !(o.commands & commands)) continue;
            char shortName[3] = "";
            if (o.id < 128) snprintf(shortName, sizeof shortName, "-%c", char(o.id));
            option(shortName, o.name, o.metavar, o.help);
        }
    };
    if (topic == Command::None || topic == Command::Help || topic == Command::Version) {
        fprintf(out, "usage: zoqcam [GLOBAL OPTIONS] COMMAND [ARGUMENTS] [OPTIONS]\n\ncommands:\n");
        for (const CommandInfo& c : kCommands)
            fprintf(out, "  %-62s\n      %s\n", c.synopsis, c.summary);
        fprintf(out, "\nglobal options:\n");
        toolOptions(kEveryCommand);
        fprintf(out,
                "\nResults go to standard output; applied settings, progress, statistics and\n"
                "errors to standard error. 'zoqcam COMMAND --help' lists a command's options\n"
                "and, for capture, stream and settings, every camera setting.\n"
                "\nSIMULATION: --simulate[=CAMERAS] runs against simulated cameras (zoqsim-run).\n"
                "CAMERAS lists them by device type: 52,53 or 52x2 or all (one of every type);\n"
                "a camera may carry faults: TYPE:FAULT[:FAULT], FAULT one of timeout[@F],\n"
                "short[@F], error, denied, unplug@MS, replug@MS, with xN for N in a row\n"
                "(timeout@5x3: frames 5 to 7 time out). Default 52.\n"
                "\nexit status: 0 success, 1 a camera or file failed, 2 usage error or a value\n"
                "this camera cannot take.\n");
        return;
    }
    for (const CommandInfo& c : kCommands)
        if (c.command == topic) fprintf(out, "usage: zoqcam %s\n%s\n", c.synopsis, c.summary);
    fprintf(out, "\noptions:\n");
    toolOptions(Bit(topic));
    if (!(Bit(topic) & kSettingCommands)) return;
    fprintf(out,
            "\ncamera settings (applied in this order; each checked against the camera's\n"
            "range and echoed on standard error as the camera keeps it):\n");
    const char* family = "";
    for (const Setting& s : Settings()) {
        if (strcmp(family, s.family) != 0) fprintf(out, "  %s:\n", s.family);
        family = s.family;
        char shortName[3] = "";
        for (const SettingShort& sh : kSettingShorts)
            if (strcmp(sh.name, s.name) == 0)
                snprintf(shortName, sizeof shortName, "-%c", sh.letter);
        option(shortName, s.name, s.metavar, s.help);
    }
}

}  // namespace zoqcam
