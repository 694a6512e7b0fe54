#pragma once
// The entries of a directory matched ignoring case. Stepping through a quote directory looks for
// files that are usually absent (F<n>.DOP) once per security; listing a directory of hundreds of
// files each time would cost more than reading the prices, so listings are kept while their
// directory stays unchanged.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Names of the entries of `directory` (empty for the working directory) that equal `name`
// ignoring ASCII case; nothing when the directory cannot be listed.
std::optional<std::vector<std::string>> EntriesNamedNoCase(const std::string& directory,
                                                           std::string_view name);
