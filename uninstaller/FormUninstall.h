#pragma once
// The uninstaller's window and its removal run.
//
// TMainUninstForm works on the folder it is given (the uninstaller's own). It has three states:
// - asking: the uninstall entry exists; "Remove" and "Cancel" and the box "Remove all contacts
//   data" (unchecked). The language is the entry's InstallLang (English when it cannot be read
//   or lies outside 0 to 2);
// - not installed: no entry; the two texts saying so and only "Exit". The language comes from
//   the folder's "book.cfg", English without one;
// - finished with errors: "Exit" and the list of what could not be removed.
// "Remove" runs nine steps: ask a running contact list in the folder to quit; delete the
// desktop, quick-launch and menu launchers and the menu group; when the box is checked, move
// "book.dat", "Hist", "Export" and "Import" to the trash; delete "book" and "book.cfg"; and,
// only when nothing failed so far, delete the uninstall entry and the logon start entry. Steps
// do not stop the run; each failure adds two lines to the error list. A run without errors
// sets DeleteOnExit and closes the window.

#include <string>

#include <QWidget>

#include "NativeIntface.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The painter of the window's strip, created when the uninstaller starts and freed at its end.
void CreateUninstGradient();
void FreeUninstGradient();

class TMainUninstForm : public QWidget {
public:
  // uninstDir: the folder to uninstall from, absolute (a trailing "/" is added).
  explicit TMainUninstForm(const std::string& uninstDir);
  ~TMainUninstForm() override;

  void ApplyUninstLanguage(int language);
  void BtnDeleteClick();
  void BtnCancelClick() { close(); }
  // Shows a failure that reached the event loop in the error list (the uninstaller's
  // TExceptHandler).
  void ShowFailureText(const std::string& text);

  const std::string& UninstDir() const { return FUninstDir; }
  const std::string& ErrorText() const { return FErrorText; }
  int UninstLang() const { return FUninstLang; }
  const TNativeText& NativeTexts() const { return *FTexts; }

  QFrame* Bevel = nullptr;
  QPushButton* BtnDelete = nullptr;
  QPushButton* BtnCancel = nullptr;
  QLabel* LbDescription = nullptr;
  QLabel* LbFolder = nullptr;
  QCheckBox* CbDeleteData = nullptr;
  QLabel* LbProgress = nullptr;
  QPlainTextEdit* MemoErrors = nullptr;
  QLabel* Image = nullptr;

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void CreateControls();
  int LanguageFromConfig() const;
  void RunUninstallStep(std::string_view text, bool enabled, void (TMainUninstForm::*step)());
  void DeleteFileNoted(const std::string& path);
  void RecycleFileNoted(const std::string& path);
  void RecycleDirNoted(const std::string& path);
  void Note(std::string_view what, const std::string& path);
  void ShowErrors();

  void StepCloseProgram();
  void StepDesktopLink();
  void StepQuickLaunchLink();
  void StepMenuGroup();
  void StepContactsData();
  void StepExchangeFolders();
  void StepProgramFiles();
  void StepUninstallEntry();
  void StepAutoStart();

  std::string FUninstDir;
  std::string FErrorText;
  int FUninstLang = 2;
  const TNativeText* FTexts = &EngNativeText;
};
