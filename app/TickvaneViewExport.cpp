// The chart and its quotes out of the program: Copy puts the chart on the clipboard, Export Chart
// writes it as PNG, SVG or PDF, Export Quotes writes the security's whole history as CSV. All of
// them draw the chart in the screen's colours at the window's size.

#include "app/AppServices.h"
#include "app/ChartPicture.h"
#include "app/CommonDialogs.h"
#include "app/FileAccess.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "platform/MessageService.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <filesystem>

namespace {

constexpr char kQuotesFilter[] = "CSV file (*.csv)";

// The symbol as a file name: characters that no file name may hold become '_'.
std::string FileNameOf(const char* symbol) {
    std::string name = symbol && *symbol ? symbol : "chart";
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return name;
}

// Nothing is written over the files of the open quote folder, whatever the user picks.
bool RefuseQuoteFile(const std::string& path, CBars& bars, MessageService& messages) {
    const char* directory = bars.GetDataDirectory();
    if (!directory || !IsQuoteFileIn(path, directory))
        return false;
    messages.Show("Tickvane does not write over the files of a quote folder.\nChoose another name.",
                  MessageIcon::Warning);
    return true;
}

} // namespace

QImage CTickvaneView::ChartImage() {
    return DrawChartImage(Bars(), size(), 1, font(), logicalDpiY());
}

void CTickvaneView::OnEditCopy() {
    QGuiApplication::clipboard()->setImage(ChartImage());
}

std::string CTickvaneView::SuggestedExportPath(const char* extension) const {
    std::string directory = m_strExportDirectory;
    if (directory.empty())
        directory = QFile::encodeName(QDir::homePath()).toStdString();
    CBars& bars = m_doc.Bars();
    const std::string name = FileNameOf(bars.GetSymbol(bars.GetCurrentIndex())) + extension;
    return (std::filesystem::path(directory) / name).string();
}

bool CTickvaneView::OnFileExportChart() {
    if (m_strChartFilter.isEmpty())
        m_strChartFilter = ChartFileFilters().section(QStringLiteral(";;"), 0, 0);
    const ChartFileFormat suggested = ChartFormatOfFilter(m_strChartFilter);
    std::string path;
    if (!m_services.commonDialogs.AskSavePath(
            window(), QStringLiteral("Export Chart"), ChartFileFilters(),
            WithChartExtension(SuggestedExportPath(""), suggested), path, m_strChartFilter))
        return false;
    ChartFileFormat format = ChartFormatOfName(QString::fromStdString(path));
    if (format == ChartFileFormat::None)
        format = ChartFormatOfFilter(m_strChartFilter);
    path = WithChartExtension(path, format);
    if (RefuseQuoteFile(path, Bars(), m_services.messages))
        return false;
    std::string error;
    if (!WriteChartFile(Bars(), path, size(), font(), logicalDpiY(), error)) {
        m_services.messages.Show(error, MessageIcon::Stop);
        return false;
    }
    m_strExportDirectory = std::filesystem::path(path).parent_path().string();
    return true;
}

bool CTickvaneView::OnFileExportQuotes() {
    std::string path;
    QString filter = QLatin1String(kQuotesFilter);
    if (!m_services.commonDialogs.AskSavePath(window(), QStringLiteral("Export Quotes"),
                                              QLatin1String(kQuotesFilter) +
                                                  QStringLiteral(";;All Files (*)"),
                                              SuggestedExportPath(".csv"), path, filter))
        return false;
    if (filter == QLatin1String(kQuotesFilter) && !std::filesystem::path(path).has_extension())
        path += ".csv";
    if (RefuseQuoteFile(path, Bars(), m_services.messages))
        return false;
    std::string error;
    if (!Window().ExportQuotesCsv(path, error)) {
        m_services.messages.Show(error, MessageIcon::Stop);
        return false;
    }
    m_strExportDirectory = std::filesystem::path(path).parent_path().string();
    return true;
}
