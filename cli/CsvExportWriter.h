#pragma once
// The export as one CSV, `symbol,name,date,time,open,high,low,close,volume,oi` (ExportRows.h),
// written to standard output or through a temporary file beside the file named.

#include "cli/ExportWriter.h"
#include "cli/OutputSink.h"

#include <memory>

class CCsvExportWriter : public ExportWriter {
public:
    CCsvExportWriter();
    ~CCsvExportWriter() override;

    // An empty path writes to standard output. False with the reason when the file cannot be made.
    bool Open(const std::string& path, std::string& problem);

    void BeginSecurity(const ExportedSecurity& security) override;
    void WriteRecords(const std::uint8_t* records, int count, int recordLength,
                      OddDates& odd) override;
    void EndSecurity(bool whole) override;
    bool Good() const override { return m_out.Good(); }
    std::string Problem() const override { return m_out.Problem(); }
    bool Finish() override { return m_out.Finish(); }

private:
    COutputSink m_out;
    std::unique_ptr<CRowFormatter> m_pRows; // of the security begun last
};
