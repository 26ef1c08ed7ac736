#include "SpacedLabel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

int TSpacedLabel::LinePitch() const { return fontMetrics().height() + 2; }

void TSpacedLabel::paintEvent(QPaintEvent*) {
  const QRect area = contentsRect();
  QTextDocument document;
  document.setDocumentMargin(0);
  document.setDefaultFont(font());
  QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
  option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
  document.setDefaultTextOption(option);
  document.setPlainText(text());
  QTextBlockFormat pitch;
  pitch.setLineHeight(LinePitch(), QTextBlockFormat::FixedHeight);
  QTextCursor everything(&document);
  everything.select(QTextCursor::Document);
  everything.mergeBlockFormat(pitch);
  document.setTextWidth(area.width());

  int top = area.top();
  const int spare = area.height() - static_cast<int>(document.size().height());
  if (alignment() & Qt::AlignVCenter) top += spare / 2;
  else if (alignment() & Qt::AlignBottom) top += spare;

  QPainter painter(this);
  painter.setClipRect(area);
  painter.translate(area.left(), top);
  QAbstractTextDocumentLayout::PaintContext context;
  context.palette = palette();
  context.palette.setColor(QPalette::Text, palette().color(foregroundRole()));
  document.documentLayout()->draw(&painter, context);
}
