#pragma once
// The uninstaller's texts in its three languages (0 Russian, 1 Ukrainian, 2 English, as in the
// contact list). TNativeText is one record of 23 texts in a fixed order; the comments give each
// entry's number.

#include <string_view>

struct TNativeText {
  std::string_view AppTitle;          //  0 the task-bar title
  std::string_view Caption;           //  1 window caption
  std::string_view Question;          //  2
  std::string_view DeleteData;        //  3 the check box
  std::string_view Remove;            //  4
  std::string_view Cancel;            //  5
  std::string_view Exit;              //  6
  std::string_view ClosingProgram;    //  7 the steps, 7 to 14
  std::string_view RemovingDesktop;   //  8
  std::string_view RemovingQuick;     //  9
  std::string_view RemovingGroup;     // 10
  std::string_view RemovingData;      // 11
  std::string_view RemovingExchange;  // 12
  std::string_view RemovingFiles;     // 13
  std::string_view RemovingEntry;     // 14
  std::string_view CantClose;         // 15 the error lines, 15 to 19
  std::string_view CantRemoveFile;    // 16
  std::string_view CantRemoveFolder;  // 17
  std::string_view CantRemoveKey;     // 18
  std::string_view CantRemoveValue;   // 19
  std::string_view NotComplete;       // 20
  std::string_view CantUninstall;     // 21 not installed, 21 and 22
  std::string_view NoEntry;           // 22
};

static_assert(sizeof(TNativeText) == 23 * sizeof(std::string_view));

extern const TNativeText EngNativeText;
extern const TNativeText UkrNativeText;
extern const TNativeText RusNativeText;

// The record of a language index; English for any index but 0 and 1.
const TNativeText& NativeTextOf(int language);
