#pragma once
// Notices when a data updater writes the open folder: its index files (MASTER, EMASTER, XMASTER)
// and the price file of the security shown. The files are looked at a few times a second (their
// sizes and times of change); a change is reported once the files have stayed as they are for one
// more look, so that a file caught half-written is read again when the writing settles. A price
// file read while it is written is read as far as its whole records go.

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class CBars;
class QTimer;

class CFolderWatch : public QObject {
public:
    // How often the files are looked at.
    static constexpr int kPollMilliseconds = 200;

    // `pricesChanged` runs when the shown security's price file has changed and settled,
    // `indexChanged` when an index file of its folder has.
    CFolderWatch(const CBars& bars, std::function<void()> pricesChanged,
                 std::function<void()> indexChanged = {}, QObject* parent = nullptr);

    // Looks at the files once; what the timer does.
    void Poll();

private:
    struct Stamp {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    using Stamps = std::vector<Stamp>;
    // What is watched of one kind of file, and whether it changed since it was last reported.
    struct Watched {
        Stamps seen;
        bool pending = false;
    };
    Stamps PriceStamps() const;
    Stamps IndexStamps() const;
    // True once a change of `now` has settled.
    static bool Settled(Watched& watched, const Stamps& now);

    const CBars& m_bars;
    std::function<void()> m_fnPricesChanged;
    std::function<void()> m_fnIndexChanged;
    QTimer* m_pTimer;
    Watched m_prices;
    Watched m_index;
};
