#pragma once
// The jobs behind the main window's Export, Import and Print commands, and what they share.
//
// A job is created, run once with Execute and freed; it takes no arguments: it works on the
// process's contact book (Book) and talks to the user through file dialogs and the message box.
// Creation remembers the contact table's current record and freeing goes back to it, so the grid
// shows the same contact afterwards. Imports add contacts with AddContact; exports and reports
// visit every contact in the table's active order with ForEachContact.
//
// The file dialog and the message box are reached through TJobDialogs, which tests may replace
// (SetJobDialogs) to answer them without driving windows.

#include <functional>
#include <optional>
#include <string>

#include "BookData.h"

// What a job asks of a file dialog. Filter is "description|pattern", as the texts give it.
struct TFileRequest {
  bool Save = false;
  std::string Title;
  std::string Filter;
  std::string DefaultExt;
  std::string Folder;
  std::string FileName;
};

struct TJobDialogs {
  // The chosen file's path, or nothing when the user cancelled.
  std::function<std::optional<std::string>(const TFileRequest&)> ChooseFile;
  // As ShowMessageBox.
  std::function<int(const std::string& text, const std::string& caption, int kind,
                    const std::string& firstCaption, const std::string& firstHint,
                    const std::string& secondCaption, const std::string& secondHint)>
      ShowMessage;
};

// The dialogs the jobs use; by default the program's own: RunFileDialog and ShowMessageBox.
const TJobDialogs& JobDialogs();
// Replaces them; an empty member keeps the program's own.
void SetJobDialogs(TJobDialogs dialogs);

// Qt's own file dialog, not the desktop's, so that its texts follow the program's language
// (QtLanguage.h) rather than the desktop's. A save dialog appends ".csv"-style default
// extensions as the job wants them (SavedFileName) before it asks whether to overwrite, so the
// question is about the file that will be written.
std::optional<std::string> RunFileDialog(const TFileRequest& request);

// The name a save dialog's choice is written under: unless its extension is defaultExt (letter
// case ignored), "." + defaultExt is appended, so "list.txt" becomes "list.txt.csv".
std::string SavedFileName(const std::string& chosen, const std::string& defaultExt);

// The folder of the running program plus name, created when missing (a failure is ignored: the
// dialog then opens where it can).
std::string JobFolder(const std::string& name);

class TInOut {
public:
  TInOut();
  virtual ~TInOut();
  TInOut(const TInOut&) = delete;
  TInOut& operator=(const TInOut&) = delete;

  virtual void Execute() = 0;

protected:
  // False, with the table untouched, when the book refuses the contact (a birthday that is not a
  // date); otherwise the contact is appended and written through.
  bool AddContact(const TContactTexts& contact);
  int ContactCount() const;

  TBook& FBook;
  int SavedRecNo = 0;
};

class TImport : public TInOut {};

class TExport : public TInOut {
protected:
  virtual void WriteContact(const TContactTexts& contact) = 0;
  // WriteContact for every contact, in the order of the table's active index.
  void ForEachContact();
};

class TReport : public TExport {};
