#include "DataGrid.h"

#include <QAbstractItemDelegate>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include "Gradient.h"
#include "UErrors.h"
#include "UTable.h"

namespace {
constexpr const char* kUnit = "Tools/LocalDbCtrls/DataGrid";
}

// The view's model: it knows only how many rows and columns there are; every text comes from
// the table at the moment it is asked for.
class TGridModel : public QAbstractTableModel {
public:
  explicit TGridModel(TDataGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(grid_->fieldNos_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(grid_->CellText(index.column(), index.row()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount({})) return {};
    const auto s = static_cast<std::size_t>(section);
    if (role == Qt::DisplayRole) return grid_->captions_[s];
    if (role == Qt::TextAlignmentRole) {
      const Qt::AlignmentFlag horizontal = grid_->centerHeaders_ ? Qt::AlignHCenter
                                                                 : grid_->alignments_[s];
      return QVariant::fromValue(Qt::Alignment(horizontal | Qt::AlignVCenter));
    }
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

  void SetRows(int rows) {
    if (rows > rows_) {
      beginInsertRows({}, rows_, rows - 1);
      rows_ = rows;
      endInsertRows();
    } else if (rows < rows_) {
      beginRemoveRows({}, rows, rows_ - 1);
      rows_ = rows;
      endRemoveRows();
    }
  }
  void CaptionChanged(int section) { emit headerDataChanged(Qt::Horizontal, section, section); }

private:
  TDataGrid* grid_;
  int rows_ = 0;
};

namespace {

// Paints every cell through the grid, which asks the table for the cell's text.
class TCellPainter : public QAbstractItemDelegate {
public:
  explicit TCellPainter(TDataGrid* grid) : QAbstractItemDelegate(grid), grid_(grid) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    grid_->PaintCell(*painter, option.rect, index);
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {64, TDataGrid::RowHeight};
  }

private:
  TDataGrid* grid_;
};

// Resets a flag when a scope ends, also by an exception.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
};

}  // namespace

TDataGrid::TDataGrid(QWidget* parent, bool centerHeaders, const std::vector<TDataColumn>& columns,
                     TTable* table)
    : QTableView(parent), table_(table), centerHeaders_(centerHeaders) {
  Assert(!columns.empty(), "AColumns array param must be not empty", kUnit);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Always shown, so that the columns do not spread anew whenever the bar would come or go.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

  for (const TDataColumn& column : columns) {
    fieldNos_.push_back(column.FieldNo);
    columnIndexes_.push_back(column.Index);
    alignments_.push_back(column.Alignment);
    searchable_.push_back(column.Searchable);
    captions_.push_back(QString::fromStdString(column.Caption));
    if (column.Searchable) fixedCols_ = 1;
  }

  header_ = new TGridHeader(this);
  header_->setFixedHeight(RowHeight + 1);
  setHorizontalHeader(header_);
  indicator_ = new TIndicatorColumn(this);
  indicator_->setMinimumSectionSize(1);
  indicator_->setDefaultSectionSize(RowHeight + 1);
  indicator_->ShowsTriangle = [this](int row) { return searchMode_ && row == Row(); };
  setVerticalHeader(indicator_);
  indicator_->setVisible(fixedCols_ == 1);

  model_ = new TGridModel(this);
  setModel(model_);
  setItemDelegate(new TCellPainter(this));
  for (std::size_t i = 0; i < columns.size(); ++i)
    header_->resizeSection(static_cast<int>(i), columns[i].Width + 1);

  const int n = static_cast<int>(columns.size());
  setMinimumWidth(MinColumnWidth() * n + (TIndicatorColumn::IndicatorWidth + 1) * fixedCols_ +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * frameWidth());
  oddColor_ = palette().color(QPalette::Active, QPalette::Base);
  UpdateColors();
  RefreshData();

  header_->AttachSections();
  header_->OnSectionsMoved = [this](int first, int last) {
    InvalidateColumns(first + fixedCols_, last + fixedCols_);
  };
  connect(header_, &QHeaderView::sectionClicked, this, [this](int section) { SectionClick(section); });
}

TDataGrid::~TDataGrid() = default;

int TDataGrid::Col() const {
  return (currentIndex().isValid() ? currentIndex().column() : 0) + fixedCols_;
}

int TDataGrid::Row() const { return currentIndex().isValid() ? currentIndex().row() : 0; }

int TDataGrid::ColWidth(int col) const { return columnWidth(col - fixedCols_) - 1; }

bool TDataGrid::HasRecords() const { return table_->RecordCount() > 0; }

// --- rows and records ----------------------------------------------------------------------

void TDataGrid::RefreshData() {
  UpdateRowCount();
  UpdateRow();
  InvalidateData();
}

void TDataGrid::UpdateRowCount() {
  TFlagScope counting(countingRows_);
  model_->SetRows(HasRecords() ? table_->RecordCount() : 1);
}

void TDataGrid::UpdateRow() {
  const int target = HasRecords() ? table_->RecNo() : 0;
  if (!currentIndex().isValid() || target != Row())
    SetCurrent(target, currentIndex().isValid() ? currentIndex().column() : 0);
}

void TDataGrid::SetCurrent(int row, int column) {
  const QModelIndex index = model_->index(row, column);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

std::string TDataGrid::CellText(int column, int row) const {
  if (!HasRecords()) return {};
  return table_->GetCellText(row, fieldNos_[static_cast<std::size_t>(column)]);
}

void TDataGrid::SelectRecord(int row) {
  // Moving to the record that is already current would only disturb a table being edited.
  if (HasRecords() && row != table_->RecNo()) table_->GoTo(row);
}

void TDataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (countingRows_ || !current.isValid()) return;
  if (searchMode_ && !searchKeyActive_) EndSearch();
  SelectRecord(current.row());
}

// --- sorting -------------------------------------------------------------------------------

void TDataGrid::SectionClick(int section) {
  if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible()) setFocus(Qt::MouseFocusReason);
  SortByColumn(section);
}

void TDataGrid::SortByColumn(int section) {
  if (searchMode_) EndSearch();
  TIndex* index = columnIndexes_[static_cast<std::size_t>(section)];
  if (OnColumnClick) OnColumnClick(section + fixedCols_, index);
  if (index == nullptr || index == table_->GetIndex()) return;
  table_->SetIndex(index);
  UpdateRow();
  InvalidateData();
}

std::string TDataGrid::GetColumnCaption(int section) const {
  return captions_[static_cast<std::size_t>(section)].toStdString();
}

void TDataGrid::SetColumnCaption(int section, const std::string& text) {
  const QString caption = QString::fromStdString(text);
  QString& current = captions_[static_cast<std::size_t>(section)];
  if (current == caption) return;
  current = caption;
  model_->CaptionChanged(section);
}

// --- incremental search --------------------------------------------------------------------

void TDataGrid::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool leavesGrid = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
                          key == Qt::Key_Tab || key == Qt::Key_Backtab;
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const QString text = event->text();
  if (!leavesGrid && !shortcut && text.size() == 1 &&
      (text[0].isPrint() || text[0] == QLatin1Char('\b'))) {
    QChar typed = text[0];
    if (OnKeyPress) OnKeyPress(typed);
    KeyPress(typed);
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void TDataGrid::KeyPress(QChar key) {
  const auto column = static_cast<std::size_t>(Col() - fixedCols_);
  if (key.isNull() || !searchable_[column] || !HasRecords()) return;
  if (!searchMode_) BeginSearch();
  SearchKey(key);
}

void TDataGrid::StartSearch() {
  if (searchable_[static_cast<std::size_t>(Col() - fixedCols_)] && HasRecords()) BeginSearch();
}

void TDataGrid::StopSearch() { EndSearch(); }

void TDataGrid::BeginSearch() {
  searchMode_ = true;
  typedText_.clear();
  searchText_.clear();
  RepaintCurrentCell();
  RepaintIndicator(Row());
  std::string text;
  if (OnBeginSearch) OnBeginSearch(text);
}

void TDataGrid::SearchKey(QChar key) {
  TFlagScope processing(searchKeyActive_);
  TIndex* const oldIndex = table_->GetIndex();
  const int oldRow = Row();
  if (key == QLatin1Char('\b')) {
    typedText_.chop(1);
  } else if (typedText_.size() < MaxTypedLength) {
    typedText_ += key;
  }
  std::string text = typedText_.toStdString();
  if (OnSearchChange) OnSearchChange(text);
  searchText_ = QString::fromStdString(text);
  UpdateRow();
  if (table_->GetIndex() == oldIndex) {
    RepaintIndicator(oldRow);
    RepaintIndicator(Row());
    RepaintCurrentCell();
  } else {
    InvalidateData();
  }
  // The owner may have moved the table within the same row's reach; the row decides.
  if (Row() == oldRow) SelectRecord(Row());
}

void TDataGrid::EndSearch() {
  searchMode_ = false;
  typedText_.clear();
  searchText_.clear();
  RepaintIndicator(Row());
  RepaintCurrentCell();
  std::string text;
  if (OnEndSearch) OnEndSearch(text);
}

// --- focus, wheel, size --------------------------------------------------------------------

void TDataGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  if (OnEnter) OnEnter();
}

void TDataGrid::focusOutEvent(QFocusEvent* event) {
  const bool leaves = event->reason() != Qt::PopupFocusReason &&
                      event->reason() != Qt::ActiveWindowFocusReason;
  if (leaves && searchMode_) EndSearch();
  QTableView::focusOutEvent(event);
}

void TDataGrid::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  if (delta.x() == 0 || delta.y() != 0) {
    QTableView::wheelEvent(event);
    return;
  }
  // Tilting the wheel right (a negative x here) steps to the next column, left to the previous.
  const int column = currentIndex().isValid() ? currentIndex().column() : 0;
  const int target = delta.x() < 0 ? column + 1 : column - 1;
  if (target >= 0 && target < model_->columnCount({})) SetCurrent(Row(), target);
  event->accept();
}

void TDataGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (header_->Resized()) {
    InvalidateData();
    header_->ClearResized();
  }
}

// --- painting ------------------------------------------------------------------------------

void TDataGrid::SetStripeColor(const QColor& color) {
  if (color == stripeColor_) return;
  stripeColor_ = color;
  InvalidateData();
}

// Every second row in the tint the dialogs share.
void TDataGrid::UpdateColors() { SetStripeColor(HighlightTint()); }

void TDataGrid::UpdateHeaderStyle() { header_->viewport()->update(); }

void TDataGrid::InvalidateData() {
  viewport()->update();
  if (fixedCols_ == 1) indicator_->viewport()->update();
}

void TDataGrid::InvalidateColumns(int first, int last) {
  const int a = first - fixedCols_;
  const int b = last - fixedCols_;
  const int left = columnViewportPosition(a);
  const int right = columnViewportPosition(b) + columnWidth(b);
  viewport()->update(QRect(left, 0, right - left, viewport()->height()));
}

void TDataGrid::RepaintCurrentCell() {
  if (currentIndex().isValid()) viewport()->update(visualRect(currentIndex()));
}

void TDataGrid::RepaintIndicator(int row) {
  if (fixedCols_ == 0 || row < 0 || row >= model_->rowCount({})) return;
  indicator_->viewport()->update(
      QRect(0, indicator_->sectionViewportPosition(row), indicator_->width(),
            indicator_->sectionSize(row)));
}

QColor TDataGrid::RowColor(int row) const { return row % 2 == 0 ? oddColor_ : stripeColor_; }

// Where a text of that width starts in the cell.
static int TextLeft(const QRect& rect, int width, Qt::AlignmentFlag alignment) {
  if (alignment == Qt::AlignRight) return rect.left() + rect.width() - width - 1;
  if (alignment == Qt::AlignHCenter) return (2 * rect.left() + rect.width() - width) / 2 + 1;
  return rect.left() + 2;
}

void TDataGrid::PaintCell(QPainter& painter, const QRect& rect, const QModelIndex& index) const {
  const bool current = index == currentIndex();
  const bool highlighted = current && !searchMode_;
  const QColor background = highlighted ? palette().color(QPalette::Highlight) : RowColor(index.row());
  painter.fillRect(rect, background);

  const QFontMetrics metrics(font());
  const QString text = QString::fromStdString(CellText(index.column(), index.row()));
  // A text too wide for the cell ends in an ellipsis and never runs into the next cell.
  const QString fitted = metrics.elidedText(text, Qt::ElideRight, rect.width() - 3);
  int matched = static_cast<int>(fitted.size());
  if (current && searchMode_) {
    matched = text.startsWith(searchText_, Qt::CaseInsensitive) ? static_cast<int>(searchText_.size()) : 0;
    matched = std::min(matched, static_cast<int>(fitted.size()));
  }
  const int left = TextLeft(rect, metrics.horizontalAdvance(fitted),
                            alignments_[static_cast<std::size_t>(index.column())]);
  const int top = rect.top() + (rect.height() - metrics.height()) / 2;
  painter.save();
  painter.setClipRect(rect);
  painter.setFont(font());
  painter.setPen(palette().color(highlighted ? QPalette::HighlightedText : QPalette::Text));
  const QString head = fitted.left(matched);
  painter.drawText(QPoint(left, top + metrics.ascent()), head);
  // While searching, the part of the current cell after the match stands out highlighted.
  if (matched < fitted.size()) {
    const QString rest = fitted.mid(matched);
    const int restLeft = left + metrics.horizontalAdvance(head);
    painter.fillRect(QRect(restLeft, top, metrics.horizontalAdvance(rest), metrics.height()),
                     palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(QPoint(restLeft, top + metrics.ascent()), rest);
  }
  painter.restore();
  if (current && hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect;
    focus.backgroundColor = background;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}
