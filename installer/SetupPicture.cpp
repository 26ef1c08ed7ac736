#include "SetupPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 350;
constexpr int kBand = 240;  // the texts start at x = 260

void DrawBackground(QPainter& painter) {
  QLinearGradient page(0, 0, 0, kHeight);
  page.setColorAt(0, QColor(252, 252, 255));
  page.setColorAt(1, QColor(232, 238, 248));
  painter.fillRect(0, 0, kWidth, kHeight, page);

  QLinearGradient band(0, 0, kBand, kHeight);
  band.setColorAt(0, QColor(28, 60, 120));
  band.setColorAt(1, QColor(12, 30, 70));
  QPainterPath edge;
  edge.moveTo(0, 0);
  edge.lineTo(kBand, 0);
  edge.cubicTo(kBand - 30, kHeight / 3.0, kBand + 20, kHeight * 2 / 3.0, kBand - 10, kHeight);
  edge.lineTo(0, kHeight);
  edge.closeSubpath();
  painter.fillPath(edge, band);
}

// One card of the notebook: a white page with a name bar and three phone lines.
void DrawCard(QPainter& painter, const QRectF& card, const QColor& accent) {
  painter.setPen(QPen(QColor(180, 190, 210), 1));
  painter.setBrush(QColor(250, 250, 246));
  painter.drawRoundedRect(card, 6, 6);
  painter.setPen(Qt::NoPen);
  painter.setBrush(accent);
  painter.drawEllipse(QRectF(card.left() + 10, card.top() + 12, 22, 22));
  painter.setBrush(QColor(120, 130, 150));
  painter.drawRoundedRect(QRectF(card.left() + 40, card.top() + 16, card.width() - 56, 6), 3, 3);
  painter.setBrush(QColor(200, 205, 215));
  for (int line = 0; line < 3; ++line)
    painter.drawRoundedRect(
        QRectF(card.left() + 12, card.top() + 46 + line * 14, card.width() - 24 - line * 14, 4),
        2, 2);
}

void DrawNotebook(QPainter& painter) {
  painter.save();
  painter.translate(112, 170);
  painter.rotate(-8);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 60));
  painter.drawRoundedRect(QRectF(-72, -92, 160, 196), 10, 10);
  painter.setBrush(QColor(150, 40, 40));
  painter.drawRoundedRect(QRectF(-80, -100, 160, 196), 10, 10);
  DrawCard(painter, QRectF(-62, -86, 132, 84), QColor(70, 150, 90));
  DrawCard(painter, QRectF(-62, 4, 132, 84), QColor(210, 140, 40));
  painter.setPen(QPen(QColor(200, 200, 210), 4, Qt::SolidLine, Qt::RoundCap));
  for (int ring = 0; ring < 6; ++ring)
    painter.drawLine(QPointF(-84, -80 + ring * 32), QPointF(-70, -80 + ring * 32));
  painter.restore();
}

}  // namespace

QPixmap SetupPicture() {
  QPixmap picture(kWidth, kHeight);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(painter);
  DrawNotebook(painter);
  return picture;
}
