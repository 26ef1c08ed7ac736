#pragma once
// The jobs' tests: the process's contact book in a temporary folder, English texts, a clock fixed
// at noon of 10 December 2026, and the jobs' dialogs answered by a script: the file dialog returns
// the path the test chose (or nothing: cancelled), and every message box is recorded and answered
// from a queue of results (OK when the queue is empty).

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BookData.h"
#include "BookDataOpen.h"
#include "InOut.h"

struct TShownMessage {
  std::string Text;
  std::string Caption;
  int Kind = 0;
  std::string FirstCaption;
  std::string FirstHint;
  std::string SecondCaption;
  std::string SecondHint;
};

class JobTest : public ::testing::Test {
protected:
  JobTest();
  ~JobTest() override;

  // Runs a job of that class as the main window does: create, Execute, free.
  template <typename TJob>
  void Run() {
    TJob job;
    job.Execute();
  }

  void AddContacts(const std::vector<TContactTexts>& contacts);
  std::vector<TContactTexts> Contacts() const;  // in the table's present order
  std::filesystem::path WriteFile(const std::string& name, const std::string& bytes) const;
  static std::string ReadFile(const std::filesystem::path& path);
  // The CSV file of the lines: code page 1251 bytes, CR LF ends.
  std::filesystem::path WriteCsv(const std::string& name, const std::vector<std::string>& lines) const;

  std::filesystem::path folder;
  std::optional<std::string> chosenFile;  // what the file dialog answers
  std::vector<TFileRequest> requests;
  std::vector<TShownMessage> messages;
  std::deque<int> answers;
};

bool operator==(const TContactTexts& a, const TContactTexts& b);
void PrintTo(const TContactTexts& contact, std::ostream* out);
bool operator==(const TShownMessage& a, const TShownMessage& b);
void PrintTo(const TShownMessage& message, std::ostream* out);
