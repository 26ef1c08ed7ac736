#include "BookDataOpen.h"

#include <exception>
#include <thread>

#include "MessageBoxForm.h"
#include "TextIntface.h"

std::unique_ptr<TBook> Book;

bool OpenContactBook(TBook& book, bool withBackup) {
  if (withBackup && book.DataFileExists()) {
    try {
      book.Backup("Hist");
    } catch (const std::exception&) {
      ShowMessageBox(CurrentTexts().BackupError, CurrentTexts().AppTitle, 48, "OK", "");
    }
  }
  return TryOpenContactBook(book, !withBackup);
}

bool TryOpenContactBook(TBook& book, bool quiet) {
  const TRunMode mode = quiet ? TRunMode::ReminderStart : TRunMode::NormalStart;
  for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
    try {
      book.Open(true);
      return true;
    } catch (const std::exception&) {
      std::this_thread::sleep_for(OpenRetryDelays[static_cast<std::size_t>(mode)]);
    }
  }
  if (!quiet) ShowMessageBox(CurrentTexts().OpenDataError, CurrentTexts().AppTitle, 16, "OK", "");
  return false;
}
