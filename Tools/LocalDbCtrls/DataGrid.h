#pragma once
// TDataGrid: the records of one table as rows, chosen fields as columns.
//
// The grid stores no cell text: painting asks the table for the text of each visible cell, so a
// grid over a million records costs no more than one over ten. The current row and the table's
// current record are kept equal in both directions (row m shows record m). A click on a caption
// activates that column's index; typing in a searchable column starts an incremental search in
// which the owner moves the table to the record that matches the typed text and the grid paints
// the matched part of the current cell normally and the rest highlighted.
//
// The owner's events are plain functions; each may be left empty. Failures of the table (a
// closed table, a bad record number) reach the caller unchanged.

#include <QColor>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

#include "GridHeader.h"

class TTable;
class TIndex;
class TGridModel;

// One column: which field it shows and how.
struct TDataColumn {
  int FieldNo = 0;                         // position of the field in the table's field set
  Qt::AlignmentFlag Alignment = Qt::AlignLeft;  // AlignLeft, AlignRight or AlignHCenter
  int Width = 64;                          // width of the column's cells, without the grid line
  std::string Caption;
  TIndex* Index = nullptr;                 // activated by a click on the caption; may be null
  bool Searchable = false;                 // typing in this column searches
};

class TDataGrid : public QTableView {
public:
  static constexpr int MaxTypedLength = 100;
  static constexpr int RowHeight = 18;  // without the grid line below it

  // Stops with an assertion failure when columns is empty. The table is not owned.
  TDataGrid(QWidget* parent, bool centerHeaders, const std::vector<TDataColumn>& columns,
            TTable* table);
  ~TDataGrid() override;

  TTable* Table() const { return table_; }
  TGridHeader* Header() const { return header_; }
  // 1 when an indicator column stands before the data columns, else 0.
  int FixedCols() const { return fixedCols_; }
  // The current column, counting the indicator column as column 0 when there is one.
  int Col() const;
  // The current row; row m shows record m.
  int Row() const;
  // Width of a data column's cells (column numbered as in Col), as saved by the owner.
  int ColWidth(int col) const;

  // The owner calls this after every change of the table's content or order.
  void RefreshData();
  void StartSearch();
  void StopSearch();
  void SortByColumn(int section);
  std::string GetColumnCaption(int section) const;
  void SetColumnCaption(int section, const std::string& text);
  QColor StripeColor() const { return stripeColor_; }
  void SetStripeColor(const QColor& color);
  // Recomputes the stripe colour from the palette; the owner calls it when colours change.
  void UpdateColors();
  // The header is drawn by the style in every case; a theme change only needs a repaint.
  void UpdateHeaderStyle();
  void InvalidateData();
  // Data columns a..b, numbered as in Col.
  void InvalidateColumns(int first, int last);
  static int MinColumnWidth() { return TGridHeader::MinSectionWidth; }

  bool SearchMode() const { return searchMode_; }
  QString TypedText() const { return typedText_; }
  QString SearchText() const { return searchText_; }

  // The owner's events. The grid passes the typed text to the first and third (empty then) and
  // the search text to the second, which may rewrite it and move the table.
  std::function<void(std::string& text)> OnBeginSearch;
  std::function<void(std::string& text)> OnSearchChange;
  std::function<void(std::string& text)> OnEndSearch;
  // Column numbered as in Col; the owner may replace the index to activate.
  std::function<void(int column, TIndex*& index)> OnColumnClick;
  // Every typed character before the grid uses it; setting it to 0 vetoes it.
  std::function<void(QChar& key)> OnKeyPress;
  // Runs every time the grid receives the focus.
  std::function<void()> OnEnter;

  // Painting of one data cell, used by the grid's cell painter.
  void PaintCell(QPainter& painter, const QRect& rect, const QModelIndex& index) const;
  // The text of data column 0..N-1 in row m (record m): empty without records.
  std::string CellText(int column, int row) const;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  // Typed text searches through the owner, never through the view's own item search.
  void keyboardSearch(const QString&) override {}

private:
  bool HasRecords() const;
  void UpdateRowCount();
  void UpdateRow();
  void SelectRecord(int row);
  void SectionClick(int section);
  void KeyPress(QChar key);
  void BeginSearch();
  void SearchKey(QChar key);
  void EndSearch();
  void RepaintCurrentCell();
  void RepaintIndicator(int row);
  void SetCurrent(int row, int column);
  QColor RowColor(int row) const;

  TTable* table_;
  TGridModel* model_;
  TGridHeader* header_;
  TIndicatorColumn* indicator_ = nullptr;
  int fixedCols_ = 0;
  std::vector<int> fieldNos_;
  std::vector<TIndex*> columnIndexes_;
  std::vector<Qt::AlignmentFlag> alignments_;
  std::vector<bool> searchable_;
  std::vector<QString> captions_;
  bool centerHeaders_ = false;
  QColor oddColor_;
  QColor stripeColor_;
  QString typedText_;
  QString searchText_;
  bool searchMode_ = false;
  bool searchKeyActive_ = false;  // a typed character is being processed
  bool countingRows_ = false;     // rows are being added or removed: no record follows them

  friend class TGridModel;
};
