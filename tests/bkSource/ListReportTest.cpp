// The printed contact list: the report printed into a PDF file through the print manager's own
// path and read back with poppler-utils, as text (header, titles, total, page numbers on every
// page) and as pixels (the shading); no printer; and a failure in the middle of a report.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include <QImage>

#include "EximRep.h"
#include "JobFixture.h"
#include "Print.h"
#include "TextIntface.h"

namespace {

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
  pclose(pipe);
  return output;
}

int Occurrences(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

class ListReportTest : public JobTest {
protected:
  ListReportTest() {
    CreatePrintManager();
    pdf = folder / "report.pdf";
    PrintManager->SetOutputFile(pdf.string());
    ApplyLanguage(2);
  }
  ~ListReportTest() override { FreePrintManager(); }

  // As the main window does when it applies a language.
  static void ApplyLanguage(int language) {
    SelectLanguage(language);
    PrintManager->PageNoFormat = CurrentTexts().PageNoFormat;
    PrintManager->PrinterErrorText = CurrentTexts().PrinterError;
  }

  void AddNumberedContacts(int count) {
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "Contact %05d", i);
      Book->InsertContact({name, "2345678", "", "+380501112233", i % 2 ? "05.03.1980" : "", ""});
    }
  }

  // The text of one page (from 1), laid out as on paper.
  std::string PageText(int page) const {
    const std::string number = std::to_string(page);
    return RunCommand("pdftotext -layout -f " + number + " -l " + number + " '" + pdf.string() + "' -");
  }
  int PdfPageCount() const {
    const std::string info = RunCommand("pdfinfo '" + pdf.string() + "'");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
  }
  QImage RenderPage(int page) const {
    const std::filesystem::path stem = folder / ("page" + std::to_string(page));
    RunCommand("pdftoppm -r 60 -png -singlefile -f " + std::to_string(page) + " -l " +
               std::to_string(page) + " '" + pdf.string() + "' '" + stem.string() + "'");
    return QImage(QString::fromStdString(stem.string() + ".png"));
  }

  std::filesystem::path pdf;
};

bool PopplerMissing() {
  return RunCommand("command -v pdftotext && command -v pdftoppm && command -v pdfinfo").empty();
}

#define SKIP_WITHOUT_POPPLER()                                                        \
  if (PopplerMissing()) GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) not installed"

// A page failing as it begins: the report stops in the middle.
class TFailingPrintManager : public TPrintManager {
protected:
  void PrintPageHeader() override {
    if (PageNo() == 2) throw std::runtime_error("paper jam");
    TPrintManager::PrintPageHeader();
  }
};

}  // namespace

TEST_F(ListReportTest, WithoutAPrinterItSaysPrintingError) {
  PrintManager->SetOutputFile("");
  AddNumberedContacts(2);
  Run<TListReport>();
  EXPECT_EQ(messages, (std::vector<TShownMessage>{
                          {"Printing error", "Vellumark", 48, "OK", "Close error message window", "", ""}}));
  EXPECT_FALSE(PrintManager->HasPrinters());
  EXPECT_THROW(PrintManager->BeginReport("x"), std::exception);
}

TEST_F(ListReportTest, AnEmptyBookPrintsOnePageWithTitlesTotalAndNumber) {
  SKIP_WITHOUT_POPPLER();
  Run<TListReport>();
  EXPECT_TRUE(messages.empty());
  ASSERT_EQ(PdfPageCount(), 1);
  const std::string text = PageText(1);
  EXPECT_NE(text.find("Vellumark"), std::string::npos) << text;
  EXPECT_NE(text.find("10 December 2026, 12:00"), std::string::npos) << text;
  EXPECT_EQ(text.find("12:00:00"), std::string::npos) << text;  // no seconds
  EXPECT_NE(text.find("Name"), std::string::npos);
  EXPECT_NE(text.find("Birthday"), std::string::npos);
  EXPECT_EQ(text.find("Note"), std::string::npos);  // the note is not printed
  EXPECT_NE(text.find("Total: 0"), std::string::npos);
  EXPECT_NE(text.find("(page 1 of 1)"), std::string::npos);
}

TEST_F(ListReportTest, EveryPageRepeatsHeaderAndTitlesAndTheLastEndsWithTheTotal) {
  SKIP_WITHOUT_POPPLER();
  ApplyLanguage(1);
  AddNumberedContacts(150);
  Book->Table().GoTo(17);
  Run<TListReport>();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Book->Table().RecNo(), 17);  // the grid keeps its contact

  const int pages = PrintManager->PageCount();
  ASSERT_GE(pages, 3);
  ASSERT_EQ(PdfPageCount(), pages);
  ASSERT_EQ(static_cast<int>(PrintManager->Pages().size()), pages);
  int rows = 0;
  for (int page = 1; page <= pages; ++page) {
    SCOPED_TRACE(page);
    const std::string text = PageText(page);
    EXPECT_EQ(Occurrences(text, "Vellumark"), 1);
    EXPECT_NE(text.find("Абонент"), std::string::npos);
    EXPECT_NE(text.find("Мобільний"), std::string::npos);
    EXPECT_NE(text.find("(сторінка " + std::to_string(page) + " з " + std::to_string(pages) + ")"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Усього") != std::string::npos || text.find("Всього") != std::string::npos,
              page == pages);
    rows += Occurrences(text, "Contact ");
  }
  EXPECT_EQ(rows, 150);
  EXPECT_NE(PageText(pages).find(FormatIndexed(CurrentTexts().TotalFormat, {150LL})), std::string::npos);
  EXPECT_NE(PageText(1).find("+38 050 111-22-33"), std::string::npos) << PageText(1);
}

TEST_F(ListReportTest, RowsAreShadedInTurnStartingWhiteUnderTheTitles) {
  SKIP_WITHOUT_POPPLER();
  AddNumberedContacts(100);
  Run<TListReport>();
  ASSERT_GE(PrintManager->PageCount(), 2);
  const QImage page = RenderPage(2);
  ASSERT_FALSE(page.isNull());
  // Down the empty work column: white and grey bands alternate; the first band under the bold
  // titles is white.
  const int x = page.width() * 3 / 5;
  std::vector<bool> bands;  // true: shaded
  for (int y = 0; y < page.height(); ++y) {
    const QColor colour = page.pixelColor(x, y);
    const bool shaded = colour.red() < 252 && colour.red() > 240;
    const bool white = colour == Qt::white;
    if (!shaded && !white) continue;
    if (bands.empty() || bands.back() != shaded) bands.push_back(shaded);
  }
  ASSERT_GT(bands.size(), 10u);
  EXPECT_FALSE(bands[0]);
  EXPECT_TRUE(bands[1]);
  EXPECT_FALSE(bands[2]);
  EXPECT_TRUE(bands[3]);
  const auto& steps = PrintManager->Pages()[1];
  const auto firstShade = std::find_if(steps.begin(), steps.end(),
                                       [](const TPrintStep& step) { return step.Font == TPrintStep::Shading; });
  ASSERT_NE(firstShade, steps.end());
  const int titlesBottom = PrintManager->Metrics().PageLineHeight * 3 / 2 + PrintManager->Metrics().BoldRowHeight;
  EXPECT_EQ(firstShade->Rect.top(), titlesBottom + PrintManager->Metrics().RowHeight);
}

TEST_F(ListReportTest, AFailureInTheMiddleSendsNothingToThePrinter) {
  PrintManager = std::make_unique<TFailingPrintManager>();
  PrintManager->SetOutputFile(pdf.string());
  AddNumberedContacts(150);
  Run<TListReport>();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Text, "Printing error");
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_FALSE(PrintManager->Started());

  // The manager is ready for the next report.
  PrintManager = std::make_unique<TPrintManager>();
  PrintManager->SetOutputFile(pdf.string());
  messages.clear();
  Run<TListReport>();
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(std::filesystem::exists(pdf));
}
