#include <iostream>

#include "BookCtl.h"
#include "UField.h"

int main(int argc, char* argv[]) {
  RegisterEngineFieldClasses();
  const int status = RunBookCtl(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  ClearFieldClassRegistry();
  return status;
}
