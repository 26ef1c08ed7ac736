#pragma once
// Opening the contact book at start-up, when another program may still hold the data file for a
// moment (an installer, a backup tool, a copy of the program that is ending).
//
// The open is tried up to 100 times with a pause between the tries: 20 ms in a normal start,
// which the user waits for, and 50 ms in a reminder start at logon, when the desktop is busy
// starting everything else.

#include <array>
#include <chrono>
#include <memory>

#include "BookData.h"

enum class TRunMode { NormalStart, ReminderStart };

inline constexpr int OpenAttempts = 100;
inline constexpr std::array<std::chrono::milliseconds, 2> OpenRetryDelays = {
    std::chrono::milliseconds(20), std::chrono::milliseconds(50)};

// The process's contact book; closed from its creation at start-up until the open step.
extern std::unique_ptr<TBook> Book;

// With withBackup, first backs the data file up into "Hist" (a failure is shown as a warning and
// the start goes on); then TryOpenContactBook, quiet exactly when there is no backup.
bool OpenContactBook(TBook& book, bool withBackup);
// True when the book is open. Unless quiet, a book that never opens is reported in an error box.
bool TryOpenContactBook(TBook& book, bool quiet);
