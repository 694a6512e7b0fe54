#pragma once
// Where tickvane-cli export puts what it reads. The walk over the folders and the reading of the
// price files are the export's own; a writer only gives each security and its records a form: a
// CSV (CsvExportWriter.h) or an SQLite database (SqliteExportWriter.h).

#include "cli/ExportRows.h"

#include <cstdint>
#include <string>
#include <string_view>

// A security as the export found it. The texts are UTF-8 and valid until EndSecurity.
struct ExportedSecurity {
    std::string_view symbol;
    std::string_view name;      // the name shown: the long name when there is one
    std::string_view shortName; // the index entry's own name
    std::string_view longName;  // empty when there is none
    std::string_view folder;    // the folder that holds its files, as the walk reached it
    std::string_view file;      // its price file, as its index names it
    // The column map of its records and their usable fields.
    const std::int16_t* columns;
    int fieldCount;
};

class ExportWriter {
public:
    virtual ~ExportWriter() = default;

    // Starts a security whose price file opened; its records follow.
    virtual void BeginSecurity(const ExportedSecurity& security) = 0;
    // Writes `count` records of `recordLength` bytes; counts the stored dates that are no calendar
    // day in `odd`.
    virtual void WriteRecords(const std::uint8_t* records, int count, int recordLength,
                              OddDates& odd) = 0;
    // Ends the security begun last; `whole` when every record of its file was written.
    virtual void EndSecurity(bool whole) = 0;

    // False once writing has failed; Problem() then says why.
    virtual bool Good() const = 0;
    virtual std::string Problem() const = 0;
    // Completes the output and, for a file, puts it in place. False when anything failed.
    virtual bool Finish() = 0;
};
