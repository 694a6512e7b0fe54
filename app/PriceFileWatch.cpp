#include "app/PriceFileWatch.h"

#include "chart/Bars.h"
#include "platform/FileNames.h"
#include "quotes/PriceFile.h"

#include <QFileInfo>
#include <QTimer>

#include <cstdint>

CPriceFileWatch::CPriceFileWatch(const CBars& bars, std::function<void()> changed, QObject* parent)
    : QObject(parent), m_bars(bars), m_fnChanged(std::move(changed)), m_pTimer(new QTimer(this)) {
    connect(m_pTimer, &QTimer::timeout, this, [this] { Poll(); });
    m_pTimer->start(kPollMilliseconds);
}

CPriceFileWatch::Stamp CPriceFileWatch::CurrentStamp() const {
    Stamp stamp;
    const QuoteBuffer& quotes = m_bars.GetQuotes();
    if (!m_bars.IsDataLoaded() || !quotes.sourceHeader)
        return stamp;
    // The source header is the MASTER record of the security, with the file number at byte 0;
    // one of XMASTER or EMASTER also holds all of it at bytes 1 and 2 (PriceFile.h).
    const std::uint8_t* header = quotes.sourceHeader;
    const int whole = header[1] | (header[2] << 8);
    const int number = whole != 0 && (whole & 0xFF) == header[0] ? whole : header[0];
    std::string folder = m_bars.GetDataDirectory();
    AppendSeparator(folder);
    for (const char* extension : {"DAT", "MWD"}) {
        const std::string name = ExistingNameNoCase(folder, PriceFileName(number, extension));
        if (name.empty())
            continue;
        const QFileInfo info(QString::fromStdString(folder + name));
        stamp.path = info.filePath();
        stamp.size = info.size();
        stamp.modified = info.lastModified();
        break;
    }
    return stamp;
}

void CPriceFileWatch::Poll() {
    const Stamp now = CurrentStamp();
    if (now.path != m_seen.path) {
        // Another security, or none: what it holds now is what is shown.
        m_seen = now;
        m_bPending = false;
        return;
    }
    if (!(now == m_seen)) {
        m_seen = now;
        m_bPending = true;
        return;
    }
    if (m_bPending && !now.path.isEmpty()) {
        m_bPending = false;
        if (m_fnChanged)
            m_fnChanged();
    }
}
