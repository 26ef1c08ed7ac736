#include "BookCtl.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "BookData.h"
#include "CsvFormat.h"
#include "Names.h"
#include "Options.h"
#include "ProgramPaths.h"
#include "TextIntface.h"
#include "UErrors.h"

const char* const UsageText =
    "Usage: bookctl [--data FILE] [--lang eng|ukr|rus] COMMAND ...\n"
    "\n"
    "The contact book from the command line. Texts are UTF-8; each contact prints as one line\n"
    "of six values (name, home, work, mobile, birthday, note) encoded as the CSV export encodes\n"
    "them and joined by \";\".\n"
    "\n"
    "Options:\n"
    "  --data FILE   the data file (default: book.dat beside this program)\n"
    "  --lang LANG   eng, ukr or rus: texts and the date format (default: the language stored\n"
    "                in book.cfg beside the data file, else English)\n"
    "\n"
    "Commands:\n"
    "  list [--order name|home|work|mobile|birth-day|birth-month|birth-year|id]\n"
    "                one line per contact in that order (default: name)\n"
    "  add NAME HOME WORK MOBILE BIRTH NOTE\n"
    "                adds a contact; BIRTH is dd.mm.yyyy or empty\n"
    "  edit NAME-NOW NAME HOME WORK MOBILE BIRTH NOTE\n"
    "                replaces the contact named NAME-NOW (letter case ignored)\n"
    "  delete NAME-NOW\n"
    "                deletes the contact named NAME-NOW (letter case ignored)\n"
    "  find name|home|work|birth TEXT\n"
    "                runs that search as the grid does; prints the (possibly adjusted)\n"
    "                search text, then the contact found\n"
    "  birthdays [--today YYYY-MM-DD]\n"
    "                the birthday reminders of that day (default: today), each followed by\n"
    "                a line \"--\"\n"
    "  export FILE   writes every contact to a CSV file (code page 1251, CR LF)\n"
    "  import FILE   adds the contacts of a CSV file (code page 1251 or UTF-8); refused lines\n"
    "                are reported on standard error\n"
    "\n"
    "Exit status: 0 success, 1 failure (nothing is written), 2 usage error.\n";

namespace {

class TUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct TCommandLine {
  std::string DataFile;
  int Language = -1;
  bool Help = false;
  std::vector<std::string> Command;  // the command and its arguments
};

using TArguments = std::vector<std::string>;

TCommandLine ParseCommandLine(const TArguments& arguments) {
  TCommandLine line;
  std::size_t i = 0;
  for (; i < arguments.size() && arguments[i].starts_with("-"); ++i) {
    const std::string& option = arguments[i];
    if (option == "--help" || option == "-h") {
      line.Help = true;
      return line;
    }
    if (i + 1 == arguments.size()) throw TUsageError("option " + option + " needs a value");
    const std::string& value = arguments[++i];
    if (option == "--data") {
      line.DataFile = value;
    } else if (option == "--lang") {
      const std::map<std::string, int> languages = {{"rus", 0}, {"ukr", 1}, {"eng", 2}};
      if (!languages.contains(value)) throw TUsageError("unknown language: " + value);
      line.Language = languages.at(value);
    } else {
      throw TUsageError("unknown option: " + option);
    }
  }
  line.Command.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
  if (line.Command.empty()) throw TUsageError("no command given");
  return line;
}

// The language stored in book.cfg beside the data file; English without one.
int StoredLanguage(const std::filesystem::path& folder) {
  const std::filesystem::path settings = folder / CfgFileName;
  if (!std::filesystem::exists(settings)) return LangEnglish;
  return TProgOptions(settings.string()).ProgLang();
}

TContactTexts ContactFrom(const TArguments& values, std::size_t first) {
  return {values[first],     values[first + 1], values[first + 2],
          values[first + 3], values[first + 4], values[first + 5]};
}

std::string ContactLine(const TBook& book) { return CsvJoinLine(book.CurrentContact()); }

// Runs one command on the book; the book is opened by the command as it needs it.
class TCommands {
public:
  TCommands(TBook& book, std::ostream& out, std::ostream& err) : book_(book), out_(out), err_(err) {}

  void Run(const TArguments& command) {
    struct TEntry {
      std::size_t MinArguments;
      std::size_t MaxArguments;
      void (TCommands::*Handler)(const TArguments&);
    };
    static const std::map<std::string, TEntry> table = {
        {"list", {0, 2, &TCommands::List}},       {"add", {6, 6, &TCommands::Add}},
        {"edit", {7, 7, &TCommands::Edit}},       {"delete", {1, 1, &TCommands::Delete}},
        {"find", {2, 2, &TCommands::Find}},       {"birthdays", {0, 2, &TCommands::Birthdays}},
        {"export", {1, 1, &TCommands::Export}},   {"import", {1, 1, &TCommands::Import}},
    };
    const auto entry = table.find(command[0]);
    if (entry == table.end()) throw TUsageError("unknown command: " + command[0]);
    const TArguments arguments(command.begin() + 1, command.end());
    if (arguments.size() < entry->second.MinArguments || arguments.size() > entry->second.MaxArguments) {
      throw TUsageError("wrong number of arguments for " + command[0]);
    }
    (this->*entry->second.Handler)(arguments);
  }

private:
  void List(const TArguments& arguments) {
    TTableBook& table = book_.Table();
    const std::map<std::string, TIndex*> orders = {
        {"name", &table.IndName},           {"home", &table.IndHouse},
        {"work", &table.IndWork},           {"mobile", &table.IndMobile},
        {"birth-day", &table.IndBirthDay},  {"birth-month", &table.IndBirthMonth},
        {"birth-year", &table.IndBirthYear}, {"id", &table.IndID}};
    std::string order = "name";
    if (!arguments.empty()) {
      if (arguments.size() != 2 || arguments[0] != "--order") throw TUsageError("list takes --order ORDER");
      order = arguments[1];
      if (!orders.contains(order)) throw TUsageError("unknown order: " + order);
    }
    book_.Open(false);
    table.SetIndex(orders.at(order));
    for (table.First(); !table.Eof(); table.Next()) out_ << ContactLine(book_) << '\n';
  }

  void Add(const TArguments& arguments) {
    book_.Open(true);
    book_.InsertContact(ContactFrom(arguments, 0));
  }

  void Edit(const TArguments& arguments) {
    GoToName(arguments[0]);
    book_.EditContact(ContactFrom(arguments, 1));
  }

  void Delete(const TArguments& arguments) {
    GoToName(arguments[0]);
    book_.DeleteContact();
  }

  void Find(const TArguments& arguments) {
    const std::map<std::string, std::function<void(std::string&)>> searches = {
        {"name", [this](std::string& text) { book_.FindName(text); }},
        {"home", [this](std::string& text) { book_.FindHouse(text); }},
        {"work", [this](std::string& text) { book_.FindWork(text); }},
        {"birth", [this](std::string& text) { book_.FindBirth(text); }}};
    if (!searches.contains(arguments[0])) throw TUsageError("unknown search: " + arguments[0]);
    book_.Open(false);
    std::string text = arguments[1];
    searches.at(arguments[0])(text);
    out_ << text << '\n';
    if (book_.Table().RecordCount() > 0) out_ << ContactLine(book_) << '\n';
  }

  void Birthdays(const TArguments& arguments) {
    if (!arguments.empty()) {
      TDateTime today = 0;
      TFormatSettings iso;
      iso.ShortDateFormat = "yyyy/mm/dd";
      iso.DateSeparator = '-';
      if (arguments.size() != 2 || arguments[0] != "--today" || arguments[1].size() != 10 ||
          !TryStrToDate(arguments[1], iso, today)) {
        throw TUsageError("birthdays takes --today YYYY-MM-DD");
      }
      SetClock([today] { return today + 0.5; });
    }
    book_.Open(false);
    std::vector<std::string> reminders;
    book_.GetBirthdays(reminders);
    for (std::string text : reminders) {
      for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.replace(at, 2, "\n");
      }
      out_ << text << "\n--\n";
    }
  }

  // The file is written beside its target and renamed over it, so a failed export leaves any
  // older file of that name as it was.
  void Export(const TArguments& arguments) {
    book_.Open(false);
    const std::string path = arguments[0];
    const std::string partial = path + ".part";
    {
      std::ofstream file(partial, std::ios::binary | std::ios::trunc);
      file << CsvFileLine(CurrentTexts().CsvHeader);
      TTableBook& table = book_.Table();
      for (table.First(); !table.Eof(); table.Next()) file << CsvFileLine(ContactLine(book_));
      file.flush();
      if (!file) {
        std::filesystem::remove(partial);
        throw EGeneral(CurrentTexts().ExportError + ": " + path);
      }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
      std::filesystem::remove(partial, error);
      throw EGeneral(CurrentTexts().ExportError + ": " + path);
    }
  }

  void Import(const TArguments& arguments) {
    const std::string& path = arguments[0];
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    if (!file) throw EGeneral(CurrentTexts().ImportError + ": " + path);

    book_.Open(true);
    int added = 0;
    int missed = 0;
    int lineNumber = 0;
    for (const std::string& line : CsvFileLines(bytes.str())) {
      ++lineNumber;
      if (IsCsvHeader(line) || line.find_first_not_of(" \t\r\n\f\v") == std::string::npos) continue;
      const TContactTexts contact = CsvSplitLine(line);
      if (TBook::CheckContact(contact)) {
        book_.InsertContact(contact);
        ++added;
      } else {
        ++missed;
        err_ << "bookctl: line " << lineNumber << ": " << CurrentTexts().ImportLineError << ' ' << line << '\n';
      }
    }
    out_ << CurrentTexts().ImportAdded << added << '\n';
    if (missed > 0) out_ << CurrentTexts().ImportMissed << missed << '\n';
  }

  // Makes current the contact whose name equals the given one ignoring case, or fails.
  void GoToName(const std::string& name) {
    book_.Open(false);
    book_.FindName(name);
    TTableBook& table = book_.Table();
    std::vector<std::uint8_t> wanted(static_cast<std::size_t>(table.Name.DataSize()));
    table.Name.SetFromString(name, wanted.data());
    if (table.RecordCount() == 0 || table.Name.CompareData(wanted.data(), table.Name.GetData()) != 0) {
      throw EGeneral("no contact named \"" + name + "\"");
    }
  }

  TBook& book_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

int RunBookCtl(const TArguments& arguments, std::ostream& out, std::ostream& err) {
  try {
    const TCommandLine line = ParseCommandLine(arguments);
    if (line.Help) {
      out << UsageText;
      return 0;
    }
    const std::filesystem::path dataFile =
        line.DataFile.empty() ? std::filesystem::path(ExecutableFolder()) / "book.dat"
                              : std::filesystem::absolute(line.DataFile);
    SelectLanguage(line.Language >= 0 ? line.Language : StoredLanguage(dataFile.parent_path()));
    TBook book(dataFile.parent_path().string(), dataFile.filename().string());
    TCommands(book, out, err).Run(line.Command);
    return 0;
  } catch (const TUsageError& error) {
    err << "bookctl: " << error.what() << "\nTry 'bookctl --help'.\n";
    return 2;
  } catch (const std::exception& error) {
    err << "bookctl: " << error.what() << '\n';
    return 1;
  }
}
