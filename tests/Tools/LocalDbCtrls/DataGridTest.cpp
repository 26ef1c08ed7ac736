// The grid over a real contact table, driven with the keyboard and the mouse: rows follow
// records and back, typing searches through the owner's events and paints the match, captions
// sort, dividers and resizing keep the widths' rules, painting asks only for visible cells.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <random>

#include "BookData.h"
#include "DataGrid.h"
#include "QtTestApp.h"
#include "TextIntface.h"
#include "UField.h"

namespace {

// The contact table counted: how many cell texts were asked for.
class TCountingTable : public TTableBook {
public:
  std::string GetCellText(int recNo, int field) const override {
    ++Asked;
    return TTableBook::GetCellText(recNo, field);
  }
  mutable int Asked = 0;
};

std::filesystem::path NewFolder() {
  std::random_device random;
  // Memory-backed where there is one: every added contact is flushed to disk.
  const std::filesystem::path base =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  auto folder = base / ("vellumark-grid-" + std::to_string(random()));
  std::filesystem::create_directories(folder);
  return folder;
}

void AddContact(TTableBook& table, const std::string& name, const std::string& house,
                const std::string& work, const std::string& birth) {
  table.Insert();
  table.Name.SetAsString(name);
  table.House.SetAsString(house);
  table.Work.SetAsString(work);
  table.Birth.SetAsString(birth);
  table.Post();
}

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

class DataGridTest : public ::testing::Test {
protected:
  enum { ColName = 1, ColHouse, ColWork, ColBirth };

  // Runs before the table exists: its fields need the registered classes.
  static bool PrepareProgram() {
    TestApplication();
    setenv("LC_ALL", "en_US.UTF-8", 1);
    RegisterEngineFieldClasses();
    SelectLanguage(2);
    return true;
  }

  DataGridTest() : folder(NewFolder()) {
    table.SetFileName((folder / "book.dat").string());
    table.OpenTable(true);
    for (int i = 0; i < 40; ++i)
      AddContact(table, "Contact " + Two(i), "2" + Two(i) + "0000", "5" + Two(40 - i) + "111",
                 Two(i % 28 + 1) + "." + Two(i % 12 + 1) + "." + std::to_string(1950 + i));
    AddContact(table, "Sokolov Oleg", "3001122", "7001122", "");
    AddContact(table, "Sokolova Maria", "3002233", "", "");
    table.SetIndex(&table.IndName);
    table.First();
  }
  ~DataGridTest() override {
    grid.reset();
    table.CloseTable();
    std::filesystem::remove_all(folder);
    ClearFieldClassRegistry();
  }

  // The four columns of the main window, each searching through the table as the window does.
  void MakeGrid(bool searchable = true) {
    std::vector<TDataColumn> columns = {
        {TTableBook::FieldName, Qt::AlignLeft, 130, "Name", &table.IndName, searchable},
        {TTableBook::FieldHouse, Qt::AlignRight, 80, "Home", &table.IndHouse, searchable},
        {TTableBook::FieldWork, Qt::AlignRight, 80, "Work", &table.IndWork, searchable},
        {TTableBook::FieldBirth, Qt::AlignHCenter, 80, "Birthday", &table.IndBirthDay, searchable}};
    grid = std::make_unique<TDataGrid>(nullptr, false, columns, &table);
    grid->OnSearchChange = [this](std::string& text) {
      ++changes;
      switch (grid->Col()) {
        case ColName: table.SetIndex(&table.IndName); table.FindText(text); break;
        case ColHouse: FindPhone(table.IndHouse, table.House, text); break;
        case ColWork: FindPhone(table.IndWork, table.Work, text); break;
        default: break;
      }
    };
    grid->OnBeginSearch = [this](std::string&) { ++begins; };
    grid->OnEndSearch = [this](std::string&) { ++ends; };
    grid->resize(420, 300);
    grid->show();
    QApplication::setActiveWindow(grid.get());
    grid->setFocus();
    QApplication::processEvents();
  }
  void FindPhone(TIndex& index, TPhoneField& field, std::string& text) {
    table.SetIndex(&index);
    text = TPhoneField::ExtractPhone(text);
    table.FindText(text);
    text = MatchPhonePrefix(text, field.GetRawString(), field.GetAsString());
  }
  void ClickCell(int row, int column) {
    const QRect cell = grid->visualRect(grid->model()->index(row, column - grid->FixedCols()));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  }
  std::string CurrentName() { return table.GetCellText(table.RecNo(), TTableBook::FieldName); }
  QImage CurrentCellImage() {
    const QImage shot = grid->viewport()->grab().toImage();
    return shot.copy(grid->visualRect(grid->currentIndex()));
  }

  bool ready = PrepareProgram();
  std::filesystem::path folder;
  TCountingTable table;
  std::unique_ptr<TDataGrid> grid;
  int begins = 0, changes = 0, ends = 0;
};

// How many pixels of a column range carry the colour.
int CountColour(const QImage& image, int fromX, int toX, const QColor& colour) {
  int count = 0;
  for (int x = std::max(fromX, 0); x < std::min(toX, image.width()); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (image.pixelColor(x, y) == colour) ++count;
  return count;
}

TEST_F(DataGridTest, RowAndRecordFollowEachOther) {
  MakeGrid();
  EXPECT_EQ(grid->model()->rowCount(), 42);
  ClickCell(5, ColName);
  EXPECT_EQ(table.RecNo(), 5);
  QTest::keyClick(grid.get(), Qt::Key_Down);
  EXPECT_EQ(table.RecNo(), 6);
  table.GoTo(20);
  grid->RefreshData();
  EXPECT_EQ(grid->Row(), 20);
  AddContact(table, "Aaron Adams", "", "", "");
  grid->RefreshData();
  EXPECT_EQ(grid->model()->rowCount(), 43);
  EXPECT_EQ(grid->Row(), 0);
  EXPECT_EQ(CurrentName(), "Aaron Adams");
  table.Delete();
  grid->RefreshData();
  EXPECT_EQ(grid->model()->rowCount(), 42);
  EXPECT_EQ(grid->Row(), table.RecNo());
}

TEST_F(DataGridTest, TypingInEachColumnFindsTheRecordAndPaintsTheRestHighlighted) {
  MakeGrid();
  struct Case {
    int column;
    const char* typed;
    const char* name;
  };
  const Case cases[] = {{ColName, "sokolova", "Sokolova Maria"},
                        {ColName, "contact 1", "Contact 10"},
                        {ColHouse, "2120", "Contact 12"},
                        {ColWork, "700", "Sokolov Oleg"}};
  const QColor highlight = grid->palette().color(QPalette::Highlight);
  for (const Case& c : cases) {
    ClickCell(0, c.column);
    begins = ends = 0;
    QTest::keyClicks(grid.get(), QString::fromLatin1(c.typed));
    EXPECT_TRUE(grid->SearchMode());
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(CurrentName(), c.name) << c.typed;
    EXPECT_EQ(grid->Row(), table.RecNo());
    // The matched part is painted in the row colours, the rest highlighted.
    const QImage cell = CurrentCellImage();
    const QFontMetrics metrics(grid->font());
    const QString shown = QString::fromStdString(
        table.GetCellText(table.RecNo(), c.column == ColName ? 1 : c.column));
    const int textWidth = metrics.horizontalAdvance(shown);
    const int left = c.column == ColName ? 2 : cell.width() - textWidth - 1;
    const int matchEnd = left + metrics.horizontalAdvance(grid->SearchText());
    EXPECT_EQ(CountColour(cell, 0, matchEnd, highlight), 0) << c.typed;
    EXPECT_GT(CountColour(cell, matchEnd + 1, left + textWidth, highlight), 20) << c.typed;
    QTest::keyClick(grid.get(), Qt::Key_Up);  // another cell ends the search
    EXPECT_FALSE(grid->SearchMode());
    EXPECT_EQ(ends, 1);
  }
}

TEST_F(DataGridTest, BackspaceAndTheTypedLimit) {
  MakeGrid();
  QTest::keyClicks(grid.get(), "sokolova");
  EXPECT_EQ(CurrentName(), "Sokolova Maria");
  for (int i = 0; i < 2; ++i) QTest::keyClick(grid.get(), Qt::Key_Backspace);
  EXPECT_EQ(grid->TypedText(), QStringLiteral("sokolo"));
  EXPECT_EQ(CurrentName(), "Sokolov Oleg");
  for (int i = 0; i < 10; ++i) QTest::keyClick(grid.get(), Qt::Key_Backspace);
  EXPECT_TRUE(grid->SearchMode());
  EXPECT_EQ(grid->TypedText(), QString());
  QTest::keyClicks(grid.get(), QString(120, QLatin1Char('z')));
  EXPECT_EQ(grid->TypedText().size(), TDataGrid::MaxTypedLength);
  // Leaving the grid ends the search.
  QWidget other;
  other.setFocusPolicy(Qt::StrongFocus);
  grid->setFocus();
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(grid.get(), &out);
  EXPECT_FALSE(grid->SearchMode());
}

TEST_F(DataGridTest, CaptionClickChangesTheActiveIndex) {
  MakeGrid();
  QTest::keyClicks(grid.get(), "sok");
  const auto clickCaption = [this](int section) {
    const int x = grid->Header()->sectionViewportPosition(section) + 20;
    QTest::mouseClick(grid->Header()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(x, grid->Header()->height() / 2));
  };
  clickCaption(1);
  EXPECT_FALSE(grid->SearchMode());
  EXPECT_EQ(table.GetIndex(), &table.IndHouse);
  EXPECT_EQ(grid->Row(), table.RecNo());
  EXPECT_EQ(CurrentName(), "Sokolov Oleg");  // the same contact, now in the home order
  // The owner may swap or drop the index; a dropped one changes nothing.
  int clickedColumn = -1;
  grid->OnColumnClick = [&clickedColumn](int column, TIndex*& index) {
    clickedColumn = column;
    index = nullptr;
  };
  clickCaption(0);
  EXPECT_EQ(clickedColumn, ColName);
  EXPECT_EQ(table.GetIndex(), &table.IndHouse);
}

TEST_F(DataGridTest, EmptyTableShowsOneEmptyRowAndSwallowsTyping) {
  while (table.RecordCount() > 0) table.Delete();
  MakeGrid();
  EXPECT_EQ(grid->model()->rowCount(), 1);
  QTest::keyClicks(grid.get(), "abc");
  EXPECT_FALSE(grid->SearchMode());
  EXPECT_EQ(begins, 0);
  grid->StartSearch();
  EXPECT_FALSE(grid->SearchMode());
}

TEST_F(DataGridTest, WithoutSearchableColumnsThereIsNoIndicator) {
  MakeGrid(false);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->Header()->geometry().left(), grid->viewport()->geometry().left());
  QTest::keyClicks(grid.get(), "sok");
  EXPECT_FALSE(grid->SearchMode());
}

TEST_F(DataGridTest, ResizingRestoresWidthsAndDividersMoveWidthBetweenNeighbours) {
  MakeGrid();
  const auto widths = [this] {
    std::vector<int> w;
    for (int c = 1; c <= 4; ++c) w.push_back(grid->ColWidth(c));
    return w;
  };
  const std::vector<int> start = widths();
  EXPECT_EQ(std::accumulate(start.begin(), start.end(), 4), grid->Header()->width());
  for (int n : {1, 37, 300}) {
    grid->resize(grid->width() + n, grid->height());
    EXPECT_EQ(grid->Header()->length(), grid->Header()->width());
    grid->resize(grid->width() - n, grid->height());
    EXPECT_EQ(widths(), start) << n;
  }
  // Dragging the first divider far right leaves the second column at the minimum.
  TGridHeader* header = grid->Header();
  const int divider = header->sectionViewportPosition(0) + header->sectionSize(0);
  const int y = header->height() / 2;
  QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(divider, y));
  QTest::mouseMove(header->viewport(), QPoint(divider + 400, y));
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(divider + 400, y));
  EXPECT_EQ(header->sectionSize(1), TDataGrid::MinColumnWidth());
  EXPECT_EQ(header->sectionSize(0), start[0] + 1 + start[1] + 1 - TDataGrid::MinColumnWidth());
  EXPECT_EQ(header->sectionSize(2), start[2] + 1);
  // The divider after the last section does not move.
  const int last = header->sectionViewportPosition(3) + header->sectionSize(3) - 1;
  QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(last, y));
  QTest::mouseMove(header->viewport(), QPoint(last - 50, y));
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(last - 50, y));
  EXPECT_EQ(header->sectionSize(3), start[3] + 1);
  // Later resizing keeps the dragged proportions: doubling the width doubles every section.
  const std::vector<int> dragged = widths();
  grid->resize(grid->width() + header->width(), grid->height());
  for (int c = 0; c < 4; ++c) EXPECT_EQ(header->sectionSize(c), 2 * (dragged[c] + 1)) << c;
}

TEST_F(DataGridTest, HorizontalWheelStepsBetweenDataColumns) {
  MakeGrid();
  const auto tilt = [this](int x) {
    const QPointF at(20, 20);
    QWheelEvent wheel(at, grid->mapToGlobal(at), QPoint(), QPoint(x, 0), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
  };
  EXPECT_EQ(grid->Col(), ColName);
  tilt(120);  // left on the first data column
  EXPECT_EQ(grid->Col(), ColName);
  for (int i = 0; i < 5; ++i) tilt(-120);
  EXPECT_EQ(grid->Col(), ColBirth);
}

TEST_F(DataGridTest, ARepaintAsksOnlyForVisibleCells) {
  MakeGrid();
  const int visibleRows = grid->viewport()->height() / grid->rowHeight(0) + 1;
  ASSERT_LT(visibleRows, table.RecordCount());
  table.Asked = 0;
  grid->viewport()->repaint();
  EXPECT_GT(table.Asked, 0);
  EXPECT_LE(table.Asked, visibleRows * 4);
  // A search step repaints the current cell, not the window.
  QTest::keyClicks(grid.get(), "c");
  QApplication::processEvents();
  table.Asked = 0;
  QTest::keyClicks(grid.get(), "o");
  QApplication::processEvents();
  EXPECT_LE(table.Asked, 2);
}

}  // namespace
