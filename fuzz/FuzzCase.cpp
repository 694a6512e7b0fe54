#include "fuzz/FuzzCase.h"

#include <vector>

namespace {

std::vector<std::string_view> SplitSections(std::string_view input) {
    std::vector<std::string_view> sections;
    for (;;) {
        const std::size_t cut = input.find(kFuzzSeparator);
        if (cut == std::string_view::npos) {
            sections.push_back(input);
            return sections;
        }
        sections.push_back(input.substr(0, cut));
        input.remove_prefix(cut + kFuzzSeparator.size());
    }
}

int Int16At(std::string_view bytes, std::size_t offset) {
    const auto byte = [&](std::size_t i) {
        return i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 0;
    };
    return static_cast<std::int16_t>(byte(offset) | (byte(offset + 1) << 8));
}

} // namespace

FuzzCase DecodeFuzzCase(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> sections = SplitSections(input);
    const std::string_view request = sections[0];
    const auto byte = [&](std::size_t i) {
        return i < request.size() ? static_cast<std::uint8_t>(request[i]) : std::uint8_t{0};
    };
    FuzzCase fuzzCase;
    fuzzCase.flags = byte(0);
    fuzzCase.start = Int16At(request, 1);
    fuzzCase.count = Int16At(request, 3);
    fuzzCase.period = byte(5) % 50 + 1;
    fuzzCase.movingStart = byte(6) % 8;
    if (request.size() > 7)
        fuzzCase.symbol = std::string(request.substr(7));
    for (std::size_t s = 1; s < sections.size() && s < kSectionCount; ++s)
        if (!sections[s].empty() || (fuzzCase.flags & kFuzzEmptyFiles))
            fuzzCase.files[s] = std::string(sections[s]);
    return fuzzCase;
}

std::string EncodeFuzzCase(const FuzzCase& fuzzCase) {
    std::string out;
    out += static_cast<char>(fuzzCase.flags);
    out += static_cast<char>(fuzzCase.start & 0xFF);
    out += static_cast<char>((fuzzCase.start >> 8) & 0xFF);
    out += static_cast<char>(fuzzCase.count & 0xFF);
    out += static_cast<char>((fuzzCase.count >> 8) & 0xFF);
    out += static_cast<char>((fuzzCase.period - 1) % 50);
    out += static_cast<char>(fuzzCase.movingStart % 8);
    out += fuzzCase.symbol;
    // Sections after the last present one are left out; a missing one in between is written
    // empty, so kFuzzEmptyFiles must not be set when there is one.
    int last = 0;
    for (int s = 1; s < kSectionCount; ++s)
        if (fuzzCase.files[s])
            last = s;
    for (int s = 1; s <= last; ++s) {
        out += kFuzzSeparator;
        out += fuzzCase.files[s].value_or(std::string());
    }
    return out;
}
