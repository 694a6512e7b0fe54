// Export of the current security's whole history as the CSV of `tickvane-cli quotes`.

#include "chart/Bars.h"
#include "chart/ChartWindow.h"
#include "platform/SafeFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

bool CChartWindow::ExportQuotesCsv(const std::string& path, std::string& error) {
    if (!Sync(true)) {
        error = "There are no quotes to export.";
        return false;
    }
    // The records as stored, also while the chart shows bars built from them.
    CQuoteHistory stored;
    if (!m_history.Rules().IsIdentity() &&
        stored.Read([this](QuoteBuffer& b, int start, int count) {
            return ReadRows(b, start, count);
        }) != kStatusSuccess) {
        error = "The quotes cannot be read.";
        return false;
    }
    const CQuoteHistory& history = m_history.Rules().IsIdentity() ? m_history : stored;
    // A work file beside the target replaces it only once it is whole.
    CWorkFile file(path);
    std::string problem;
    if (!file.IsOpen())
        problem = std::strerror(file.Error());
    std::vector<char> block(1 << 16);
    char* out = std::copy_n(kQuoteCsvHeader, sizeof kQuoteCsvHeader - 1, block.data());
    auto flush = [&] {
        const auto used = static_cast<std::size_t>(out - block.data());
        if (problem.empty() && std::fwrite(block.data(), 1, used, file.File()) != used)
            problem = std::strerror(errno);
        out = block.data();
    };
    for (int i = 0; i < history.Count() && problem.empty(); ++i) {
        if (static_cast<std::size_t>(block.data() + block.size() - out) < kQuoteCsvRowRoom)
            flush();
        out = PutQuoteCsvRow(out, history.Record(i));
    }
    flush();
    if (problem.empty()) {
        const CWorkFile::Failure failure = file.Commit();
        if (failure == CWorkFile::Failure::kNone)
            return true;
        problem = failure == CWorkFile::Failure::kReplace ? std::string("it cannot be replaced")
                                                          : std::strerror(file.Error());
    }
    error = "Cannot write " + path + ": " + problem;
    return false;
}
