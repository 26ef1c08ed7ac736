#include "UFields.h"

#include <algorithm>
#include <cstring>

TFields::TFields(std::initializer_list<TField*> fields) {
  for (TField* field : fields) Add(field);
}

void TFields::Add(TField* field) {
  items_.push_back(field);
  offsets_.push_back(recordSize_);
  recordSize_ += field->DataSize();
  recordBuffer_.assign(static_cast<std::size_t>(recordSize_), 0);
}

TField* TFields::Items(int i) const { return items_.at(static_cast<std::size_t>(i)); }

int TFields::Offsets(int i) const { return offsets_.at(static_cast<std::size_t>(i)); }

int TFields::IndexOf(const TField* field) const {
  const auto found = std::find(items_.begin(), items_.end(), field);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

const std::uint8_t* TFields::GetRecord() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    std::memcpy(recordBuffer_.data() + offsets_[i], items_[i]->GetData(),
                static_cast<std::size_t>(items_[i]->DataSize()));
  }
  return recordBuffer_.data();
}

void TFields::SetRecord(const std::uint8_t* image) {
  for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->SetData(image + offsets_[i]);
}

void TFields::ClearValues() {
  const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(recordSize_), 0);
  SetRecord(zeros.data());
}

void TFields::EnableEdit() {
  for (TField* field : items_) field->EnableEdit();
}

void TFields::DisableEdit() {
  for (TField* field : items_) field->DisableEdit();
}

void TFields::AssignNextKeys() {
  for (TField* field : items_) {
    if (field->IsKey()) field->AssignNextKey();
  }
}

void TFields::IncNextKeys() {
  for (TField* field : items_) {
    if (field->IsKey()) field->IncNextKey();
  }
}
