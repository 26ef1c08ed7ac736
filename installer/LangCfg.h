#pragma once
// The installer's view of the contact list's settings file: the three keys it sets.
//
// TLangOptions is a settings store over "book.cfg" (the same store the contact list reads) with
// the update check's "TestDate" and "LastVersion" (section "Updates") and the interface
// language "ProgLang" (section "Language"). Every other key of the file stays as it was.

#include <memory>
#include <string>

#include "CfgParams.h"

class TLangOptions : public TCfgOptions {
public:
  // Throws EGeneral("Error while open " + path) when the file exists but cannot be read.
  explicit TLangOptions(const std::string& path);

  TStringParam TestDate;
  TStringParam LastVersion;
  TStringParam ProgLang;
};

// Empties the two update keys, so that the contact list's update check starts afresh, and
// stores the language's tag. Each key is written only when its stored value differs from the
// trimmed new one. Throws EGeneral when the file cannot be opened.
void WriteLanguageConfig(const std::string& path, int language);
