#include "Gradient.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QVariant>

namespace {

// The lighter colour on top, so that the strip darkens toward the bottom as a caption does.
TColorPair Ordered(const QColor& a, const QColor& b) {
  if (Luma(b) > Luma(a)) return {b, a};
  return {a, b};
}

// What the label shows, so that an unchanged gradient is not drawn again.
QString PaintKey(const TColorPair& pair, const QSize& size) {
  return QStringLiteral("%1 %2 %3x%4")
      .arg(pair.Top.name(QColor::HexArgb), pair.Bottom.name(QColor::HexArgb))
      .arg(size.width())
      .arg(size.height());
}

constexpr const char* kPaintKeyProperty = "gradientPaintKey";

}  // namespace

QColor MixColors(const QColor& from, const QColor& to, double fraction) {
  auto channel = [fraction](int a, int b) {
    return static_cast<int>(a + (b - a) * fraction + (b >= a ? 0.5 : -0.5));
  };
  return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                channel(from.blue(), to.blue()));
}

double Luma(const QColor& color) {
  return 0.299 * color.red() + 0.587 * color.green() + 0.114 * color.blue();
}

QColor HighlightTint() {
  const QPalette palette = QGuiApplication::palette();
  return MixColors(palette.color(QPalette::Active, QPalette::Highlight),
                   palette.color(QPalette::Active, QPalette::Base), 0.83);
}

TGradienter::TGradienter() { TGradienter::UpdateColors(); }

void TGradienter::UpdateColors() {
  const QPalette palette = QGuiApplication::palette();
  const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
  FActive = Ordered(MixColors(highlight, palette.color(QPalette::Active, QPalette::Base), 0.45),
                    highlight);
  const QColor window = palette.color(QPalette::Inactive, QPalette::Window);
  FInactive =
      Ordered(window, MixColors(window, palette.color(QPalette::Inactive, QPalette::WindowText),
                                0.25));
}

void TGradienter::PaintImage(QLabel& image, bool active) const {
  const TColorPair& pair = Colors(active);
  const QSize size = image.size();
  const QString key = PaintKey(pair, size);
  if (image.property(kPaintKeyProperty).toString() == key || size.isEmpty()) return;

  QPixmap picture(size);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, 0, size.height());
  gradient.setColorAt(0, pair.Top);
  gradient.setColorAt(1, pair.Bottom);
  painter.fillRect(picture.rect(), gradient);
  painter.end();
  image.setPixmap(picture);
  image.setProperty(kPaintKeyProperty, key);
}
