#include "ContactGenerator.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "FileSystem.h"
#include "UDatFile.h"

namespace {

// xorshift64*: small, fast and the same everywhere.
class TRandom {
public:
  explicit TRandom(std::uint32_t seed) : state_(0x9E3779B97F4A7C15ULL ^ seed) { Next(); }
  std::uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  // 0 .. n - 1
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>((Next() >> 11) % n); }
  bool Percent(std::size_t p) { return Below(100) < p; }
  template <std::size_t N>
  const char* Pick(const char* const (&items)[N]) { return items[Below(N)]; }

private:
  std::uint64_t state_;
};

const char* const kLatinFirst[] = {
    "Anna", "Boris", "Charles", "Diana", "Edward", "Fiona", "George", "Helen", "Ivan", "Julia",
    "Kevin", "Laura", "Martin", "Nina", "Oscar", "Paula", "Quentin", "Rita", "Steven", "Tanya",
    "Victor", "Wendy", "Xavier", "Yvonne", "Zachary", "Agnes", "Bernard", "Claire", "Dmitri",
    "Elena"};
const char* const kLatinLast[] = {
    "Adams", "Baker", "Clarke", "Dawson", "Evans", "Fischer", "Gordon", "Harris", "Irving",
    "Jensen", "Kowalski", "Lindqvist", "Morgan", "Novak", "O'Brien", "Petersen", "Quinn",
    "Richter", "Schmidt", "Thompson", "Underwood", "Vasquez", "Whitfield", "Young", "Zimmermann",
    "Brown", "Miller", "Wilson", "Taylor", "Anderson"};
const char* const kCyrillicFirst[] = {
    "Александр", "Алла", "Борис", "Валентина", "Виктор", "Галина", "Дмитрий", "Евгения",
    "Жанна", "Зоя", "Игорь", "Ирина", "Константин", "Людмила", "Михаил", "Надежда", "Олег",
    "Оксана", "Пётр", "Раиса", "Сергей", "Светлана", "Тарас", "Ульяна", "Фёдор", "Юлия",
    "Ярослав", "Эдуард", "Наталья", "Богдан"};
const char* const kCyrillicLast[] = {
    "Иванов", "Петренко", "Сидоров", "Кузнецова", "Смирнов", "Шевченко", "Попова", "Бондаренко",
    "Васильев", "Ковальчук", "Морозова", "Ткаченко", "Новиков", "Зайцева", "Мельник", "Фёдоров",
    "Волкова", "Кравченко", "Соколов", "Лебедева", "Олейник", "Егоров", "Щербак", "Яковлева",
    "Гончаренко", "Орлов", "Руденко", "Белова", "Чернов", "Юрченко"};
const char* const kLatinWords[] = {
    "call", "after", "lunch", "birthday", "present", "office", "meeting", "Tuesday", "old",
    "friend", "school", "neighbour", "dentist", "plumber", "keys", "garage", "book", "club",
    "owes", "money", "university", "conference", "Berlin", "summer", "holiday", "cousin"};
const char* const kCyrillicWords[] = {
    "позвонить", "после", "обеда", "день", "рождения", "подарок", "работа", "встреча",
    "вторник", "старый", "друг", "школа", "сосед", "стоматолог", "сантехник", "ключи", "гараж",
    "книга", "дача", "долг", "институт", "конференция", "Киев", "лето", "отпуск", "кузен"};

// The first n characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t n) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == n) {
      return text.substr(0, i);
    }
  }
  return text;
}

std::string Digits(TRandom& random, std::size_t count) {
  std::string digits;
  for (std::size_t i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Below(10));
  return digits;
}

std::string Name(TRandom& random) {
  if (random.Percent(50)) {
    return std::string(random.Pick(kLatinLast)) + " " + random.Pick(kLatinFirst);
  }
  std::string name = std::string(random.Pick(kCyrillicLast)) + " " + random.Pick(kCyrillicFirst);
  if (random.Percent(30)) name += " " + std::string(random.Pick(kCyrillicFirst)).substr(0, 2) + ".";
  return FirstCharacters(name, 36);
}

// House and work numbers are often missing; a mobile number mostly has a country code.
std::string Phone(TRandom& random, std::size_t presentPercent, bool mobile) {
  if (!random.Percent(presentPercent)) return "";
  if (!mobile) return Digits(random, 5 + random.Below(3));
  static const char* const kCountries[] = {"+7", "+38", "+49", "+1", "+44", "8"};
  return std::string(random.Pick(kCountries)) + Digits(random, 10);
}

// Notes: half empty, the others from a few words to the whole field.
std::string Note(TRandom& random) {
  if (random.Percent(50)) return "";
  const bool cyrillic = random.Percent(50);
  const std::size_t length = 5 + random.Below(random.Percent(20) ? 248 : 60);
  std::string note;
  while (note.size() < length * 2) {
    if (!note.empty()) note += ' ';
    note += cyrillic ? random.Pick(kCyrillicWords) : random.Pick(kLatinWords);
  }
  return FirstCharacters(note, length);
}

TDateTime Birthday(TRandom& random) {
  if (!random.Percent(60)) return 0;
  const int year = 1940 + static_cast<int>(random.Below(70));
  const int month = 1 + static_cast<int>(random.Below(12));
  const int day = 1 + static_cast<int>(random.Below(28));
  return EncodeDate(year, month, day);
}

// A whole file in memory, written to its path in one go when the handle goes.
class TMemoryFileHandle : public TFileHandle {
public:
  explicit TMemoryFileHandle(std::string path) : path_(std::move(path)) {}
  ~TMemoryFileHandle() override {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
  }

  std::int64_t Seek(std::int64_t offset, int origin) override {
    const std::int64_t base = origin == 0 ? 0 : origin == 1 ? position_ : Size();
    if (base + offset < 0) return -1;
    position_ = base + offset;
    return position_;
  }
  std::int64_t Read(void* buffer, std::int64_t count) override {
    const std::int64_t moved = std::clamp<std::int64_t>(Size() - position_, 0, count);
    std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(moved));
    position_ += moved;
    return moved;
  }
  std::int64_t Write(const void* buffer, std::int64_t count) override {
    if (position_ + count > Size()) bytes_.resize(static_cast<std::size_t>(position_ + count));
    std::memcpy(bytes_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ += count;
    return count;
  }
  bool Truncate() override {
    bytes_.resize(static_cast<std::size_t>(position_));
    return true;
  }
  bool Sync() override { return true; }

private:
  std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }

  std::string path_;
  std::vector<std::uint8_t> bytes_;
  std::int64_t position_ = 0;
};

class TMemoryFileSystem : public TFileSystem {
public:
  bool FileExists(const std::string& path) override { return std::filesystem::exists(path); }
  std::unique_ptr<TFileHandle> OpenExclusive(const std::string&) override { return nullptr; }
  std::unique_ptr<TFileHandle> CreateExclusive(const std::string& path, bool) override {
    return std::make_unique<TMemoryFileHandle>(path);
  }
};

// Puts the memory file system in place for as long as it lives.
class TMemoryFileSystemInPlace {
public:
  TMemoryFileSystemInPlace() : previous_(ReplaceFileSystem(&fileSystem_)) {}
  ~TMemoryFileSystemInPlace() { ReplaceFileSystem(previous_); }

private:
  TMemoryFileSystem fileSystem_;
  TFileSystem* previous_;
};

}  // namespace

std::vector<TContact> GenerateContacts(std::size_t count, std::uint32_t seed) {
  TRandom random(seed);
  std::vector<TContact> contacts(count);
  for (TContact& contact : contacts) {
    contact.name = Name(random);
    contact.house = Phone(random, 40, false);
    contact.work = Phone(random, 30, false);
    contact.mobile = Phone(random, 85, true);
    contact.birth = Birthday(random);
    contact.note = Note(random);
  }
  return contacts;
}

void AssignContact(ContactSchema& schema, const TContact& contact) {
  schema.name.SetAsString(contact.name);
  schema.house.SetAsString(contact.house);
  schema.work.SetAsString(contact.work);
  schema.mobile.SetAsString(contact.mobile);
  schema.birth.SetAsDateTime(contact.birth);
  schema.note.SetAsString(contact.note);
}

TEngineContacts::TEngineContacts(const std::string& path) {
  table.SetFileName(path);
  table.SetFields(&schema.fields);
  table.OpenTable(false);
  table.AddIndex(&byId);
  table.AddIndex(&byName);
}

TEngineContacts::~TEngineContacts() { table.CloseTable(); }

void WriteContactFile(const std::string& path, const std::vector<TContact>& contacts) {
  TMemoryFileSystemInPlace memory;
  ContactSchema schema;
  TDatFile file;
  file.SetFileName(path);
  file.SetFields(&schema.fields);
  file.CreateFile(true);
  schema.fields.EnableEdit();
  for (const TContact& contact : contacts) {
    schema.fields.AssignNextKeys();
    AssignContact(schema, contact);
    file.AppendRecord();
  }
  schema.fields.DisableEdit();
  const TDatHeader& header = file.GetHeader();
  const std::int64_t expected =
      header.HeaderSize + static_cast<std::int64_t>(header.RecordSize) * header.RecordCount;
  file.Close();
  // The memory handle cannot report a failed write; the size on disk can.
  std::error_code error;
  if (static_cast<std::int64_t>(std::filesystem::file_size(path, error)) != expected || error) {
    throw std::runtime_error("could not write the contact file " + path);
  }
}
