#include <gtest/gtest.h>

#include "BookFixture.h"

#include <cstdlib>
#include <random>

#include "TextIntface.h"
#include "UField.h"

BookTest::BookTest() {
  // Names collate as a Ukrainian user's would; the collation is set up on first use.
  setenv("LC_ALL", "uk_UA.UTF-8", 1);
  RegisterEngineFieldClasses();
  SelectLanguage(2);
  SetToday(2026, 12, 10);
  std::random_device random;
  folder = std::filesystem::temp_directory_path() / ("vellumark-book-" + std::to_string(random()));
  std::filesystem::create_directories(folder);
  book = std::make_unique<TBook>(folder.string());
  book->Open(true);
}

BookTest::~BookTest() {
  book.reset();
  std::filesystem::remove_all(folder);
  SetClock(nullptr);
  ClearFieldClassRegistry();
}

void BookTest::SetToday(int year, int month, int day) {
  const TDateTime now = EncodeDate(year, month, day) + 0.5;
  SetClock([now] { return now; });
}

void BookTest::AddBirthdays(const std::vector<std::pair<std::string, std::string>>& contacts) {
  for (const auto& [name, birth] : contacts) book->InsertContact({name, "", "", "", birth, ""});
}

std::vector<std::string> BookTest::TableNames() {
  std::vector<std::string> names;
  TTableBook& table = book->Table();
  for (int i = 0; i < table.RecordCount(); ++i) names.push_back(table.GetCellText(i, TTableBook::FieldName));
  return names;
}
