#pragma once
// The concrete jobs: the CSV export and import of the whole contact list, and the printed list.
//
// TCsvExport asks for a file name (proposed: today as yyyy-mm-dd, in the "Export" folder beside
// the program) and writes the header line of the current language and one line per contact
// (CsvFormat.h). A failure is reported with the file's path in a warning box; what was written
// stays.
//
// TCsvImport asks for a file (from the "Import" folder) and adds one contact per line. Header
// lines of any language and blank lines are skipped. A line the book refuses (a birthday that is
// not a date) is shown to the user, who continues without it or stops the import. A summary of
// what was added and missed closes the import; a file that cannot be read is reported instead.
// Contacts added before a stop or a failure stay in the book.
//
// TListReport prints the list on the default printer (Print.h): the first five columns of the
// CSV header as titles, one row per contact in the grid's order, and "Total: N". Any failure is
// reported as "Printing error", and the half-made report is dropped.

#include <fstream>
#include <string>

#include "InOut.h"

class TCsvExport : public TExport {
public:
  void Execute() override;

protected:
  void WriteContact(const TContactTexts& contact) override;

private:
  void WriteFile(const std::string& path);

  std::ofstream FFile;
};

class TCsvImport : public TImport {
public:
  void Execute() override;

private:
  struct TCounts {
    int Added = 0;
    int Missed = 0;
    bool Interrupted = false;
  };
  // False when the user stopped the import at this line.
  bool ImportLine(const std::string& line, TCounts& counts);
  void ShowSummary(const TCounts& counts);
};

class TListReport : public TReport {
public:
  void Execute() override;

protected:
  void WriteContact(const TContactTexts& contact) override;
};

// Offers a line that could not be imported: true to skip it and go on, false to stop.
bool AskSkipLine(const std::string& line);

// The line cut into pieces narrower than the message box's text label, each preceded by a line
// break, so that a long line shows whole in the box.
std::string WrapToMessageBox(const std::string& line);
// The path shortened with "..." inside it to the width of the message box's text label.
std::string PathForMessageBox(const std::string& path);
