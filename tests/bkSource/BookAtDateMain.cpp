// The contact list program with its clock set to noon of the day in VELLUMARK_TODAY
// (yyyy-mm-dd), so that tests can start it on a day of their choosing.

#include <cstdio>
#include <cstdlib>

#include "BookMain.h"
#include "UDateTime.h"

int main(int argc, char** argv) {
  int year = 0, month = 0, day = 0;
  const char* today = std::getenv("VELLUMARK_TODAY");
  if (today != nullptr && std::sscanf(today, "%d-%d-%d", &year, &month, &day) == 3) {
    const TDateTime noon = EncodeDate(year, month, day) + 0.5;
    SetClock([noon] { return noon; });
  }
  return BookMain(argc, argv);
}
