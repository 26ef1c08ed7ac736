// The date, phone and base edits driven from the keyboard, the mouse and the clipboard as a
// user would, in a shown window so that focus changes run the edits' leaving steps.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "DateEdit.h"
#include "IntEdit.h"
#include "PhoneEdit.h"
#include "QtTestApp.h"
#include "UPhonFld.h"

namespace {

// A window with the edit under test and a second edit to move the focus to.
template <typename TEdit>
struct EditWindow {
  EditWindow() {
    auto* layout = new QVBoxLayout(&window);
    edit = new TEdit(&window);
    other = new TStringEdit(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus(Qt::OtherFocusReason);
  }
  void Type(const QString& keys) { QTest::keyClicks(edit, keys); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(edit, key, modifiers);
  }
  void Leave() { other->setFocus(Qt::TabFocusReason); }
  void Enter() { edit->setFocus(Qt::TabFocusReason); }

  QApplication& app = TestApplication();
  QWidget window;
  TEdit* edit;
  TStringEdit* other;
};

using DateWindow = EditWindow<TDateEdit>;
using PhoneWindow = EditWindow<TPhoneEdit>;

TEST(DateEditTest, TypedGroupsCompleteOnLeaving) {
  struct Case {
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {"5.3.85", "05.03.1985"}, {"1.1.40", "01.01.2040"}, {"1.1.41", "01.01.1941"},
      {"1.1.7", "01.01.2007"},  {"1.1.123", "01.01.0123"}, {"29022000", "29.02.2000"},
  };
  for (const Case& c : cases) {
    DateWindow w;
    w.Type(QString::fromLatin1(c.typed));
    w.Leave();
    EXPECT_EQ(w.edit->text().toStdString(), c.shown) << c.typed;
    EXPECT_EQ(w.edit->DateText(), c.shown) << c.typed;
    EXPECT_TRUE(w.edit->DateIsValid()) << c.typed;
  }
}

TEST(DateEditTest, ImproperDatesStayAsTypedAndAreInvalid) {
  struct Case {
    const char* typed;
    const char* shown;
  };
  // No year completes to 0000, which is no date; 29.02 needs a leap year.
  const Case cases[] = {{"31022000", "31.02.2000"}, {"1.2.", "1_.2_.____"},
                        {"29021900", "29.02.1900"}, {"13131990", "13.13.1990"}};
  for (const Case& c : cases) {
    DateWindow w;
    w.Type(QString::fromLatin1(c.typed));
    w.Leave();
    EXPECT_EQ(w.edit->text().toStdString(), c.shown) << c.typed;
    EXPECT_FALSE(w.edit->DateIsValid()) << c.typed;
  }
}

TEST(DateEditTest, ZerosAndPlaceholdersAreNoDate) {
  DateWindow w;
  EXPECT_TRUE(w.edit->DateIsValid());
  EXPECT_EQ(w.edit->DateText(), "");
  w.edit->SetDateText("00.00.0000");
  EXPECT_TRUE(w.edit->DateIsValid());
  EXPECT_EQ(w.edit->DateText(), "");
  w.edit->SetDateText("07.11.1975");
  EXPECT_EQ(w.edit->DateText(), "07.11.1975");
  w.edit->SetDateText("");
  EXPECT_EQ(w.edit->text(), QStringLiteral("__.__.____"));
}

TEST(DateEditTest, CaretNeverRestsBeforeASeparator) {
  DateWindow w;
  w.edit->SetDateText("12.05.1999");
  w.edit->setCursorPosition(1);
  w.Key(Qt::Key_Right);
  EXPECT_EQ(w.edit->cursorPosition(), 3);
  w.edit->setCursorPosition(6);
  w.Key(Qt::Key_Left);
  EXPECT_EQ(w.edit->cursorPosition(), 4);
  w.Key(Qt::Key_Right);  // 4 is before the last digit of the month
  EXPECT_EQ(w.edit->cursorPosition(), 6);
  w.edit->setCursorPosition(4);
  w.Key(Qt::Key_End);
  w.Key(Qt::Key_Home);
  EXPECT_EQ(w.edit->cursorPosition(), 0);
  w.Key(Qt::Key_Right);
  w.Key(Qt::Key_Right);
  EXPECT_EQ(w.edit->cursorPosition(), 3);
  w.edit->setCursorPosition(3);
  w.Key(Qt::Key_Left);
  EXPECT_EQ(w.edit->cursorPosition(), 1);
  // A click anywhere, also just before a separator, never leaves the caret there.
  for (int x = 0; x < w.edit->width(); ++x) {
    QTest::mouseClick(w.edit, Qt::LeftButton, Qt::NoModifier, QPoint(x, w.edit->height() / 2));
    EXPECT_NE(w.edit->cursorPosition(), 2) << x;
    EXPECT_NE(w.edit->cursorPosition(), 5) << x;
  }
}

TEST(DateEditTest, BackspaceDeleteAndTypingAtTheEnd) {
  DateWindow w;
  w.edit->SetDateText("12.05.1999");
  w.edit->setCursorPosition(6);
  w.Key(Qt::Key_Backspace);  // right after a separator: the digit before it
  EXPECT_EQ(w.edit->text(), QStringLiteral("12.0_.1999"));
  EXPECT_EQ(w.edit->cursorPosition(), 4);
  w.Key(Qt::Key_Backspace);
  EXPECT_EQ(w.edit->text(), QStringLiteral("12.__.1999"));
  w.Key(Qt::Key_Backspace);  // after the first separator
  EXPECT_EQ(w.edit->text(), QStringLiteral("1_.__.1999"));
  EXPECT_EQ(w.edit->cursorPosition(), 1);
  w.Key(Qt::Key_Delete);
  EXPECT_EQ(w.edit->text(), QStringLiteral("1_.__.1999"));
  EXPECT_EQ(w.edit->cursorPosition(), 3);
  w.Key(Qt::Key_End);
  w.Type("7");
  EXPECT_EQ(w.edit->text(), QStringLiteral("1_.__.1999"));
  w.Type("x ,");  // a letter and a blank do nothing; "," goes to the next group
  EXPECT_EQ(w.edit->text(), QStringLiteral("1_.__.1999"));
  w.edit->setCursorPosition(0);
  w.Type(",4");
  EXPECT_EQ(w.edit->text(), QStringLiteral("1_.4_.1999"));
  // Ctrl+Backspace inserts nothing.
  w.Key(Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("1_.4_.1999"));
}

TEST(DateEditTest, SelectionIsClearedCutAndOverTyped) {
  DateWindow w;
  w.edit->SetDateText("12.05.1999");
  w.edit->setSelection(1, 4);  // "2.05"
  w.Key(Qt::Key_Delete);
  EXPECT_EQ(w.edit->text(), QStringLiteral("1_.__.1999"));
  EXPECT_EQ(w.edit->cursorPosition(), 1);
  w.edit->SetDateText("12.05.1999");
  w.edit->setSelection(6, 4);
  w.Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1999"));
  EXPECT_EQ(w.edit->text(), QStringLiteral("12.05.____"));
  w.edit->setSelection(0, 5);
  w.Type("3");
  EXPECT_EQ(w.edit->text(), QStringLiteral("3_.__.____"));
  EXPECT_EQ(w.edit->cursorPosition(), 1);
}

TEST(DateEditTest, PasteFillsDigitPlaces) {
  DateWindow w;
  QApplication::clipboard()->setText("12 05-1999");
  w.edit->setCursorPosition(0);
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("12._0.5199"));
  // A paste needs an empty template or a selection.
  QApplication::clipboard()->setText("3");
  w.edit->setCursorPosition(0);
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("12._0.5199"));
  w.edit->setSelection(6, 4);
  QApplication::clipboard()->setText("1");
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("12._0.1___"));
  EXPECT_EQ(w.edit->cursorPosition(), 10);
  // Letters alone paste nothing; copy still works.
  QApplication::clipboard()->setText("abc");
  w.edit->setSelection(0, 2);
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("12._0.1___"));
  w.Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("12"));
}

TEST(DateEditTest, UndoAndReadOnlyNeverBreakTheTemplate) {
  DateWindow w;
  w.Type("1203");
  w.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text().size(), 10);
  w.edit->SetDateText("12.05.1999");
  w.edit->setReadOnly(true);
  w.edit->setCursorPosition(0);
  w.Type("7");
  w.Key(Qt::Key_Delete);
  QApplication::clipboard()->setText("3");
  w.edit->selectAll();
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("12.05.1999"));
}

TEST(DateEditTest, PaintingHidesPlaceholders) {
  DateWindow w;
  w.Leave();
  const QImage empty = w.edit->grab().toImage();
  w.edit->SetDateText("12.05.1999");
  w.edit->SetDateText("");
  const QImage again = w.edit->grab().toImage();
  EXPECT_EQ(empty, again);
  // Only the separators show: the placeholders' baseline stays blank.
  const QFontMetrics metrics(w.edit->font());
  const int baseline = w.edit->height() / 2 + metrics.ascent() / 2;
  const QColor base = w.edit->palette().color(QPalette::Base);
  int inked = 0;
  for (int x = 4; x < 4 + metrics.horizontalAdvance("__"); ++x)
    for (int y = baseline - 1; y <= baseline + 2; ++y)
      if (empty.pixelColor(x, y) != base) ++inked;
  EXPECT_EQ(inked, 0);
}

TEST(PhoneEditTest, TypingKeepsOnlyPhoneCharacters) {
  PhoneWindow w;
  w.Type("+38 (044) a.b/12-3");
  EXPECT_EQ(w.edit->text(), QStringLiteral("+38 044 12-3"));
  w.Key(Qt::Key_Backspace);
  EXPECT_EQ(w.edit->text(), QStringLiteral("+38 044 12-"));
  w.Key(Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("+38 044 12-"));
  w.edit->selectAll();
  w.Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("+38 044 12-"));
  EXPECT_EQ(w.edit->text(), QString());
}

TEST(PhoneEditTest, PasteIsFilteredAndTheClipboardPutBack) {
  PhoneWindow w;
  QApplication::clipboard()->setText("(044) 123.45.67 ext");
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("044 1234567 "));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("(044) 123.45.67 ext"));
  w.edit->setReadOnly(true);
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("044 1234567 "));
}

TEST(PhoneEditTest, LeavingFormatsTheNumber) {
  PhoneWindow w;
  w.Type("+380441234567");
  w.Leave();
  EXPECT_EQ(w.edit->text().toStdString(), TPhoneField::FormatPhone("+380441234567"));
  EXPECT_NE(w.edit->text(), QStringLiteral("+380441234567"));
  PhoneWindow empty;
  empty.Leave();
  EXPECT_EQ(empty.edit->text(), QString());
}

TEST(LocalDbEditTest, EnterRunsOnEveryFocusAndCtrlBackspaceDoesNothing) {
  EditWindow<TStringEdit> w;
  int entered = 0;
  w.edit->OnEnter = [&entered] { ++entered; };
  w.Leave();
  w.Enter();
  w.Leave();
  w.Enter();
  EXPECT_EQ(entered, 2);
  w.Type("Oleg Sokolov");
  w.Key(Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ(w.edit->text(), QStringLiteral("Oleg Sokolov"));
}

}  // namespace
