#pragma once
// The export as an SQLite database, written in one transaction into a work file beside the file
// named, which takes the name only when the export is complete:
//
//   securities  id INTEGER PRIMARY KEY (1, 2, ... in the export's order), symbol, name (the index
//               entry's own), long_name (NULL when none), folder, file (the price file as its index
//               names it), first_date and last_date (of its first and last record, as the quotes
//               table has them), records
//   quotes      symbol_id (securities.id), date, time, open, high, low, close, volume, oi; in the
//               export's order, indexed by (symbol_id, date)
//
// Dates and times are the texts of the CSV export (2003-02-14, 09:30:00); every value is the stored
// single-precision number exactly, as a REAL; a column that a security does not store, a date
// that names no month, and a value that is not a number (which SQLite cannot hold) are NULL.

#include "cli/ExportWriter.h"
#include "platform/SafeFiles.h"

#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

class CSqliteExportWriter : public ExportWriter {
public:
    CSqliteExportWriter();
    ~CSqliteExportWriter() override;

    // Creates the work file and the tables in it; false with the reason when it cannot.
    bool Open(const std::string& path, std::string& problem);

    void BeginSecurity(const ExportedSecurity& security) override;
    void WriteRecords(const std::uint8_t* records, int count, int recordLength,
                      OddDates& odd) override;
    void EndSecurity(bool whole) override;
    bool Good() const override { return m_strProblem.empty(); }
    std::string Problem() const override { return m_strProblem; }
    bool Finish() override;

private:
    // A quote row waiting for its statement: rows go to the database many to a statement, which
    // saves most of the cost of running one.
    struct PendingRow {
        long long nSymbolId;
        std::uint8_t nDateLength; // 0: NULL
        std::uint8_t nTimeLength; // 0: NULL
        std::uint8_t nValues;     // bit c - kColOpen: the value of column c is stored
        char szDate[16];
        char szTime[32];
        double dValues[6];
    };
    static constexpr int kRowsPerInsert = 64;

    // Writes the rows waiting, as many at a time as one statement takes and the rest one by one.
    void InsertPending(bool all);
    void BindRow(sqlite3_stmt* statement, int first, const PendingRow& row);
    // False, with the problem noted, unless `result` is `expected`.
    bool Check(int result, int expected);
    bool Execute(const char* sql);
    bool Prepare(const char* sql, sqlite3_stmt*& statement);
    void Close();

    std::string m_strPath;
    std::unique_ptr<CWorkFile> m_pWork;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_pInsertQuote = nullptr;  // one row
    sqlite3_stmt* m_pInsertQuotes = nullptr; // kRowsPerInsert rows
    PendingRow m_pending[kRowsPerInsert];
    int m_nPending = 0;
    sqlite3_stmt* m_pInsertSecurity = nullptr;
    std::string m_strProblem;

    // The security begun last.
    long long m_nId = 0;
    std::string m_strSymbol, m_strName, m_strLongName, m_strFolder, m_strFile;
    std::optional<CRecordLayout> m_layout;
    long long m_nRecords = 0;
    std::string m_strFirstDate, m_strLastDate;
};
