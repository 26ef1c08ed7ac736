#pragma once
// The installer's wizard window and its installation run.
//
// TMainFormSetup leads through four pages: the language, the agreement, the folder with the
// three shortcut options, and the summary; "Install" on the summary runs the installation in
// the same window, one memo line per step:
//   1 a running contact list in the target folder is asked to quit (at most about 4 s),
//   2 the folder must be absolute and its file system have 8 MiB free,
//   3 the folder is created (one level: its parent must exist),
//   4 "book" and "uninst" are written from the installer's resources, with their run bits,
//   5 the uninstall entry gets its twelve values,
//   6 the language goes into "book.cfg" (three keys; the rest of the file stays),
//   7-9 the menu group with the program and uninstaller launchers, the desktop launcher and the
//     quick-launch launcher, each only when its box is checked.
// Every existing file is written only when the replacement question allows it. The first
// failing step ends the run ("   - Error"); the wizard then offers Install again and Back. A
// successful run leaves only Exit. The wizard starts in English; Ukrainian and Russian are
// offered where the locale can show Cyrillic.
//
// Program-wide: Installed (a successful run happened and the launch box was checked when the
// window closed) and LaunchPath (the installed program to start then).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QStringList>
#include <QWidget>

#include "SetupText.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TConfirmForm;
class TGlassGradienter;
class TUserRegistry;

extern bool Installed;
extern std::string LaunchPath;

// List position of the language box -> language index.
inline constexpr int SetupLangMap[3] = {2, 0, 1};

// The folder proposed at start: $HOME/Kalmiq ("/Kalmiq" without a usable HOME).
std::string DefaultInstallDir();

// The painter of the wizard's strip, created when the installer starts and freed at its end.
void CreateSetupGradient();
void FreeSetupGradient();

class TMainFormSetup : public QWidget {
public:
  TMainFormSetup();
  ~TMainFormSetup() override;

  void ApplyLanguage(int position);
  void ShowLanguagePage();
  void ShowAgreementPage();
  void ShowFolderPage();
  void ShowSummaryPage();
  void FillSummary();
  void ResolveInstallDir();
  void RunInstallation();
  void ShowSuccess();
  void ShowFailure();

  void BtnNextClick();
  void BtnBackClick();
  void BtnCancelClick();
  void BtnBrowseClick();

  int Page() const { return FPage; }
  int SetupLang() const { return FSetupLang; }
  const TSetupText& SetupTexts() const { return *FSetupTexts; }
  const std::string& InstallDir() const { return FInstallDir; }
  std::int32_t InstalledKB() const { return FInstalledKB; }
  // The memo's lines, as a test reads them.
  QStringList ProgressLines() const;

  QFrame* Bevel;
  QLabel* Image;
  QPushButton* BtnBack;
  QPushButton* BtnNext;
  QPushButton* BtnCancel;
  QLabel* LbDescript;
  QLabel* LbLang;
  QComboBox* ComboBoxLang;
  QLabel* LbLicense;
  QPlainTextEdit* MemoLicense;
  QLabel* LbPath;
  QLineEdit* EditPath;
  QPushButton* BtnBrowse;
  QCheckBox* CbMenu;
  QCheckBox* CbDesktop;
  QLabel* LbProgress;
  QPlainTextEdit* MemoProgress;
  QLabel* LbComplete;
  QLabel* ImageBott = nullptr;
  QLabel* LbVersion;
  QCheckBox* CbExec;
  QCheckBox* CbQuick;

protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void CreateControls();
  void ReplaceCheckBoxes();
  void ShowOnly(const std::vector<QWidget*>& shown);
  void AddLine(const QString& line);
  void AddDetail(const std::string& text);
  void RunStep(std::string_view text, bool enabled, const std::function<void()>& step);
  TConfirmForm& Confirm();

  void StepCloseRunningCopy();
  void StepCheckFreeSpace();
  void StepCreateDir();
  void StepCopyFiles();
  void StepRegister();
  void StepCreateConfig();
  void StepMenuGroup();
  void StepDesktopLink();
  void StepQuickLaunchLink();
  void WriteResourceFile(const std::string& type, const std::string& name,
                         const std::string& path);
  void WriteMenuLink(const std::string& group, const std::string& target, std::string_view name,
                     std::string_view description);

  int FPage = 0;
  int FSetupLang = 2;
  const TSetupText* FSetupTexts = nullptr;
  std::string FInstallDir;
  std::int32_t FInstalledKB = 0;
  TUserRegistry* FRegistry = nullptr;
  QStringList FLines;
};
