#include "cli/CsvExportWriter.h"

namespace {

constexpr char kHeader[] = "symbol,name,date,time,open,high,low,close,volume,oi\n";

} // namespace

CCsvExportWriter::CCsvExportWriter() = default;
CCsvExportWriter::~CCsvExportWriter() = default;

bool CCsvExportWriter::Open(const std::string& path, std::string& problem) {
    if (path.empty())
        m_out.UseStandardOutput();
    else if (!m_out.UseFile(path, problem))
        return false;
    m_out.Append(kHeader);
    return true;
}

void CCsvExportWriter::BeginSecurity(const ExportedSecurity& security) {
    std::string prefix;
    AppendCsvField(prefix, security.symbol);
    prefix += ',';
    AppendCsvField(prefix, security.name);
    prefix += ',';
    m_pRows =
        std::make_unique<CRowFormatter>(std::move(prefix), security.columns, security.fieldCount);
}

void CCsvExportWriter::WriteRecords(const std::uint8_t* records, int count, int recordLength,
                                    OddDates& odd) {
    m_pRows->Write(m_out, records, count, recordLength, odd);
}

void CCsvExportWriter::EndSecurity(bool) {
    m_pRows.reset();
}
