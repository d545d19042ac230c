#include "cli_options.h"

#include <charconv>
#include <cstring>

#include "params/bike_types.h"

namespace {

enum : unsigned { kJson = 1, kBike = 2, kOut = 4, kPort = 8, kDemo = 16, kCsv = 32, kSeconds = 64 };

struct TCommandSpec {
    const char* name;
    TCliCommand command;
    int files;         // file arguments the command takes
    unsigned options;  // the options it accepts
    const char* help;
};

constexpr unsigned kUnit = kPort | kDemo;

const TCommandSpec kCommands[] = {
    {"show", TCliCommand::Show, 1, kJson,
     "usage: quorvel05-cli show FILE.ign [--json]\n"
     "Prints the parameter set of the file as the window shows it after Open: the settings, the\n"
     "curves and the three injection maps with their RPM axes, in rpm, degrees, percent, mV.\n"
     "  --json   one JSON object: every parameter by name with its unit and values\n"},
    {"diff", TCliCommand::Diff, 2, kJson,
     "usage: quorvel05-cli diff A.ign B.ign [--json]\n"
     "Prints every value in which B differs from A, by parameter and map cell, in the units the\n"
     "window shows. Exit code 1 when anything differs, 0 when nothing does.\n"
     "  --json   {\"count\": N, \"differences\": [{\"parameter\", \"index\" or "
     "\"row\"/\"column\",\n"
     "           \"unit\", \"a\", \"b\"}, ...]}\n"},
    {"check", TCliCommand::Check, 1, kJson,
     "usage: quorvel05-cli check FILE.ign [--json]\n"
     "Prints what sanitizing (the limits applied before every show, store and send) would change\n"
     "in the file's set. Exit code 1 when it would change anything, 0 when not.\n"
     "  --json   {\"count\": N, \"changes\": [{\"parameter\", ..., \"file\", \"sanitized\"}, "
     "...]}\n"},
    {"new", TCliCommand::New, 0, kBike | kOut,
     "usage: quorvel05-cli new --bike N -o FILE.ign\n"
     "Writes the default set of motorbike type N exactly as the window's New and Save write it.\n"
     "Motorbike types:\n"},
    {"read", TCliCommand::Read, 0, kUnit | kOut,
     "usage: quorvel05-cli read (--port DEVICE|auto | --demo) -o FILE.ign\n"
     "Reads the unit's parameter set into the file; progress on standard error.\n"},
    {"program", TCliCommand::Program, 1, kUnit,
     "usage: quorvel05-cli program FILE.ign (--port DEVICE|auto | --demo)\n"
     "Programs the file's set into the unit and verifies it; exit code 1 with the block that\n"
     "failed.\n"},
    {"verify", TCliCommand::Verify, 1, kUnit,
     "usage: quorvel05-cli verify FILE.ign (--port DEVICE|auto | --demo)\n"
     "Compares the unit's set with the file's; exit code 1 when they differ.\n"},
    {"monitor", TCliCommand::Monitor, 0, kUnit | kCsv | kSeconds,
     "usage: quorvel05-cli monitor (--port DEVICE|auto | --demo) [--csv FILE.csv] [--seconds N]\n"
     "Logs every monitor frame of the unit into a CSV file, for N seconds or until stopped.\n"},
};

const char kOverallHelp[] =
    "usage: quorvel05-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
    "       quorvel05-cli COMMAND --help | --help | --version\n"
    "\n"
    "Parameter files, no unit needed:\n"
    "  show FILE.ign [--json]           the set as tables (rpm, degrees, percent, mV)\n"
    "  diff A.ign B.ign [--json]        what differs, by parameter and map cell\n"
    "  check FILE.ign [--json]          what sanitizing would change\n"
    "  new --bike N -o FILE.ign         the default set of motorbike type N (0 to 4)\n"
    "With the unit, on --port DEVICE (auto: search the serial ports as the window does) or on\n"
    "the built-in virtual unit with --demo:\n"
    "  read -o FILE.ign                 read the unit's set into a file\n"
    "  program FILE.ign                 program the file's set and verify it\n"
    "  verify FILE.ign                  compare the unit's set with the file\n"
    "  monitor [--csv FILE.csv] [--seconds N]   log every monitor frame\n"
    "\n"
    "Exit codes: 0 ok; 1 a difference, a change sanitizing would make, or a failed verify;\n"
    "2 a wrong command line or a file that cannot be read or written; 3 no unit answering.\n";

const TCommandSpec* FindCommand(const std::string& name) {
    for (const TCommandSpec& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

bool ParseCount(const std::string& text, int low, int high, int& out) {
    int v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v < low || v > high)
        return false;
    out = v;
    return true;
}

}  // namespace

namespace {

// Takes the option at args[i] (and its value) into the options; false with the reason.
bool TakeOption(const std::vector<std::string>& args, size_t& i, unsigned allowed, TCliOptions& o,
                std::string& error) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    unsigned needed = 0;
    if (a == "--json") {
        needed = kJson;
        o.json = true;
    } else if (a == "--demo") {
        needed = kDemo;
        o.demo = true;
    } else if (a == "--bike" || a == "-o" || a == "--port" || a == "--csv" || a == "--seconds") {
        if (!hasValue) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        needed = a == "--bike"   ? kBike
                 : a == "-o"     ? kOut
                 : a == "--port" ? kPort
                 : a == "--csv"  ? kCsv
                                 : kSeconds;
        if (a == "--bike" && !ParseCount(v, 0, kBikeTypes - 1, o.bike))
            error = "--bike takes a motorbike type 0 to " + std::to_string(kBikeTypes - 1);
        if (a == "--seconds" && !ParseCount(v, 1, 24 * 3600, o.seconds))
            error = "--seconds takes a whole number of seconds, 1 to 86400";
        if (a == "-o") o.output = v;
        if (a == "--port") o.port = v;
        if (a == "--csv") o.csv = v;
        if (!error.empty()) return false;
    } else {
        error = "unknown option " + a;
        return false;
    }
    if ((allowed & needed) == 0) error = "option " + a + " does not go with this command";
    return error.empty();
}

// What the command needs beside its options.
bool CheckComplete(const TCommandSpec& spec, const TCliOptions& o, std::string& error) {
    if (static_cast<int>(o.files.size()) != spec.files)
        error = std::string(spec.name) + " takes " + std::to_string(spec.files) +
                (spec.files == 1 ? " file" : " files");
    else if (o.command == TCliCommand::New && (o.bike < 0 || o.output.empty()))
        error = "new needs --bike N and -o FILE";
    else if (o.command == TCliCommand::Read && o.output.empty())
        error = "read needs -o FILE";
    else if ((spec.options & kDemo) != 0 && o.demo == !o.port.empty())
        error = std::string(spec.name) + " needs either --port DEVICE (or auto) or --demo";
    return error.empty();
}

}  // namespace

bool ParseCliArgs(const std::vector<std::string>& args, TCliOptions& o, std::string& error) {
    o = TCliOptions();
    if (args.empty()) {
        error = "no command";
        return false;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "--version") {
        (args[0] == "--version" ? o.version : o.help) = true;
        return true;
    }
    const TCommandSpec* spec = FindCommand(args[0]);
    if (spec == nullptr) {
        error = "unknown command " + args[0];
        return false;
    }
    o.command = spec->command;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            o.help = true;
            return true;
        }
        if (args[i].size() > 1 && args[i][0] == '-') {
            if (!TakeOption(args, i, spec->options, o, error)) return false;
        } else {
            o.files.push_back(args[i]);
        }
    }
    return CheckComplete(*spec, o, error);
}

std::string CliHelp(TCliCommand command) {
    for (const TCommandSpec& c : kCommands) {
        if (c.command != command) continue;
        std::string help = c.help;
        if (command == TCliCommand::New)
            for (int b = 0; b < kBikeTypes; ++b) {
                std::string name = kBikeEntries[b];
                while (!name.empty() && name.back() == ' ') name.pop_back();
                help += "  " + std::to_string(b) + "  " + name + "\n";
            }
        return help +
               "Exit codes: 0 ok, 1 difference or verify failure, 2 usage or unreadable "
               "file, 3 no unit answering.\n";
    }
    return kOverallHelp;
}
