// The main window as a user meets it on the offscreen platform: its actions and menu, the modes,
// typing to search, sorting, the contact dialogs, jobs, hints, languages and its stored layout.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLabel>
#include <QTest>
#include <cstdlib>

#include <QElapsedTimer>
#include <QRegularExpression>

#include "Contacts.h"
#include "DateEdit.h"
#include "Gradient.h"
#include "LocalDbEdit.h"
#include "MainFormFixture.h"
#include "PhoneEdit.h"
#include "UErrors.h"

namespace {

using MainFormTest = MainFormFixture;

QString Shortcuts(const QAction* action) {
  QStringList keys;
  for (const QKeySequence& key : action->shortcuts()) keys << key.toString();
  return keys.join(QLatin1Char('|'));
}

std::vector<TContactTexts> ThreeContacts() {
  return {{"Anna", "044 111", "", "", "14.02.1988", ""},
          {"Boris", "044 222", "", "", "03.11.1975", ""},
          {"Vera", "", "", "", "25.12.2001", ""}};
}

}  // namespace

TEST_F(MainFormTest, EveryActionWithItsCategoryShortcutCaptionAndHint) {
  CreateForm();
  struct TRow {
    QAction* action;
    const char* category;
    const char* keys;
    const char* caption;
    const char* hint;
  };
  const TRow rows[] = {
      {form->ActExit, "File", "Esc", "Exit", "Exit the program"},
      {form->ActUpperName, "File", "", "Autocorrection", "Put the capital first letters in the names"},
      {form->ActInsert, "Operation", "Ins", "New", "Enter a new contact"},
      {form->ActEdit, "Operation", "Return|Enter", "Edit", "Change information about a contact"},
      {form->ActDelete, "Operation", "Del", "Delete", "Delete a contact"},
      {form->ActSort, "Operation", "F9", "Sort", "Sort by the active column"},
      {form->ActSearchStart, "Operation", "F3", "Search", "Start contact search"},
      {form->ActSearchStop, "Operation", "", "Stop searching", "Stop the searching of contact"},
      {form->ActRusLang, "Lang", "", "Russian", "Switch to Russian language"},
      {form->ActUkrLang, "Lang", "", "Ukrainian", "Switch to Ukrainian language"},
      {form->ActEngLang, "Lang", "", "English", "Switch to English language"},
      {form->ActAbout, "Help", "", "About...", "Show software information"},
      {form->ActHelp, "Help", "|F1", "Help", "Information on using the program"},
      {form->ActExport, "ExImRep", "", "Export", "Export of Vellumark to .csv file"},
      {form->ActImport, "ExImRep", "", "Import", "Import of Vellumark from .csv file"},
      {form->ActPrint, "ExImRep", "", "Print", "Print a Vellumark"},
  };
  for (const TRow& row : rows) {
    const QString name = row.action->objectName();
    EXPECT_EQ(row.action->property("Category").toString(), row.category) << name.toStdString();
    EXPECT_EQ(Shortcuts(row.action), row.keys) << name.toStdString();
    EXPECT_EQ(row.action->text(), row.caption) << name.toStdString();
    EXPECT_EQ(row.action->statusTip(), row.hint) << name.toStdString();
  }

  // The context menu, top to bottom.
  QStringList items;
  for (QAction* item : form->PopupMenu->actions())
    items << (item->isSeparator() ? QStringLiteral("-") : item->text());
  EXPECT_EQ(items.join(QLatin1Char(',')),
            "New,Edit,Delete,Sort,Search,Stop searching,-,Autocorrection,-,Help,Database,"
            "Language,-,Exit");
  EXPECT_EQ(form->MenuFile->actions(),
            (QList<QAction*>{form->ActExport, form->ActImport, form->ActPrint}));
  EXPECT_EQ(form->MenuHelp->actions(), (QList<QAction*>{form->ActHelp, form->ActAbout}));
  EXPECT_EQ(form->MenuLang->actions(),
            (QList<QAction*>{form->ActEngLang, form->ActRusLang, form->ActUkrLang}));
  EXPECT_EQ(form->MenuLang->menuAction()->statusTip(), "Language select");
}

TEST_F(MainFormTest, FirstStartIsCentredAtTheDesignedSizeWithTheDefaultColumns) {
  CreateForm();
  EXPECT_EQ(form->size(), QSize(352, 346));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form->pos(), QPoint(screen.width() / 2 - 176, screen.height() / 2 - 173));
  // The columns fill the grid, so the designed widths are spread over what the window leaves.
  EXPECT_NEAR(form->GridBook->ColWidth(1), 130, 4);
  for (int col = 2; col <= 4; ++col) EXPECT_NEAR(form->GridBook->ColWidth(col), 66, 3);
  EXPECT_EQ(form->GridBook->Header()->model()->headerData(3, Qt::Horizontal).toString(), "Birthday");
}

TEST_F(MainFormTest, ClosingStoresPlaceSizeAndWidthsWhichTheNextWindowRestores) {
  CreateForm();
  form->move(40, 30);
  form->resize(500, 400);
  QTest::keyClick(form.get(), Qt::Key_Escape);  // Esc closes in browse mode
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(ProgOptions->Left(), 40);
  EXPECT_EQ(ProgOptions->Width(), 500);
  EXPECT_EQ(ProgOptions->Height(), 400);
  const int nameWidth = ProgOptions->NameWidth();
  EXPECT_GT(nameWidth, 130);  // the columns spread over the wider window

  CreateForm();
  EXPECT_EQ(form->pos(), QPoint(40, 30));
  EXPECT_EQ(form->size(), QSize(500, 400));
  EXPECT_EQ(form->GridBook->ColWidth(1), nameWidth);

  // A size below the minimum is no stored size.
  ProgOptions->SetWidth(339);
  CreateForm();
  EXPECT_EQ(form->size(), QSize(352, 346));
}

TEST_F(MainFormTest, AnEmptyBookOffersOnlyWhatNeedsNoContact) {
  CreateForm();
  for (QAction* on : {form->ActInsert, form->ActExit, form->ActUpperName, form->ActEngLang,
                      form->ActHelp, form->ActAbout})
    EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
  for (QAction* off : {form->ActEdit, form->ActDelete, form->ActSort, form->ActSearchStart,
                       form->ActSearchStop})
    EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
  // Enter, Del, F9 and F3 do nothing: no dialog, no question.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Delete, Qt::Key_F9, Qt::Key_F3})
    EXPECT_FALSE(WithDialog([&] { QTest::keyClick(form->GridBook, key); },
                            [] { QApplication::activeModalWidget()->close(); }));
  EXPECT_EQ(form->Mode(), TMainFormBook::ModeBrowse);
}

TEST_F(MainFormTest, InsertEditAndDeleteThroughTheDialogs) {
  CreateForm();
  // Ins: an empty dialog titled for a new contact; Save adds the contact.
  ASSERT_TRUE(WithDialog([&] { QTest::keyClick(form->GridBook, Qt::Key_Insert); }, [&] {
    EXPECT_EQ(form->Mode(), TMainFormBook::ModeAdding);
    EXPECT_EQ(edit->windowTitle(), "Addition of new contact");
    EXPECT_TRUE(edit->EditName->text().isEmpty());
    EXPECT_EQ(edit->palette().color(QPalette::Window), form->GridBook->StripeColor());
    edit->EditName->setText("Olena");
    edit->EditHouse->setText("0441234567");
    edit->EditBirth->SetDateText("14.02.1988");
    edit->TrySave();
  }));
  EXPECT_EQ(form->Mode(), TMainFormBook::ModeBrowse);
  ASSERT_EQ(book->Table().RecordCount(), 1);
  EXPECT_EQ(book->CurrentContact().Birth, "14.02.1988");
  EXPECT_TRUE(form->ActEdit->isEnabled());

  // Enter: the dialog filled from the contact; Cancel changes nothing.
  ASSERT_TRUE(WithDialog([&] { QTest::keyClick(form.get(), Qt::Key_Return); }, [&] {
    EXPECT_EQ(edit->windowTitle(), "Viewing/editing of contact");
    EXPECT_EQ(edit->EditName->text(), "Olena");
    EXPECT_EQ(edit->EditName->selectedText(), "Olena");
    EXPECT_EQ(edit->EditBirth->DateText(), "14.02.1988");
    edit->EditName->setText("Changed");
    edit->reject();
  }));
  EXPECT_EQ(book->CurrentContact().Name, "Olena");
  ProgOptions->SetUpperName(true);  // the name is corrected as the dialog is filled
  ASSERT_TRUE(WithDialog([&] { form->RunEditDialog(); }, [&] {
    EXPECT_EQ(edit->EditName->text(), "Olena");
    edit->EditName->setText("olena petrenko");
    edit->Memo->setPlainText("note");
    edit->TrySave();
  }));
  EXPECT_EQ(book->CurrentContact().Name, "Olena Petrenko");
  EXPECT_EQ(book->CurrentContact().Note, "note");

  // Del: the question names the contact; No keeps it, Yes deletes it.
  const auto answer = [](bool yes, QString* question) {
    return [yes, question] {
      TFormMessageBox* box = FormMessageBox();
      ASSERT_NE(box, nullptr);
      *question = box->LbQuery->text();
      EXPECT_EQ(box->windowTitle(), "Remove contact");
      (yes ? box->Btn1 : box->Btn2)->click();
    };
  };
  QString question;
  ASSERT_TRUE(WithDialog([&] { QTest::keyClick(form.get(), Qt::Key_Delete); }, answer(false, &question)));
  EXPECT_EQ(question, "Remove contact\nOlena Petrenko?");
  EXPECT_EQ(book->Table().RecordCount(), 1);
  ASSERT_TRUE(WithDialog([&] { QTest::keyClick(form.get(), Qt::Key_Delete); }, answer(true, &question)));
  EXPECT_EQ(book->Table().RecordCount(), 0);
  EXPECT_FALSE(form->ActDelete->isEnabled());

  // A contact without a name: the question line is followed directly by "?".
  AddContacts({{"", "044 1", "", "", "", ""}});
  ASSERT_TRUE(WithDialog([&] { form->RunDeleteQuestion(); }, answer(false, &question)));
  EXPECT_EQ(question, "Remove contact?");
}

TEST_F(MainFormTest, TypingSearchesOnlyWithTheKeysTheColumnTakes) {
  AddContacts(ThreeContacts());
  CreateForm();
  TDataGrid& grid = *form->GridBook;
  grid.setCurrentIndex(grid.model()->index(0, 1));  // home telephone
  QTest::keyClick(&grid, 'a');
  EXPECT_EQ(form->Mode(), TMainFormBook::ModeBrowse);
  EXPECT_FALSE(grid.SearchMode());
  QTest::keyClick(&grid, '0');
  EXPECT_EQ(form->Mode(), TMainFormBook::ModeSearching);
  EXPECT_EQ(form->StatusPanelText(0), " Search contact  \"0\"");
  EXPECT_FALSE(form->ActSearchStart->isVisible());
  EXPECT_TRUE(form->ActSearchStop->isVisible());
  EXPECT_EQ(Shortcuts(form->ActSearchStop), "Esc");
  EXPECT_EQ(Shortcuts(form->ActExit), "");
  QTest::keyClicks(&grid, "4422");
  EXPECT_EQ(book->CurrentContact().Name, "Boris");
  EXPECT_EQ(grid.SearchText(), "04-42-2");  // the book rewrote it to the shown number

  // Esc ends the search, not the program; a second Esc closes.
  QTest::keyClick(&grid, Qt::Key_Escape);
  EXPECT_EQ(form->Mode(), TMainFormBook::ModeBrowse);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->ActSearchStart->isVisible());

  struct TKeys {
    int column;
    const char* passes;
    const char* swallowed;
  };
  for (const TKeys& keys : {TKeys{1, "a1+-./ Я", ""}, TKeys{2, "\b +-0123456789", "a.,/Я"},
                            TKeys{3, "\b +-9", "x.*"}, TKeys{4, "\b,-./0123456789", "a +x"}}) {
    grid.setCurrentIndex(grid.model()->index(0, keys.column - 1));
    for (QChar c : QString::fromUtf8(keys.passes)) {
      QChar key = c;
      form->FilterSearchKey(key);
      EXPECT_EQ(key, c) << keys.column << " " << QString(c).toStdString();
    }
    for (QChar c : QString::fromUtf8(keys.swallowed)) {
      QChar key = c;
      form->FilterSearchKey(key);
      EXPECT_TRUE(key.isNull()) << keys.column << " " << QString(c).toStdString();
    }
  }
}

TEST_F(MainFormTest, SortingTheBirthdayColumnCyclesDayMonthYear) {
  AddContacts(ThreeContacts());
  CreateForm();
  TDataGrid& grid = *form->GridBook;
  const auto caption = [&] { return grid.GetColumnCaption(3); };
  grid.setCurrentIndex(grid.model()->index(0, 3));
  const char* expected[][2] = {{"IndBirthDay", "Birthday (d)"},
                               {"IndBirthMonth", "Birthday (m)"},
                               {"IndBirthYear", "Birthday (y)"},
                               {"IndBirthDay", "Birthday (d)"}};
  for (const auto& [index, text] : expected) {
    QTest::keyClick(&grid, Qt::Key_F9);
    EXPECT_EQ(book->Table().IndexName(), index);
    EXPECT_EQ(caption(), text);
  }
  // Another column drops the suffix; coming back starts with the day again.
  grid.setCurrentIndex(grid.model()->index(0, 0));
  QTest::keyClick(&grid, Qt::Key_F9);
  EXPECT_EQ(book->Table().IndexName(), "IndName");
  EXPECT_EQ(caption(), "Birthday");
  grid.setCurrentIndex(grid.model()->index(0, 3));
  QTest::keyClick(&grid, Qt::Key_F9);
  EXPECT_EQ(caption(), "Birthday (d)");
  // A birthday search shows the order it chose.
  QTest::keyClicks(&grid, "..2001");
  EXPECT_EQ(book->CurrentContact().Name, "Vera");
  EXPECT_EQ(caption(), "Birthday (y)");
}

TEST_F(MainFormTest, DoubleClickEditsOnlyOnADataCell) {
  AddContacts(ThreeContacts());
  CreateForm();
  TDataGrid& grid = *form->GridBook;
  const auto doubleClick = [&](QWidget* widget, QPoint at) {
    return WithDialog(
        [&] {
          QTest::mousePress(widget, Qt::LeftButton, {}, at);
          QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
          QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        },
        [&] { edit->reject(); });
  };
  EXPECT_FALSE(doubleClick(grid.horizontalHeader()->viewport(), {20, 5}));
  EXPECT_FALSE(doubleClick(grid.verticalHeader()->viewport(), {3, 5}));
  EXPECT_TRUE(doubleClick(grid.viewport(), {20, 5}));
  EXPECT_EQ(form->Mode(), TMainFormBook::ModeBrowse);
}

TEST_F(MainFormTest, AJobRunsBusyAndTheWindowRecoversEvenFromAFailure) {
  AddContacts(ThreeContacts());
  CreateForm();
  struct TProbe {
    TMainFormBook& form;
    bool fail;
    explicit TProbe(TMainFormBook& f, bool failing) : form(f), fail(failing) {}
    void Execute() {
      EXPECT_EQ(form.Mode(), TMainFormBook::ModeBusy);
      EXPECT_FALSE(form.GridBook->isEnabled());
      EXPECT_FALSE(form.ActInsert->isEnabled());
      EXPECT_FALSE(form.ActEdit->isEnabled());
      EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
      if (fail) throw EGeneral("job failed");
    }
  };
  form->RunJob<TProbe>(*form, false);
  EXPECT_THROW(form->RunJob<TProbe>(*form, true), EGeneral);
  EXPECT_EQ(form->Mode(), TMainFormBook::ModeBrowse);
  EXPECT_TRUE(form->GridBook->isEnabled());
  EXPECT_TRUE(form->ActEdit->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(form->GridBook->hasFocus());
}

TEST_F(MainFormTest, HintsStayThreeSecondsAndImproperDateCannotBeCovered) {
  CreateForm();
  form->ShowHintText("Enter a new contact");
  EXPECT_EQ(form->StatusPanelText(0), " Enter a new contact");
  EXPECT_EQ(form->HintTimer->interval(), 3000);
  EXPECT_TRUE(form->HintTimer->isActive());
  // Menu items reach the window as status tips.
  form->ActDelete->showStatusText();  // what a menu does for the item under the mouse
  EXPECT_EQ(form->StatusPanelText(0), " Delete a contact");

  edit->OnHint("Improper date");  // what the edit dialog sends when it refuses a date
  EXPECT_TRUE(form->HintLocked());
  form->ShowHintText("Enter a new contact");
  EXPECT_EQ(form->StatusPanelText(0), " Improper date");
  QElapsedTimer shown;
  shown.start();
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->StatusPanelText(0).isEmpty(); }, 4000));
  EXPECT_GE(shown.elapsed(), 2900);
  EXPECT_FALSE(form->HintLocked());
  form->ShowHintText("Enter a new contact");
  EXPECT_EQ(form->StatusPanelText(0), " Enter a new contact");

  // A text too wide for its panel ends in "...".
  form->SetStatusText(std::string(300, 'w'));
  EXPECT_TRUE(form->StatusPanelText(0).endsWith("..."));
  EXPECT_LT(form->StatusBar->fontMetrics().horizontalAdvance(form->StatusPanelText(0)),
            form->StatusPanelWidth(0));
}

TEST_F(MainFormTest, LanguagesRecaptionEverythingAtRunTime) {
  ::setenv("LC_ALL", "C.UTF-8", 1);
  CreateForm();
  ASSERT_TRUE(form->ActUkrLang->isEnabled());
  AddContacts(ThreeContacts());
  form->ActUkrLang->trigger();
  EXPECT_EQ(ProgOptions->ProgLang(), 1);
  EXPECT_TRUE(form->ActUkrLang->isChecked());
  EXPECT_FALSE(form->ActEngLang->isChecked());
  EXPECT_EQ(form->ActInsert->text().toStdString(), TextUkr().ActInsertCaption);
  EXPECT_EQ(form->MenuLang->title().toStdString(), TextUkr().MenuLangCaption);
  EXPECT_EQ(form->GridBook->GetColumnCaption(0), TextUkr().ColName);
  EXPECT_EQ(about->windowTitle().toStdString(), TextUkr().AboutCaption);
  EXPECT_EQ(edit->BtnSave->text().toStdString(), TextUkr().BtnSaveCaption);
  // The clock names the month in the genitive, as the language's long date does.
  const QString clockDate = form->StatusPanelText(1).section(QLatin1Char(','), 0, 0);
  EXPECT_EQ(clockDate, QString::fromStdString(FormatDateTimeLong(Now())).section(QLatin1Char(','), 0, 0));
  EXPECT_TRUE(clockDate.contains(QRegularExpression(QStringLiteral("[а-яі]{4}"))));
  // Qt's own texts follow, through its catalogue.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Скасувати");

  form->ActRusLang->trigger();
  EXPECT_EQ(form->ActExit->text().toStdString(), TextRus().ActExitCaption);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Отмена");
  form->ActEngLang->trigger();
  EXPECT_EQ(form->ActExit->text(), "Exit");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
  EXPECT_EQ(ProgOptions->ProgLang(), 2);
  form.reset();

  // Where the locale cannot show Cyrillic, only English is offered.
  ::setenv("LC_ALL", "C", 1);
  CreateForm();
  EXPECT_FALSE(form->ActRusLang->isEnabled());
  EXPECT_FALSE(form->ActUkrLang->isEnabled());
  EXPECT_TRUE(form->ActEngLang->isEnabled());
  ::unsetenv("LC_ALL");
}

TEST_F(MainFormTest, HelpOpensTheLanguagesHelpPage) {
  std::vector<std::string> opened;
  SetShellOpenerForTests([&](const std::string& target) {
    opened.push_back(target);
    return true;
  });
  CreateForm();
  QTest::keyClick(form.get(), Qt::Key_F1);
  SetShellOpenerForTests({});
  EXPECT_EQ(opened, std::vector<std::string>{TextEng().HelpAddress});
}

TEST_F(MainFormTest, APaletteChangeRetintsTheGridAndTheDialogs) {
  CreateForm();
  const QPalette original = QApplication::palette();
  QPalette changed = original;
  changed.setColor(QPalette::Highlight, QColor(200, 0, 0));
  QApplication::setPalette(changed);
  QCoreApplication::processEvents();
  const QColor stripe = form->GridBook->StripeColor();
  EXPECT_EQ(stripe, HighlightTint());
  EXPECT_EQ(about->palette().color(QPalette::Window), stripe);
  EXPECT_EQ(edit->palette().color(QPalette::Window), stripe);
  QApplication::setPalette(original);
}
