#include "LocalDbEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

TLocalDbEdit::TLocalDbEdit(QWidget* parent) : QLineEdit(parent) {}

void TLocalDbEdit::CutText() { cut(); }
void TLocalDbEdit::CopyText() { copy(); }
void TLocalDbEdit::PasteText() { paste(); }
void TLocalDbEdit::ClearText() { del(); }
void TLocalDbEdit::UndoText() { undo(); }

void TLocalDbEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (OnEnter) OnEnter();
}

bool TLocalDbEdit::EditCommandKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cut)) {
    CutText();
  } else if (event->matches(QKeySequence::Copy)) {
    CopyText();
  } else if (event->matches(QKeySequence::Paste)) {
    PasteText();
  } else if (event->matches(QKeySequence::Undo)) {
    UndoText();
  } else {
    return false;
  }
  event->accept();
  return true;
}

void TLocalDbEdit::keyPressEvent(QKeyEvent* event) {
  const bool ctrlBackspace =
      event->key() == Qt::Key_Backspace && (event->modifiers() & Qt::ControlModifier);
  if (ctrlBackspace || event->text() == QString(QChar(127))) {
    event->accept();
    return;
  }
  if (EditCommandKey(event)) return;
  QLineEdit::keyPressEvent(event);
}

bool TLocalDbEdit::LeavesControl(const QFocusEvent* event) {
  return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}
