#pragma once
// Image export for tickvane-cli render. The drawing into PNG, SVG and PDF needs Qt, whose loading
// alone costs several milliseconds per process; the other commands must not pay for it, so the
// export lives in a module that is loaded only when an image is asked for.

#include <string>

class CBars;

// The module's one entry point: draws the chart of `bars` into `path` (.png, .svg or .pdf) with a
// logical space and target of width x height. 0 on success; otherwise fills `error`.
using ExportImageFunction = int (*)(CBars* bars, const char* path, int width, int height,
                                    int printing, char* error, int errorSize);
constexpr char kExportImageSymbol[] = "TickvaneExportImage";
constexpr char kExportModuleName[] = "libtickvane-imageexport.so";

// Loads the module from beside the running program, from the library folder of the installed
// program, or from the system's library path, and draws.
bool ExportImage(CBars& bars, const std::string& path, int width, int height, bool printing,
                 std::string& error);
