#pragma once
// The main window's tests: a contact book and "book.cfg" in a temporary folder, English texts,
// and the window with its about window and edit dialog as start-up makes them. No update check
// runs: the last one is dated now.

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>

#include "AboutForm.h"
#include "BookData.h"
#include "EditForm.h"
#include "MainForm.h"
#include "MessageBoxForm.h"
#include "Options.h"
#include "QtLanguage.h"
#include "QtTestApp.h"
#include "TextIntface.h"
#include "UField.h"

class MainFormFixture : public ::testing::Test {
protected:
  MainFormFixture() {
    TestApplication();
    SelectLanguage(2);
    std::random_device random;
    folder = std::filesystem::temp_directory_path() / ("vellumark-main-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / CfgFileName).flush();
    CreateProgOptions(folder.string());
    ProgOptions->SetTestDate(Now());
    RegisterEngineFieldClasses();
    book = std::make_unique<TBook>(folder.string() + "/");
    book->Open(true);
  }
  ~MainFormFixture() override {
    form.reset();
    book.reset();
    ClearFieldClassRegistry();
    FreeProgOptions();
    std::filesystem::remove_all(folder);
    SelectLanguage(2);
    SelectQtLanguage(2);
  }

  void CreateForm() {
    form = std::make_unique<TMainFormBook>(*book);
    about = new TFormAbout(form.get());
    edit = new TFormEdit(form.get());
    form->AttachDialogs(about, edit);
    form->TintDialogs();
    form->show();
    QApplication::setActiveWindow(form.get());
  }

  void AddContacts(const std::vector<TContactTexts>& contacts) {
    for (const TContactTexts& contact : contacts) book->InsertContact(contact);
    if (form) form->GridBook->RefreshData();
  }

  // Runs action while answer handles the modal dialog it opens (the edit dialog or the message
  // box), from inside that dialog's event loop.
  // Returns whether a dialog was answered.
  bool WithDialog(const std::function<void()>& action, const std::function<void()>& answer) {
    bool answered = false;
    QTimer timer;  // goes with this scope when no dialog ran its loop
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      answered = true;
      answer();
    });
    timer.start(0);
    action();
    // The offscreen platform does not give the activation back when a dialog closes.
    if (QWidget* main = MainWindow()) QApplication::setActiveWindow(main);
    return answered;
  }

  std::filesystem::path folder;
  std::unique_ptr<TBook> book;
  std::unique_ptr<TMainFormBook> form;
  TFormAbout* about = nullptr;
  TFormEdit* edit = nullptr;
};
