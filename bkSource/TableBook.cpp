#include "TableBook.h"

TTableBook::TTableBook() {
  ID.SetName("ID");
  ID.SetKey(true);
  Name.SetName("Name");
  House.SetName("House");
  Work.SetName("Work");
  Mobile.SetName("Mobile");
  Birth.SetName("Birth");
  Note.SetName("Note");
  SetFields(&FieldSet);
}

TTableBook::~TTableBook() {
  // The file is closed while the fields and indexes it refers to still exist.
  if (State() != TTableState::Closed) CloseTable();
}

void TTableBook::OpenTable(bool createIfMissing) {
  TTable::OpenTable(createIfMissing);
  for (TIndex* index : std::initializer_list<TIndex*>{&IndID, &IndName, &IndHouse, &IndWork,
                                                     &IndMobile, &IndBirthYear, &IndBirthMonth,
                                                     &IndBirthDay}) {
    AddIndex(index);
  }
  SetIndex(&IndName);
}
