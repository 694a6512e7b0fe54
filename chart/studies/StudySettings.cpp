#include "chart/studies/StudySettings.h"

#include "platform/Settings.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int kMostStudies = 64;

std::string ColorText(COLORREF color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color),
                  GetBValue(color));
    return text;
}

bool ParseColor(const std::string& text, COLORREF& color) {
    unsigned red, green, blue;
    char end;
    if (text.size() != 7 ||
        std::sscanf(text.c_str(), "#%2x%2x%2x%c", &red, &green, &blue, &end) != 3)
        return false;
    color = Rgb(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
    return true;
}

std::string Key(const char* name, std::size_t k) {
    return name + std::to_string(k + 1);
}

} // namespace

std::vector<StudyInstance> LoadStudies(Settings& settings) {
    std::vector<StudyInstance> studies;
    const int count = std::clamp(settings.ReadInt(kStudiesSection, "Count", 0), 0, kMostStudies);
    for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) {
        StudyInstance study;
        std::string problem;
        if (!ParseStudySpec(settings.ReadString(kStudiesSection, Key("Study", k), ""), study.spec,
                            problem) ||
            !ParseColor(settings.ReadString(kStudiesSection, Key("Color", k), ""), study.color))
            continue;
        study.width = std::clamp(settings.ReadInt(kStudiesSection, Key("Width", k), 1),
                                 kMinStudyWidth, kMaxStudyWidth);
        study.height = std::clamp(settings.ReadInt(kStudiesSection, Key("Height", k), 100),
                                  kMinPaneHeight, kMaxPaneHeight);
        studies.push_back(std::move(study));
    }
    return studies;
}

bool StoreStudies(Settings& settings, const std::vector<StudyInstance>& studies) {
    bool stored = settings.WriteInt(kStudiesSection, "Count", static_cast<int>(studies.size()));
    for (std::size_t k = 0; k < studies.size(); ++k) {
        const StudyInstance& study = studies[k];
        stored =
            settings.WriteString(kStudiesSection, Key("Study", k), SpecText(study.spec)) && stored;
        stored = settings.WriteString(kStudiesSection, Key("Color", k), ColorText(study.color)) &&
                 stored;
        stored = settings.WriteInt(kStudiesSection, Key("Width", k), study.width) && stored;
        stored = settings.WriteInt(kStudiesSection, Key("Height", k), study.height) && stored;
    }
    return stored;
}
