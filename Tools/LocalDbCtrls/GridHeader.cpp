#include "GridHeader.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// How near a divider the mouse must be to grab it.
constexpr int kGrip = 3;
}

TGridHeader::TGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionResizeMode(QHeaderView::Fixed);
  setMinimumSectionSize(MinSectionWidth);
  setStretchLastSection(false);
  setSectionsClickable(true);
  setHighlightSections(false);
  setSectionsMovable(false);
  setMouseTracking(true);
}

TGridHeader::~TGridHeader() = default;

std::vector<int> TGridHeader::SectionWidths() const {
  std::vector<int> widths;
  for (int i = 0; i < count(); ++i) widths.push_back(sectionSize(i));
  return widths;
}

void TGridHeader::AttachSections() {
  changer_ = std::make_unique<TWidthChanger>(SectionWidths(), MinSectionWidth);
}

void TGridHeader::resizeEvent(QResizeEvent* event) {
  QHeaderView::resizeEvent(event);
  if (!changer_ || width() <= 0) return;
  changer_->SetTotal(width());
  for (int i = 0; i < count(); ++i)
    if (sectionSize(i) != changer_->SectionWidth(i)) resizeSection(i, changer_->SectionWidth(i));
  resized_ = true;
}

void TGridHeader::ProposeWidth(int section, int width) {
  if (section < 0 || section >= count() - 1 || width == sectionSize(section)) return;
  int delta = width - sectionSize(section);
  if (sectionSize(section + 1) - delta < MinSectionWidth)
    delta = sectionSize(section + 1) - MinSectionWidth;
  if (delta != 0) MoveWidth(section, delta);
}

void TGridHeader::MoveWidth(int section, int delta) {
  resizeSection(section, sectionSize(section) + delta);
  resizeSection(section + 1, sectionSize(section + 1) - delta);
  if (changer_) changer_->Reset(SectionWidths());
  if (OnSectionsMoved) OnSectionsMoved(section, section + 1);
}

int TGridHeader::DividerAt(int x) const {
  for (int i = 0; i < count(); ++i) {
    const int right = sectionViewportPosition(i) + sectionSize(i);
    if (x >= right - kGrip && x <= right + kGrip) return i;
  }
  return -1;
}

void TGridHeader::mousePressEvent(QMouseEvent* event) {
  const int divider = event->button() == Qt::LeftButton ? DividerAt(event->position().toPoint().x())
                                                         : -1;
  if (divider < 0) {
    QHeaderView::mousePressEvent(event);
    return;
  }
  dragSection_ = divider;
  event->accept();
}

void TGridHeader::mouseMoveEvent(QMouseEvent* event) {
  const int x = event->position().toPoint().x();
  if (dragSection_ >= 0) {
    // The header's own tracking limit: a section is never dragged below the minimum.
    const int proposed = std::max(x - sectionViewportPosition(dragSection_), MinSectionWidth);
    ProposeWidth(dragSection_, proposed);
    event->accept();
    return;
  }
  if (DividerAt(x) >= 0)
    setCursor(Qt::SplitHCursor);
  else
    unsetCursor();
  QHeaderView::mouseMoveEvent(event);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent* event) {
  if (dragSection_ >= 0) {
    dragSection_ = -1;
    event->accept();
    return;
  }
  QHeaderView::mouseReleaseEvent(event);
}

void TGridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click on a divider would ask the plain header to fit the section to its contents.
  if (DividerAt(event->position().toPoint().x()) >= 0) {
    event->accept();
    return;
  }
  QHeaderView::mouseDoubleClickEvent(event);
}

// --- indicator column ----------------------------------------------------------------------

TIndicatorColumn::TIndicatorColumn(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
  setSectionResizeMode(QHeaderView::Fixed);
  setSectionsClickable(false);
  setHighlightSections(false);
  setFixedWidth(IndicatorWidth + 1);
}

QSize TIndicatorColumn::sizeHint() const {
  return {IndicatorWidth + 1, QHeaderView::sizeHint().height()};
}

void TIndicatorColumn::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  painter->fillRect(rect, palette().button());
  const auto gridColor = static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor));
  painter->setPen(QColor::fromRgba(gridColor));
  painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
  painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  if (!ShowsTriangle || !ShowsTriangle(logicalIndex)) return;
  // A filled triangle pointing right, in the cell left of the line.
  const int left = rect.left();
  const int right = rect.right();
  const int top = rect.top();
  const int bottom = rect.bottom();
  const QPoint corners[3] = {{left + 1, top + 1}, {right - 1, top + (bottom - top) / 2},
                             {left + 1, bottom - 1}};
  painter->setPen(Qt::NoPen);
  painter->setBrush(palette().highlight());
  painter->drawPolygon(corners, 3);
}
