#include "cli/SqliteExportWriter.h"

#include "cli/SignalCleanup.h"

#include <sqlite3.h>

#include <cstring>

namespace {

// The work file is new and is thrown away whole when anything fails, so the database keeps no
// journal and leaves flushing to the disk to the work file's commit. The index is made with the
// table: rows come in its order nearly always (by security, then by date), so keeping it as they
// come costs less than sorting them all at the end.
constexpr char kSchema[] = R"(
PRAGMA journal_mode = OFF;
PRAGMA synchronous = OFF;
PRAGMA locking_mode = EXCLUSIVE;
BEGIN;
CREATE TABLE securities (
    id INTEGER PRIMARY KEY,
    symbol TEXT NOT NULL,
    name TEXT NOT NULL,
    long_name TEXT,
    folder TEXT NOT NULL,
    file TEXT NOT NULL,
    first_date TEXT,
    last_date TEXT,
    records INTEGER NOT NULL
);
CREATE TABLE quotes (
    symbol_id INTEGER NOT NULL REFERENCES securities (id),
    date TEXT,
    time TEXT,
    open REAL,
    high REAL,
    low REAL,
    close REAL,
    volume REAL,
    oi REAL
);
CREATE INDEX quotes_by_symbol_date ON quotes (symbol_id, date);
)";
constexpr char kInsertSecurity[] = "INSERT INTO securities VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)";
constexpr char kQuoteValues[] = "(?, ?, ?, ?, ?, ?, ?, ?, ?)";
constexpr int kQuoteParameters = 9;

std::string InsertQuotes(int rows) {
    std::string sql = "INSERT INTO quotes VALUES ";
    for (int r = 0; r < rows; ++r)
        sql += (r == 0 ? "" : ", ") + std::string(kQuoteValues);
    return sql;
}

void BindText(sqlite3_stmt* statement, int index, std::string_view text) {
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

void BindTextOrNull(sqlite3_stmt* statement, int index, std::string_view text) {
    if (text.empty())
        sqlite3_bind_null(statement, index);
    else
        BindText(statement, index, text);
}

} // namespace

CSqliteExportWriter::CSqliteExportWriter() = default;

CSqliteExportWriter::~CSqliteExportWriter() {
    Close();
    if (m_pWork) {
        m_pWork.reset(); // removes the work file unless it was committed
        StopRemovingOnSignal();
    }
}

bool CSqliteExportWriter::Open(const std::string& path, std::string& problem) {
    // A name of its own, so that two exports to one file never write into the same work file.
    auto work = std::make_unique<CWorkFile>(path, CWorkFile::UniqueName{});
    if (!work->IsOpen()) {
        problem = "cannot create a file beside " + path + ": " + std::strerror(work->Error());
        return false;
    }
    m_strPath = path;
    m_pWork = std::move(work);
    RemoveOnSignal(m_pWork->WorkPath());
    // The program has one thread and one connection: SQLite's locks and its count of the memory
    // it holds would only cost time (until SQLite is first used, it can be told so).
    sqlite3_config(SQLITE_CONFIG_SINGLETHREAD);
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    const std::string insertQuotes = InsertQuotes(kRowsPerInsert);
    // The work file is there and empty, which SQLite takes as a new database.
    if (Check(sqlite3_open_v2(m_pWork->WorkPath().c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK) &&
        Execute(kSchema) && Prepare(InsertQuotes(1).c_str(), m_pInsertQuote) &&
        Prepare(insertQuotes.c_str(), m_pInsertQuotes) &&
        Prepare(kInsertSecurity, m_pInsertSecurity))
        return true;
    problem = m_strProblem;
    return false;
}

bool CSqliteExportWriter::Check(int result, int expected) {
    if (result == expected)
        return true;
    if (m_strProblem.empty())
        m_strProblem = "cannot write " + m_strPath + ": " +
                       (m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(result));
    return false;
}

bool CSqliteExportWriter::Execute(const char* sql) {
    return Check(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
}

bool CSqliteExportWriter::Prepare(const char* sql, sqlite3_stmt*& statement) {
    return Check(sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr),
                 SQLITE_OK);
}

void CSqliteExportWriter::BeginSecurity(const ExportedSecurity& security) {
    ++m_nId;
    m_strSymbol = security.symbol;
    m_strName = security.shortName;
    m_strLongName = security.longName;
    m_strFolder = security.folder;
    m_strFile = security.file;
    m_layout.emplace(security.columns, security.fieldCount);
    m_nRecords = 0;
    m_strFirstDate.clear();
    m_strLastDate.clear();
}

void CSqliteExportWriter::WriteRecords(const std::uint8_t* records, int count, int recordLength,
                                       OddDates& odd) {
    const CRecordLayout& layout = *m_layout;
    const bool hasDate = layout.Has(kColDate);
    const bool hasTime = layout.Has(kColTime);
    std::uint8_t stored = 0;
    for (int c = kColOpen; c <= kColOi; ++c)
        if (layout.Has(c))
            stored = static_cast<std::uint8_t>(stored | 1u << (c - kColOpen));
    CDateTexts dates;
    for (int r = 0; r < count && Good(); ++r, records += recordLength) {
        PendingRow& row = m_pending[m_nPending];
        row.nSymbolId = m_nId;
        row.nDateLength = 0;
        if (hasDate) {
            const char* date = dates.Text(layout.Value(records, kColDate), odd);
            row.nDateLength = static_cast<std::uint8_t>(dates.Length());
            std::memcpy(row.szDate, date, sizeof row.szDate);
            if (m_nRecords == 0)
                m_strFirstDate.assign(date, dates.Length());
            if (r == count - 1)
                m_strLastDate.assign(date, dates.Length());
        }
        row.nTimeLength =
            hasTime ? static_cast<std::uint8_t>(
                          PutStoredTime(row.szTime, layout.Value(records, kColTime)) - row.szTime)
                    : 0;
        row.nValues = stored;
        for (int c = kColOpen; c <= kColOi; ++c)
            row.dValues[c - kColOpen] =
                layout.Has(c) ? static_cast<double>(layout.Value(records, c)) : 0.0;
        ++m_nRecords;
        if (++m_nPending == kRowsPerInsert)
            InsertPending(false);
    }
}

void CSqliteExportWriter::BindRow(sqlite3_stmt* statement, int first, const PendingRow& row) {
    sqlite3_bind_int64(statement, first, row.nSymbolId);
    BindTextOrNull(statement, first + 1, std::string_view(row.szDate, row.nDateLength));
    BindTextOrNull(statement, first + 2, std::string_view(row.szTime, row.nTimeLength));
    for (int v = 0; v < 6; ++v)
        if (row.nValues & (1u << v))
            sqlite3_bind_double(statement, first + 3 + v, row.dValues[v]);
        else
            sqlite3_bind_null(statement, first + 3 + v);
}

void CSqliteExportWriter::InsertPending(bool all) {
    int row = 0;
    if (m_nPending == kRowsPerInsert) {
        for (; row < kRowsPerInsert; ++row)
            BindRow(m_pInsertQuotes, 1 + row * kQuoteParameters, m_pending[row]);
        Check(sqlite3_step(m_pInsertQuotes), SQLITE_DONE);
        sqlite3_reset(m_pInsertQuotes);
    }
    for (; all && row < m_nPending && Good(); ++row) {
        BindRow(m_pInsertQuote, 1, m_pending[row]);
        Check(sqlite3_step(m_pInsertQuote), SQLITE_DONE);
        sqlite3_reset(m_pInsertQuote);
    }
    m_nPending = 0;
}

void CSqliteExportWriter::EndSecurity(bool whole) {
    // A file that failed before its first record leaves nothing to list; one that failed later
    // lists the records it gave.
    if (!Good() || (!whole && m_nRecords == 0))
        return;
    sqlite3_stmt* insert = m_pInsertSecurity;
    sqlite3_bind_int64(insert, 1, m_nId);
    BindText(insert, 2, m_strSymbol);
    BindText(insert, 3, m_strName);
    BindTextOrNull(insert, 4, m_strLongName);
    BindText(insert, 5, m_strFolder);
    BindText(insert, 6, m_strFile);
    BindTextOrNull(insert, 7, m_strFirstDate);
    BindTextOrNull(insert, 8, m_strLastDate);
    sqlite3_bind_int64(insert, 9, m_nRecords);
    Check(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_reset(insert);
}

bool CSqliteExportWriter::Finish() {
    if (Good())
        InsertPending(true);
    if (Good() && Execute("COMMIT")) {
        Close();
        if (m_pWork->Commit() != CWorkFile::Failure::kNone)
            m_strProblem = "cannot write " + m_strPath + ": " + std::strerror(m_pWork->Error());
    }
    Close();
    m_pWork.reset();
    StopRemovingOnSignal();
    return Good();
}

void CSqliteExportWriter::Close() {
    for (sqlite3_stmt** statement : {&m_pInsertQuote, &m_pInsertQuotes, &m_pInsertSecurity}) {
        sqlite3_finalize(*statement);
        *statement = nullptr;
    }
    // With every statement finalized, the database closes at once.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}
