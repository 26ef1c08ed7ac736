#include "StringUtils.h"

#include <QStringList>

namespace {

const QString kEllipsis = QStringLiteral("...");

bool Fits(const QString& text, const QFontMetrics& metrics, int width) {
  return metrics.horizontalAdvance(text) <= width;
}

}  // namespace

QString EllipsisEnd(const QString& text, const QFontMetrics& metrics, int width) {
  if (Fits(text, metrics, width)) return text;
  // The widths of prefixes grow with their length, so the longest fitting one is found by
  // halving; surrogate pairs are never split.
  qsizetype low = 0;
  qsizetype high = text.size();
  while (low < high) {
    const qsizetype middle = (low + high + 1) / 2;
    if (Fits(text.left(middle) + kEllipsis, metrics, width))
      low = middle;
    else
      high = middle - 1;
  }
  if (low > 0 && text.at(low - 1).isHighSurrogate()) --low;
  if (low > 0) return text.left(low) + kEllipsis;
  QString dots = kEllipsis;
  while (!dots.isEmpty() && !Fits(dots, metrics, width)) dots.chop(1);
  return dots;
}

QString EllipsisPath(const QString& path, const QFontMetrics& metrics, int width) {
  if (Fits(path, metrics, width)) return path;
  const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
  const QString name = path.mid(nameStart);
  const QString root = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
  QStringList folders = path.left(nameStart).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  while (!folders.isEmpty()) {
    folders.removeFirst();
    QString candidate = root + kEllipsis + QLatin1Char('/');
    for (const QString& folder : folders) candidate += folder + QLatin1Char('/');
    candidate += name;
    if (Fits(candidate, metrics, width)) return candidate;
  }
  return EllipsisEnd(kEllipsis + QLatin1Char('/') + name, metrics, width);
}
