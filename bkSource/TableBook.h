#pragma once
// The contact table: seven fields in a fixed order and eight named orders over them.
//
//   ID (integer key), Name (36), House, Work, Mobile (telephones), Birth (date), Note (252)
//   IndID, IndName, IndHouse, IndWork, IndMobile, IndBirthYear, IndBirthMonth, IndBirthDay
//
// Opening lists the eight indexes anew and makes the name order active.

#include "BirthdayIndexes.h"
#include "BookFields.h"
#include "UPhonFld.h"
#include "UTable.h"

class TTableBook : public TTable {
public:
  // Field numbers, as the grid and the jobs address the columns.
  enum TFieldNo { FieldID, FieldName, FieldHouse, FieldWork, FieldMobile, FieldBirth, FieldNote };

  TTableBook();
  ~TTableBook() override;

  void OpenTable(bool createIfMissing) override;

  TIntegerField ID;
  TCompareStringField Name{36};
  TPhoneField House;
  TPhoneField Work;
  TPhoneField Mobile;
  TShowDateTimeField Birth;
  TCompareStringField Note{252};

private:
  TFields FieldSet{&ID, &Name, &House, &Work, &Mobile, &Birth, &Note};

public:
  TIndex IndID{&FieldSet, "IndID", &ID};
  TIndex IndName{&FieldSet, "IndName", &Name};
  TIndex IndHouse{&FieldSet, "IndHouse", &House};
  TIndex IndWork{&FieldSet, "IndWork", &Work};
  TIndex IndMobile{&FieldSet, "IndMobile", &Mobile};
  TIndex IndBirthYear{&FieldSet, "IndBirthYear", &Birth};
  TMonthDateIndex IndBirthMonth{&FieldSet, "IndBirthMonth", &Birth};
  TDayDateIndex IndBirthDay{&FieldSet, "IndBirthDay", &Birth};
};
