#pragma once
// The installer's texts in its three languages, independent of the contact list's own table
// but numbered by the same language index (0 Russian, 1 Ukrainian, 2 English).
//
// TSetupText is one record of 59 texts in a fixed order; the comments give each entry's
// number. Line breaks are written "\r\n", as the wizard shows them. There is one constant record
// per language (EngText.cpp, UkrText.cpp, RusText.cpp).

#include <string_view>

struct TSetupText {
  std::string_view Caption;               //  0 window caption
  std::string_view Version;               //  1 before the version number
  std::string_view Description;           //  2 product description and the rights line
  std::string_view ChooseLanguage;        //  3
  std::string_view ReadAgreement;         //  4
  std::string_view Agreement;             //  5 the end-user agreement
  std::string_view Agree;                 //  6 the agree button
  std::string_view ChooseFolder;          //  7
  std::string_view CreateMenuGroup;       //  8
  std::string_view CreateDesktopLink;     //  9
  std::string_view CreateQuickLaunch;     // 10
  std::string_view LaunchAfterInstall;    // 11
  std::string_view Next;                  // 12
  std::string_view Back;                  // 13
  std::string_view Cancel;                // 14
  std::string_view Browse;                // 15
  std::string_view Install;               // 16
  std::string_view Exit;                  // 17
  std::string_view BrowseFolders;         // 18 the folder dialog's caption
  std::string_view InstallStatus;         // 19
  std::string_view Preferences;           // 20
  std::string_view AgreeHint;             // 21
  std::string_view NextHint;              // 22
  std::string_view InstallHint;           // 23
  std::string_view Installing;            // 24
  std::string_view Success;               // 25
  std::string_view Failure;               // 26
  std::string_view No;                    // 27 in the summary
  std::string_view Yes;                   // 28 in the summary
  std::string_view InstallLanguage;       // 29
  std::string_view InstallFolder;         // 30
  std::string_view StepCreateDir;         // 31
  std::string_view Error;                 // 32
  std::string_view NoFolder;              // 33
  std::string_view NoFreeSpace;           // 34
  std::string_view BadDrive;              // 35
  std::string_view StepCopyFiles;         // 36
  std::string_view StepConfig;            // 37
  std::string_view StepFreeSpace;         // 38
  std::string_view StepMenuGroup;         // 39
  std::string_view StepDesktopLink;       // 40
  std::string_view StepQuickLaunch;       // 41
  std::string_view StepRegister;          // 42
  std::string_view StepRunningCopy;       // 43
  std::string_view CantCloseCopy;         // 44
  std::string_view ConfirmCaption;        // 45 the replacement question's texts, 45 to 51
  std::string_view FileExists;            // 46
  std::string_view ReplaceQuestion;       // 47
  std::string_view BtnYes;                // 48
  std::string_view BtnYesToAll;           // 49
  std::string_view BtnNo;                 // 50
  std::string_view BtnNoToAll;            // 51
  std::string_view ProgramDescription;    // 52 the program's shortcuts
  std::string_view UninstallDescription;  // 53 the uninstaller's shortcut
  std::string_view Publisher;             // 54 the uninstall entry's four texts, 54 to 57
  std::string_view HomePage;              // 55
  std::string_view ProductPage;           // 56
  std::string_view HelpPage;              // 57
  std::string_view AppTitle;              // 58 the task-bar title
};

static_assert(sizeof(TSetupText) == 59 * sizeof(std::string_view));

extern const TSetupText EngSetupText;
extern const TSetupText UkrSetupText;
extern const TSetupText RusSetupText;

// The record of a language index; English for any index but 0 and 1.
const TSetupText& SetupTextOf(int language);
