#include "PhoneEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>

#include "UPhonFld.h"

namespace {

bool IsPhoneChar(QChar c) {
  return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ') ||
         c == QLatin1Char('+') || c == QLatin1Char('-');
}

// A key that would insert text: printable characters, not control characters or shortcuts.
bool InsertsText(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty()) return false;
  if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  return text.at(0).isPrint();
}

}  // namespace

TPhoneEdit::TPhoneEdit(QWidget* parent) : TStringEdit(parent) {
  setMaxLength(MaxPhoneLength);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

QString TPhoneEdit::FilterPasted(const QString& text) {
  QString kept;
  for (QChar c : text)
    if (IsPhoneChar(c)) kept += c;
  return kept;
}

void TPhoneEdit::keyPressEvent(QKeyEvent* event) {
  if (InsertsText(event)) {
    for (QChar c : event->text()) {
      if (!IsPhoneChar(c)) {
        event->accept();
        return;
      }
    }
  }
  TStringEdit::keyPressEvent(event);
}

void TPhoneEdit::PasteText() {
  if (isReadOnly()) return;
  QClipboard* clipboard = QApplication::clipboard();
  const QString original = clipboard->text();
  clipboard->setText(FilterPasted(original));
  paste();
  clipboard->setText(original);
}

void TPhoneEdit::focusOutEvent(QFocusEvent* event) {
  if (LeavesControl(event)) {
    const QString formatted =
        QString::fromStdString(TPhoneField::FormatPhone(text().toStdString()));
    if (formatted != text()) setText(formatted);
  }
  TStringEdit::focusOutEvent(event);
}
