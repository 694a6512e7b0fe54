#pragma once
// The program's command line:
//
//   tickvane [FILE]        opens FILE (the path of a MASTER file)
//   tickvane -p FILE       prints FILE's first chart on the default printer and ends
//   tickvane --help | -h   tells how to call it
//   tickvane --version     tells its version
//
// "--" ends the options, so a file name may start with '-'. Arguments are bytes as the system
// gives them, file names included.

#include <string>
#include <vector>

enum class StartAction { Run, Open, Print, Help, Version, Error };

struct CCommandLine {
    StartAction action = StartAction::Run;
    std::string file;
    // For Error: what was wrong.
    std::string error;
};

// `arguments` without the program's name. --help and --version win over everything else.
CCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The whole usage (--help), and its synopsis alone (the answer to bad usage).
std::string UsageText();
std::string UsageSynopsisText();
