#pragma once
// The program's one message box: every question, warning, failure report and birthday reminder
// reaches the user through ShowMessageBox.
//
// The dialog has a fixed client size of 314 x 142: a picture on the left, the centred text, and
// one or two buttons on the decorated bottom strip (GlassGradient.h). The kind chooses the
// buttons by its low four bits and the picture by bits 4 to 7:
//   low bits 0  one button: Btn1 hidden; Btn2 carries the first caption and hint, is the default
//               and gives OK for a click, Enter and Escape; only the title bar's close gives
//               Cancel;
//   low bits 1  two buttons: Btn1 (first caption, default, focused) gives OK; Btn2 (second
//               caption) and Escape give Cancel;
//   16, 32, 48, 64  the desktop's error, question, warning or information icon;
//   128         a birthday: the roses stay, and the text's last line becomes the dark red age
//               badge over them.
// Kinds in use: 16, 48, 49, 33, 64 and 128.
//
// The dialog is created on first use. While the program's main window exists (SetMainWindow)
// the dialog belongs to it, is centred over it and lives on between calls; before that the
// dialog is itself the main form: it is centred on the screen and destroyed after each call, so
// every reminder of a reminder start gets a fresh one with the roses.

#include <memory>
#include <string>

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TGlassGradienter;

enum TModalResult { mrOk = 1, mrCancel = 2 };

int ShowMessageBox(const std::string& text, const std::string& caption, int kind,
                   const std::string& firstCaption, const std::string& firstHint,
                   const std::string& secondCaption = {}, const std::string& secondHint = {});

// The main window registers itself when it is created and null when it goes.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

// The painter of the message box's strip, one for the process (start-up creates it; a box shown
// without it creates it on demand).
void CreateMessageBoxGradient();
void FreeMessageBoxGradient();

class TFormMessageBox : public QDialog {
public:
  explicit TFormMessageBox(QWidget* owner);

  // Applies kind, captions and hints; see the header comment.
  void Prepare(const std::string& text, const std::string& caption, int kind,
               const std::string& firstCaption, const std::string& firstHint,
               const std::string& secondCaption, const std::string& secondHint);

  QFrame* Bevel;
  QLabel* Image;
  QLabel* LbQuery;
  QLabel* ImageIcon;
  QLabel* LbAge;
  QPushButton* Btn1;
  QPushButton* Btn2;

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

private:
  void CreateControls();
  void SetIcon(int pictureKind);
  void SetText(const std::string& text, bool birthday);

  bool FTwoButtons = false;
};

// The dialog while it exists (tests look at it while it is shown).
TFormMessageBox* FormMessageBox();
