#pragma once
// TDateEdit: an edit for a calendar date typed as digits into a fixed ten-character template,
// "dd.mm.yyyy" (or month first), in which empty digit places hold "_".
//
// The text is never anything but such a template: typing overwrites digit places, the caret
// never rests just before a separator, Backspace, Delete, cut and clear turn digits back into
// placeholders, and a paste fills digit places from the digits of the clipboard text. Leaving
// the field completes a valid date (leading zeros, the century of a two-digit year). The edit
// paints its text itself so that the placeholders show as blanks. It does not judge the date;
// the owner asks DateIsValid and reports an improper date.

#include <string>

#include "LocalDbEdit.h"

class TDateEdit : public TLocalDbEdit {
public:
  enum class TDateOrder { DayMonthYear, MonthDayYear };
  static constexpr int dateWidth = 10;
  // The separators a date may use, in this order.
  static constexpr char Separators[3] = {'.', '/', '-'};

  explicit TDateEdit(QWidget* parent = nullptr);

  QChar Separator() const { return separator_; }
  // One of Separators (Assert otherwise); the separators in the text change with it.
  void SetSeparator(QChar separator);
  TDateOrder DateOrder() const { return dateOrder_; }
  void SetDateOrder(TDateOrder order) { dateOrder_ = order; }
  // The template without digits: "__.__.____".
  QString EmptyText() const;

  // The completed date, or "" when there is none. Writing "" empties the template; any other
  // text must already be in template form ("05.03.1985") and is taken unchanged.
  std::string DateText() const;
  void SetDateText(const std::string& text);
  // True for no date at all, or for a real date in DateOrder (leap years included).
  bool DateIsValid() const;
  // The text with partly typed groups completed; EmptyText for no date or an incomplete one.
  QString CompletedText() const;

  // Moves the caret to the start of the next group, as the separator keys do.
  void NextGroup();
  // Turns the selected digits into placeholders and leaves the caret at the selection's start.
  void ClearSelectedDigits();

  void CutText() override;
  void PasteText() override;
  void ClearText() override;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  int SelStart() const;
  int SelLength() const;
  void SetCaret(int position);
  void SetTemplate(const QString& text, int caret);
  bool BeforeSeparator() const;
  bool AfterSeparator() const;
  bool BeforeLastDigit() const;
  bool MayType() const;
  // Moves a caret that rests just before a separator one place on (or back, for Left).
  void StepOverSeparator(bool left);
  void PutChar(QChar c);
  void TypeDigit(QChar digit);
  void Backspace();
  bool HandleDateKey(QKeyEvent* event);
  void PasteDigits();
  void PaintText(QPainter& painter);

  QChar separator_ = QLatin1Char('.');
  TDateOrder dateOrder_ = TDateOrder::DayMonthYear;
};
