#pragma once
// The question the installer asks before it replaces a file that already exists.
//
// TConfirmForm is a small modal dialog with four answers: replace this file (Yes), replace it and
// every further one of this run (Yes for all), keep it (No), keep it and every further one
// (No for all). A "for all" answer holds until ResetGroupMode, which the wizard calls at the
// start of each installation run. Closing the dialog keeps the file and changes nothing else.
//
// Its seven texts are the unit-level variables below; the wizard sets them whenever it applies
// a language, and they must be set before the dialog is created (assertion otherwise). They
// are applied each time the dialog is shown.

#include <string>

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TGlassGradienter;

extern std::string stConfirmFormCaption;
extern std::string stFileExists;
extern std::string stReplaceQuestion;
extern std::string stBtnYes;
extern std::string stBtnYesToAll;
extern std::string stBtnNo;
extern std::string stBtnNoToAll;

// The painter of the dialog's strip, created when the installer starts and freed at its end
// together with the texts.
void CreateConfirmGradient();
void FreeConfirmGradient();

// Modal results of the four buttons.
enum TConfirmAnswer { mrYes = 6, mrNo = 7, mrNoToAll = 9, mrYesToAll = 10 };

class TConfirmForm : public QDialog {
public:
  explicit TConfirmForm(QWidget* owner = nullptr);

  // True when the file at path may be written: it does not exist, the group mode says replace,
  // or the user answers Yes or Yes for all.
  bool MayWrite(const std::string& path);
  void ResetGroupMode() { FGroupMode = 0; }
  // 0 ask for each file, 1 replace all, 2 keep all.
  int GroupMode() const { return FGroupMode; }

  QLabel* LbQuestion;
  QPushButton* BtnYes;
  QPushButton* BtnYesToAll;
  QPushButton* BtnNo;
  QPushButton* BtnNoToAll;
  QFrame* Bevel;
  QLabel* Image = nullptr;

protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void ApplyConfirmTexts();

  int FGroupMode = 0;
};

// The dialog of the running installer (the wizard creates it after itself).
TConfirmForm* ConfirmForm();
