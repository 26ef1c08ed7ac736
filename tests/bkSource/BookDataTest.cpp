#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "BookFixture.h"
#include "UErrors.h"

using Names = std::vector<std::string>;

TEST_F(BookTest, NamesSortByLanguageIgnoringCase) {
  // Ukrainian order: its own letters (with Ґ after Г) before Latin ones, letter case ignored and
  // equal names in the order they came.
  AddBirthdays({{"Boris", ""}, {"Anna", ""}, {"борис", ""}, {"anna", ""}, {"Ґанна", ""},
                {"Галина", ""}, {"Дмитро", ""}});
  EXPECT_EQ(TableNames(), (Names{"борис", "Галина", "Ґанна", "Дмитро", "Anna", "anna", "Boris"}));
  EXPECT_EQ(book->Table().IndexName(), "IndName");
}

TEST_F(BookTest, FieldsCutTextsAndReadBirthdaysInTheLanguage) {
  book->InsertContact({std::string(40, 'n'), "", "", "", "31.12.1999", std::string(300, 'x')});
  TTableBook& table = book->Table();
  EXPECT_EQ(table.Name.GetAsString().size(), 36u);
  EXPECT_EQ(table.Note.GetAsString().size(), 252u);
  EXPECT_EQ(table.Birth.GetAsString(), "31.12.1999");
  EXPECT_EQ(table.Birth.AsDateTime(), EncodeDate(1999, 12, 31));

  table.Edit();
  try {
    table.Birth.SetAsString("someday");
    ADD_FAILURE();
  } catch (const EGeneral& error) {
    EXPECT_STREQ(error.what(), "TShowDateTimeField.SetAsString convert error:someday");
  }
  table.Birth.SetAsString("");
  EXPECT_EQ(table.Birth.GetAsString(), "");
  table.Birth.SetAsString("5.3.80");  // two digits: this century
  EXPECT_EQ(table.Birth.GetAsString(), "05.03.2080");
  table.Cancel();
}

TEST_F(BookTest, ARefusedBirthdayChangesNothing) {
  AddBirthdays({{"Anna", "05.03.1980"}});
  EXPECT_FALSE(TBook::CheckContact({"x", "", "", "", "31.02.2000", ""}));
  EXPECT_FALSE(TBook::CheckContact({"x", "", "", "", "05.03.1980 10:00", ""}));
  EXPECT_TRUE(TBook::CheckContact({"", "", "", "", "", ""}));

  EXPECT_THROW(book->InsertContact({"Boris", "", "", "", "tomorrow", ""}), EGeneral);
  EXPECT_EQ(book->Table().State(), TTableState::Browse);
  EXPECT_EQ(TableNames(), Names{"Anna"});
  EXPECT_THROW(book->EditContact({"Anna", "", "", "", "31.02.2000", ""}), EGeneral);
  EXPECT_EQ(book->Table().State(), TTableState::Browse);
  EXPECT_EQ(book->CurrentContact().Birth, "05.03.1980");
}

TEST_F(BookTest, BirthdayOrders) {
  AddBirthdays({{"March80", "05.03.1980"}, {"January90", "20.01.1990"}, {"January01", "05.01.2001"},
                {"None", ""}});
  TTableBook& table = book->Table();
  table.SetIndex(&table.IndBirthMonth);
  EXPECT_EQ(TableNames(), (Names{"None", "January01", "January90", "March80"}));
  table.SetIndex(&table.IndBirthDay);
  EXPECT_EQ(TableNames(), (Names{"None", "January01", "March80", "January90"}));
  table.SetIndex(&table.IndBirthYear);
  EXPECT_EQ(TableNames(), (Names{"None", "March80", "January90", "January01"}));
}

TEST_F(BookTest, ReopeningListsTheIndexesAnew) {
  AddBirthdays({{"Boris", ""}, {"Anna", ""}});
  book->Table().CloseTable();
  book->Open(false);
  EXPECT_EQ(book->Table().Indexes().size(), 8u);
  EXPECT_EQ(TableNames(), (Names{"Anna", "Boris"}));
}

TEST_F(BookTest, FindName) {
  AddBirthdays({{"Anna", ""}, {"Igor", ""}, {"Oleg", ""}});
  const std::pair<const char*, const char*> cases[] = {{"ig", "Igor"}, {"Zz", "Oleg"}, {"", "Anna"}, {"OLEG", "Oleg"}};
  for (const auto& [typed, found] : cases) {
    book->FindName(typed);
    EXPECT_EQ(book->CurrentContact().Name, found) << typed;
  }
}

TEST_F(BookTest, FindPhoneGivesTheCoveredPartOfTheShownNumber) {
  book->InsertContact({"Anna", "0441234567", "", "", "", ""});
  book->InsertContact({"Boris", "+380501112233", "", "", "", ""});
  const std::pair<const char*, const char*> cases[] = {
      {"044 12", "044 12"}, {"045", ""}, {"0441234567", "044 123-45-67"}, {"+38050", "+38 050"}};
  for (const auto& [typed, shown] : cases) {
    std::string text = typed;
    book->FindHouse(text);
    EXPECT_EQ(text, shown) << typed;
  }
  EXPECT_EQ(book->Table().IndexName(), "IndHouse");
  std::string text = "1";
  book->FindWork(text);
  EXPECT_EQ(text, "");
  EXPECT_EQ(MatchPhonePrefix("38", "380441234567", "38 044 123-45-67"), "38");
}

TEST_F(BookTest, FindBirthReadsPartlyTypedDates) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> contacts;
    const char* typed;
    const char* result;
    const char* found;
  };
  const Case cases[] = {
      {{{"May70", "01.05.1970"}, {"July80", "15.07.1980"}}, "1", "01", "May70"},
      {{{"May70", "12.05.1970"}, {"July80", "15.07.1980"}}, "1", "1", "May70"},
      {{{"Feb", "15.02.1990"}, {"Mar", "15.03.1985"}, {"Mar2", "20.03.1970"}}, ".3", "15.03", "Mar"},
      {{{"Old", "12.05.1899"}, {"New", "12.05.1970"}, {"Newer", "01.01.1980"}}, "..19", "12.05.19", "New"},
      {{{"Oct", "05.10.1990"}, {"Mar", "05.03.1990"}}, "5.1", "05.1", "Oct"},
      {{{"Oct", "05.10.1990"}, {"Jan", "05.01.1990"}}, "5.1", "05.01", "Jan"},
      {{{"Jan", "05.01.1990"}}, "05.01.199", "05.01.199", "Jan"},
      {{{"Nobody", ""}}, "..", "..", "Nobody"},  // no birthday to take characters from
  };
  for (const Case& c : cases) {
    book->Table().EmptyFile();
    AddBirthdays(c.contacts);
    std::string text = c.typed;
    book->FindBirth(text);
    EXPECT_EQ(text, c.result) << c.typed;
    EXPECT_EQ(book->CurrentContact().Name, c.found) << c.typed;
  }
}

TEST_F(BookTest, BirthdayReminders) {
  AddBirthdays({{"Fri", "11.12.1990"}, {"Sat", "12.12.2000"}, {"Sun", "13.12.1980"},
                {"Mon", "14.12.1970"}, {"Tue", "15.12.1960"}, {"Sat2", "12.12.1950"},
                {"Leap", "29.02.2000"}, {"NewYear", "01.01.2001"}, {"None", ""}});
  const auto namesOn = [&](int year, int month, int day) {
    SetToday(year, month, day);
    std::vector<std::string> reminders;
    const bool any = book->GetBirthdays(reminders);
    EXPECT_EQ(any, !reminders.empty());
    Names names;  // each reminder's next to last line is the name
    for (const std::string& text : reminders) {
      const std::size_t nameEnd = text.rfind("\r\n");
      const std::size_t nameStart = text.rfind("\r\n", nameEnd - 1) + 2;
      names.push_back(text.substr(nameStart, nameEnd - nameStart));
    }
    return names;
  };
  EXPECT_EQ(namesOn(2026, 12, 11), (Names{"Fri", "Sat2", "Sat", "Sun", "Mon"}));  // a Friday
  EXPECT_EQ(namesOn(2026, 12, 10), (Names{"Fri", "Sat2", "Sat"}));               // a Thursday
  EXPECT_EQ(namesOn(2024, 2, 28), Names{"Leap"});
  EXPECT_EQ(namesOn(2025, 2, 27), Names{});
  EXPECT_EQ(namesOn(2025, 2, 28), Names{});
  EXPECT_EQ(namesOn(2026, 12, 30), Names{"NewYear"});

  SetToday(2026, 12, 11);
  std::vector<std::string> reminders;
  book->GetBirthdays(reminders);
  EXPECT_EQ(reminders[0],
            "Do not forget to felicitate births on a day!\r\n11 December 2026  (today)\r\n\r\nFri\r\n36");
  EXPECT_EQ(book->Table().IndexName(), "IndBirthMonth");

  book->Table().EmptyFile();
  reminders = {"stale"};
  EXPECT_FALSE(book->GetBirthdays(reminders));
  EXPECT_TRUE(reminders.empty());
}

TEST_F(BookTest, BackupIsNamedAfterTheLastChangeAndNeverOverwritten) {
  book->InsertContact({"Anna", "", "", "", "", ""});
  book->Table().CloseTable();
  const auto data = folder / "book.dat";
  const auto march5Noon = static_cast<std::time_t>((EncodeDate(2024, 3, 5) - 25569) * 86400 + 43200);
  const auto march5 = std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(march5Noon));
  std::filesystem::last_write_time(data, march5);

  book->Backup("Hist");
  const auto copy = folder / "Hist" / "2024-03-05.dat";
  ASSERT_TRUE(std::filesystem::exists(copy));
  EXPECT_EQ(std::filesystem::file_size(copy), std::filesystem::file_size(data));

  std::ofstream(copy, std::ios::trunc) << "older copy";
  book->Backup("Hist");
  EXPECT_EQ(std::filesystem::file_size(copy), 10u);

  std::filesystem::remove(data);
  book->Backup("Hist2");  // no data file: nothing happens
  EXPECT_FALSE(std::filesystem::exists(folder / "Hist2"));
}
