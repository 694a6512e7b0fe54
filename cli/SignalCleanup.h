#pragma once
// While tickvane-cli writes a work file, an interrupting signal (SIGINT, SIGTERM, SIGHUP) removes
// it before the process ends, so that no half-written file is left beside the one asked for.

#include <string>

// Removes `path` on such a signal until StopRemovingOnSignal; one path at a time.
void RemoveOnSignal(const std::string& path);
void StopRemovingOnSignal();
