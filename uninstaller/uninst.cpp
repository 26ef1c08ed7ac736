// The uninstaller program.

#include "UninstMain.h"

int main(int argc, char** argv) { return UninstMain(argc, argv); }
