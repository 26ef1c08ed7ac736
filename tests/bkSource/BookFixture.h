#pragma once
// The contact book's tests: a book in a temporary folder, the engine's field classes registered,
// English texts, and a clock fixed at a known day.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BookData.h"

class BookTest : public ::testing::Test {
protected:
  BookTest();
  ~BookTest() override;

  // Fixes "now" at noon of that day.
  static void SetToday(int year, int month, int day);
  // Adds contacts given as name and birthday.
  void AddBirthdays(const std::vector<std::pair<std::string, std::string>>& contacts);
  // The names of all contacts in the table's present order.
  std::vector<std::string> TableNames();

  std::filesystem::path folder;
  std::unique_ptr<TBook> book;
};
