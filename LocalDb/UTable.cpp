#include "UTable.h"

#include <algorithm>

#include "UCodePage1251.h"
#include "UErrors.h"

void TTable::CheckTableOpen() const {
  if (state_ == TTableState::Closed) throw EGeneral("Недопустимая операция при закрытой таблице");
}

void TTable::CheckBrowse() const {
  if (state_ != TTableState::Browse) throw EGeneral("Таблица не переведена в режим просмотра");
}

void TTable::CheckEditing() const {
  if (state_ != TTableState::Edit && state_ != TTableState::Insert) {
    throw EGeneral("Таблица не переведена в режим редактирования");
  }
}

void TTable::CheckNotEditing() const {
  if (state_ == TTableState::Edit || state_ == TTableState::Insert) {
    throw EGeneral("Таблица уже находится в режиме редактирования");
  }
}

int TTable::RecordCount() const {
  CheckTableOpen();
  return ElemCount();
}

int TTable::RecNo() const {
  CheckTableOpen();
  return Current();
}

std::string TTable::GetCellText(int recNo, int field) const {
  const bool typedRecord = (state_ == TTableState::Insert && recNo == ElemCount()) ||
                           (state_ == TTableState::Edit && recNo == Current());
  if (typedRecord && field >= 0 && field < Fields()->Count()) {
    return Fields()->Items(field)->GetAsString();
  }
  return TDatArr::GetCellText(recNo, field);
}

void TTable::GoTo(int recNo) {
  CheckTableOpen();
  CheckNotEditing();
  if (ElemCount() == 0) return;
  if (recNo < 0 || recNo >= ElemCount()) throw EGeneral("Неправильное значение номера записи");
  SetCurrent(recNo);
}

void TTable::First() {
  CheckBrowse();
  if (ElemCount() == 0) {
    eof_ = true;
    return;
  }
  GoTo(0);
  eof_ = false;
}

void TTable::Next() {
  CheckBrowse();
  if (ElemCount() == 0 || Current() == ElemCount() - 1) {
    eof_ = true;
    return;
  }
  GoTo(Current() + 1);
  eof_ = false;
}

void TTable::OpenTable(bool createIfMissing) {
  Open(createIfMissing);
  state_ = TTableState::Browse;
  First();
}

void TTable::CloseTable() {
  state_ = TTableState::Closed;
  eof_ = false;
  ClearIndexes();
  if (IsOpen()) Close();
  if (Fields() != nullptr) Fields()->DisableEdit();
}

void TTable::Insert() {
  CheckTableOpen();
  CheckNotEditing();
  eof_ = false;
  Fields()->ClearValues();
  Fields()->EnableEdit();
  Fields()->AssignNextKeys();
  state_ = TTableState::Insert;
}

void TTable::Edit() {
  CheckTableOpen();
  CheckNotEditing();
  if (ElemCount() == 0) throw EGeneral("Недопустимая операция при пустой таблице");
  eof_ = false;
  Fields()->EnableEdit();
  state_ = TTableState::Edit;
}

void TTable::Post() {
  CheckEditing();
  if (state_ == TTableState::Insert) {
    AppendRecord();
  } else {
    WriteRecord();
  }
  Fields()->DisableEdit();
  state_ = TTableState::Browse;
}

void TTable::Cancel() {
  CheckEditing();
  Fields()->DisableEdit();
  state_ = TTableState::Browse;
  if (ElemCount() == 0) {
    Fields()->ClearValues();
    eof_ = true;
  } else {
    GoTo(Current());
  }
}

void TTable::Delete() {
  CheckBrowse();
  if (ElemCount() == 0) throw EGeneral("Недопустимая операция при пустой таблице");
  const bool wasLast = Current() == ElemCount() - 1;
  DeleteRecord();
  if (ElemCount() == 0) {
    eof_ = true;
  } else if (wasLast) {
    GoTo(ElemCount() - 1);
    eof_ = true;
  } else {
    GoTo(Current());
  }
}

void TTable::EmptyFile() {
  CheckBrowse();
  TDatArr::EmptyFile();
  eof_ = true;
}

void TTable::AddIndex(TIndex* index) {
  if (index == nullptr) throw EGeneral("Не определен индексный объект");
  if (index->Name().empty()) throw EGeneral("Не задано имя индекса");
  const std::string name = Cp1251UpperCase(Utf8ToCp1251(index->Name()));
  for (const TIndex* listed : indexes_) {
    if (Cp1251UpperCase(Utf8ToCp1251(listed->Name())) == name) throw EGeneral("Совпадение имен индексов");
  }
  indexes_.push_back(index);
}

void TTable::ClearIndexes() {
  indexes_.clear();
  indexName_.clear();
}

void TTable::SetIndex(TIndex* index) {
  CheckBrowse();
  if (index != nullptr && std::find(indexes_.begin(), indexes_.end(), index) == indexes_.end()) {
    throw EGeneral("Индекс не найден в массиве индексов");
  }
  TDatArr::SetIndex(index);
  indexName_ = index != nullptr ? index->Name() : std::string();
}

void TTable::FindKey(const TVariant& value) {
  CheckBrowse();
  if (GetIndex() == nullptr) throw EGeneral("Не задан индексный объект");
  GetIndex()->SetKeyVariant(value);
  Search();
}

void TTable::FindText(const std::string& text) {
  CheckBrowse();
  if (GetIndex() == nullptr) throw EGeneral("Не задан индексный объект");
  GetIndex()->SetKeyText(text);
  Search();
}

void TTable::Search() {
  eof_ = false;
  Find();
  if (ElemCount() == 0) eof_ = true;
}
