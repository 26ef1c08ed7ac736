#pragma once
// The base of the program's own single-line edits.
//
// It changes three details of the plain line edit. OnEnter runs every time the edit receives the
// focus, also when the focus comes back from another window. Ctrl+Backspace does nothing (the
// plain edit would delete a word; our edits treat it as a character that is not accepted). And
// the clipboard and undo commands, whether they come from the keyboard or from the owner's
// editing menu, go through virtual operations, so that an edit that shapes its text can filter
// pastes and cuts in one place.

#include <QLineEdit>
#include <functional>

class TLocalDbEdit : public QLineEdit {
public:
  explicit TLocalDbEdit(QWidget* parent = nullptr);

  // The editing commands. The owner's menu and actions call these on the focused edit.
  virtual void CutText();
  virtual void CopyText();
  virtual void PasteText();
  // Deletes the selection.
  virtual void ClearText();
  virtual void UndoText();

  std::function<void()> OnEnter;

protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Routes a clipboard or undo shortcut to the operations above; true when it was one.
  bool EditCommandKey(QKeyEvent* event);
  // True when the focus left for another control of the same window, not for a menu or another
  // window: the moment an edit completes or normalises its text.
  static bool LeavesControl(const QFocusEvent* event);
};
