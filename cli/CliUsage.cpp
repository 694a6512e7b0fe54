#include "cli/CliUsage.h"

namespace {

constexpr UsageOption kListOptions[] = {
    {"--repair", nullptr,
     "Lists a MASTER whose entries lost their symbols, giving each such entry its name as its "
     "symbol; without it such a MASTER is refused. The file itself is never rewritten."},
};

constexpr UsageOption kQuotesOptions[] = {
    {"--start", "S", "The first record to print, 0 being the oldest of the file."},
    {"--count", "C", "How many records to print (800 by default)."},
    {"--all", nullptr, "Prints every record of the file."},
};

constexpr char kPeriodChoices[] = "stored|daily|weekly|monthly";

constexpr UsageOption kRenderOptions[] = {
    {"--symbol", "S", "Draws the security with the symbol (or name) S."},
    {"--index", "I", "Draws entry I of the directory, 0 being the first (the default)."},
    {"--size", "WxH",
     "The picture's width and height in pixels, each from 1 to 20000 (800x600 "
     "by default)."},
    {"--end", "R",
     "Record R stands at the chart's right edge (0 is the first record of the file; the newest by "
     "default), with the records before it and moving averages taken over the whole history. "
     "When --period, --log or --hide-bad-data build the bars, R counts those bars."},
    {"--print", nullptr, "Draws the chart as it is printed rather than as it is shown."},
    {"--bar-space", "N",
     "Pixels from one bar to the next; below 1 (0.1: ten records a pixel) each pixel column "
     "draws one bar built from the records it covers."},
    {"--range", "1m|3m|6m|1y|5y|all",
     "Zooms so that a month, three or six months, a year, five years or the whole history up "
     "to the record at the right edge (see --end) fills the chart."},
    {"--no-volume", nullptr, "Leaves out the volume."},
    {"--no-ma1", nullptr, "Leaves out the first moving average."},
    {"--no-ma2", nullptr, "Leaves out the second moving average."},
    {"--ma1", "N", "The first moving average over N records."},
    {"--ma2", "N", "The second moving average over N records."},
    {"--colors", "DDDDDDDDDD", "The ten colours of the chart as digits of the palette, 0 to 7."},
    {"--style", "bars|ohlc|candles|line",
     "High-low bars with a close tick (bars, the default), OHLC bars, candlesticks, or a line "
     "through the closes."},
    {"--log", nullptr,
     "A logarithmic price scale; records with a price of 0 or below are left out."},
    {"--period", kPeriodChoices,
     "Bars as stored (the default), or built daily from intraday records, weekly or monthly."},
    {"--grid", nullptr, "A dotted price and date grid."},
    {"--axis-labels", nullptr,
     "Dates under the chart at steps that suit the zoom, prices at round steps beside it, "
     "volumes in K, M or B, and four-digit years in the header."},
    {"--color-by-direction", nullptr,
     "Bars, candles, close-line segments and volume bars that closed at or above their open "
     "(or the close before, without opens) in green, the others in red, or in the theme's "
     "colours."},
    {"--theme", "classic|light|dark",
     "The chart's colours: the classic light on black (the default), dark on white, or soft "
     "colours on black. --colors given after it changes them further."},
    {"--hide-bad-data", nullptr,
     "Leaves out records that cannot be right: a high, low or close of 0 or below or not a "
     "number, a high below the low, a close outside them."},
    {"--study", "SPEC",
     "Adds a study, SPEC being its name and parameters: sma:N ema:N wma:N bbands:N,K sar:A,M "
     "rsi:N macd:F,S,G stoch:K,SK,SD atr:N obv roc:N mom:N willr:N cci:N dmi:N.",
     true},
    {"--drawings", "FILE",
     "Draws the trend lines, levels, Fibonacci retracements and notes that FILE (a drawings "
     "file of the viewer, JSON) keeps for the folder and symbol rendered. Drawings of types it "
     "does not know are named on standard error and left out."},
    {"-o", "FILE",
     "Where the chart goes: a PNG, SVG or PDF picture by the name's extension, or the drawing "
     "primitives as text for a name ending in .trace, or - for standard output."},
};

constexpr UsageOption kExportOptions[] = {
    {"--format", "csv|sqlite",
     "The export's form. csv (the default): one CSV with the header "
     "symbol,name,date,time,open,high,low,close,"
     "volume,oi. sqlite: an SQLite database with a table of securities (id, symbol, name, "
     "long_name, folder, file, first_date, last_date, records) and one of quotes (symbol_id, "
     "date, time, open, high, low, close, volume, oi) indexed by symbol_id and date; every value "
     "is the stored single-precision number exactly, and NULL where a security stores none. It "
     "needs -o."},
    {"-o", "FILE",
     "Writes FILE through a temporary file beside it, which takes the name only when the export "
     "is complete; without it the CSV goes to standard output."},
    {"--symbols", "A,B,...",
     "Exports only the securities with those symbols (whole, or their first word, in any case)."},
};

constexpr UsageOption kStudiesOptions[] = {
    {"--study", "SPEC", "A study and its parameters, as render --study takes them.", true},
    {"--period", kPeriodChoices,
     "Bars as stored (the default), or built daily, weekly or monthly."},
    {"--hide-bad-data", nullptr, "Leaves out records that cannot be right, as render does."},
};

constexpr UsageCommand kCommands[] = {
    {"list", "[--repair] <quote folder, or its MASTER, EMASTER or XMASTER>",
     "list the securities of a quote folder",
     "Prints one line per entry of the symbol directory, <index> TAB <symbol> TAB <name>, "
     "followed by TAB <long name> where there is one: the MASTER entries first (their long names "
     "from an EMASTER that agrees with MASTER), then the securities of XMASTER. Names are written "
     "as UTF-8. A file that is not a MASTER at all is refused with the reason and exit code 1.",
     kListOptions},
    {"quotes", "<directory> <symbol or name> [--start S] [--count C] [--all]",
     "print the records of one security as CSV",
     "Prints a security's records as CSV, date,time,open,high,low,close,volume,oi, the newest 800 "
     "by default, every value as the shortest text that reads back as the same single-precision "
     "number. Securities of XMASTER are found too.",
     kQuotesOptions},
    {"render",
     "<path of a MASTER file> [--symbol S | --index I] [--size WxH] [--end R] [--print] "
     "[--bar-space N] [--range 1m|3m|6m|1y|5y|all] [--no-volume] [--no-ma1] [--no-ma2] [--ma1 N] "
     "[--ma2 N] [--colors DDDDDDDDDD] [--theme classic|light|dark] "
     "[--style bars|ohlc|candles|line] [--log] [--period stored|daily|weekly|monthly] [--grid] "
     "[--axis-labels] [--color-by-direction] [--hide-bad-data] [--study SPEC ...] "
     "[--drawings FILE] -o FILE",
     "draw the chart of one security",
     "Draws the chart of one entry (the first by default) the way the viewer does, with the "
     "default options unless they are given, into a PNG, SVG or PDF picture, or writes its "
     "drawing primitives as text.",
     kRenderOptions},
    {"export",
     "<quote folder, or its MASTER, EMASTER or XMASTER> [--format csv|sqlite] [-o FILE] "
     "[--symbols A,B,...]",
     "write every record of every security of a folder",
     "Writes every security of the folder (MASTER, XMASTER, and the folders that MASTER lists as "
     "<DIR> entries, each once), every record of each, in directory and file order: dates as "
     "2003-02-14, times as 09:30:00, every other value exact, a column that a security does not "
     "store left empty. A stored date that is no calendar day is written as its day number "
     "falls, and said once per security on standard error.\n\n"
     "A security whose files are missing or broken is reported on standard error and skipped; "
     "the export goes on and exits with 1. On a terminal a long export shows its progress on "
     "standard error.",
     kExportOptions},
    {"studies",
     "<quote folder or index file> <symbol> --study SPEC [--study SPEC ...] "
     "[--period stored|daily|weekly|monthly] [--hide-bad-data]",
     "print the values of studies over a security's history",
     "Prints one CSV line per bar of the security's whole history: date,time, then a column for "
     "each output of each study, empty where it has no value yet.",
     kStudiesOptions},
    {"summary",
     "<quote folder, or its MASTER, EMASTER or XMASTER>",
     "print one line of figures per security of a folder",
     "Prints one CSV line per security of the folder, in directory order, under a header that "
     "names the columns symbol, name, first_date, last_date, records, last_close, change_pct and "
     "last_volume: the dates of the first and last records, the number of records, the last close, "
     "its change against the "
     "close before in percent (two decimals; empty without a previous close above 0) and the last "
     "volume, every stored value written as export writes it. A security without records has "
     "records 0 and the other figures empty; one whose price file cannot be read is reported on "
     "standard error, has every figure empty, and the command exits with 1.",
     {}},
    {"check",
     "<quote folder, or its MASTER, EMASTER or XMASTER>",
     "report what is wrong with a quote folder",
     "Checks the folder's index files, every price file and every record, and prints one finding "
     "a line: level TAB where TAB code TAB message. The level is error (data that cannot be read, "
     "or is read wrongly) or warning (data that reads but is suspect); where is a file name, or a "
     "symbol and the date of a record. The codes: index-damaged, emaster-disagrees, "
     "symbol-duplicate, price-file-missing, price-file-unreadable, price-file-unlisted, "
     "record-length, record-count, fields-undeterminable, dop-damaged, date-invalid, date-order, "
     "date-duplicate, price-not-positive, price-not-finite, high-below-low, close-outside-range, "
     "open-outside-range, volume-negative, last-date-stale, first-date-disagrees. Exits with 0 "
     "when nothing was found, 1 when something was, 2 on bad usage.",
     {}},
};

constexpr UsageSection kSections[] = {
    {"Exit status", "0 on success, 1 on a failure (said on standard error), 2 on bad usage."},
    {"Notes",
     "A quote folder is opened through any of its index files, or by naming the folder itself. A "
     "symbol is always the first word of the MASTER symbol area, as list shows it, in every "
     "command.\n\n"
     "The command line never reads or writes the viewer's settings, and only ever reads regular "
     "files: a FIFO, a device or a directory where a quote file should be fails at once."},
};

constexpr ProgramUsage kUsage = {
    "tickvane-cli",
    "read MetaStock quote folders from the command line",
    "tickvane-cli reads quote folders in the MetaStock format (a MASTER index with F<n>.DAT price "
    "files; also EMASTER, XMASTER and F<n>.MWD) and lists their securities, prints their records, "
    "draws their charts and exports them whole as CSV or as an SQLite database. Quote files are "
    "only ever read.",
    kCommands,
    kSections,
    "tickvane(1), sqlite3(1)",
};

} // namespace

const ProgramUsage& CliUsage() {
    return kUsage;
}
