// The contact list program.

#include "BookMain.h"

int main(int argc, char** argv) { return BookMain(argc, argv); }
