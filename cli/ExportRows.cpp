#include "cli/ExportRows.h"

#include "chart/QuoteText.h"
#include "platform/FloatText.h"
#include "quotes/Dates.h"
#include "quotes/Mbf.h"

#include <cstring>
#include <utility>

namespace {

// Room for everything of a row but its prefix: a date, a time and six numbers with separators,
// and the bytes that the copies in fixed pieces write beyond their texts.
constexpr std::size_t kRowRoom = 16 + 16 + 6 * 40 + 32;
constexpr std::size_t kPiece = 16;

// The value as a whole number below `limit`, or false.
bool WholeBelow(float value, float limit, std::uint32_t& whole) {
    if (!(value >= 0.0f && value < limit))
        return false;
    whole = static_cast<std::uint32_t>(value);
    return static_cast<float>(whole) == value;
}

} // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// (C)YYMMDD, with six-digit years 00..59 taken as 2000..2059, as the chart takes them. A calendar
// day of the years the day numbers hold comes out of the day numbers as it went in, so it is
// written at once; anything else takes the chart's way through its day number.
char* PutStoredDate(char* out, float value, bool& calendar) {
    std::uint32_t stored = 0;
    calendar = false;
    if (WholeBelow(value, 10000000.0f, stored) && stored > 0) {
        const std::uint32_t date = stored < 600000 ? stored + 1000000 : stored;
        const unsigned month = date / 100 % 100;
        const unsigned day = date % 100;
        const unsigned year = 1900 + date / 10000;
        calendar =
            year >= 1961 && year <= 2139 && month >= 1 && month <= 12 && day >= 1 &&
            static_cast<int>(day) <= DaysInMonth(static_cast<int>(year), static_cast<int>(month));
        if (calendar) {
            out = PutTwoDigits(out, year / 100);
            out = PutTwoDigits(out, year % 100);
            *out++ = '-';
            out = PutTwoDigits(out, month);
            *out++ = '-';
            return PutTwoDigits(out, day);
        }
    }
    return PutIsoDate(out, YymmddToDay(value));
}

char* PutStoredTime(char* out, float value) {
    std::uint32_t stored = 0;
    if (WholeBelow(value, 240000.0f, stored) && stored / 100 % 100 < 60 && stored % 100 < 60) {
        out = PutTwoDigits(out, stored / 10000);
        *out++ = ':';
        out = PutTwoDigits(out, stored / 100 % 100);
        *out++ = ':';
        return PutTwoDigits(out, stored % 100);
    }
    return PutShortestFloat(out, value);
}

CRecordLayout::CRecordLayout(const std::int16_t columnMap[kColumnCount], int fieldCount) {
    for (int c = 0; c < kColumnCount; ++c)
        m_nOffset[c] =
            columnMap[c] >= 1 && columnMap[c] <= fieldCount ? 4 * (columnMap[c] - 1) : -1;
}

CRowFormatter::CRowFormatter(std::string prefix, const std::int16_t columnMap[kColumnCount],
                             int fieldCount)
    : m_strPrefix(std::move(prefix)), m_nPrefixLength(m_strPrefix.size()),
      m_layout(columnMap, fieldCount) {
    m_strPrefix.resize((m_nPrefixLength + kPiece - 1) / kPiece * kPiece, '\0');
}

void CRowFormatter::Write(COutputSink& out, const std::uint8_t* records, int count,
                          int recordLength, OddDates& odd) const {
    const std::size_t room = m_strPrefix.size() + kRowRoom;
    const char* prefix = m_strPrefix.data();
    CDateTexts dates;
    for (int r = 0; r < count; ++r, records += recordLength) {
        char* at = out.Reserve(room);
        // In fixed pieces, which the compiler copies inline; the excess is overwritten.
        for (std::size_t i = 0; i < m_nPrefixLength; i += kPiece)
            std::memcpy(at + i, prefix + i, kPiece);
        at += m_nPrefixLength;
        if (m_layout.Has(kColDate)) {
            std::memcpy(at, dates.Text(m_layout.Value(records, kColDate), odd), CDateTexts::kRoom);
            at += dates.Length();
        }
        *at++ = ',';
        if (m_layout.Has(kColTime))
            at = PutStoredTime(at, m_layout.Value(records, kColTime));
        for (int c = kColOpen; c <= kColOi; ++c) {
            *at++ = ',';
            if (m_layout.Has(c))
                at = PutShortestFloat(at, m_layout.Value(records, c));
        }
        *at++ = '\n';
        out.Commit(at);
    }
}
