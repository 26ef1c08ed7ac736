#pragma once
// The contact list's own settings in "book.cfg" beside the executable.
//
// TProgOptions is the settings store with one parameter per setting and a read and a write
// accessor for each. Reading applies the setting's default and lower bound, so a missing or
// hand-mangled value never reaches the program; writing compares with the stored form first and
// touches the file only when that differs, so closing the main window with an unchanged layout
// leaves the file alone. Write failures are silent (see BaseOptions.h).
//
// | section  | key         | reads as                                               |
// | Updates  | TestDate    | date of the last update check; 0 when unset or invalid |
// | Updates  | LastVersion | newest known version, blanks trimmed                   |
// | MainForm | Left, Top, Width, Height | main window, signed pixels; 0 = designed size |
// | Grid     | NameWidth   | column width; 10 or less reads as 130                  |
// | Grid     | HouseWidth, WorkWidth, BirthWidth | 10 or less reads as 66        |
// | Options  | UpperName   | capitalise names; any non-zero value is true           |
// | Language | ProgLang    | "RUS" 0, "UKR" 1 (exact case, blanks trimmed), else 2  |

#include <memory>
#include <string>

#include "BaseOptions.h"
#include "CfgParams.h"
#include "UDateTime.h"

class TProgOptions : public TCfgOptions {
public:
  // Throws EGeneral("Error while open " + path) as TCfgOptions does.
  explicit TProgOptions(const std::string& path, TOpenRetries retries = {});
  ~TProgOptions() override;

  TDateTime TestDate();
  void SetTestDate(TDateTime value);
  std::string LastVersion();
  void SetLastVersion(const std::string& value);

  int Left();
  void SetLeft(int value);
  int Top();
  void SetTop(int value);
  int Width();
  void SetWidth(int value);
  int Height();
  void SetHeight(int value);

  int NameWidth();
  void SetNameWidth(int value);
  int HouseWidth();
  void SetHouseWidth(int value);
  int WorkWidth();
  void SetWorkWidth(int value);
  int BirthWidth();
  void SetBirthWidth(int value);

  bool UpperName();
  void SetUpperName(bool value);

  // Language index: 0 Russian, 1 Ukrainian, 2 English.
  int ProgLang();
  // Stops with an assertion failure for an index outside 0..2.
  void SetProgLang(int index);

private:
  std::unique_ptr<TCardinalParam> FTestDate;
  std::unique_ptr<TStringParam> FLastVersion;
  std::unique_ptr<TCardinalParam> FLeft;
  std::unique_ptr<TCardinalParam> FTop;
  std::unique_ptr<TCardinalParam> FWidth;
  std::unique_ptr<TCardinalParam> FHeight;
  std::unique_ptr<TCardinalParam> FNameWidth;
  std::unique_ptr<TCardinalParam> FHouseWidth;
  std::unique_ptr<TCardinalParam> FWorkWidth;
  std::unique_ptr<TCardinalParam> FBirthWidth;
  std::unique_ptr<TCardinalParam> FUpperName;
  std::unique_ptr<TStringParam> FProgLang;
};

// The name of the settings file in the executable's folder.
inline constexpr const char* CfgFileName = "book.cfg";

// The program's one settings object, null outside CreateProgOptions .. FreeProgOptions.
extern std::unique_ptr<TProgOptions> ProgOptions;

// Creates ProgOptions over CfgFileName in exeFolder. Throws EGeneral("Error while open " + path)
// when the file cannot be read; the start-up then reports it and ends.
void CreateProgOptions(const std::string& exeFolder);
void FreeProgOptions();
