#include "app/ProgramUsage.h"

namespace {

constexpr UsageOption kOptions[] = {
    {"-p", "FILE",
     "Prints the first chart of FILE on the default printer and ends; its messages go to "
     "standard error."},
    {"-h, --help", nullptr, "Shows this text."},
    {"--version", nullptr, "Shows the version."},
};

constexpr UsageCommand kCommands[] = {
    {nullptr, "[FILE]\n-p FILE\n--help | --version", "",
     "FILE is the MASTER, EMASTER or XMASTER file of a quote folder, or the folder itself; -- "
     "ends the options, so that a FILE may start with a minus sign.",
     kOptions},
};

constexpr UsageSection kSections[] = {
    {"Keys",
     "Right and Left arrows step through the securities, F3 goes to one by symbol or name, F2 "
     "sets the options and colours, F7 runs a slide show, Ctrl+P prints, F1 opens the help. The "
     "mouse wheel, dragging, Page Up, Page Down, Home and End scroll through the whole history; "
     "Ctrl with the wheel, Ctrl+Plus and Ctrl+Minus zoom, Ctrl+0 returns to the stored spacing. "
     "Ctrl+C copies the chart as a picture."},
    {"Exit status",
     "0 when the program ends normally. 1 when FILE is missing, cannot be read or is not a "
     "regular file, and for -p when there is no default printer or the page cannot be printed. "
     "2 on bad usage (an unknown option, two files, -p without a file). A FILE that leads to no "
     "MASTER, or a MASTER that cannot be listed, is said in a message and leaves an empty window."},
    {"Files",
     "~/.config/Velmora/Tickvane.ini keeps the window placement, the options, the Chart menu's "
     "choices and the four recent files. ~/.local/share/Velmora/Tickvane/drawings.json keeps the "
     "drawings of every security, by folder and symbol."},
    {"Environment", "TICKVANE_SETTINGS names another settings file, TICKVANE_DATA another "
                    "directory for drawings.json."},
};

constexpr ProgramUsage kUsage = {
    "tickvane",
    "view the bar charts of MetaStock quote folders",
    "Tickvane shows the bar charts of the securities in a MetaStock quote folder (a MASTER index "
    "with F<n>.DAT price files; also EMASTER, XMASTER and F<n>.MWD): high-low bars, OHLC bars, "
    "candlesticks or a line, with volume, moving averages and studies, on a linear or logarithmic "
    "scale. It prints them, copies and exports them as pictures, and runs a slide show. Quote "
    "files are only ever read; the one exception is the repair of a MASTER whose entries lost "
    "their symbols, which asks first.",
    kCommands,
    kSections,
    "tickvane-cli(1)",
};

} // namespace

const ProgramUsage& TickvaneUsage() {
    return kUsage;
}
