#pragma once
// Starting programs from a benchmark, the way a script would.

#include <string>
#include <vector>

enum class ExitCodes { kZero, kZeroOrOne };

// Runs the program with its standard output on /dev/null (and, for kZeroOrOne, its standard
// error too) and waits for it. Standard error otherwise stays with the benchmark so that a failing
// child says why. Gives an empty text when the program exits as `expected`, otherwise a
// description of what went wrong.
std::string RunQuietly(const std::vector<std::string>& arguments, bool searchPath,
                       ExitCodes expected = ExitCodes::kZero);
