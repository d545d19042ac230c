// The program's command line.
#pragma once

#include <string>
#include <vector>

struct TCommandLine {
    std::string languageWord;  // the first word that is not an option: ENGLISH, CESKY, DEUTSCH
    bool demo = false;         // the built-in virtual unit comes first (Com 1)
    std::string port;          // --port DEVICE: this device comes first (Com 1)
    std::string configDir;     // --config-dir DIR
    std::vector<std::string> demoFaults;  // --demo-fault NAME[=N], for the virtual unit
    std::string replay;       // --replay FILE: a monitor log played back by the virtual unit
    std::string replaySpeed;  // --replay-speed X
    bool help = false;
    bool version = false;
    std::string error;  // not empty when the command line cannot be used
};

TCommandLine ParseCommandLine(const std::vector<std::string>& args);
const char* CommandLineUsage();
