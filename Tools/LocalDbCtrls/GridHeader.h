#pragma once
// The header of the data grid: the column captions over the data columns, and the indicator
// column beside the rows that shows where an incremental search is.
//
// TGridHeader keeps the sections in step with its own width: when the grid is resized it spreads
// the change over all sections in proportion to their widths (TWidthChanger), so widening and
// narrowing the window by the same amount restores every width. The header itself never lets a
// drag change one width alone: dragging the divider after section i moves width between i and
// i + 1, never leaving i + 1 narrower than the minimum, and the divider after the last section
// does not move. A drag makes the new widths the proportions for later resizing.

#include <QHeaderView>
#include <functional>
#include <memory>

#include "WidthChanger.h"

class TGridHeader : public QHeaderView {
public:
  static constexpr int MinSectionWidth = 12;

  explicit TGridHeader(QWidget* parent);
  ~TGridHeader() override;

  // Builds the width changer over the present section widths; the sections must exist.
  void AttachSections();
  // Set by every resize that spread widths; the grid clears it.
  bool Resized() const { return resized_; }
  void ClearResized() { resized_ = false; }
  // A divider drag proposes width w for section i.
  void ProposeWidth(int section, int width);
  // Width moved from one section to its neighbour: sections first..last need repainting.
  std::function<void(int first, int last)> OnSectionsMoved;

protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  // The section whose right divider lies under x, or -1.
  int DividerAt(int x) const;
  void MoveWidth(int section, int delta);
  std::vector<int> SectionWidths() const;

  std::unique_ptr<TWidthChanger> changer_;
  bool resized_ = false;
  int dragSection_ = -1;
};

// The indicator column: a narrow button-coloured column left of the rows that shows a triangle
// on the current row while the grid searches.
class TIndicatorColumn : public QHeaderView {
public:
  static constexpr int IndicatorWidth = 10;

  explicit TIndicatorColumn(QWidget* parent);

  // Asked at painting: whether this row carries the search triangle.
  std::function<bool(int row)> ShowsTriangle;

protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  QSize sizeHint() const override;
};
