// tickvane-cli: reads MetaStock directories from the command line.

#include "cli/CliCommands.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {
const char* const kUsage =
    "usage: tickvane-cli list [--repair] <quote folder, or its MASTER, EMASTER or XMASTER>\n"
    "       tickvane-cli quotes <directory> <symbol or name> [--start S] [--count C] [--all]\n"
    "       tickvane-cli render <path of a MASTER file> [--symbol S | --index I] [--size WxH]\n"
    "                    [--end R] [--print] [--bar-space N] [--range 1m|3m|6m|1y|5y|all]\n"
    "                    [--no-volume] [--no-ma1]\n"
    "                    [--no-ma2] [--ma1 N] [--ma2 N] [--colors DDDDDDDDDD]\n"
    "                    [--style bars|ohlc|candles|line] [--log]\n"
    "                    [--period stored|daily|weekly|monthly] [--grid] [--hide-bad-data]\n"
    "                    [--study SPEC ...] -o FILE\n"
    "       (FILE ends in .png, .svg, .pdf or .trace; - writes the trace to stdout;\n"
    "        R is the record at the right edge, 0 the first of the file, the newest by default;\n"
    "        it counts the bars drawn when --period, --log or --hide-bad-data build them)\n"
    "       tickvane-cli export <quote folder, or its MASTER, EMASTER or XMASTER> [-o FILE]\n"
    "                    [--symbols A,B,...]\n"
    "       tickvane-cli studies <quote folder or index file> <symbol> --study SPEC\n"
    "                    [--study SPEC ...] [--period stored|daily|weekly|monthly]\n"
    "                    [--hide-bad-data]\n"
    "       (SPEC is a study and its parameters: sma:N ema:N wma:N bbands:N,K sar:A,M rsi:N\n"
    "        macd:F,S,G stoch:K,SK,SD atr:N obv roc:N mom:N willr:N cci:N dmi:N)\n";
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tickvane-cli: %s\n%s", message.c_str(), kUsage);
    return 2;
}

bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && !text.empty();
}

int main(int argc, char** argv) {
    if (argc < 2)
        return UsageError("no command given");
    const std::string_view command = argv[1];
    const Arguments arguments(argv + 2, argv + argc);
    if (command == "list")
        return RunListCommand(arguments);
    if (command == "quotes")
        return RunQuotesCommand(arguments);
    if (command == "render")
        return RunRenderCommand(arguments);
    if (command == "export")
        return RunExportCommand(arguments);
    if (command == "studies")
        return RunStudiesCommand(arguments);
    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return UsageError("unknown command " + std::string(command));
}
