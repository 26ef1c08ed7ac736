// The message box on the offscreen platform: layout of a birthday reminder, results of the keys
// and buttons per kind, reuse under a main window, and failures escaping into the event loop.

#include <gtest/gtest.h>

#include <functional>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "Exceptions.h"
#include "MessageBoxForm.h"
#include "TextIntface.h"
#include "UErrors.h"

namespace {

TApplication& App() {
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  static TApplication* application = new TApplication(argc, argv);
  return *application;
}

class MessageBoxTest : public ::testing::Test {
protected:
  MessageBoxTest() {
    App();
    SelectLanguage(2);
  }
  ~MessageBoxTest() override { SetMainWindow(nullptr); }

  // Shows the box and runs look on it as soon as it is up; look must close it.
  static int ShowAndLook(std::function<void(TFormMessageBox&)> look, const std::string& text,
                         int kind, const std::string& caption = "Vellumark") {
    QTimer::singleShot(0, [look] { look(*FormMessageBox()); });
    return ShowMessageBox(text, caption, kind, "Yes", "Remove contact", "No", "Keep it");
  }
};

bool HasColour(const QImage& image, const std::function<bool(QColor)>& wanted) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (wanted(image.pixelColor(x, y))) return true;
  return false;
}

}  // namespace

TEST_F(MessageBoxTest, BirthdayShowsRosesAndTheAgeFromTheLastLine) {
  TFormMessageBox* seen = nullptr;
  ShowAndLook(
      [&](TFormMessageBox& box) {
        seen = &box;
        EXPECT_EQ(box.windowTitle(), "Vellumark");
        EXPECT_EQ(box.size(), QSize(314, 142));
        EXPECT_EQ(box.LbQuery->text(), "Anna Petrenko\ntoday\n");
        EXPECT_TRUE(box.LbAge->isVisible());
        EXPECT_EQ(box.LbAge->text(), "45");
        EXPECT_EQ(box.LbAge->palette().color(QPalette::WindowText), QColor(176, 0, 0));
        const QImage roses = box.ImageIcon->pixmap().toImage();
        EXPECT_EQ(roses.size(), QSize(48, 64));
        EXPECT_TRUE(HasColour(roses, [](QColor c) { return c.red() > 150 && c.green() < 60; }));
        EXPECT_FALSE(box.Btn1->isVisible());
        EXPECT_EQ(box.Btn2->text(), "Yes");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_LE((box.geometry().center() - screen.center()).manhattanLength(), 2);
        EXPECT_FALSE(box.Bevel->isHidden());  // no glass: the separator shows
        box.grab();  // the strip is drawn when the box paints
        EXPECT_FALSE(box.Image->pixmap().isNull());
        QTest::keyClick(&box, Qt::Key_Return);
      },
      "Anna Petrenko\r\ntoday\r\n45", 128);
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(FormMessageBox(), nullptr);  // without a main window every box is made afresh
}

TEST_F(MessageBoxTest, ResultsOfKeysAndButtonsPerKind) {
  struct TCase {
    const char* Name;
    int Kind;
    std::function<void(TFormMessageBox&)> Act;
    int Result;
  };
  const auto key = [](Qt::Key k) { return [k](TFormMessageBox& box) { QTest::keyClick(&box, k); }; };
  const TCase cases[] = {
      {"one button, Escape", 48, key(Qt::Key_Escape), mrOk},
      {"one button, Enter", 16, key(Qt::Key_Return), mrOk},
      {"one button, click", 64, [](TFormMessageBox& b) { b.Btn2->click(); }, mrOk},
      {"one button, title-bar close", 48, [](TFormMessageBox& b) { b.close(); }, mrCancel},
      {"two buttons, Escape", 33, key(Qt::Key_Escape), mrCancel},
      {"two buttons, Enter", 33, key(Qt::Key_Return), mrOk},
      {"two buttons, second", 49, [](TFormMessageBox& b) { b.Btn2->click(); }, mrCancel},
      {"two buttons, first", 49, [](TFormMessageBox& b) { b.Btn1->click(); }, mrOk},
  };
  for (const TCase& c : cases) EXPECT_EQ(ShowAndLook(c.Act, "Text", c.Kind), c.Result) << c.Name;
}

TEST_F(MessageBoxTest, UnderTheMainWindowOneBoxIsReusedAndSetPerCall) {
  QWidget main;
  main.setGeometry(40, 30, 500, 400);
  main.show();
  SetMainWindow(&main);
  TFormMessageBox* first = nullptr;
  ShowAndLook(
      [&](TFormMessageBox& box) {
        first = &box;
        EXPECT_TRUE(box.Btn1->isVisible());
        EXPECT_TRUE(box.Btn1->isDefault());
        EXPECT_EQ(box.Btn1->toolTip(), "Remove contact");
        EXPECT_EQ(box.Btn2->text(), "No");
        EXPECT_FALSE(box.LbAge->isVisible());
        EXPECT_LE((box.frameGeometry().center() - main.frameGeometry().center())
                      .manhattanLength(), 2);
        box.Btn2->click();
      },
      "Remove contact\r\nAnna?", 33, "Remove contact");
  ShowAndLook(
      [&](TFormMessageBox& box) {
        EXPECT_EQ(&box, first);
        EXPECT_FALSE(box.Btn1->isVisible());
        EXPECT_TRUE(box.Btn2->isDefault());
        EXPECT_EQ(box.Btn2->text(), "Yes");
        EXPECT_EQ(box.LbQuery->text(), "Saved\nfine");
        box.Btn2->click();
      },
      "Saved\r\nfine", 64);
  EXPECT_EQ(FormMessageBox(), first);
}

TEST_F(MessageBoxTest, EscapedFailureIsReportedOverTheMainWindowAndTheLoopGoesOn) {
  QWidget main;
  main.setGeometry(60, 50, 400, 300);
  main.show();
  SetMainWindow(&main);
  TExceptHandler handler;
  App().SetExceptHandler(&handler);

  std::string reported;
  QTimer::singleShot(0, &main, [] { throw EGeneral("Disk is full"); });
  QTimer::singleShot(50, [&] {
    TFormMessageBox& box = *FormMessageBox();
    reported = box.LbQuery->text().toStdString();
    EXPECT_EQ(box.windowTitle(), "Vellumark");
    EXPECT_EQ(box.Btn2->toolTip(), "Close message window");
    EXPECT_LE((box.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(),
              2);
    box.Btn2->click();
  });
  bool loopWentOn = false;
  QTimer::singleShot(100, [&] {
    loopWentOn = true;
    QCoreApplication::exit(0);
  });
  QCoreApplication::exec();
  App().SetExceptHandler(nullptr);

  EXPECT_TRUE(loopWentOn);
  EXPECT_EQ(reported.rfind("Disk is full\nEGeneral :", 0), 0u) << reported;
  EXPECT_EQ(reported.size(), std::string("Disk is full\nEGeneral :").size() + 8);
  EXPECT_EQ(FailureReport(nullptr, nullptr), "\r\n");
}
