#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "EngineFixture.h"
#include "UErrors.h"

namespace {

// A string field subclass that claims the string type id, as a later class might.
class TShadowStringField : public TStringField {
public:
  static const TFieldClass& StaticClass() {
    static const TFieldClass fieldClass{"TShadowStringField", 2, &TStringField::StaticClass(),
                                        [](int size) {
                                          return std::unique_ptr<TField>(new TShadowStringField(size));
                                        }};
    return fieldClass;
  }
  explicit TShadowStringField(int size) : TStringField(StaticClass(), size) {}
};

// A field class that derives from no registered class.
class TStrayField : public TIntegerField {
public:
  static const TFieldClass& StaticClass() {
    static const TFieldClass fieldClass{"TStrayField", 9, &FieldBaseClass(), nullptr};
    return fieldClass;
  }
  TStrayField() : TIntegerField(StaticClass()) {}
};


}  // namespace

TEST(FieldRegistry, RefusesTwinsAndUnregisteredClasses) {
  EXPECT_EQ(FailureOf([] { RegisterFieldClass(TStringField::StaticClass()); }),
            "Класс поля уже зарегистрирован: TStringField");
  EXPECT_EQ(FailureOf([] { RegisterFieldClass(TShadowStringField::StaticClass()); }),
            "Тип поля с таким идентификатором уже зарегистрирован: TShadowStringField = [2] = "
            "TStringField");
  EXPECT_EQ(FailureOf([] { TStrayField stray; }), "Класс поля не зарегистрирован: TStrayField");
  EXPECT_EQ(FailureOf([] { CreateByType(5, 4); }), "Класс поля не зарегистрирован: TField");

  TShadowStringField shadow(10);  // constructed through its registered ancestor
  const auto created = CreateByType(2, 36);
  EXPECT_EQ(&created->Class(), &TStringField::StaticClass());
  EXPECT_EQ(created->DataSize(), 36);
  EXPECT_EQ(CreateByType(6, 99)->DataSize(), 16);  // the phone field ignores the size
}

TEST(FieldModel, NamesKeysAndEditing) {
  TIntegerField field;
  field.SetName("ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_EQ(field.Name(), "ABCDEFGHIJKLMNOPQRST");
  field.IncNextKey();
  EXPECT_EQ(field.NextKey(), 0);
  EXPECT_EQ(FailureOf([&] { field.SetNextKey(7); }), "Поле не является первичным ключем");
  field.SetKey(true);
  EXPECT_EQ(field.NextKey(), 1);
  field.IncNextKey();
  EXPECT_EQ(field.NextKey(), 2);

  EXPECT_EQ(FailureOf([&] { field.SetAsString("5"); }), "Поле нельзя редактировать");
  EXPECT_EQ(field.GetAsString(), "0");
}

TEST(FieldSet, OffsetsAndClearedValues) {
  TIntegerField number;
  TStringField text(36);
  TDateTimeField date;
  TFields fields{&number, &text, &date};
  EXPECT_EQ(fields.Offsets(1), 4);
  EXPECT_EQ(fields.Offsets(2), 40);
  EXPECT_EQ(fields.RecordSize(), 48);

  fields.EnableEdit();
  number.SetAsString("12");
  text.SetAsString("Olga");
  date.SetAsString("05.03.1985");
  fields.ClearValues();
  EXPECT_EQ(number.GetAsString(), "0");
  EXPECT_EQ(text.GetAsString(), "");
  EXPECT_EQ(date.GetAsString(), "");

  TFields empty;
  empty.Add(&text);
  EXPECT_EQ(empty.Offsets(0), 0);
  EXPECT_EQ(empty.RecordSize(), 36);
  EXPECT_THROW(empty.Items(1), std::out_of_range);
}

TEST(ScalarFields, StringImagesAndByteOrder) {
  TStringField field(36);
  field.EnableEdit();
  field.SetAsString(std::string(40, 'x'));
  EXPECT_EQ(field.GetAsString(), std::string(36, 'x'));
  EXPECT_EQ(std::memchr(field.GetData(), 0, 36), nullptr);  // full: no terminator

  field.SetAsString("Київ");  // four code page 1251 bytes
  EXPECT_EQ(std::memcmp(field.GetData(), "\xCA\xE8\xBF\xE2\0", 5), 0);

  std::uint8_t a[36], b[36];
  const auto compare = [&](const char* x, const char* y) {
    field.SetFromString(x, a);
    field.SetFromString(y, b);
    return field.CompareData(a, b);
  };
  EXPECT_EQ(compare("Olga", "Olgina"), -1);
  EXPECT_EQ(compare("olga", "Olga"), 1);
  EXPECT_EQ(compare("Olga", "Olga"), 0);
  EXPECT_EQ(field.DataToString(a), "Olga");
}

TEST(ScalarFields, TextConversionsAndTheirFailures) {
  TIntegerField number;
  TBooleanField flag;
  TDateTimeField date;
  number.EnableEdit();
  flag.EnableEdit();
  date.EnableEdit();

  number.SetAsString("");
  EXPECT_EQ(number.GetAsString(), "0");
  number.SetAsString("-42");
  EXPECT_EQ(number.GetAsString(), "-42");
  EXPECT_EQ(FailureOf([&] { number.SetAsString("4x"); }), "Неверно задано целое число: 4x");
  EXPECT_EQ(number.GetAsString(), "-42");

  struct BoolCase { const char* text; bool value; };
  for (const BoolCase c : {BoolCase{"true", true}, {"True", true}, {"TRUE", true}, {"1", false},
                           {"yes", false}, {"", false}}) {
    flag.SetAsString(c.text);
    EXPECT_EQ(flag.GetAsString(), c.value ? "True" : "False") << c.text;
  }
  std::uint8_t one[4], minusOne[4];
  WriteInt32(1, one);
  WriteInt32(-1, minusOne);
  EXPECT_EQ(flag.CompareData(one, minusOne), 0);

  date.SetAsString("");
  EXPECT_EQ(date.AsDateTime(), 0.0);
  EXPECT_EQ(date.GetAsString(), "");
  date.SetAsString("05.03.1985");
  EXPECT_EQ(date.GetAsString(), "05.03.1985");  // midnight: the date alone
  date.SetAsString("05.03.1985 14:30");
  EXPECT_EQ(date.GetAsString(), "05.03.1985 14:30:00");
  std::uint8_t image[8];
  EXPECT_EQ(FailureOf([&] { date.SetFromString("", image); }), "Неверно задана дата(время): ");
  EXPECT_EQ(FailureOf([&] { date.SetAsString("soon"); }), "Неверно задана дата(время): soon");
}

TEST(ScalarFields, VariantsOfTheWrongKindAreRefused) {
  TIntegerField number;
  TStringField text(8);
  TBooleanField flag;
  TDateTimeField date;
  std::uint8_t image[8] = {};
  EXPECT_EQ(FailureOf([&] { date.SetFromVariant(TVariant(std::int32_t{5}), image); }),
            "Тип варианта не является TDateTime");
  EXPECT_EQ(FailureOf([&] { number.SetFromVariant(TVariant(std::string("5")), image); }),
            "Тип варианта не является Integer");
  EXPECT_EQ(FailureOf([&] { text.SetFromVariant(TVariant(true), image); }),
            "Тип варианта не является String");
  EXPECT_EQ(FailureOf([&] { flag.SetFromVariant(TVariant(std::int32_t{1}), image); }),
            "Тип варианта не является Boolean");
  flag.SetFromVariant(TVariant(true), image);
  EXPECT_EQ(ReadInt32(image), 1);
  date.SetFromVariant(TVariant(TVariantDate{EncodeDate(2000, 1, 1)}), image);
  EXPECT_EQ(date.DataToString(image), "01.01.2000");
}

TEST(PhoneField, ExtractsTheStoredForm) {
  const std::pair<const char*, std::string> cases[] = {
      {"+38 (044) 123-45-67", "+380441234567"},
      {"8-044-123 45 67", "80441234567"},
      {"12+34", "1234"},
      {"11111111111111111111", std::string(16, '1')},
      {"+99999999999999999999", "+" + std::string(15, '9')},
  };
  for (const auto& [text, stored] : cases) EXPECT_EQ(TPhoneField::ExtractPhone(text), stored) << text;
}

TEST(PhoneField, FormatsGroupsFromTheRight) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"+", "+"},
      {"1", "1"},
      {"12", "12"},
      {"123", "1-23"},
      {"12345", "1-23-45"},
      {"1234567", "123-45-67"},
      {"0441234567", "044 123-45-67"},
      {"380441234567", "38 044 123-45-67"},
      {"+380441234567", "+38 044 123-45-67"},
      {"  +380441234567", "+38 044 123-45-67"},
      {"123456789012345", "12 345 678 901-23-45"},
      {"+123456789012345", "+12 345 678 901-23-45"},
      {"1234567890123456", "123 456 789 012-34-56"},
      {"+1234567890123456", "123 456 789 012-34-56"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(TPhoneField::FormatPhone(text), shown) << text;
}

TEST(PhoneField, StoresDigitsAndShowsTheMask) {
  TPhoneField phone;
  phone.EnableEdit();
  phone.SetAsString("+38 (044) 123-45-67");
  EXPECT_EQ(phone.GetRawString(), "+380441234567");
  EXPECT_EQ(phone.GetAsString(), "+38 044 123-45-67");
  EXPECT_EQ(std::memcmp(phone.GetData(), "+380441234567\0\0\0", 16), 0);
  EXPECT_EQ(phone.DataToString(phone.GetData()), "+38 044 123-45-67");

  std::uint8_t plus[16], zero[16], three[16];
  phone.SetFromString("+380441234567", plus);  // search keys are stored as given
  phone.SetFromString("0441234567", zero);
  phone.SetFromString("380441234567", three);
  EXPECT_LT(phone.CompareData(plus, zero), 0);
  EXPECT_LT(phone.CompareData(zero, three), 0);
}
