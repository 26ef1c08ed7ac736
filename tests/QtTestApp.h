#pragma once
// The one application object that widget tests need, created on first use and kept for the
// rest of the test program. Tests run on the offscreen platform unless the environment says
// otherwise.

#include <QApplication>

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  if (qApp == nullptr) new QApplication(argc, argv);
  return *qApp;
}
