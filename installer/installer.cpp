// The installer program.

#include "InstallerMain.h"

int main(int argc, char** argv) { return InstallerMain(argc, argv); }
