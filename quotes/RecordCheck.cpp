#include "quotes/RecordCheck.h"

#include "platform/FloatText.h"
#include "quotes/Dates.h"
#include "quotes/Mbf.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

constexpr const char* kColumnWords[kColumnCount] = {"date", "time",  "open",   "high",
                                                    "low",  "close", "volume", "open interest"};

std::string Number(float value) {
    char text[40];
    *PutShortestFloat(text, value) = '\0';
    return text;
}

} // namespace

const char* FindingLevelName(FindingLevel level) {
    return level == FindingLevel::kError ? "error" : "warning";
}

long long CalendarDateKey(float stored) {
    if (!(stored >= 1.0f && stored < 10000000.0f) || stored != std::floor(stored))
        return -1;
    auto date = static_cast<long long>(stored);
    if (date < 600000)
        date += 1000000;
    const int year = 1900 + static_cast<int>(date / 10000);
    const int month = static_cast<int>(date / 100 % 100);
    const int day = static_cast<int>(date % 100);
    if (year < 1901 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return -1;
    return date;
}

std::string StoredDateText(float stored) {
    const long long key = CalendarDateKey(stored);
    if (key < 0)
        return Number(stored);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", 1900 + key / 10000, key / 100 % 100,
                  key % 100);
    return text;
}

CRecordCheck::CRecordCheck(std::string symbol, const std::int16_t columnMap[kColumnCount],
                           int fieldCount, const FindingSink& report)
    : m_strSymbol(std::move(symbol)), m_report(report) {
    for (int c = 0; c < kColumnCount; ++c)
        m_nOffset[c] =
            columnMap[c] >= 1 && columnMap[c] <= fieldCount ? 4 * (columnMap[c] - 1) : -1;
}

float CRecordCheck::Value(const std::uint8_t* record, int column) const {
    return MbfToFloat(record + m_nOffset[column]);
}

std::string CRecordCheck::Where(float date, const std::uint8_t* record) const {
    std::string where = m_strSymbol + " " + StoredDateText(date);
    if (m_nOffset[kColTime] >= 0) {
        const float time = Value(record, kColTime);
        char text[48];
        if (time >= 0 && time < 240000 && time == std::floor(time)) {
            const auto hms = static_cast<int>(time);
            std::snprintf(text, sizeof text, " %02d:%02d:%02d", hms / 10000, hms / 100 % 100,
                          hms % 100);
            where += text;
        } else {
            where += " " + Number(time);
        }
    }
    return where;
}

void CRecordCheck::Report(FindingLevel level, const std::string& where, const char* code,
                          const std::string& message) const {
    m_report({level, where, code, message, m_strSymbol});
}

void CRecordCheck::Check(const std::uint8_t* record) {
    ++m_nRecords;
    const float date = HasDates() ? Value(record, kColDate) : 0.0f;
    if (m_nRecords == 1)
        m_fFirstDate = date;
    m_fLastDate = date;
    m_pRecord = record;
    m_fDate = date;
    m_strWhere.clear();
    if (HasDates()) {
        const long long day = CalendarDateKey(date);
        if (day < 0) {
            Report(FindingLevel::kError, At(), "date-invalid",
                   "the stored date " + Number(date) + " is no calendar day");
        } else {
            long long key = day * 1000000;
            if (m_nOffset[kColTime] >= 0) {
                const float time = Value(record, kColTime);
                if (time >= 0 && time < 240000)
                    key += static_cast<long long>(time);
            }
            if (key < m_nLastKey)
                Report(FindingLevel::kError, At(), "date-order",
                       "the record is older than the record before it");
            else if (key == m_nLastKey)
                Report(FindingLevel::kWarning, At(), "date-duplicate",
                       "the record has the same date as the record before it");
            m_nLastKey = key;
        }
    }
    CheckPrices(record);
}

const std::string& CRecordCheck::At() const {
    if (m_strWhere.empty())
        m_strWhere = Where(m_fDate, m_pRecord);
    return m_strWhere;
}

void CRecordCheck::CheckPrices(const std::uint8_t* record) const {
    bool usable[kColumnCount] = {};
    float value[kColumnCount] = {};
    for (int c = kColOpen; c <= kColClose; ++c) {
        if (m_nOffset[c] < 0)
            continue;
        value[c] = Value(record, c);
        if (!std::isfinite(value[c]))
            Report(FindingLevel::kError, At(), "price-not-finite",
                   std::string("the ") + kColumnWords[c] + " is not a number");
        else if (value[c] <= 0)
            Report(FindingLevel::kWarning, At(), "price-not-positive",
                   std::string("the ") + kColumnWords[c] + " is " + Number(value[c]));
        else
            usable[c] = true;
    }
    const bool range = usable[kColHigh] && usable[kColLow];
    if (range && value[kColHigh] < value[kColLow])
        Report(FindingLevel::kWarning, At(), "high-below-low",
               "the high " + Number(value[kColHigh]) + " is below the low " +
                   Number(value[kColLow]));
    else if (range) {
        for (const int c : {kColClose, kColOpen})
            if (usable[c] && (value[c] < value[kColLow] || value[c] > value[kColHigh]))
                Report(FindingLevel::kWarning, At(),
                       c == kColClose ? "close-outside-range" : "open-outside-range",
                       std::string("the ") + kColumnWords[c] + " " + Number(value[c]) +
                           " lies outside the low " + Number(value[kColLow]) + " and the high " +
                           Number(value[kColHigh]));
    }
    if (m_nOffset[kColVol] >= 0) {
        const float volume = Value(record, kColVol);
        if (!std::isfinite(volume))
            Report(FindingLevel::kError, At(), "price-not-finite", "the volume is not a number");
        else if (volume < 0)
            Report(FindingLevel::kWarning, At(), "volume-negative",
                   "the volume is " + Number(volume));
    }
}
