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
// Parses a whole decimal integer; false for anything else.
bool ParseInt(const std::string& text, int& value);
