#include "RosesPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kPetal(200, 16, 32);
const QColor kPetalDark(120, 0, 16);
const QColor kPetalLight(238, 70, 80);
const QColor kStem(40, 110, 40);
const QColor kLeaf(56, 140, 56);

void Stem(QPainter& painter, QPointF from, QPointF to, QPointF bend) {
  QPainterPath path(from);
  path.quadTo(bend, to);
  painter.setPen(QPen(kStem, 1.6));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
}

void Leaf(QPainter& painter, QPointF base, double angle) {
  painter.save();
  painter.translate(base);
  painter.rotate(angle);
  QPainterPath leaf(QPointF(0, 0));
  leaf.quadTo(QPointF(4, -3), QPointF(9, 0));
  leaf.quadTo(QPointF(4, 3), QPointF(0, 0));
  painter.setPen(QPen(kStem, 0.6));
  painter.setBrush(kLeaf);
  painter.drawPath(leaf);
  painter.restore();
}

// An open bloom: a round head, an inner spiral of darker petal edges and a light rim on top.
void Bloom(QPainter& painter, QPointF centre, double radius) {
  QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
  shade.setColorAt(0, kPetalLight);
  shade.setColorAt(0.6, kPetal);
  shade.setColorAt(1, kPetalDark);
  painter.setPen(QPen(kPetalDark, 0.8));
  painter.setBrush(shade);
  painter.drawEllipse(centre, radius, radius * 0.9);

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kPetalDark, 0.9));
  for (int turn = 0; turn < 3; ++turn) {
    const double r = radius * (0.75 - 0.22 * turn);
    const QRectF arc(centre.x() - r, centre.y() - r * 0.85, 2 * r, 1.7 * r);
    painter.drawArc(arc, (40 + 120 * turn) * 16, 220 * 16);
  }
  painter.setPen(QPen(kPetalLight, 0.8));
  painter.drawArc(QRectF(centre.x() - radius * 0.8, centre.y() - radius * 0.8, radius * 1.6,
                         radius * 1.2),
                  30 * 16, 120 * 16);
}

// A closed bud with its green cup.
void Bud(QPainter& painter, QPointF tip) {
  QPainterPath bud(tip);
  bud.cubicTo(tip + QPointF(4, 2), tip + QPointF(4, 7), tip + QPointF(0, 8));
  bud.cubicTo(tip + QPointF(-4, 7), tip + QPointF(-4, 2), tip);
  painter.setPen(QPen(kPetalDark, 0.7));
  painter.setBrush(kPetal);
  painter.drawPath(bud);
  QPainterPath cup(tip + QPointF(-3, 6));
  cup.quadTo(tip + QPointF(0, 11), tip + QPointF(3, 6));
  cup.quadTo(tip + QPointF(0, 8), tip + QPointF(-3, 6));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kLeaf);
  painter.drawPath(cup);
}

}  // namespace

QPixmap RosesPicture() {
  QPixmap picture(48, 64);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);

  const QPointF knot(24, 50);
  Stem(painter, QPointF(9, 9), knot, QPointF(12, 34));
  Stem(painter, QPointF(39, 9), knot, QPointF(36, 34));
  Stem(painter, QPointF(24, 20), knot, QPointF(24, 36));
  Stem(painter, QPointF(12, 24), knot, QPointF(18, 40));
  Stem(painter, QPointF(36, 24), knot, QPointF(30, 40));
  Stem(painter, knot, QPointF(20, 63), QPointF(21, 57));
  Stem(painter, knot, QPointF(28, 63), QPointF(27, 57));
  Stem(painter, knot, QPointF(24, 63), QPointF(24, 57));

  Leaf(painter, QPointF(14, 36), 200);
  Leaf(painter, QPointF(34, 36), -20);
  Leaf(painter, QPointF(20, 42), 150);
  Leaf(painter, QPointF(28, 42), 30);

  Bud(painter, QPointF(9, 3));
  Bud(painter, QPointF(39, 3));
  Bloom(painter, QPointF(12, 24), 7.5);
  Bloom(painter, QPointF(36, 24), 7.5);
  Bloom(painter, QPointF(24, 15), 9);

  // The ribbon round the stems.
  painter.setPen(QPen(QColor(150, 0, 30), 0.8));
  painter.setBrush(QColor(230, 200, 60));
  painter.drawEllipse(QPointF(19.5, 50), 4, 2.5);
  painter.drawEllipse(QPointF(28.5, 50), 4, 2.5);
  painter.drawEllipse(QPointF(24, 50), 2, 2);
  return picture;
}
