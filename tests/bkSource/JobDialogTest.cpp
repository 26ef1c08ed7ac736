// The jobs with the program's real dialogs on the offscreen platform: Qt's save dialog with the
// proposed name, the ".csv" rule and the overwrite question about the file actually written;
// cancelling the open dialog; and the message box's Continue/Stop question and summary.

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "EximRep.h"
#include "JobFixture.h"
#include "MessageBoxForm.h"
#include "ProgramPaths.h"
#include "QtLanguage.h"
#include "TextIntface.h"
#include "UCodePage1251.h"

namespace {

// Runs act on the first visible top-level widget of type T as soon as one is shown (inside the
// modal loop that shows it). act must close it.
template <typename T>
void WhenShown(std::function<void(T&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* wanted = dynamic_cast<T*>(widget);
      if (wanted == nullptr || !wanted->isVisible()) continue;
      timer->stop();
      timer->deleteLater();
      act(*wanted);
      return;
    }
  });
  timer->start();
}

QPushButton* DialogButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
  return dialog.findChild<QDialogButtonBox*>("buttonBox")->button(which);
}

class JobDialogTest : public JobTest {
protected:
  JobDialogTest() { SetJobDialogs({}); }  // the program's own dialogs
  ~JobDialogTest() override {
    SelectQtLanguage(2);
    SelectLanguage(2);
  }

  // Types the name into the save dialog and presses Save.
  static void SaveAs(QFileDialog& dialog, const std::string& name) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(name));
    DialogButton(dialog, QDialogButtonBox::Save)->click();
  }
};

}  // namespace

TEST_F(JobDialogTest, TheSaveDialogProposesTodayAndSavesATxtNameWithCsvAppended) {
  AddContacts({{"Adam", "", "", "", "", ""}});
  bool seen = false;
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    seen = true;
    EXPECT_EQ(dialog.windowTitle(), "Export Vellumark");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.directory().absolutePath().toStdString() + "/", ExecutableFolder() + "Export/");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), "2026-12-10");
    EXPECT_EQ(dialog.nameFilters(), QStringList{"Table file (*.csv)"});
    SaveAs(dialog, (folder / "list.txt").string());
  });
  Run<TCsvExport>();
  EXPECT_TRUE(seen);
  EXPECT_FALSE(std::filesystem::exists(folder / "list.txt"));
  EXPECT_EQ(ReadFile(folder / "list.txt.csv"),
            "Name;Domestic;Working;Mobile;Birthday;Note\r\nAdam;;;;;\r\n");
}

TEST_F(JobDialogTest, TheOverwriteQuestionIsAboutTheFileThatWillBeWritten) {
  SelectLanguage(0);
  SelectQtLanguage(0);
  WriteFile("list.txt.csv", "old");
  std::string question;
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    WhenShown<QMessageBox>([&](QMessageBox& box) {
      question = box.text().toStdString();
      box.button(QMessageBox::Yes)->click();
    });
    SaveAs(dialog, (folder / "list.txt").string());
  });
  Run<TCsvExport>();
  EXPECT_NE(question.find("list.txt.csv"), std::string::npos) << question;
  EXPECT_NE(question.find("существует"), std::string::npos) << question;  // in Qt's Russian
  EXPECT_EQ(ReadFile(folder / "list.txt.csv"),
            Utf8ToCp1251("Абонент;Домашний;Рабочий;Мобильный;Дата;Примечание") + "\r\n");
}

TEST_F(JobDialogTest, DialogsSpeakTheProgramsLanguageAndCancelChangesNothing) {
  SelectLanguage(0);
  SelectQtLanguage(0);
  QString title;
  QString cancel;
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    cancel = DialogButton(dialog, QDialogButtonBox::Cancel)->text();
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    DialogButton(dialog, QDialogButtonBox::Cancel)->click();
  });
  Run<TCsvImport>();
  EXPECT_EQ(title, "Импорт абонентов");
  EXPECT_EQ(cancel, "Отмена");
  EXPECT_TRUE(Contacts().empty());
  EXPECT_EQ(FormMessageBox(), nullptr);  // no message was shown
}

TEST_F(JobDialogTest, TheMessageBoxAsksContinueOrStopAndSumsUp) {
  const std::string path = WriteCsv("in.csv", {"Ann;;;;;", "Bad;;;;31.02.1980;", "Cid;;;;;"}).string();
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
    DialogButton(dialog, QDialogButtonBox::Open)->click();
  });
  std::string question;
  std::string summary;
  WhenShown<TFormMessageBox>([&](TFormMessageBox& box) {
    question = box.LbQuery->text().toStdString();
    EXPECT_EQ(box.windowTitle(), "Import of contacts");
    EXPECT_EQ(box.Btn1->text(), "Continue");
    EXPECT_EQ(box.Btn2->text(), "Stop");
    EXPECT_TRUE(box.Btn1->isDefault());
    WhenShown<TFormMessageBox>([&](TFormMessageBox& next) {
      summary = next.LbQuery->text().toStdString();
      QTest::keyClick(&next, Qt::Key_Return);
    });
    box.Btn2->click();
  });
  Run<TCsvImport>();
  EXPECT_EQ(question, "Can't import data string:\nBad;;;;31.02.1980;");
  EXPECT_EQ(summary, "Data import has been interrupted by user!\nNew contacts are added: 1");
  ASSERT_EQ(Contacts().size(), 1u);
}
