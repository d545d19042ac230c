// The subcommands of quorvel05-cli; each returns the program's exit code.
#pragma once

#include "cli_options.h"

// Parameter files, no unit.
int RunShow(const TCliOptions& options);
int RunDiff(const TCliOptions& options);
int RunCheck(const TCliOptions& options);
int RunNew(const TCliOptions& options);

// With the unit.
int RunRead(const TCliOptions& options);
int RunProgram(const TCliOptions& options);
int RunVerify(const TCliOptions& options);
int RunMonitor(const TCliOptions& options);

// "quorvel05-cli: " and the message on standard error.
void CliError(const std::string& message);
