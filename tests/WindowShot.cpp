// Saves a picture of an X window (or of the whole screen) as a PNG file, for the tests that look
// at the program under a private X server and for scripts/run on a machine without a display.
//
// Usage: windowshot WINDOW-ID|root FILE.png   (the X display comes from DISPLAY)

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: windowshot WINDOW-ID|root FILE.png\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  const std::string which = argv[1];
  const WId window = which == "root" ? 0 : static_cast<WId>(std::stoull(which, nullptr, 0));
  const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
  if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "windowshot: cannot save %s\n", argv[2]);
    return 1;
  }
  return 0;
}
