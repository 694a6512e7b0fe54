// Writes the files that the programs' usage tables give, at build time:
//
//   tickvane-usage-files man tickvane|tickvane-cli VERSION DATE OUT   the manual page
//   tickvane-usage-files bash OUT                                     tickvane-cli's bash
//   completion tickvane-usage-files zsh OUT                                      tickvane-cli's zsh
//   completion

#include "app/ProgramUsage.h"
#include "cli/CliUsage.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

namespace {

// An option's words for the shells: its names ("-h, --help" gives "-h --help").
std::string Names(const UsageOption& option) {
    std::string names;
    for (char c : std::string_view(option.name))
        if (c != ',')
            names += c;
    return names;
}

bool TakesPath(const UsageOption& option) {
    const std::string_view value = option.value ? option.value : "";
    return value == "FILE" || value == "DIR";
}

std::string Words(const ProgramUsage& usage) {
    std::string words;
    for (const UsageCommand& command : usage.commands)
        words += std::string(command.name) + ' ';
    return words + "--help";
}

std::string BashCompletion(const ProgramUsage& usage) {
    const std::string function = "_tickvane_cli";
    std::string out = "# bash completion for " + std::string(usage.name) +
                      "; made by the build from its usage table.\n" + function + "()\n{\n";
    out += "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} options=\n";
    out += "    COMPREPLY=()\n";
    out += "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n";
    out += "        COMPREPLY=($(compgen -W '" + Words(usage) + "' -- \"$cur\"))\n";
    out += "        return\n    fi\n";
    out += "    case ${COMP_WORDS[1]} in\n";
    for (const UsageCommand& command : usage.commands) {
        out += "    " + std::string(command.name) + ")\n";
        out += "        case $prev in\n";
        std::string optionWords;
        for (const UsageOption& option : command.options) {
            optionWords += (optionWords.empty() ? "" : " ") + Names(option);
            if (!option.value)
                continue;
            out += "        " + Names(option) + ")\n";
            if (const std::string choices = ValueChoices(option); !choices.empty())
                out += "            COMPREPLY=($(compgen -W '" + choices + "' -- \"$cur\"))\n";
            else if (TakesPath(option))
                out += "            compopt -o filenames 2>/dev/null\n"
                       "            COMPREPLY=($(compgen -f -- \"$cur\"))\n";
            // Any other value is the user's own: nothing is offered for it.
            out += "            return ;;\n";
        }
        out += "        esac\n";
        out += "        options='" + optionWords + "' ;;\n";
    }
    out += "    esac\n";
    out += "    if [[ $cur == -* ]]; then\n";
    out += "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n";
    out += "    else\n";
    out += "        compopt -o filenames 2>/dev/null\n";
    out += "        COMPREPLY=($(compgen -f -- \"$cur\"))\n";
    out += "    fi\n}\n";
    out += "complete -F " + function + " " + usage.name + '\n';
    return out;
}

// A description for zsh: the text's first clause, without the characters that structure zsh's
// option syntax, its apostrophes closing and reopening the quoted word.
std::string ZshDescription(std::string_view text) {
    for (const char* end : {". ", "; ", ": ", " ("})
        text = text.substr(0, text.find(end));
    if (text.size() > 60 && text.rfind(", ", 60) != std::string_view::npos)
        text = text.substr(0, text.rfind(", ", 60));
    if (text.size() > 60)
        text = text.substr(0, text.rfind(' ', 60));
    std::string out;
    for (char c : text)
        if (c == '\'')
            out += "'\\''";
        else if (c != '[' && c != ']' && c != ':' && c != '\\' && c != '.')
            out += c;
    return out;
}

std::string ZshCompletion(const ProgramUsage& usage) {
    const std::string function = "_" + std::string(usage.name);
    std::string out = "#compdef " + std::string(usage.name) + "\n# zsh completion for " +
                      usage.name + "; made by the build from its usage table.\n\n";
    out += function + "() {\n    local -a commands\n    commands=(\n";
    for (const UsageCommand& command : usage.commands)
        out +=
            "        '" + std::string(command.name) + ":" + ZshDescription(command.summary) + "'\n";
    out += "    )\n";
    out += "    if (( CURRENT == 2 )); then\n";
    out +=
        "        _describe -t commands 'tickvane-cli command' commands\n        return\n    fi\n";
    out += "    local command=$words[2]\n    shift words\n    (( CURRENT-- ))\n";
    out += "    case $command in\n";
    for (const UsageCommand& command : usage.commands) {
        out += "    " + std::string(command.name) + ")\n        _arguments -S \\\n";
        for (const UsageOption& option : command.options) {
            out += "            '" + std::string(option.repeated ? "*" : "") + option.name + "[" +
                   ZshDescription(option.text) + "]";
            if (option.value) {
                const std::string choices = ValueChoices(option);
                out += ":" + ZshDescription(option.value) + ":";
                if (!choices.empty())
                    out += "(" + choices + ")";
                else if (TakesPath(option))
                    out += "_files";
            }
            out += "' \\\n";
        }
        out += "            '*:file:_files' ;;\n";
    }
    out += "    esac\n}\n\n" + function + " \"$@\"\n";
    return out;
}

bool Write(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (out)
        return true;
    std::fprintf(stderr, "tickvane-usage-files: cannot write %s\n", path);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view what = argc > 1 ? argv[1] : "";
    if (what == "man" && argc == 6) {
        const std::string_view program = argv[2];
        const ProgramUsage& usage = program == "tickvane" ? TickvaneUsage() : CliUsage();
        return Write(argv[5], ManPage(usage, argv[3], argv[4])) ? 0 : 1;
    }
    if (what == "bash" && argc == 3)
        return Write(argv[2], BashCompletion(CliUsage())) ? 0 : 1;
    if (what == "zsh" && argc == 3)
        return Write(argv[2], ZshCompletion(CliUsage())) ? 0 : 1;
    std::fprintf(stderr, "usage: tickvane-usage-files man tickvane|tickvane-cli VERSION DATE OUT\n"
                         "       tickvane-usage-files bash|zsh OUT\n");
    return 2;
}
