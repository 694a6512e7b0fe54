#pragma once
// The commands of tickvane-cli. Each takes the arguments after its name and returns the exit
// code: 0 success, 1 failure (reported on stderr), 2 bad usage.

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

int RunListCommand(const Arguments& arguments);
int RunQuotesCommand(const Arguments& arguments);
int RunRenderCommand(const Arguments& arguments);
int RunExportCommand(const Arguments& arguments);
int RunStudiesCommand(const Arguments& arguments);
int RunSummaryCommand(const Arguments& arguments);
int RunCheckCommand(const Arguments& arguments);

int UsageError(const std::string& message);
// The one quote folder (or index file) that `command` takes as its only argument, as
// QuoteFolderOf finds it. Otherwise says why and sets `exitCode`: 2 for bad usage,
// `notFolderCode` for a path that names no quote folder.
bool FolderOperand(const Arguments& arguments, const char* command, int notFolderCode,
                   std::string& folder, int& exitCode);
// Parses a whole decimal integer; false for anything else.
bool ParseInt(const std::string& text, int& value);
