#include "UField.h"

#include <algorithm>

#include "UErrors.h"
#include "UCodePage1251.h"

namespace {

std::vector<const TFieldClass*>& Registry() {
  static std::vector<const TFieldClass*> registry;
  return registry;
}

bool IsRegisteredOrDerived(const TFieldClass& fieldClass) {
  return std::any_of(Registry().begin(), Registry().end(), [&](const TFieldClass* registered) {
    return fieldClass.InheritsFrom(*registered);
  });
}

}  // namespace

bool TFieldClass::InheritsFrom(const TFieldClass& ancestor) const {
  for (const TFieldClass* c = this; c != nullptr; c = c->Parent) {
    if (c == &ancestor) return true;
  }
  return false;
}

const TFieldClass& FieldBaseClass() {
  static const TFieldClass fieldClass{"TField", 0, nullptr, nullptr};
  return fieldClass;
}

TField::TField(const TFieldClass& fieldClass) : class_(fieldClass) {
  if (!IsRegisteredOrDerived(fieldClass)) {
    throw EGeneral("Класс поля не зарегистрирован: " + fieldClass.Name);
  }
}

void TField::IncNextKey() {
  if (isKey_) ++nextKey_;
}

void TField::SetName(const std::string& name) {
  // The limit counts code page 1251 characters, as the name is stored in the file.
  name_ = Cp1251ToUtf8(Utf8ToCp1251(name).substr(0, MaxNameLength));
}

void TField::SetKey(bool isKey) {
  isKey_ = isKey;
  if (nextKey_ == 0) nextKey_ = 1;
}

void TField::SetNextKey(std::int32_t value) {
  if (!isKey_) throw EGeneral("Поле не является первичным ключем");
  nextKey_ = value;
}

void TField::CheckEditable() const {
  if (!canEdit_) throw EGeneral("Поле нельзя редактировать");
}

void RegisterFieldClass(const TFieldClass& fieldClass) {
  for (const TFieldClass* registered : Registry()) {
    if (registered == &fieldClass) {
      throw EGeneral("Класс поля уже зарегистрирован: " + fieldClass.Name);
    }
    if (registered->TypeId == fieldClass.TypeId) {
      throw EGeneral("Тип поля с таким идентификатором уже зарегистрирован: " + fieldClass.Name +
                     " = [" + std::to_string(fieldClass.TypeId) + "] = " + registered->Name);
    }
  }
  Registry().push_back(&fieldClass);
}

void ClearFieldClassRegistry() { Registry().clear(); }

std::unique_ptr<TField> CreateByType(std::int32_t typeId, int size) {
  for (const TFieldClass* registered : Registry()) {
    if (registered->TypeId == typeId) return registered->Create(size);
  }
  throw EGeneral("Класс поля не зарегистрирован: " + FieldBaseClass().Name);
}
