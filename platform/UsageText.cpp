#include "platform/UsageText.h"

#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kWidth = 79;

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + separator.size());
    }
}

// Words of a synopsis: spaces inside brackets do not part them, so an optional group stays on
// one line.
std::vector<std::string_view> SynopsisWords(std::string_view text) {
    std::vector<std::string_view> words;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        depth += c == '[' || c == '<' ? 1 : c == ']' || c == '>' ? -1 : 0;
        if (c == ' ' && depth <= 0) {
            if (i > start)
                words.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return words;
}

// Appends `words` filled to kWidth: the first line after `first` (already in `out`), the others
// indented by `indent` spaces.
void Fill(std::string& out, std::size_t column, const std::vector<std::string_view>& words,
          std::size_t indent) {
    bool lineStart = true;
    for (std::string_view word : words) {
        if (!lineStart && column + 1 + word.size() > kWidth) {
            out += '\n';
            out.append(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineStart = false;
    }
    out += '\n';
}

void Paragraphs(std::string& out, std::string_view text, std::size_t indent) {
    bool first = true;
    for (std::string_view paragraph : Split(text, "\n\n")) {
        if (!first)
            out += '\n';
        first = false;
        out.append(indent, ' ');
        std::vector<std::string_view> words;
        for (std::string_view word : Split(paragraph, " "))
            if (!word.empty())
                words.push_back(word);
        Fill(out, indent, words, indent);
    }
}

std::string OptionHead(const UsageOption& option) {
    std::string head = option.name;
    if (option.value)
        head += std::string(" ") + option.value;
    return head;
}

// Troff text: backslashes and minus signs escaped, no control character at a line's start.
std::string Troff(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else if (c == '\n')
            out += ' ';
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

void TroffParagraphs(std::string& out, std::string_view text) {
    bool first = true;
    for (std::string_view paragraph : Split(text, "\n\n")) {
        if (!first)
            out += ".PP\n";
        first = false;
        out += Troff(paragraph) + '\n';
    }
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace

std::string ValueChoices(const UsageOption& option) {
    if (!option.value || std::string_view(option.value).find('|') == std::string_view::npos)
        return {};
    std::string choices;
    for (std::string_view choice : Split(option.value, "|"))
        choices += (choices.empty() ? "" : " ") + std::string(choice);
    return choices;
}

std::string UsageSynopsis(const ProgramUsage& usage) {
    std::string out;
    bool first = true;
    for (const UsageCommand& command : usage.commands)
        for (std::string_view form : Split(command.synopsis, "\n")) {
            const std::string start = std::string(first ? "usage: " : "       ") + usage.name +
                                      (command.name ? std::string(" ") + command.name : "");
            first = false;
            out += start;
            std::vector<std::string_view> words = SynopsisWords(form);
            if (!words.empty())
                out += ' ';
            Fill(out, start.size() + 1, words, 7 + std::string_view(usage.name).size() + 1 + 4);
        }
    return out;
}

std::string HelpText(const ProgramUsage& usage) {
    std::string out = UsageSynopsis(usage);
    out += '\n';
    Paragraphs(out, usage.description, 0);
    for (const UsageCommand& command : usage.commands) {
        out += '\n';
        if (command.name) {
            out += std::string(command.name) + ": " + command.summary + '\n';
            if (*command.text) {
                out += '\n';
                Paragraphs(out, command.text, 2);
            }
        } else if (*command.text) {
            Paragraphs(out, command.text, 0);
        }
        for (const UsageOption& option : command.options) {
            out += "\n  " + OptionHead(option) + '\n';
            Paragraphs(out, option.text, 6);
        }
    }
    for (const UsageSection& section : usage.sections) {
        out += '\n' + std::string(section.title) + ":\n";
        Paragraphs(out, section.text, 2);
    }
    return out;
}

std::string ManPage(const ProgramUsage& usage, const std::string& version,
                    const std::string& date) {
    std::string out = ".\\\" Made by the build from the usage table of " + std::string(usage.name) +
                      "; edit the table, not this file.\n";
    out += ".TH " + Upper(usage.name) + " 1 " + date + " \"Tickvane " + version +
           "\" \"User Commands\"\n";
    out += ".SH NAME\n" + Troff(usage.name) + " \\- " + Troff(usage.summary) + '\n';
    // Left-aligned and unhyphenated: option names and file names must read as they are typed.
    out += ".nr HY 0\n.ds AD l\n.ad l\n.nh\n.SH SYNOPSIS\n";
    for (const UsageCommand& command : usage.commands)
        for (std::string_view form : Split(command.synopsis, "\n")) {
            out += ".SY " + Troff(usage.name) + '\n';
            std::string words = command.name ? "\\fB" + Troff(command.name) + "\\fR" : "";
            for (std::string_view word : SynopsisWords(form)) {
                std::string group = Troff(word);
                // A group in brackets stays on one line.
                for (std::size_t at = group.find(' '); at != std::string::npos;
                     at = group.find(' ', at + 2))
                    group.replace(at, 1, "\\ ");
                words += (words.empty() ? "" : " ") + group;
            }
            out += words + "\n.YS\n";
        }
    out += ".SH DESCRIPTION\n";
    TroffParagraphs(out, usage.description);
    const bool commands = usage.commands.size() > 0 && usage.commands[0].name;
    if (commands)
        out += ".SH COMMANDS\n";
    else
        out += ".SH OPTIONS\n";
    for (const UsageCommand& command : usage.commands) {
        if (command.name) {
            out += ".SS \"" + Troff(command.name) + "\"\n";
            out += Troff(command.summary) + '\n';
            if (*command.text) {
                out += ".PP\n";
                TroffParagraphs(out, command.text);
            }
        } else if (*command.text) {
            TroffParagraphs(out, command.text);
        }
        for (const UsageOption& option : command.options) {
            out += ".TP\n\\fB" + Troff(option.name) + "\\fR";
            if (option.value)
                out += " \\fI" + Troff(option.value) + "\\fR";
            out += '\n';
            TroffParagraphs(out, option.text);
        }
    }
    for (const UsageSection& section : usage.sections) {
        out += ".SH \"" + Upper(section.title) + "\"\n";
        TroffParagraphs(out, section.text);
    }
    out += ".SH \"SEE ALSO\"\n" + Troff(usage.seeAlso) + '\n';
    return out;
}
