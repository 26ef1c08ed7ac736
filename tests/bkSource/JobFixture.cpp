#include "JobFixture.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "BookDataOpen.h"
#include "CsvFormat.h"
#include "MessageBoxForm.h"
#include "QtTestApp.h"
#include "TextIntface.h"
#include "UField.h"

JobTest::JobTest() {
  TestApplication();
  setenv("LC_ALL", "uk_UA.UTF-8", 1);
  RegisterEngineFieldClasses();
  SelectLanguage(2);
  const TDateTime now = EncodeDate(2026, 12, 10) + 0.5;
  SetClock([now] { return now; });
  std::random_device random;
  folder = std::filesystem::temp_directory_path() / ("vellumark-jobs-" + std::to_string(random()));
  std::filesystem::create_directories(folder);
  Book = std::make_unique<TBook>(folder.string() + "/");
  Book->Open(true);
  SetJobDialogs({
      [this](const TFileRequest& request) {
        requests.push_back(request);
        return chosenFile;
      },
      [this](const std::string& text, const std::string& caption, int kind,
             const std::string& firstCaption, const std::string& firstHint,
             const std::string& secondCaption, const std::string& secondHint) {
        messages.push_back({text, caption, kind, firstCaption, firstHint, secondCaption, secondHint});
        if (answers.empty()) return static_cast<int>(mrOk);
        const int answer = answers.front();
        answers.pop_front();
        return answer;
      },
  });
}

JobTest::~JobTest() {
  SetJobDialogs({});
  Book.reset();
  std::filesystem::remove_all(folder);
  SetClock(nullptr);
  ClearFieldClassRegistry();
}

void JobTest::AddContacts(const std::vector<TContactTexts>& contacts) {
  for (const TContactTexts& contact : contacts) Book->InsertContact(contact);
}

std::vector<TContactTexts> JobTest::Contacts() const {
  std::vector<TContactTexts> contacts;
  TTableBook& table = Book->Table();
  const int current = table.RecNo();
  for (table.First(); !table.Eof(); table.Next()) contacts.push_back(Book->CurrentContact());
  table.GoTo(current);
  return contacts;
}

std::filesystem::path JobTest::WriteFile(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path path = folder / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string JobTest::ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::filesystem::path JobTest::WriteCsv(const std::string& name,
                                        const std::vector<std::string>& lines) const {
  std::string bytes;
  for (const std::string& line : lines) bytes += CsvFileLine(line);
  return WriteFile(name, bytes);
}

bool operator==(const TContactTexts& a, const TContactTexts& b) {
  return a.Name == b.Name && a.House == b.House && a.Work == b.Work && a.Mobile == b.Mobile &&
         a.Birth == b.Birth && a.Note == b.Note;
}

void PrintTo(const TContactTexts& c, std::ostream* out) {
  *out << "{" << c.Name << " | " << c.House << " | " << c.Work << " | " << c.Mobile << " | "
       << c.Birth << " | " << c.Note << "}";
}

bool operator==(const TShownMessage& a, const TShownMessage& b) {
  return a.Text == b.Text && a.Caption == b.Caption && a.Kind == b.Kind &&
         a.FirstCaption == b.FirstCaption && a.FirstHint == b.FirstHint &&
         a.SecondCaption == b.SecondCaption && a.SecondHint == b.SecondHint;
}

void PrintTo(const TShownMessage& m, std::ostream* out) {
  *out << "{\"" << m.Text << "\", \"" << m.Caption << "\", " << m.Kind << ", \"" << m.FirstCaption
       << "\", \"" << m.FirstHint << "\", \"" << m.SecondCaption << "\", \"" << m.SecondHint << "\"}";
}
