#pragma once
// Notices when a data updater writes the price file of the security shown. The file is looked at
// a few times a second (its size and time of change); a change is reported once the file has
// stayed as it is for one more look, so that a file caught half-written is read again when the
// writing settles. A file read while it is written is read as far as its whole records go.

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class CBars;
class QTimer;

class CPriceFileWatch : public QObject {
public:
    // How often the file is looked at.
    static constexpr int kPollMilliseconds = 200;

    // `changed` runs when the shown security's file has changed and settled.
    CPriceFileWatch(const CBars& bars, std::function<void()> changed, QObject* parent = nullptr);

    // Looks at the file once; what the timer does.
    void Poll();

private:
    struct Stamp {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    Stamp CurrentStamp() const;

    const CBars& m_bars;
    std::function<void()> m_fnChanged;
    QTimer* m_pTimer;
    Stamp m_seen;
    bool m_bPending = false; // changed since it was last reported, and not yet settled
};
