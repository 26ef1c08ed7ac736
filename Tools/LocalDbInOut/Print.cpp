#include "Print.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "StringUtils.h"
#include "TextIntface.h"
#include "UDateTime.h"
#include "UErrors.h"

namespace {

constexpr const char* kUnit = "Tools/LocalDbInOut/Print";

// Digits, punctuation and two Cyrillic capitals, one reaching below the line and one with marks
// above it, so that the tallest glyphs of every text count.
const QString kMeasureText = QStringLiteral("0123456789,.'ЦЇ");

QString Q(const std::string& text) { return QString::fromStdString(text); }

QFont ArialFont(int points, bool bold, bool italic) {
  QFont font(QStringLiteral("Arial"), points, bold ? QFont::Bold : QFont::Normal, italic);
  return font;
}

}  // namespace

std::unique_ptr<TPrintManager> PrintManager;

void CreatePrintManager() { PrintManager = std::make_unique<TPrintManager>(); }
void FreePrintManager() { PrintManager.reset(); }

// ---- page arithmetic ----

std::vector<int> DealColumnWidths(int available, const std::vector<int>& weights) {
  std::vector<int> widths(weights.size(), 0);
  int last = -1;
  while (available > 0) {
    for (std::size_t i = 0; i < weights.size() && available > 0; ++i) {
      widths[i] += weights[i];
      available -= weights[i];
      last = static_cast<int>(i);
    }
  }
  if (available < 0) widths[last] += available;
  return widths;
}

int CountReportPages(int firstY, const TPageMetrics& m, int rowCount) {
  const int bottom = m.PageHeight - m.PageLineHeight;
  int pages = 1;
  int y = firstY;
  int rows = rowCount;
  bool continuation = false;
  while (rows > 0) {
    y += m.BoldRowHeight;
    // A page begun for a row always takes that row, even when it does not fit, as AddRow does;
    // so the count ends on any paper.
    bool forced = continuation;
    bool lastForced = false;
    while (rows > 0 && (bottom - y >= m.RowHeight || forced)) {
      y += m.RowHeight;
      --rows;
      lastForced = forced;
      forced = false;
    }
    // The total row follows the last row onto its page; only a last row that fitted is moved
    // over to stand with it.
    if (rows > 0 || (bottom - y < m.BoldRowHeight && !lastForced)) {
      ++pages;
      y = m.PageLineHeight + m.PageLineHeight / 2;
      continuation = true;
    }
  }
  return pages;
}

bool RowNeedsNewPage(int curY, int rowsLeft, const TPageMetrics& m) {
  const int bottom = m.PageHeight - m.PageLineHeight;
  if (rowsLeft == 1) return curY + m.RowHeight + m.BoldRowHeight > bottom;
  return curY + m.RowHeight > bottom;
}

// ---- TPrintManager ----

TPrintManager::TPrintManager()
    : FPageFont(ArialFont(8, false, true)),
      FBoldFont(ArialFont(9, true, false)),
      FRowFont(ArialFont(9, false, false)) {
  // The printer is looked up before each report (SelectDefaultPrinter), not here: asking the
  // print system at start-up would delay every start for a command that is rarely used.
  MeasurePage();
}

TPrintManager::~TPrintManager() = default;

bool TPrintManager::HasPrinters() const {
  return !FOutputFile.empty() || !QPrinterInfo::availablePrinterNames().isEmpty();
}

void TPrintManager::SetOutputFile(const std::string& pdfPath) { FOutputFile = pdfPath; }

void TPrintManager::SelectDefaultPrinter() {
  if (!FOutputFile.empty()) {
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    FPrinter->setOutputFormat(QPrinter::PdfFormat);
    FPrinter->setOutputFileName(Q(FOutputFile));
    FPrinter->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
  } else {
    QPrinterInfo chosen = QPrinterInfo::defaultPrinter();
    if (chosen.isNull()) {
      const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
      if (!installed.isEmpty()) chosen = installed.first();
    }
    if (chosen.isNull())
      FPrinter.reset();
    else
      FPrinter = std::make_unique<QPrinter>(chosen, QPrinter::HighResolution);
  }
  MeasurePage();
}

void TPrintManager::MeasurePage() {
  if (FPrinter == nullptr || !FPrinter->isValid()) return;
  const int width = FPrinter->width();
  const int height = FPrinter->height();
  if (width <= 0 || height <= 0) return;
  FPageHeight = height;
  FLeftMargin = width / 32;
  FRightEdge = width - FLeftMargin / 2;
  FPageLineHeight = PrinterMetrics(TPrintStep::PageFontKind).size(Qt::TextSingleLine, kMeasureText).height();
  FBoldRowHeight = PrinterMetrics(TPrintStep::BoldFontKind).size(Qt::TextSingleLine, kMeasureText).height();
  FRowHeight = PrinterMetrics(TPrintStep::RowFontKind).size(Qt::TextSingleLine, kMeasureText).height();
}

TPageMetrics TPrintManager::Metrics() const {
  return {FPageHeight, FPageLineHeight, FBoldRowHeight, FRowHeight};
}

const QFont& TPrintManager::FontOf(TPrintStep::TFontKind font) const {
  switch (font) {
    case TPrintStep::PageFontKind: return FPageFont;
    case TPrintStep::BoldFontKind: return FBoldFont;
    default: return FRowFont;
  }
}

QFontMetrics TPrintManager::PrinterMetrics(TPrintStep::TFontKind font) const {
  return QFontMetrics(FontOf(font), FPrinter.get());
}

void TPrintManager::BeginReport(const std::string& title) {
  if (FPrinter == nullptr || !HasPrinters()) throw EGeneral(PrinterErrorText);
  FTitle = title;
  FPageNo = 1;
  FPageCount = 1;
  FCurY = 0;
  ClearTable();
  FPages.assign(1, TPrintedPage());
  FPrinter->setDocName(Q(title));
  FStarted = true;
  FTableAdded = false;
  PrintPageHeader();
}

void TPrintManager::ClearTable() {
  FColTitles.clear();
  FColWidths.clear();
  FColRight.clear();
  FTotalRow.clear();
}

void TPrintManager::AddTable(const std::vector<std::string>& titles, const std::vector<int>& weights,
                             const std::vector<bool>& rightAligned, int rowCount,
                             const std::vector<std::string>& totalRow) {
  if (!FStarted) throw EGeneral("Report must be started");
  if (FTableAdded) throw EGeneral("Table already added");
  const std::size_t count = titles.size();
  Assert(count > 0 && weights.size() >= count && rightAligned.size() >= count &&
             totalRow.size() >= count,
         "Weights, RightAligned and TotalRow must have an entry for every title", kUnit);
  Assert(std::all_of(weights.begin(), weights.begin() + static_cast<std::ptrdiff_t>(count),
                     [](int weight) { return weight > 0; }),
         "Column weights must be positive", kUnit);
  FColTitles.assign(titles.begin(), titles.end());
  FColRight.assign(rightAligned.begin(), rightAligned.begin() + static_cast<std::ptrdiff_t>(count));
  FTotalRow.assign(totalRow.begin(), totalRow.begin() + static_cast<std::ptrdiff_t>(count));
  FRowsLeft = rowCount;
  FColWidths = DealColumnWidths(FRightEdge - FLeftMargin,
                                std::vector<int>(weights.begin(), weights.begin() + static_cast<std::ptrdiff_t>(count)));
  FPageCount = CountReportPages(FCurY, Metrics(), rowCount);
  PrintPageNumber();
  FTableAdded = true;
  PrintColumnTitles();
  if (rowCount == 0) PrintTotalRow();
}

void TPrintManager::AddRow(const std::vector<std::string>& values) {
  CheckTableAdded();
  if (values.size() != FColTitles.size()) throw EGeneral("Invalid values count");
  if (RowNeedsNewPage(FCurY, FRowsLeft, Metrics())) NewPage();
  PrintRow(values, FRowHeight, TPrintStep::RowFontKind);
  if (--FRowsLeft == 0) PrintTotalRow();
}

void TPrintManager::NewPage() {
  FCurY = 0;
  ++FPageNo;
  FPages.emplace_back();
  PrintPageHeader();
  PrintPageNumber();
  PrintColumnTitles();
}

void TPrintManager::EndReport() {
  if (!FStarted) throw EGeneral("Report must be started");
  if (!FTableAdded) PrintPageNumber();
  FinishReport();
  QPainter painter;
  if (!painter.begin(FPrinter.get())) throw EGeneral(PrinterErrorText);
  painter.setPen(Qt::black);
  for (std::size_t page = 0; page < FPages.size(); ++page) {
    if (page > 0 && !FPrinter->newPage()) {
      painter.end();
      throw EGeneral(PrinterErrorText);
    }
    for (const TPrintStep& step : FPages[page]) {
      if (step.Font == TPrintStep::Shading) {
        painter.fillRect(step.Rect, FShadeColor);
        continue;
      }
      painter.setFont(FontOf(static_cast<TPrintStep::TFontKind>(step.Font)));
      painter.drawText(step.Rect, step.Alignment, step.Text);
    }
  }
  if (!painter.end()) throw EGeneral(PrinterErrorText);
}

void TPrintManager::AbortReport() {
  FinishReport();
  FPages.clear();
}

void TPrintManager::FinishReport() {
  FStarted = false;
  FTableAdded = false;
}

void TPrintManager::CheckTableAdded() const {
  if (!FTableAdded) throw EGeneral("Table not added");
}

void TPrintManager::AddText(const QRect& rect, TPrintStep::TFontKind font, const QString& text,
                            int alignment) {
  const QString fitted = EllipsisEnd(text, PrinterMetrics(font), rect.width());
  FPages.back().push_back(
      {rect, font, alignment | Qt::AlignVCenter | Qt::TextSingleLine, fitted});
}

void TPrintManager::PrintPageHeader() {
  const QString title = Q(FTitle);
  const int titleWidth = PrinterMetrics(TPrintStep::PageFontKind).horizontalAdvance(title);
  const int titleRight = std::min(FLeftMargin + titleWidth, FRightEdge / 2);
  AddText(QRect(FLeftMargin, FCurY, titleRight - FLeftMargin, FPageLineHeight),
          TPrintStep::PageFontKind, title, Qt::AlignLeft);

  // The time without its seconds: " 05 March 2024, 09:07:03 " becomes " 05 March 2024, 09:07 ".
  std::string stamp = FormatDateTimeLong(Now());
  if (stamp.size() >= 4) stamp.erase(stamp.size() - 4, 3);
  AddText(QRect(FRightEdge / 2, FCurY, FRightEdge - FRightEdge / 2, FPageLineHeight),
          TPrintStep::PageFontKind, Q(stamp), Qt::AlignRight);
  FCurY += FPageLineHeight + FPageLineHeight / 2;
}

void TPrintManager::PrintPageNumber() {
  const std::string text =
      FormatIndexed(PageNoFormat, {static_cast<long long>(FPageNo), static_cast<long long>(FPageCount)});
  AddText(QRect(FLeftMargin, FPageHeight - FPageLineHeight, FRightEdge - FLeftMargin, FPageLineHeight),
          TPrintStep::PageFontKind, Q(text), Qt::AlignRight);
}

void TPrintManager::PrintColumnTitles() {
  CheckTableAdded();
  FShade = false;
  PrintRow(FColTitles, FBoldRowHeight, TPrintStep::BoldFontKind);
  FShade = false;
}

void TPrintManager::PrintTotalRow() {
  CheckTableAdded();
  FShade = false;
  PrintRow(FTotalRow, FBoldRowHeight, TPrintStep::BoldFontKind);
  FShade = false;
}

void TPrintManager::PrintRow(const std::vector<std::string>& cells, int height,
                             TPrintStep::TFontKind font) {
  if (FShade) {
    FPages.back().push_back({QRect(FLeftMargin, FCurY, FRightEdge - FLeftMargin, height),
                             TPrintStep::Shading, 0, QString()});
  }
  // Every cell keeps the width of one space free at its right, so neighbours never touch.
  const int space = PrinterMetrics(font).horizontalAdvance(QLatin1Char(' '));
  int left = FLeftMargin;
  for (std::size_t i = 0; i < cells.size() && i < FColWidths.size(); ++i) {
    AddText(QRect(left, FCurY, FColWidths[i] - space, height), font, Q(cells[i]),
            FColRight[i] ? Qt::AlignRight : Qt::AlignLeft);
    left += FColWidths[i];
  }
  FCurY += height;
  FShade = !FShade;
}
