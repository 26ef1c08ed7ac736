#include "DateEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFrame>

#include "UDateTime.h"
#include "UErrors.h"

namespace {

constexpr const char* kUnit = "Tools/LocalDbCtrls/DateEdit";
const QChar kPlaceholder = QLatin1Char('_');

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsSeparatorPlace(int i) { return i == 2 || i == 5; }

// "5_" becomes "05" and "__" becomes "00": a lone digit is the group's last digit.
void CompleteGroup(QString& text, int at) {
  if (text[at] == kPlaceholder) text[at] = QLatin1Char('0');
  if (text[at + 1] == kPlaceholder) {
    text[at + 1] = text[at];
    text[at] = QLatin1Char('0');
  }
}

// Two-digit years 00..40 lie in 2000..2040 and 41..99 in 1941..1999.
QString CompleteYear(const QString& typed) {
  switch (typed.size()) {
    case 0: return QStringLiteral("0000");
    case 1: return QStringLiteral("200") + typed;
    case 2: return (typed.toInt() <= 40 ? QStringLiteral("20") : QStringLiteral("19")) + typed;
    case 3: return QStringLiteral("0") + typed;
    default: return typed;
  }
}

}  // namespace

TDateEdit::TDateEdit(QWidget* parent) : TLocalDbEdit(parent) {
  setMaxLength(dateWidth);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  SetTemplate(EmptyText(), 0);
}

QString TDateEdit::EmptyText() const {
  QString empty(dateWidth, kPlaceholder);
  empty[2] = empty[5] = separator_;
  return empty;
}

void TDateEdit::SetSeparator(QChar separator) {
  const bool known = separator == QLatin1Char(Separators[0]) ||
                     separator == QLatin1Char(Separators[1]) ||
                     separator == QLatin1Char(Separators[2]);
  Assert(known, "Date separator must be one of . / -", kUnit);
  QString changed = text();
  changed.replace(separator_, separator);
  separator_ = separator;
  SetTemplate(changed, cursorPosition());
}

std::string TDateEdit::DateText() const {
  const QString completed = CompletedText();
  return completed == EmptyText() ? std::string() : completed.toStdString();
}

// A new text leaves the caret at the start, ready for typing over it.
void TDateEdit::SetDateText(const std::string& value) {
  SetTemplate(value.empty() ? EmptyText() : QString::fromStdString(value), 0);
}

QString TDateEdit::CompletedText() const {
  QString st = text();
  Assert(st.size() == dateWidth, "Length(st) <> dateWidth", kUnit);
  // An all-zero date is no date.
  bool onlyZeros = true;
  for (QChar c : st)
    if (c != QLatin1Char('0') && c != kPlaceholder && c != separator_) onlyZeros = false;
  if (onlyZeros) return EmptyText();

  CompleteGroup(st, 0);
  CompleteGroup(st, 3);
  QString year;
  for (int i = 6; i < dateWidth; ++i)
    if (st[i] != kPlaceholder) year += st[i];
  st.replace(6, 4, CompleteYear(year));
  for (int i = 0; i < dateWidth; ++i)
    if (!IsSeparatorPlace(i) && !IsDigit(st[i])) return EmptyText();
  return st;
}

bool TDateEdit::DateIsValid() const {
  const QString completed = CompletedText();
  if (completed == EmptyText()) return true;
  if (completed[2] != separator_ || completed[5] != separator_) return false;
  const int first = completed.mid(0, 2).toInt();
  const int second = completed.mid(3, 2).toInt();
  const int year = completed.mid(6, 4).toInt();
  const bool dayFirst = dateOrder_ == TDateOrder::DayMonthYear;
  TDateTime date = 0;
  return TryEncodeDate(year, dayFirst ? second : first, dayFirst ? first : second, date);
}

// --- caret and selection -------------------------------------------------------------------

int TDateEdit::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

int TDateEdit::SelLength() const { return hasSelectedText() ? selectionLength() : 0; }

void TDateEdit::SetCaret(int position) {
  deselect();
  setCursorPosition(position);
}

void TDateEdit::SetTemplate(const QString& value, int caret) {
  setText(value);
  SetCaret(caret);
}

bool TDateEdit::BeforeSeparator() const {
  return SelLength() == 0 && (cursorPosition() == 2 || cursorPosition() == 5);
}

bool TDateEdit::AfterSeparator() const {
  return SelLength() == 0 && (cursorPosition() == 3 || cursorPosition() == 6);
}

bool TDateEdit::BeforeLastDigit() const {
  return SelLength() == 0 && (cursorPosition() == 1 || cursorPosition() == 4);
}

bool TDateEdit::MayType() const { return SelLength() == 0 && cursorPosition() != dateWidth; }

void TDateEdit::StepOverSeparator(bool left) {
  if (BeforeSeparator()) SetCaret(cursorPosition() + (left ? -1 : 1));
}

// --- editing -------------------------------------------------------------------------------

void TDateEdit::PutChar(QChar c) {
  QString st = text();
  const int caret = cursorPosition();
  st[caret] = c;
  SetTemplate(st, caret + 1);
  StepOverSeparator(false);
}

void TDateEdit::TypeDigit(QChar digit) {
  if (SelLength() > 0) ClearSelectedDigits();
  if (MayType()) PutChar(digit);
}

void TDateEdit::Backspace() {
  if (SelLength() > 0) {
    ClearSelectedDigits();
    return;
  }
  const int caret = cursorPosition();
  if (caret == 0) return;
  // Right after a separator the digit before the separator is the one to clear.
  const int cleared = AfterSeparator() ? caret - 2 : caret - 1;
  QString st = text();
  st[cleared] = kPlaceholder;
  SetTemplate(st, cleared);
}

void TDateEdit::NextGroup() {
  const int length = SelLength();
  const int end = SelStart() + length;
  if (length == 0) {
    if (end < 3)
      SetCaret(3);
    else if (end == 4 || end == 5)
      SetCaret(6);
  } else if (end <= 3) {
    SetCaret(3);
  } else if (end <= 6) {
    SetCaret(6);
  }
}

void TDateEdit::ClearSelectedDigits() {
  const int start = SelStart();
  QString st = text();
  for (int i = start + SelLength() - 1; i >= start; --i)
    if (st[i] != separator_) st[i] = kPlaceholder;
  SetTemplate(st, start);
  StepOverSeparator(false);
}

void TDateEdit::CutText() {
  if (isReadOnly() || SelLength() == 0) return;
  copy();
  ClearSelectedDigits();
}

void TDateEdit::ClearText() {
  if (!isReadOnly()) ClearSelectedDigits();
}

void TDateEdit::PasteText() {
  PasteDigits();
  StepOverSeparator(false);
}

void TDateEdit::PasteDigits() {
  if (isReadOnly()) return;
  QString digits;
  for (QChar c : QApplication::clipboard()->text()) {
    if (IsDigit(c))
      digits += c;
    else if (c == QLatin1Char(' ') || c == kPlaceholder)
      digits += kPlaceholder;
  }
  if (digits.isEmpty()) return;
  if (text() != EmptyText() && SelLength() == 0) return;
  const int start = SelStart();
  const int end = SelLength() > 0 ? start + SelLength() : dateWidth;
  QString st = text();
  int next = 0;
  for (int i = start; i < end; ++i) {
    if (IsSeparatorPlace(i)) continue;
    st[i] = next < digits.size() ? digits[next++] : kPlaceholder;
  }
  SetTemplate(st, end);
}

// --- keyboard and mouse --------------------------------------------------------------------

bool TDateEdit::HandleDateKey(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
  if (key == Qt::Key_Delete) {
    if (MayType())
      PutChar(kPlaceholder);
    else if (SelLength() > 0 && (event->modifiers() & Qt::ShiftModifier))
      CutText();
    else if (SelLength() > 0)
      ClearSelectedDigits();
    return true;
  }
  if (EditCommandKey(event)) return true;
  if ((key == Qt::Key_Left || key == Qt::Key_Up) && plain && AfterSeparator()) {
    SetCaret(cursorPosition() - 2);
    return true;
  }
  if ((key == Qt::Key_Right || key == Qt::Key_Down) && plain && BeforeLastDigit()) {
    SetCaret(cursorPosition() + 2);
    return true;
  }
  if (key == Qt::Key_Backspace) {
    Backspace();
    return true;
  }
  const QString typed = event->text();
  if (typed.size() != 1) return false;
  const QChar c = typed[0];
  if (IsDigit(c)) {
    TypeDigit(c);
  } else if (c == QLatin1Char(',') || c == QLatin1Char(Separators[0]) ||
             c == QLatin1Char(Separators[1]) || c == QLatin1Char(Separators[2])) {
    NextGroup();
  } else if (c.isPrint() || c.unicode() < 32) {
    // Every other character is swallowed; keys that leave the edit still reach the dialog.
    const bool dialogKey = key == Qt::Key_Return || key == Qt::Key_Enter ||
                           key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool selectAll = event->matches(QKeySequence::SelectAll);
    return !dialogKey && !selectAll;
  }
  return true;
}

void TDateEdit::keyPressEvent(QKeyEvent* event) {
  const bool ctrlBackspace =
      event->key() == Qt::Key_Backspace && (event->modifiers() & Qt::ControlModifier);
  if (ctrlBackspace) {
    event->accept();
    return;
  }
  if (!isReadOnly() && HandleDateKey(event)) {
    event->accept();
    return;
  }
  // A single-line edit moves the caret on Up and Down as on Left and Right.
  int key = event->key();
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    key = key == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right;
    QKeyEvent moved(event->type(), key, event->modifiers());
    QLineEdit::keyPressEvent(&moved);
    event->accept();
  } else if (isReadOnly()) {
    TLocalDbEdit::keyPressEvent(event);
  } else {
    QLineEdit::keyPressEvent(event);
  }
  StepOverSeparator(key == Qt::Key_Left);
}

void TDateEdit::mousePressEvent(QMouseEvent* event) {
  TLocalDbEdit::mousePressEvent(event);
  StepOverSeparator(false);
}

void TDateEdit::focusOutEvent(QFocusEvent* event) {
  if (LeavesControl(event) && DateIsValid()) {
    const QString completed = CompletedText();
    if (completed != text()) setText(completed);
  }
  TLocalDbEdit::focusOutEvent(event);
}

// --- painting ------------------------------------------------------------------------------

void TDateEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
  PaintText(painter);
}

// Draws each character by itself where the plain edit would put it, leaving out placeholders,
// and the caret. The text always fits, so the plain edit never scrolls it and mouse clicks find
// the same character places.
void TDateEdit::PaintText(QPainter& painter) {
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                             .marginsRemoved(textMargins());
  const QFontMetrics metrics(font());
  const int left = contents.x() + 2;  // the plain edit's horizontal margin
  const int top = contents.y() + (contents.height() - metrics.height() + 1) / 2;
  const QString st = text();
  const int selStart = SelStart();
  const int selEnd = selStart + SelLength();
  const QPalette& pal = palette();
  const bool focused = hasFocus();
  if (focused && selEnd > selStart) {
    const int x0 = left + metrics.horizontalAdvance(st.left(selStart));
    const int x1 = left + metrics.horizontalAdvance(st.left(selEnd));
    painter.fillRect(QRect(x0, top, x1 - x0, metrics.height()), pal.brush(QPalette::Highlight));
  }
  painter.setFont(font());
  for (int i = 0; i < st.size(); ++i) {
    if (st[i] == kPlaceholder) continue;
    const bool selected = focused && i >= selStart && i < selEnd;
    painter.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                             selected ? QPalette::HighlightedText : QPalette::Text));
    const int x = left + metrics.horizontalAdvance(st.left(i));
    painter.drawText(QPoint(x, top + metrics.ascent()), QString(st[i]));
  }
  if (focused && selEnd == selStart && !isReadOnly()) {
    const int x = left + metrics.horizontalAdvance(st.left(cursorPosition()));
    painter.fillRect(QRect(x, top, 1, metrics.height()), pal.brush(QPalette::Text));
  }
}
