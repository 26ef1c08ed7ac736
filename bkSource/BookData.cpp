#include "BookData.h"

#include <filesystem>
#include <system_error>

#include "BirthSearch.h"
#include "TextIntface.h"

namespace fs = std::filesystem;

namespace {

// The local date of a file's last change.
TDateTime LastChangeDate(const fs::path& path) {
  const auto written = fs::last_write_time(path);
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
  std::tm local{};
  localtime_r(&seconds, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TBook::TBook(std::string folder, std::string dataFileName)
    : folder_(std::move(folder)), dataFileName_(std::move(dataFileName)) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

bool TBook::DataFileExists() const {
  std::error_code error;
  return fs::is_regular_file(DataFilePath(), error);
}

void TBook::Open(bool createIfMissing) {
  table_.SetFileName(DataFilePath());
  table_.OpenTable(createIfMissing);
  table_.First();
}

void TBook::Backup(const std::string& subFolder) const {
  if (!DataFileExists()) return;
  std::error_code error;
  const fs::path copyFolder = fs::path(folder_) / subFolder;
  fs::create_directory(copyFolder, error);
  const std::string name =
      FormatDateTime("yyyy-mm-dd", LastChangeDate(DataFilePath()), DefaultFormatSettings()) + ".dat";
  fs::copy_file(DataFilePath(), copyFolder / name, fs::copy_options::none, error);
}

bool TBook::CheckContact(const TContactTexts& contact) {
  TDateTime unused = 0;
  return contact.Birth.empty() || TryReadBirthday(contact.Birth, unused);
}

void TBook::ChangeCurrent(const TContactTexts& contact, bool insert) {
  if (insert) {
    table_.Insert();
  } else {
    table_.Edit();
  }
  try {
    table_.Name.SetAsString(contact.Name);
    table_.House.SetAsString(contact.House);
    table_.Work.SetAsString(contact.Work);
    table_.Mobile.SetAsString(contact.Mobile);
    table_.Birth.SetAsString(contact.Birth);
    table_.Note.SetAsString(contact.Note);
    table_.Post();
  } catch (...) {
    // A text that does not convert, or a write the disk refused: the change is dropped, so the
    // table is back in browse state with the stored values.
    table_.Cancel();
    throw;
  }
}

void TBook::InsertContact(const TContactTexts& contact) { ChangeCurrent(contact, true); }

void TBook::EditContact(const TContactTexts& contact) { ChangeCurrent(contact, false); }

void TBook::DeleteContact() { table_.Delete(); }

TContactTexts TBook::CurrentContact() const {
  return {table_.Name.GetAsString(),  table_.House.GetAsString(), table_.Work.GetAsString(),
          table_.Mobile.GetAsString(), table_.Birth.GetAsString(), table_.Note.GetAsString()};
}

void TBook::FindName(const std::string& text) {
  table_.SetIndex(&table_.IndName);
  table_.FindText(text);
}

void TBook::FindHouse(std::string& text) { FindPhone(table_.IndHouse, table_.House, text); }

void TBook::FindWork(std::string& text) { FindPhone(table_.IndWork, table_.Work, text); }

void TBook::FindPhone(TIndex& index, TPhoneField& field, std::string& text) {
  table_.SetIndex(&index);
  text = TPhoneField::ExtractPhone(text);
  table_.FindText(text);
  text = MatchPhonePrefix(text, field.GetRawString(), field.GetAsString());
}

std::string MatchPhonePrefix(const std::string& digits, const std::string& stored,
                             const std::string& shown) {
  if (!StartsWith(stored, digits)) return std::string();
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < digits.size() && j < shown.size()) {
    if (digits[i] == shown[j]) ++i;
    ++j;
  }
  return shown.substr(0, j);
}

std::string TBook::SearchBirth(const TTypedBirthday& typed, int day, int month, bool zeroFilling) {
  const TDateTime key = BirthKeyDate(typed.Year, month, day);
  table_.FindText(FormatDateTime(CurrentFormat().ShortDateFormat, key, CurrentFormat()));
  return FillBirthPattern(BirthPattern(typed, zeroFilling), table_.Birth.GetAsString());
}

void TBook::FindBirth(std::string& text) {
  TTypedBirthday typed = SplitTypedBirthday(text);
  TIndex* const orders[] = {&table_.IndBirthDay, &table_.IndBirthMonth, &table_.IndBirthYear};
  table_.SetIndex(orders[static_cast<int>(typed.Order)]);

  const int day = typed.Day;
  const int month = typed.Month;
  text = SearchBirth(typed, day, month, true);
  if (StartsWith(table_.Birth.GetAsString(), text) || !ReadAsFirstDigits(typed)) return;

  const std::string second = SearchBirth(typed, typed.Day, typed.Month, false);
  if (StartsWith(table_.Birth.GetAsString(), second)) {
    text = second;
    return;
  }
  text = SearchBirth(typed, day, month, true);
}

bool TBook::GetBirthdays(std::vector<std::string>& reminders) {
  reminders.clear();
  try {
    table_.SetIndex(&table_.IndBirthMonth);
    const TDateTime today = Today();
    const int days = DayOfWeek(today) == 6 ? 4 : 3;  // from a Friday on to Monday
    for (int i = 1; i <= days; ++i) AddBirthdays(today + i - 1, i, reminders);
  } catch (const std::exception&) {
    return false;
  }
  return !reminders.empty();
}

void TBook::AddBirthdays(TDateTime day, int dayNumber, std::vector<std::string>& reminders) {
  int year = 0, month = 0, dayOfMonth = 0;
  DecodeDate(day, year, month, dayOfMonth);
  // Year 4 is a leap year, so a key of 29 February can be formed in leap years only.
  table_.FindKey(TVariant(TVariantDate{EncodeDate(IsLeapYear(year) ? 4 : 1, month, dayOfMonth)}));
  const std::string dateText = FormatDateLong(day);
  const std::string& dayWord = CurrentTexts().DayWords[static_cast<std::size_t>(dayNumber - 1)];
  for (; !table_.Eof(); table_.Next()) {
    const TDateTime birth = table_.Birth.AsDateTime();
    if (birth == 0) break;  // no birthday: reached only when no contact has one on or after the key
    int birthYear = 0, birthMonth = 0, birthDay = 0;
    DecodeDate(birth, birthYear, birthMonth, birthDay);
    if (birthMonth != month || birthDay != dayOfMonth) break;
    reminders.push_back(FormatIndexed(CurrentTexts().BirthdayReminder,
                                      {dateText, dayWord, table_.Name.GetAsString(),
                                       static_cast<long long>(year - birthYear)}));
  }
}
