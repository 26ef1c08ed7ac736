#include "LangCfg.h"

#include "Names.h"

TLangOptions::TLangOptions(const std::string& path)
    : TCfgOptions(path),
      TestDate(this, "TestDate", "Updates"),
      LastVersion(this, "LastVersion", "Updates"),
      ProgLang(this, "ProgLang", "Language") {}

namespace {

void SetWhenDifferent(TStringParam& param, const std::string& value) {
  const std::string wanted = TrimBlanks(value);
  if (param.Value() != wanted) param.SetValue(wanted);
}

}  // namespace

void WriteLanguageConfig(const std::string& path, int language) {
  TLangOptions options(path);
  SetWhenDifferent(options.TestDate, "");
  SetWhenDifferent(options.LastVersion, "");
  const int index = language >= 0 && language < LanguageCount ? language : LangEnglish;
  SetWhenDifferent(options.ProgLang, std::string(LanguageTags[index]));
}
