#pragma once
// The one failure type of the system and the assertion helper for programming errors.
//
// Every failure that a user may meet is an EGeneral carrying a UTF-8 message; it is thrown by
// value and caught at the edge of an operation. A programming error (a missing owner, an empty
// name) is reported through Assert, which throws an EGeneral naming the broken condition and the
// source unit, so the message tells a developer exactly where to look.

#include <stdexcept>
#include <string>

class EGeneral : public std::runtime_error {
public:
  explicit EGeneral(const std::string& message) : std::runtime_error(message) {}
};

// Throws EGeneral(message + " in " + unit) when condition is false.
void Assert(bool condition, const std::string& message, const std::string& unit);
