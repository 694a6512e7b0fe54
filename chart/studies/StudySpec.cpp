#include "chart/studies/StudySpec.h"

#include <charconv>
#include <cmath>

std::string NumberText(double value) {
    // Fixed notation for the values parameters take; the shortest text that reads back.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

namespace {

std::string RangeText(const StudyParameter& parameter) {
    return NumberText(parameter.dMin) + " to " + NumberText(parameter.dMax);
}

bool ParseParameter(std::string_view text, const StudyParameter& parameter, double& value,
                    std::string& problem) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    const bool number =
        !text.empty() && result.ec == std::errc() && result.ptr == end && std::isfinite(value);
    if (parameter.bLength && number && value == std::floor(value) && value >= parameter.dMin &&
        value <= parameter.dMax)
        return true;
    if (!parameter.bLength && number && value >= parameter.dMin && value <= parameter.dMax)
        return true;
    problem = std::string(parameter.pszName) + " must be " +
              (parameter.bLength ? "a whole number of bars from " : "a number from ") +
              RangeText(parameter) + ", not '" + std::string(text) + "'";
    return false;
}

// Blanks around a name or a number are no part of it ("bbands:20, 2").
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string Usage(const StudyType& type) {
    std::string usage = type.pszName;
    for (std::size_t k = 0; k < type.parameters.size(); ++k)
        usage += (k == 0 ? ":" : ",") + std::string(type.parameters[k].pszName);
    return usage;
}

} // namespace

bool ParseStudySpec(std::string_view text, StudySpec& spec, std::string& problem) {
    const std::size_t colon = text.find(':');
    const std::string_view name = Trimmed(text.substr(0, colon));
    const StudyType* type = FindStudyType(name);
    if (!type) {
        problem = "unknown study '" + std::string(name) + "'";
        return false;
    }
    std::vector<std::string_view> values;
    if (colon != std::string_view::npos) {
        std::string_view rest = text.substr(colon + 1);
        for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos;) {
            values.push_back(Trimmed(rest.substr(0, comma)));
            rest.remove_prefix(comma + 1);
        }
        values.push_back(Trimmed(rest));
    }
    if (values.size() != type->parameters.size()) {
        problem = std::string(type->pszName) + " takes " + std::to_string(type->parameters.size()) +
                  " parameter" + (type->parameters.size() == 1 ? "" : "s") + " (" + Usage(*type) +
                  ")";
        return false;
    }
    StudySpec parsed{type, std::vector<double>(values.size())};
    for (std::size_t k = 0; k < values.size(); ++k)
        if (!ParseParameter(values[k], type->parameters[k], parsed.parameters[k], problem)) {
            problem = std::string(type->pszName) + ": " + problem;
            return false;
        }
    spec = std::move(parsed);
    return true;
}

StudySpec DefaultSpec(const StudyType& type) {
    StudySpec spec{&type, {}};
    for (const StudyParameter& parameter : type.parameters)
        spec.parameters.push_back(parameter.dDefault);
    return spec;
}

std::string SpecText(const StudySpec& spec) {
    std::string text = spec.pType ? spec.pType->pszName : "";
    for (std::size_t k = 0; k < spec.parameters.size(); ++k)
        text += (k == 0 ? ":" : ",") + NumberText(spec.parameters[k]);
    return text;
}

std::string SpecTitle(const StudySpec& spec) {
    std::string title = spec.pType ? spec.pType->pszName : "";
    if (spec.parameters.empty())
        return title;
    for (std::size_t k = 0; k < spec.parameters.size(); ++k)
        title += (k == 0 ? "(" : ",") + NumberText(spec.parameters[k]);
    return title + ")";
}

std::string OutputName(const StudySpec& spec, std::size_t output) {
    const std::string title = SpecTitle(spec);
    if (!spec.pType || output >= spec.pType->outputs.size() ||
        !*spec.pType->outputs[output].pszName)
        return title;
    return title + "." + spec.pType->outputs[output].pszName;
}
