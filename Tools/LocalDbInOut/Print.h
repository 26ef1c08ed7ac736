#pragma once
// The table printer: one report at a time on the system's default printer, without a print
// dialog. Every page of a report carries a header line (the title on the left, the date and time
// on the right), the bold column titles, then data rows shaded white and light grey in turn, and
// at its foot a page number line such as "(page 2 of 5)"; the last page ends with a bold total
// row. Cells that are too long are cut with "..." at their end; nothing wraps. It knows nothing
// about what the rows mean.
//
// A report: SelectDefaultPrinter, BeginReport, AddTable, AddRow once per row, EndReport. The
// pages are recorded as they are laid out and reach the printer only in EndReport, so a report
// that fails half-way (AbortReport) sends nothing to the spooler. Sizes are in printer units,
// measured on the selected printer with its fonts.
//
// Failures: BeginReport without an installed printer fails with PrinterErrorText, and so does
// EndReport when the printer refuses the job. Calls out of order fail with "Report must be
// started", "Table already added", "Table not added" or "Invalid values count".

#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QFontMetrics;
class QPrinter;

// The vertical measures that page breaking depends on.
struct TPageMetrics {
  int PageHeight = 0;
  int PageLineHeight = 0;  // the header and page number lines
  int BoldRowHeight = 0;   // the column titles and the total row
  int RowHeight = 0;       // a data row
};

// The available width dealt out to the columns in passes of their weights: every column gets its
// weight once per full pass, the columns reached in the last pass once more, and the last of them
// gives back the overshoot, so the widths add up to available exactly.
std::vector<int> DealColumnWidths(int available, const std::vector<int>& weights);

// The number of pages that rowCount rows take when the first page's table starts at firstY.
// A last row with no room under it for the total row goes to a new page with it.
int CountReportPages(int firstY, const TPageMetrics& metrics, int rowCount);

// Whether a row that starts at curY must begin a new page; rowsLeft counts it.
bool RowNeedsNewPage(int curY, int rowsLeft, const TPageMetrics& metrics);

// One drawing step of a recorded page: a shaded band (Font < 0) or a line of text in a cell.
struct TPrintStep {
  enum TFontKind { Shading = -1, PageFontKind, BoldFontKind, RowFontKind };
  QRect Rect;
  int Font = Shading;
  int Alignment = 0;
  QString Text;
};
using TPrintedPage = std::vector<TPrintStep>;

class TPrintManager {
public:
  TPrintManager();
  virtual ~TPrintManager();
  TPrintManager(const TPrintManager&) = delete;
  TPrintManager& operator=(const TPrintManager&) = delete;

  // True when at least one printer is installed (always, while printing to a file).
  bool HasPrinters() const;
  // Reads the list of installed printers anew, takes the system's default one (the first one
  // when none is marked default) and measures its page.
  void SelectDefaultPrinter();
  // Reads the printable page size of the selected printer and measures the three fonts on it;
  // without a printer nothing changes.
  void MeasurePage();

  void BeginReport(const std::string& title);
  // Weights, rightAligned and totalRow need at least as many entries as titles.
  void AddTable(const std::vector<std::string>& titles, const std::vector<int>& weights,
                const std::vector<bool>& rightAligned, int rowCount,
                const std::vector<std::string>& totalRow);
  // values has exactly one entry per column.
  void AddRow(const std::vector<std::string>& values);
  // Hands the recorded pages to the printer as one job.
  void EndReport();
  // Drops the report being laid out; nothing reaches the printer. Safe to call at any time.
  void AbortReport();
  void ClearTable();

  // Prints to this PDF file instead of the default printer, on A4 paper; empty: the printer.
  void SetOutputFile(const std::string& pdfPath);

  // Two integer arguments: the page number and the page count.
  std::string PageNoFormat = "%0:d - %1:d";
  std::string PrinterErrorText = "Printer initializing error";

  const std::string& Title() const { return FTitle; }
  int LeftMargin() const { return FLeftMargin; }
  int RightEdge() const { return FRightEdge; }
  int PageNo() const { return FPageNo; }
  int PageCount() const { return FPageCount; }
  int CurY() const { return FCurY; }
  bool Started() const { return FStarted; }
  const std::vector<int>& ColWidths() const { return FColWidths; }
  TPageMetrics Metrics() const;
  // The pages of the last report as they were laid out; kept until the next BeginReport.
  const std::vector<TPrintedPage>& Pages() const { return FPages; }

protected:
  virtual void PrintPageHeader();
  virtual void PrintPageNumber();
  virtual void PrintColumnTitles();
  virtual void PrintTotalRow();
  void PrintRow(const std::vector<std::string>& cells, int height, TPrintStep::TFontKind font);

private:
  const QFont& FontOf(TPrintStep::TFontKind font) const;
  QFontMetrics PrinterMetrics(TPrintStep::TFontKind font) const;
  // Records text cut to the rectangle's width, on one line, vertically centred.
  void AddText(const QRect& rect, TPrintStep::TFontKind font, const QString& text, int alignment);
  void NewPage();
  void CheckTableAdded() const;
  void FinishReport();

  std::string FTitle;
  int FRightEdge = 0;
  int FPageHeight = 0;
  int FPageNo = 0;
  int FPageCount = 0;
  int FCurY = 0;
  int FLeftMargin = 0;
  bool FStarted = false;
  bool FTableAdded = false;
  int FRowsLeft = 0;
  bool FShade = false;
  QColor FShadeColor{247, 247, 247};
  std::vector<std::string> FColTitles;
  std::vector<int> FColWidths;
  std::vector<bool> FColRight;
  std::vector<std::string> FTotalRow;
  QFont FPageFont;
  QFont FBoldFont;
  QFont FRowFont;
  int FPageLineHeight = 0;
  int FBoldRowHeight = 0;
  int FRowHeight = 0;

  std::unique_ptr<QPrinter> FPrinter;
  std::string FOutputFile;
  std::vector<TPrintedPage> FPages;
};

// The program's one print manager, from start-up to the end of the run.
extern std::unique_ptr<TPrintManager> PrintManager;
void CreatePrintManager();
void FreePrintManager();
