#include "app/FolderWatch.h"

#include "chart/Bars.h"
#include "platform/FileNames.h"
#include "quotes/PriceFile.h"

#include <QFileInfo>
#include <QTimer>

#include <cstdint>
#include <utility>

namespace {

std::string DataFolder(const CBars& bars) {
    std::string folder = bars.GetDataDirectory();
    AppendSeparator(folder);
    return folder;
}

} // namespace

CFolderWatch::CFolderWatch(const CBars& bars, std::function<void()> pricesChanged,
                           std::function<void()> indexChanged, QObject* parent)
    : QObject(parent), m_bars(bars), m_fnPricesChanged(std::move(pricesChanged)),
      m_fnIndexChanged(std::move(indexChanged)), m_pTimer(new QTimer(this)) {
    connect(m_pTimer, &QTimer::timeout, this, [this] { Poll(); });
    m_pTimer->start(kPollMilliseconds);
}

CFolderWatch::Stamps CFolderWatch::PriceStamps() const {
    const QuoteBuffer& quotes = m_bars.GetQuotes();
    if (!m_bars.IsDataLoaded() || !quotes.sourceHeader)
        return {};
    // The source header is the MASTER record of the security, with the file number at byte 0;
    // one of XMASTER or EMASTER also holds all of it at bytes 1 and 2 (PriceFile.h).
    const std::uint8_t* header = quotes.sourceHeader;
    const int whole = header[1] | (header[2] << 8);
    const int number = whole != 0 && (whole & 0xFF) == header[0] ? whole : header[0];
    const std::string folder = DataFolder(m_bars);
    for (const char* extension : {"DAT", "MWD"}) {
        const std::string name = ExistingNameNoCase(folder, PriceFileName(number, extension));
        if (name.empty())
            continue;
        const QFileInfo info(QString::fromStdString(folder + name));
        return {{info.filePath(), info.size(), info.lastModified()}};
    }
    return {};
}

CFolderWatch::Stamps CFolderWatch::IndexStamps() const {
    if (m_bars.GetSymbolCount() <= 0)
        return {};
    const std::string folder = DataFolder(m_bars);
    Stamps stamps;
    for (const char* index : {"MASTER", "EMASTER", "XMASTER"}) {
        const std::string name = ExistingNameNoCase(folder, index);
        if (name.empty())
            continue;
        const QFileInfo info(QString::fromStdString(folder + name));
        stamps.push_back({info.filePath(), info.size(), info.lastModified()});
    }
    return stamps;
}

bool CFolderWatch::Settled(Watched& watched, const Stamps& now) {
    const auto paths = [](const Stamps& stamps) {
        QStringList list;
        for (const Stamp& stamp : stamps)
            list << stamp.path;
        return list;
    };
    if (paths(now) != paths(watched.seen) && (now.empty() || watched.seen.empty())) {
        // Another security or folder, or none: what it holds now is what is shown.
        watched.seen = now;
        watched.pending = false;
        return false;
    }
    if (now != watched.seen) {
        watched.seen = now;
        watched.pending = true;
        return false;
    }
    return std::exchange(watched.pending, false);
}

void CFolderWatch::Poll() {
    const Stamps prices = PriceStamps();
    const bool otherFile = !prices.empty() && !m_prices.seen.empty() &&
                           prices.front().path != m_prices.seen.front().path;
    if (otherFile) {
        m_prices.seen = prices;
        m_prices.pending = false;
    } else if (Settled(m_prices, prices) && !prices.empty() && m_fnPricesChanged) {
        m_fnPricesChanged();
    }
    if (Settled(m_index, IndexStamps()) && m_fnIndexChanged)
        m_fnIndexChanged();
}
