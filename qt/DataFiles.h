#pragma once
// The files of the program's own data, apart from its settings: kept in the user's data
// directory (~/.local/share/Velmora/Tickvane), or in the directory that the environment variable
// TICKVANE_DATA names (tests, portable use), never beside the quotes.

#include <string>

// The data directory, without a separator at the end; empty when none can be determined.
std::string DataDirectory();
// The drawings of every security (chart/drawings/DrawingStore.h): drawings.json there.
std::string DefaultDrawingsFile();
