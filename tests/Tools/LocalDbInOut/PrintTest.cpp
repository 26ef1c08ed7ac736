// The table printer: the weights dealt into exact widths, the page count against the pages a
// report really takes, the contract's failures, and cells cut with "..." inside their column.

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <random>

#include <QGuiApplication>

#include "Print.h"
#include "TextIntface.h"
#include "UDateTime.h"

namespace {

QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  static auto* application = new QGuiApplication(argc, argv);
  return *application;
}

const std::vector<std::string> kTitles = {"Name", "Domestic", "Working", "Mobile", "Birthday"};
const std::vector<int> kWeights = {12, 6, 6, 8, 5};
const std::vector<bool> kRight = {false, true, true, true, true};
const std::vector<std::string> kTotal = {"Total", "", "", "", ""};
const std::vector<std::string> kRow = {"Anna", "1", "2", "3", "05.03.1980"};

class PrintTest : public ::testing::Test {
protected:
  PrintTest() {
    App();
    SelectLanguage(2);
    std::random_device random;
    pdf = std::filesystem::temp_directory_path() / ("vellumark-print-" + std::to_string(random()) + ".pdf");
    manager.SetOutputFile(pdf.string());
    manager.SelectDefaultPrinter();
  }
  ~PrintTest() override { std::filesystem::remove(pdf); }

  // A whole report of that many rows; the pages it took.
  int Report(int rows) {
    manager.BeginReport("Report");
    manager.AddTable(kTitles, kWeights, kRight, rows, kTotal);
    for (int i = 0; i < rows; ++i) manager.AddRow(kRow);
    const int pages = static_cast<int>(manager.Pages().size());
    manager.AbortReport();  // the layout is what is looked at; nothing need be printed
    return pages;
  }

  // The rows that fill the first page exactly, with no room left under the last one.
  int RowsFillingFirstPage() const {
    const TPageMetrics m = manager.Metrics();
    const int top = m.PageLineHeight + m.PageLineHeight / 2 + m.BoldRowHeight;
    return (m.PageHeight - m.PageLineHeight - top) / m.RowHeight;
  }

  std::filesystem::path pdf;
  TPrintManager manager;
};

}  // namespace

TEST(DealColumnWidthsTest, WeightsAreDealtInPassesAndAddUpExactly) {
  struct TCase {
    int Available;
    std::vector<int> Widths;
  };
  const std::vector<TCase> cases = {
      {37, {12, 6, 6, 8, 5}},         // one full pass
      {74, {24, 12, 12, 16, 10}},     // two
      {100, {36, 18, 18, 18, 10}},    // the partial third pass ends in the fourth column, 6 over
      {80, {30, 12, 12, 16, 10}},     // the first column alone gives back 6
      {5, {5, 0, 0, 0, 0}},
      {0, {0, 0, 0, 0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Available);
    const std::vector<int> widths = DealColumnWidths(c.Available, kWeights);
    EXPECT_EQ(widths, c.Widths);
    EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), c.Available);
  }
}

TEST(CountReportPagesTest, CountsThePageThatHoldsOnlyTheLastRowAndTheTotal) {
  // Page 100 high, lines and rows 10: after the header (15) and titles (25) six rows fit
  // (to 85); the total row then needs 10 more but only 5 are left above the number line.
  const TPageMetrics m{100, 10, 10, 10};
  EXPECT_EQ(CountReportPages(15, m, 0), 1);
  EXPECT_EQ(CountReportPages(15, m, 5), 1);
  EXPECT_EQ(CountReportPages(15, m, 6), 2);  // the sixth row moves over with the total
  EXPECT_EQ(CountReportPages(15, m, 7), 2);
  EXPECT_EQ(CountReportPages(15, m, 11), 2);
  EXPECT_EQ(CountReportPages(15, m, 12), 3);
  EXPECT_TRUE(RowNeedsNewPage(75, 1, m));
  EXPECT_FALSE(RowNeedsNewPage(75, 2, m));
  EXPECT_TRUE(RowNeedsNewPage(85, 2, m));
  // Paper too small for one row still ends: every row gets a page of its own.
  EXPECT_EQ(CountReportPages(15, TPageMetrics{40, 10, 10, 10}, 3), 4);
}

TEST_F(PrintTest, TheAnnouncedPageCountIsThePagesTheReportTakes) {
  const int full = RowsFillingFirstPage();
  ASSERT_GT(full, 20);
  for (const int rows : {0, 1, full - 1, full, full + 1, 2 * full, 2 * full + 3}) {
    SCOPED_TRACE(rows);
    const int pages = Report(rows);
    EXPECT_EQ(manager.PageCount(), pages);
  }
  EXPECT_EQ(Report(full - 1), 1);
  EXPECT_EQ(Report(full), 2);  // the last row goes over to stand with the total row
}

TEST_F(PrintTest, MarginsAndWidthsFollowThePage) {
  const int width = manager.RightEdge() + manager.LeftMargin() / 2;
  EXPECT_GT(manager.LeftMargin(), 0);
  EXPECT_NEAR(manager.RightEdge(), width - width / 64, 1);
  manager.BeginReport("Report");
  manager.AddTable(kTitles, kWeights, kRight, 1, kTotal);
  const std::vector<int>& widths = manager.ColWidths();
  EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), manager.RightEdge() - manager.LeftMargin());
  EXPECT_NEAR(static_cast<double>(widths[0]) / widths[4], 12.0 / 5.0, 0.05);
  manager.AbortReport();
}

TEST_F(PrintTest, ALongNameIsCutWithinItsColumn) {
  manager.BeginReport("Report");
  manager.AddTable(kTitles, kWeights, kRight, 1, kTotal);
  manager.AddRow({std::string(200, 'W'), "1", "2", "3", "05.03.1980"});
  const TPrintedPage& page = manager.Pages().front();
  const auto cell = std::find_if(page.begin(), page.end(),
                                 [](const TPrintStep& step) { return step.Text.startsWith("WWW"); });
  ASSERT_NE(cell, page.end());
  EXPECT_TRUE(cell->Text.endsWith("..."));
  EXPECT_LT(cell->Rect.right(), manager.LeftMargin() + manager.ColWidths()[0]);
  manager.AbortReport();
}

TEST_F(PrintTest, TheNumberLineUsesTheFormatItIsGiven) {
  const auto numberLine = [&] {
    for (const TPrintStep& step : manager.Pages().front())
      if (step.Rect.top() == manager.Metrics().PageHeight - manager.Metrics().PageLineHeight)
        return step.Text.toStdString();
    return std::string();
  };
  Report(2 * RowsFillingFirstPage());
  EXPECT_EQ(numberLine(), "1 - 3");  // before any language has been applied
  manager.PageNoFormat = "(page %0:d of %1:d)";
  Report(0);
  EXPECT_EQ(numberLine(), "(page 1 of 1)");
}

TEST_F(PrintTest, CallsOutOfOrderFailWithTheirMessages) {
  const auto message = [](const std::function<void()>& call) {
    try {
      call();
    } catch (const std::exception& error) {
      return std::string(error.what());
    }
    return std::string("no failure");
  };
  EXPECT_EQ(message([&] { manager.AddTable(kTitles, kWeights, kRight, 1, kTotal); }), "Report must be started");
  manager.BeginReport("Report");
  EXPECT_EQ(message([&] { manager.AddRow(kRow); }), "Table not added");
  manager.AddTable(kTitles, kWeights, kRight, 1, kTotal);
  EXPECT_EQ(message([&] { manager.AddTable(kTitles, kWeights, kRight, 1, kTotal); }), "Table already added");
  EXPECT_EQ(message([&] { manager.AddRow({"only", "four", "values", "here"}); }), "Invalid values count");
  manager.AddRow(kRow);
  manager.EndReport();
  EXPECT_TRUE(std::filesystem::exists(pdf));
  EXPECT_FALSE(manager.Started());
}

TEST_F(PrintTest, WithoutAPrinterBeginReportFailsWithTheErrorText) {
  TPrintManager bare;
  bare.PrinterErrorText = "no printer here";
  bare.SelectDefaultPrinter();  // CUPS_SERVER points nowhere: no printer is installed
  EXPECT_FALSE(bare.HasPrinters());
  try {
    bare.BeginReport("Report");
    FAIL() << "BeginReport succeeded";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "no printer here");
  }
}
