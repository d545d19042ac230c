// The command line of quorvel05-cli: the subcommand, its files and options, and the help texts.
#pragma once

#include <string>
#include <vector>

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitDiffers = 1;  // a difference, a change sanitizing would make, a failed verify
constexpr int kExitUsage = 2;    // a wrong command line, a file that cannot be read or written
constexpr int kExitNoUnit = 3;   // no unit answering

enum class TCliCommand { None, Show, Diff, Check, New, Read, Program, Verify, Monitor };

struct TCliOptions {
    TCliCommand command = TCliCommand::None;
    std::vector<std::string> files;  // the command's file arguments, in order
    bool help = false;
    bool version = false;
    bool json = false;
    int bike = -1;       // --bike N, -1 when not given
    std::string output;  // -o FILE
    std::string port;    // --port DEVICE or "auto"; empty when not given
    bool demo = false;   // --demo: the built-in virtual unit
    std::string csv;     // --csv FILE
    int seconds = 0;     // --seconds N; 0: until stopped
};

// False with a message for a command line that makes no sense (unknown command or option, an
// option the command does not take, a missing or surplus file, a bad number).
bool ParseCliArgs(const std::vector<std::string>& args, TCliOptions& options, std::string& error);

// The help of a command, or the overall help for TCliCommand::None.
std::string CliHelp(TCliCommand command);
