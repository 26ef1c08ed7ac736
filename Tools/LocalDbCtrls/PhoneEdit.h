#pragma once
// TPhoneEdit: an edit for a telephone number.
//
// Only digits, blanks, "+" and "-" can be typed; a paste keeps only those characters of the
// clipboard text (and leaves the clipboard as it was). Dropping text is not accepted, since it
// would pass the filter. When the user leaves the field the number is shown in the telephone
// field's display form (a leading "+" kept, digits grouped from the right).

#include "IntEdit.h"

class TPhoneEdit : public TStringEdit {
public:
  // The length of the telephone display form "000 000 000 000-00-00".
  static constexpr int MaxPhoneLength = 21;

  explicit TPhoneEdit(QWidget* parent = nullptr);

  void PasteText() override;

  // The characters kept from a pasted text.
  static QString FilterPasted(const QString& text);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};
