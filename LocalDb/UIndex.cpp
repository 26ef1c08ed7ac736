#include "UIndex.h"

#include <cstring>

#include "UErrors.h"

TIndex::TIndex(TFields* fields, const std::string& name, TField* field) : field_(field) {
  if (fields == nullptr) throw EGeneral("Не определен объект полей");
  if (field == nullptr) throw EGeneral("Не определено индексное поле");
  keyBuffer_.assign(static_cast<std::size_t>(field->DataSize()), 0);
  const int position = fields->IndexOf(field);
  if (position < 0) throw EGeneral("В наборе полей не найдено индексное поле: " + field->Name());
  offset_ = fields->Offsets(position);
  name_ = name;
}

int TIndex::CompareKey(const std::uint8_t* record) const {
  return field_->CompareData(keyBuffer_.data(), record + offset_);
}

int TIndex::CompareRecords(const std::uint8_t* a, const std::uint8_t* b) const {
  return field_->CompareData(a + offset_, b + offset_);
}

void TIndex::LoadKey(const std::uint8_t* record) {
  std::memcpy(keyBuffer_.data(), record + offset_, keyBuffer_.size());
}

bool TIndex::SortKey(const std::uint8_t* record, std::string& key) const {
  return field_->SortKey(record + offset_, key);
}

void TIndex::SetKeyText(const std::string& text) { field_->SetFromString(text, keyBuffer_.data()); }

void TIndex::SetKeyVariant(const TVariant& value) { field_->SetFromVariant(value, keyBuffer_.data()); }
