#pragma once
// The contact edit dialog: one contact's name, three telephone numbers, birthday and note.
//
// The dialog knows nothing of the table. The main window fills the fields, sets the caption,
// the background (the palette's Window colour: the grid's stripe colour) and the focus, shows
// the dialog modally and, when it ends accepted, reads the fields back: the texts of EditName,
// EditHouse, EditWork, EditMobile and Memo, and the birthday as EditBirth->DateText() ("" for no
// date). The dialog's own work is the layout of its edits, the name autocorrection (while the
// "UpperName" setting is on, every word of the name starts with a capital and goes on in small
// letters), the check of the birthday before Save may close it, its texts in the current
// language (ApplyTexts, again after every language switch) and the gradient strip at its bottom.
//
// Save (the button, Enter in a single-line field, Ctrl+S anywhere) closes accepted only with a
// real birthday or none; otherwise the birthday is selected and OnHint gets "Improper date".
// Cancel, Escape and the title bar's close end it rejected. The dialog is created once and
// reused.

#include <QDialog>
#include <functional>
#include <string>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TDateEdit;
class TPhoneEdit;
class TStringEdit;

// The painter of the edit dialog's strip, one for the process: start-up creates it and frees it
// at the end; a dialog painted without it creates it on demand.
void CreateEditFormGradient();
void FreeEditFormGradient();

class TFormEdit : public QDialog {
public:
  static constexpr int NameMaxLength = 36;
  static constexpr int NoteMaxLength = 252;

  explicit TFormEdit(QWidget* owner = nullptr);

  void ApplyTexts();
  // Closes accepted when the birthday is a date or empty; else points the user at it.
  void TrySave();

  // The application's hint line: the main window shows it in its status bar.
  std::function<void(const std::string& hint)> OnHint;

  QLabel* LbName;
  QLabel* LbHouse;
  QLabel* LbWork;
  QLabel* LbMobile;
  QLabel* LbBirth;
  QLabel* LbNote;
  TStringEdit* EditName;
  TPhoneEdit* EditHouse;
  TPhoneEdit* EditWork;
  TPhoneEdit* EditMobile;
  TDateEdit* EditBirth;
  QPlainTextEdit* Memo;
  QFrame* Bevel;
  QLabel* Image;
  QPushButton* BtnSave;
  QPushButton* BtnCancel;
  QMenu* PopupMenu;
  QAction* ActEditUndo;
  QAction* ActEditCut;
  QAction* ActEditCopy;
  QAction* ActEditPaste;
  QAction* ActEditDelete;
  QAction* ActEditSelectAll;
  QAction* ActSave;

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void CreateDesignedControls();
  void CreateActions();
  void FormCreate();
  template <typename TEdit>
  TEdit* CreateEdit(QLabel* label, int width);
  void PlaceLabelled(QWidget* edit, QLabel* label);
  void ShowPopupMenu(QWidget* edit, const QPoint& at);
  void UpdateEditActions();
  void EditNameChange();
  void NoteChange();
};

// The name with the first letter and every letter after a blank, ",", "-" or "." in capitals
// and the others in small letters.
QString CapitalizeName(const QString& name);
