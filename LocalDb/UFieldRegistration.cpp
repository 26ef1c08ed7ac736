// The engine's own field classes, registered in the order their type identifiers were given.

#include "UField.h"
#include "UPhonFld.h"

void RegisterEngineFieldClasses() {
  RegisterFieldClass(TIntegerField::StaticClass());
  RegisterFieldClass(TStringField::StaticClass());
  RegisterFieldClass(TBooleanField::StaticClass());
  RegisterFieldClass(TDateTimeField::StaticClass());
  RegisterFieldClass(TPhoneField::StaticClass());
}
