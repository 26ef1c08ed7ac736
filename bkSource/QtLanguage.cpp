#include "QtLanguage.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "Names.h"

namespace {

std::unique_ptr<QTranslator>& Installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

}  // namespace

bool SelectQtLanguage(int language) {
  std::unique_ptr<QTranslator>& installed = Installed();
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  if (language != LangRussian && language != LangUkrainian) return true;
  auto translator = std::make_unique<QTranslator>();
  const QString name = language == LangRussian ? QStringLiteral("qtbase_ru") : QStringLiteral("qtbase_uk");
  if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}
