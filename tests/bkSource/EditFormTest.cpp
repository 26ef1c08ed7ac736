// The contact edit dialog as a user meets it: the name corrected while typing, Save refusing an
// improper birthday, the keys that save and cancel, the tab order, the length limits, and its
// texts in each language fitting their places.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "DateEdit.h"
#include "EditForm.h"
#include "IntEdit.h"
#include "Options.h"
#include "PhoneEdit.h"
#include "QtTestApp.h"
#include "TextIntface.h"

namespace {

class EditFormTest : public ::testing::Test {
protected:
  EditFormTest() {
    TestApplication();
    SelectLanguage(2);
    std::random_device random;
    folder = std::filesystem::temp_directory_path() / ("vellumark-edit-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / CfgFileName).flush();
    CreateProgOptions(folder.string());
    form = std::make_unique<TFormEdit>();
    form->OnHint = [this](const std::string& hint) { hints.push_back(hint); };
    form->show();
    QApplication::setActiveWindow(form.get());
    form->EditName->setFocus(Qt::TabFocusReason);
  }
  ~EditFormTest() override {
    form.reset();
    FreeProgOptions();
    std::filesystem::remove_all(folder);
    SelectLanguage(2);
  }

  std::filesystem::path folder;
  std::unique_ptr<TFormEdit> form;
  std::vector<std::string> hints;
};

TEST_F(EditFormTest, NameIsCapitalisedWhileTypingWithTheCaretInPlace) {
  ProgOptions->SetUpperName(true);
  QTest::keyClicks(form->EditName, "sokolov-petrov oleg");
  EXPECT_EQ(form->EditName->text(), QStringLiteral("Sokolov-Petrov Oleg"));
  // Typing inside the name keeps the caret where the user typed.
  form->EditName->setCursorPosition(8);
  QTest::keyClicks(form->EditName, "x");
  EXPECT_EQ(form->EditName->text(), QStringLiteral("Sokolov-Xpetrov Oleg"));
  EXPECT_EQ(form->EditName->cursorPosition(), 9);
  // Loading a name corrects it as well, in any script.
  form->EditName->setText("McDONALD");
  EXPECT_EQ(form->EditName->text(), QStringLiteral("Mcdonald"));
  form->EditName->setText(QStringLiteral("іванова о.п."));
  EXPECT_EQ(form->EditName->text(), QStringLiteral("Іванова О.П."));
}

TEST_F(EditFormTest, WithoutAutocorrectionTheNameStaysAsTyped) {
  ProgOptions->SetUpperName(false);
  QTest::keyClicks(form->EditName, "sokolov-petrov McDONALD");
  EXPECT_EQ(form->EditName->text(), QStringLiteral("sokolov-petrov McDONALD"));
}

TEST_F(EditFormTest, SaveRefusesAnImproperBirthday) {
  form->EditBirth->SetDateText("31.02.1990");
  QTest::mouseClick(form->BtnSave, Qt::LeftButton);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), form->EditBirth);
  EXPECT_EQ(form->EditBirth->selectedText(), QStringLiteral("31.02.1990"));
  EXPECT_EQ(hints, std::vector<std::string>{"Improper date"});
  form->EditBirth->SetDateText("");
  QTest::mouseClick(form->BtnSave, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(EditFormTest, KeysThatSaveAndCancel) {
  // Enter in a single-line field saves.
  QTest::keyClick(form->EditHouse, Qt::Key_Return);
  EXPECT_EQ(form->result(), QDialog::Accepted);
  // Enter in the note starts a new line; Ctrl+S saves from it; Escape in it cancels.
  form->show();
  QApplication::setActiveWindow(form.get());
  form->Memo->setFocus();
  QTest::keyClicks(form->Memo, "a");
  QTest::keyClick(form->Memo, Qt::Key_Return);
  QTest::keyClicks(form->Memo, "b");
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Memo->toPlainText(), QStringLiteral("a\nb"));
  form->setResult(0);
  QTest::keySequence(form->Memo, QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(form->result(), QDialog::Accepted);
  form->show();
  QApplication::setActiveWindow(form.get());
  form->Memo->setFocus();
  QTest::keyClick(form->Memo, Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(EditFormTest, TabOrderAndLengthLimits) {
  const std::vector<QWidget*> expected = {form->EditHouse, form->EditWork, form->EditMobile,
                                          form->EditBirth, form->Memo,     form->BtnSave,
                                          form->BtnCancel, form->EditName};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  QTest::keyClicks(form->EditName, QString(40, QLatin1Char('n')));
  EXPECT_EQ(form->EditName->text().size(), TFormEdit::NameMaxLength);
  form->Memo->setFocus();
  QTest::keyClicks(form->Memo, QString(260, QLatin1Char('m')));
  EXPECT_EQ(form->Memo->toPlainText().size(), TFormEdit::NoteMaxLength);
}

TEST_F(EditFormTest, EditingKeysOfTheDialog) {
  QTest::keyClicks(form->EditName, "Oleg");
  QTest::keyClick(form->EditName, Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(form->EditName->text(), QString());
  QTest::keyClicks(form->EditName, "Oleg");
  QTest::keyClick(form->EditName, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(form->EditName->selectedText(), QStringLiteral("Oleg"));
  // The menu's paste goes through the edit's filter.
  form->EditWork->setFocus();
  QApplication::clipboard()->setText("(044) 12.34");
  form->ActEditPaste->trigger();
  EXPECT_EQ(form->EditWork->text(), QStringLiteral("044 1234"));
}

TEST_F(EditFormTest, TextsOfEachLanguageFitTheirPlaces) {
  for (int language : {0, 1, 2}) {
    SelectLanguage(language);
    form->ApplyTexts();
    EXPECT_EQ(form->LbNote->text().toStdString(), CurrentTexts().LbNoteCaption);
    EXPECT_EQ(form->ActEditPaste->text().toStdString(), CurrentTexts().ActEditPasteCaption);
    // Every label shows whole, left of its neighbour, above its edit.
    for (QLabel* label : {form->LbName, form->LbHouse, form->LbWork, form->LbMobile,
                          form->LbBirth, form->LbNote}) {
      EXPECT_GE(label->width(), label->sizeHint().width());
      EXPECT_LE(label->geometry().right(), form->width());
    }
    EXPECT_LT(form->LbHouse->geometry().right(), form->LbWork->x()) << language;
    EXPECT_LT(form->LbMobile->geometry().right(), form->LbBirth->x()) << language;
    EXPECT_LT(form->LbName->geometry().bottom(), form->EditName->y());
    for (QPushButton* button : {form->BtnSave, form->BtnCancel})
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width());
  }
}

}  // namespace
