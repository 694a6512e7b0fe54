#pragma once
// The chart object. Its directory side (BarsDirectory.cpp, BarsReadMaster.cpp,
// BarsRepairMaster.cpp) holds the entries of the open MASTER and the current security's rows with
// both moving averages; its display side (BarsOptions.cpp, BarsDrawChart.cpp) the view options,
// the colours and the drawing. Methods that can fail return 0 for success and 1 for failure and
// report the failure themselves through the MessageService.

#include "chart/ChartOptions.h"
#include "chart/ChartWindow.h"
#include "chart/ColorItems.h"
#include "chart/SymbolTable.h"
#include "platform/Geometry.h"
#include "quotes/QuoteBuffer.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CDrawingStore;
class CSeriesProvider;
struct Drawing;
class MessageService;
class Settings;
class Surface;

// MASTER entries listed; XMASTER adds up to 65,535 more.
constexpr int kMaxSymbols = 255;
constexpr int kMaxDirectoryEntries = kMaxSymbols + 65535;
constexpr int kSymbolTextSize = 17; // 16 characters and a NUL
constexpr int kChartRows = 800;
class CBars {
public:
    CBars(Settings& settings, MessageService& messages);
    ~CBars();
    CBars(const CBars&) = delete;
    CBars& operator=(const CBars&) = delete;

    // The symbol directory: the MASTER entries, then those of XMASTER (BarsReadMaster.cpp).
    // 1 when the path is accepted (its name ends in MASTER in any case), 0 when it is refused: the
    // opposite of the 0-for-success rule of the other methods. A path naming EMASTER or XMASTER
    // stands for the MASTER of its folder.
    int SetMasterPath(const char* path);
    int ReadMaster();
    int ReadCurrentSymbol();
    // Reads rows of the current entry into `buffer` as ReadSecurity does (start, count and
    // statuses alike): a MASTER entry through the lookup, any other straight from its price file.
    Status ReadCurrentRows(QuoteBuffer& buffer, int start, int count) const;
    // Reads the newest rows of the current entry into the chart's buffer again, with both
    // averages, without a word on failure (the rows held stay); for a price file that changed.
    bool ReloadNewestRows();
    // 1 when the step went past either end and was clamped to it, else 0; not a failure.
    int StepSymbol(int step);
    void SearchSetSymbolIndex(const char* symbol);
    void Rewind() { m_nCurrentIndex = 0; }
    bool HasNextSymbol() const;
    bool HasPreviousSymbol() const;
    // The symbol as stored, which SearchSetSymbolIndex compares.
    const char* GetSymbol(int index) const;
    // UTF-8 names: the one to show (the long name when there is one), the index file's own name
    // (MASTER's 16 characters with their blanks), and the long name or an empty text.
    const char* GetName(int index) const;
    const char* GetShortName(int index) const;
    const char* GetLongName(int index) const;
    // Where an XMASTER (or EMASTER-only) entry's prices are; null for a MASTER entry, which is
    // looked up by its symbol, and for an index out of range.
    const PriceSource* GetSource(int index) const;
    const char* GetMasterPath() const;
    const char* GetDataDirectory() const;
    // Why the last ReadMaster refused the file as no MASTER (MasterCheck.h); empty when it did not.
    const std::string& GetMasterProblem() const { return m_strMasterProblem; }
    int GetSymbolCount() const { return m_nSymbolCount; }
    int GetCurrentIndex() const { return m_nCurrentIndex; }
    // Counts the reads of the directory, so that what lists its entries knows when to list
    // them again.
    int GetDirectoryReads() const { return m_nDirectoryReads; }
    // 0 when every buffer was allocated, 1 when some were (all are freed again), 100 when none.
    int AllocateBuffers(int rows);
    // 0, or the status of freeing the quote buffer.
    int FreeBuffers();
    const QuoteBuffer& GetQuotes() const { return m_quotes; }
    const QuoteColumn& GetMA1Column() const { return m_ma1; }
    const QuoteColumn& GetMA2Column() const { return m_ma2; }

    // Options. Lengths below 1 and bar spaces below 1 are taken as 1: nothing else is sound.
    void ResetDefaults();
    bool IsDataLoaded() const { return m_bBuffersAllocated != 0; }
    void SetBarSpace(int space);
    int GetBarSpace() const { return m_nBarSpace; }
    void SetShowVolume(int show) { m_bShowVolume = show; }
    int GetShowVolume() const { return m_bShowVolume; }
    void SetShowMA1(int show) { m_bShowMA1 = show; }
    int GetShowMA1() const { return m_bShowMA1; }
    void SetShowMA2(int show) { m_bShowMA2 = show; }
    int GetShowMA2() const { return m_bShowMA2; }
    void SetHideBadData(int hide) { m_bHideBadData = hide; }
    int GetHideBadData() const { return m_bHideBadData; }
    void SetMA1Length(int length);
    void SetMA2Length(int length);
    int GetMA1Length() const { return m_nMA1Length; }
    int GetMA2Length() const { return m_nMA2Length; }
    // Style, scale, period and grid (ChartOptions.h): plain stores, shown at the next drawing.
    void SetChartOptions(const ChartOptions& options) { m_chartOptions = options; }
    const ChartOptions& GetChartOptions() const { return m_chartOptions; }

    // Colours: palette indexes 0..7 per item; indexes outside the ranges are ignored.
    // Gives back `item`, whether or not the colour was taken.
    int SetWorkColor(int item, int paletteIndex);
    int GetWorkColor(int item) const;
    COLORREF GetWorkColorRGB(int item) const;
    void CommitColors();
    COLORREF GetPaletteColor(int paletteIndex) const;
    const std::string& GetItemName(int item) const;

    // Draws the current security onto `dc`, stretched over `target`; see BarsDrawChart.cpp. Always
    // 0.
    int DrawChart(Surface& dc, const CRect& target, bool printing);
    // The size of the main frame's client area, which is the chart's logical space. Without a
    // provider the target's size is used.
    void SetFrameSizeProvider(std::function<CSize()> provider);
    CSize GetFrameSize(CSize target) const { return m_fnFrameSize ? m_fnFrameSize() : target; }
    // The bars shown: scrolling, zoom, the crosshair, the whole history (ChartWindow.h).
    CChartWindow& Window() { return m_window; }
    // Series beyond the bars, the volume and the averages (ChartPanes.h); null for none. The
    // provider must outlive its use here.
    void SetSeriesProvider(CSeriesProvider* provider) { m_pSeriesProvider = provider; }
    CSeriesProvider* GetSeriesProvider() const { return m_pSeriesProvider; }
    // The drawings over the price pane: those `store` keeps for the current security; null for
    // none. The store must outlive its use here.
    void SetDrawingStore(const CDrawingStore* store) { m_pDrawingStore = store; }
    const CDrawingStore* GetDrawingStore() const { return m_pDrawingStore; }
    // The current security's key in the store: the absolute path of its folder, and its symbol
    // in UTF-8 without the blanks that pad it.
    std::string DrawingFolder() const;
    std::string DrawingSymbol() const;
    // Its drawings; null for none.
    const std::vector<Drawing>* CurrentDrawings() const;
    // A drawing left out of the chart, -1 for none: the view paints it itself while it is moved.
    void SetSkippedDrawing(int index) { m_nSkippedDrawing = index; }

    // Replaces `to` by `from` in one step; tests put a failing one in.
    using FileReplacer = std::function<bool(const std::string& from, const std::string& to)>;
    void SetFileReplacer(FileReplacer replacer) { m_fnReplaceFile = std::move(replacer); }

    // Puts `messages` in place of the service that failures are reported through and gives back
    // the one it replaces: the slide show collects its reports so that no box stops the show.
    MessageService& SwapMessageService(MessageService& messages) {
        return *std::exchange(m_pMessages, &messages);
    }

    // Repair damaged masters without asking; the Options command reads and writes it.
    int m_bMasterFix;

private:
    void ResetDirectory();
    void ComputeAverages();
    int RepairMaster();
    int PaletteIndex(int item, bool printing) const;

    Settings& m_settings;
    MessageService* m_pMessages; // never null
    CSeriesProvider* m_pSeriesProvider = nullptr;
    const CDrawingStore* m_pDrawingStore = nullptr;
    int m_nSkippedDrawing = -1;
    std::function<CSize()> m_fnFrameSize;
    FileReplacer m_fnReplaceFile;

    CSymbolTable m_table;
    // Paths of any length: the 300-character buffers of old cut nothing a user may open.
    std::string m_strMasterPath;
    std::string m_strDataDirectory;
    std::string m_strMasterProblem;
    int m_bMasterPathSet;
    int m_nSymbolCount;
    int m_nCurrentIndex;
    int m_nDirectoryReads = 0;
    int m_bBuffersAllocated;
    int m_nMA1Length;
    int m_nMA2Length;

    int m_nBarSpace;
    std::string m_strItemNames[kColorItemCount];
    COLORREF m_crPalette[kPaletteSize];
    int m_nPrintColors[kColorItemCount];
    int m_nScreenColors[kColorItemCount];
    int m_nWorkColors[kColorItemCount];
    int m_bShowMA1;
    int m_bShowMA2;
    int m_bShowVolume;
    int m_bHideBadData;

    QuoteBuffer m_quotes;
    QuoteColumn m_ma1;
    QuoteColumn m_ma2;

    CChartWindow m_window;
    ChartOptions m_chartOptions;
};
