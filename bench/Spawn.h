#pragma once
// Starting programs from a benchmark, the way a script would.

#include <string>
#include <vector>

// Runs the program with its standard output on /dev/null and waits for it. Standard error stays
// with the benchmark so that a failing child says why. Gives an empty text on exit code 0,
// otherwise a description of what went wrong.
std::string RunQuietly(const std::vector<std::string>& arguments, bool searchPath);
