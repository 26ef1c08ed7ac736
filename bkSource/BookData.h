#pragma once
// The contact book: the one service through which the program opens, backs up, changes and
// searches the contacts, and mines them for birthday reminders. It owns the contact table.
//
// A contact is given as six texts: name, home, work and mobile telephone, birthday, note. The
// key is never given or returned. Failures of the table (an open refused because another
// process holds the file, a birthday that is not a date) reach the caller unchanged.

#include <string>
#include <vector>

#include "TableBook.h"

struct TContactTexts {
  std::string Name;
  std::string House;
  std::string Work;
  std::string Mobile;
  std::string Birth;
  std::string Note;
};

class TBook {
public:
  // The data file lies in folder (ending in "/") under dataFileName.
  explicit TBook(std::string folder, std::string dataFileName = "book.dat");

  TTableBook& Table() { return table_; }
  const std::string& Folder() const { return folder_; }
  std::string DataFilePath() const { return folder_ + dataFileName_; }

  bool DataFileExists() const;
  // Opens the data file exclusively, loads it and makes the name order active.
  void Open(bool createIfMissing);
  // Copies the data file, while it is closed, into the sub-folder as "yyyy-mm-dd.dat" after the
  // date of its last change. An existing copy is never overwritten; a copy that cannot be made is
  // skipped silently.
  void Backup(const std::string& subFolder) const;

  // False when the birthday text is not empty and is not a date of the current language.
  static bool CheckContact(const TContactTexts& contact);
  void InsertContact(const TContactTexts& contact);
  void EditContact(const TContactTexts& contact);
  void DeleteContact();
  // The current contact's six texts.
  TContactTexts CurrentContact() const;

  // The incremental searches. Each positions on the first contact equal to or after the typed
  // text in its order; the telephone and birthday searches rewrite the text to the part of the
  // found contact's shown text that the typed text covers (empty when it does not match).
  void FindName(const std::string& text);
  void FindHouse(std::string& text);
  void FindWork(std::string& text);
  void FindBirth(std::string& text);

  // One reminder text per birthday today, tomorrow and the day after (on a Friday also Monday),
  // in that order. True when there is at least one; every failure gives false.
  bool GetBirthdays(std::vector<std::string>& reminders);

private:
  void ChangeCurrent(const TContactTexts& contact, bool insert);
  void FindPhone(TIndex& index, TPhoneField& field, std::string& text);
  // Searches the birthday order for the typed parts; the typed text adjusted to the found one.
  std::string SearchBirth(const struct TTypedBirthday& typed, int day, int month, bool zeroFilling);
  void AddBirthdays(TDateTime day, int dayNumber, std::vector<std::string>& reminders);

  std::string folder_;
  std::string dataFileName_;
  TTableBook table_;
};

// The part of the shown telephone text that covers the typed digits, blanks and hyphens
// included; empty when the stored number does not begin with the digits.
std::string MatchPhonePrefix(const std::string& digits, const std::string& stored,
                             const std::string& shown);
