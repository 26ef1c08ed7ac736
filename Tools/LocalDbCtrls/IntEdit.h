#pragma once
// TStringEdit: the plain text edit of the program's dialogs (the contact's name). It is the
// base edit under its own name, so that the phone edit and the dialogs share one kind.

#include "LocalDbEdit.h"

class TStringEdit : public TLocalDbEdit {
public:
  using TLocalDbEdit::TLocalDbEdit;
};
