#pragma once
// The checks of one security's price records, record after record: dates that name no day or go
// back, records of the same date, prices that cannot be, volumes below 0.

#include "quotes/Finding.h"
#include "quotes/PriceColumns.h"

#include <cstdint>
#include <functional>
#include <string>

// The (C)YYMMDD value of a stored date as a whole number that orders dates (six-digit years
// 00..59 are 2000..2059, as the chart reads them), or -1 when it is no calendar day from 1901 on.
long long CalendarDateKey(float stored);
// A stored date as 2003-02-14, or its number when it is no calendar day.
std::string StoredDateText(float stored);

class CRecordCheck {
public:
    // `symbol` as stored; positions of `columnMap` past `fieldCount` count as absent.
    CRecordCheck(std::string symbol, const std::int16_t columnMap[kColumnCount], int fieldCount,
                 const FindingSink& report);

    void Check(const std::uint8_t* record);

    long long Records() const { return m_nRecords; }
    bool HasDates() const { return m_nOffset[kColDate] >= 0; }
    float FirstDate() const { return m_fFirstDate; }
    float LastDate() const { return m_fLastDate; }

private:
    float Value(const std::uint8_t* record, int column) const;
    std::string Where(float date, const std::uint8_t* record) const;
    void Report(FindingLevel level, const std::string& where, const char* code,
                const std::string& message) const;
    // Where the record being checked is, made only for a record with a finding.
    const std::string& At() const;
    void CheckPrices(const std::uint8_t* record) const;

    std::string m_strSymbol;
    int m_nOffset[kColumnCount];
    FindingSink m_report; // a copy: callers pass lambdas made for the call
    long long m_nRecords = 0;
    float m_fFirstDate = 0;
    float m_fLastDate = 0;
    long long m_nLastKey = -1; // date and time of the record before, when its date is a day
    const std::uint8_t* m_pRecord = nullptr;
    float m_fDate = 0;
    mutable std::string m_strWhere;
};
