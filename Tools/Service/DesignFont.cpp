#include "DesignFont.h"

#include <QFontDatabase>

namespace {
constexpr const char* kTahomaFile = "/usr/share/wine/fonts/tahoma.ttf";

bool TahomaAvailable() {
  static const bool available = QFontDatabase::hasFamily(QStringLiteral("Tahoma")) ||
                                QFontDatabase::addApplicationFont(kTahomaFile) >= 0;
  return available;
}
}  // namespace

QFont DesignFont(int pixelSize) {
  QFont font = TahomaAvailable() ? QFont(QStringLiteral("Tahoma"))
                                 : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPixelSize(pixelSize);
  return font;
}
