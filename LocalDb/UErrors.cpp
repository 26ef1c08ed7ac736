#include "UErrors.h"

void Assert(bool condition, const std::string& message, const std::string& unit) {
  if (!condition) {
    throw EGeneral(message + " in " + unit);
  }
}
