#pragma once
// The record of every text the contact list shows to its user.
//
// One constant TTextRecord exists per interface language (TextEng.cpp, TextUkr.cpp,
// TextRus.cpp), together with that language's date settings. The program reads neither
// directly: SelectLanguage (TextIntface.h) copies the chosen pair into CurrentTexts and
// CurrentFormat. The members keep a fixed order of 117 entries, so every language fills the
// same positions; the number after each member is its position. Texts are UTF-8; "\r\n" breaks
// a text into lines; "%0:s", "%1:d" and the like are filled by FormatIndexed.

#include <array>
#include <string>

#include "UDateTime.h"

struct TTextRecord {
  // Start-up and message boxes.
  std::string LangCode;            // 1: ISO 639 code, for the keyboard layout switch
  std::string AppTitle;            // 2: application and main window title
  std::string CloseErrorHint;      // 3: hint of the only button of a failure report
  std::string OpenDataError;       // 4: the data file cannot be opened
  std::string BackupError;         // 5: the start-up backup failed

  // Birthday reminders: %0 date, %1 day word, %2 name, %3 age (the last line, alone).
  std::string BirthdayReminder;         // 6
  std::array<std::string, 4> DayWords;  // 7: today, tomorrow, in two days, Monday

  // Deletion question and support mail.
  std::string YesCaption;          // 8
  std::string NoCaption;           // 9
  std::string SendingMessage;      // 10
  std::string SendMailError;       // 11
  std::string DeleteCaption;       // 12: caption of the deletion question
  std::string DeleteQuestion;      // 13: its first line
  std::string DeleteYesHint;       // 14
  std::string DeleteNoHint;        // 15

  // Grid column captions and the suffixes of the birthday caption for its three orders.
  std::string ColName;             // 16
  std::string ColHouse;            // 17
  std::string ColWork;             // 18
  std::string ColBirth;            // 19
  std::string BirthYearSuffix;     // 20
  std::string BirthMonthSuffix;    // 21
  std::string BirthDaySuffix;      // 22

  // About window and update check.
  std::string VersionPrefix;       // 23
  std::string HelpAddress;         // 24: full address of the help page
  std::string NewVersionMark;      // 25
  std::string SupportSubject;      // 26: %0 the product version
  std::string SupportBody;         // 27

  // Contact edit dialog captions and the date complaint (also a status-bar hint).
  std::string EditInsertCaption;   // 28
  std::string EditViewCaption;     // 29
  std::string ImproperDate;        // 30

  // Main window actions and submenus, caption then hint.
  std::string ActExitCaption;          // 31
  std::string ActExitHint;             // 32
  std::string ActUpperNameCaption;     // 33
  std::string ActUpperNameHint;        // 34
  std::string ActAboutCaption;         // 35
  std::string ActAboutHint;            // 36
  std::string ActHelpCaption;          // 37
  std::string ActHelpHint;             // 38
  std::string ActRusLangCaption;       // 39
  std::string ActRusLangHint;          // 40
  std::string ActUkrLangCaption;       // 41
  std::string ActUkrLangHint;          // 42
  std::string ActEngLangCaption;       // 43
  std::string ActEngLangHint;          // 44
  std::string ActInsertCaption;        // 45
  std::string ActInsertHint;           // 46
  std::string ActEditCaption;          // 47
  std::string ActEditHint;             // 48
  std::string ActDeleteCaption;        // 49
  std::string ActDeleteHint;           // 50
  std::string ActSearchStartCaption;   // 51
  std::string ActSearchStartHint;      // 52
  std::string ActSearchStopCaption;    // 53
  std::string ActSearchStopHint;       // 54
  std::string ActSortCaption;          // 55
  std::string ActSortHint;             // 56
  std::string ActExportCaption;        // 57
  std::string ActExportHint;           // 58
  std::string ActImportCaption;        // 59
  std::string ActImportHint;           // 60
  std::string ActPrintCaption;         // 61
  std::string ActPrintHint;            // 62
  std::string MenuFileCaption;         // 63
  std::string MenuFileHint;            // 64
  std::string MenuLangCaption;         // 65
  std::string MenuLangHint;            // 66
  std::string MenuHelpCaption;         // 67
  std::string MenuHelpHint;            // 68

  // About window.
  std::string AboutCaption;            // 69
  std::string AboutOKHint;             // 70
  std::string AboutAddrHint;           // 71
  std::string AboutMailHint;           // 72
  std::string AboutIconDesignHint;     // 73

  // Contact edit dialog: buttons, field labels, editing menu (caption then hint).
  std::string BtnSaveCaption;          // 74
  std::string BtnSaveHint;             // 75
  std::string BtnCancelCaption;        // 76
  std::string BtnCancelHint;           // 77
  std::string LbNameCaption;           // 78
  std::string LbHouseCaption;          // 79
  std::string LbWorkCaption;           // 80
  std::string LbBirthCaption;          // 81
  std::string LbMobileCaption;         // 82
  std::string LbNoteCaption;           // 83
  std::string ActEditCutCaption;       // 84
  std::string ActEditCutHint;          // 85
  std::string ActEditCopyCaption;      // 86
  std::string ActEditCopyHint;         // 87
  std::string ActEditPasteCaption;     // 88
  std::string ActEditPasteHint;        // 89
  std::string ActEditSelectAllCaption; // 90
  std::string ActEditSelectAllHint;    // 91
  std::string ActEditUndoCaption;      // 92
  std::string ActEditUndoHint;         // 93
  std::string ActEditDeleteCaption;    // 94
  std::string ActEditDeleteHint;       // 95

  // Printing.
  std::string PageNoFormat;            // 96: %0 page, %1 page count
  std::string PrinterError;            // 97

  // CSV export.
  char CsvSeparator = ';';             // 98
  std::string ExportTitle;             // 99
  std::string ExportFilter;            // 100: "description|pattern"
  std::string CsvHeader;               // 101
  std::string ExportError;             // 102
  std::string ExportErrorHint;         // 103

  // List report.
  std::string TotalFormat;             // 104: %0 the number of contacts
  std::string PrintError;              // 105

  // CSV import.
  std::string ImportCaption;           // 106
  std::string ImportLineError;         // 107
  std::string ImportContinueCaption;   // 108
  std::string ImportContinueHint;      // 109
  std::string ImportStopCaption;       // 110
  std::string ImportStopHint;          // 111
  std::string ImportInterrupted;       // 112
  std::string ImportAdded;             // 113: followed by the number
  std::string ImportMissed;            // 114: followed by the number
  std::string ImportResultHint;        // 115
  std::string ImportError;             // 116

  // Names of the main window's modes 0 to 5; only the search name is ever shown, and the
  // busy mode has none.
  std::array<std::string, 6> StateNames;  // 117
};

// The three languages' records and date settings, for SelectLanguage and for tests.
const TTextRecord& TextEng();
const TTextRecord& TextUkr();
const TTextRecord& TextRus();
const TFormatSettings& FormatEng();
const TFormatSettings& FormatUkr();
const TFormatSettings& FormatRus();

// The date settings every language shares; only the month names differ.
TFormatSettings LanguageFormat(const std::array<std::string, 12>& longMonthNames);
