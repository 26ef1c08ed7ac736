#pragma once
// The seven fields of the contact file as plain engine fields (ID integer key, Name 36, House,
// Work, Mobile telephones, Birth date-time, Note 252), in file order, for the engine's tests,
// benchmarks and fuzzer. The engine's field classes must be registered first.

#include "UBaseFld.h"
#include "UFields.h"
#include "UPhonFld.h"

struct ContactSchema {
  ContactSchema();
  ContactSchema(const ContactSchema&) = delete;
  ContactSchema& operator=(const ContactSchema&) = delete;

  TIntegerField id;
  TStringField name{36};
  TPhoneField house;
  TPhoneField work;
  TPhoneField mobile;
  TDateTimeField birth;
  TStringField note{252};
  TFields fields;
};
