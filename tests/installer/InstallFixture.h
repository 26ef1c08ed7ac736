#pragma once
// The installer's wizard in the test's own process, in a pretend user session (HOME and the
// XDG folders in a temporary folder), with a scripted user who answers the replacement
// question.

#include <chrono>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include "Confirm.h"
#include "FailureApplication.h"
#include "MainForm.h"
#include "UserSession.h"

// The tests' application: the installer's own kind, which can hand failures that reach its
// event loop to a handler.
TFailureApplication& FailureTestApplication();

// The answers the scripted user gives, in order, and the questions they were given for.
class TScriptedAnswers {
public:
  TScriptedAnswers();
  void Add(TConfirmAnswer answer) { FQueue.push_back(answer); }
  QStringList Asked;

private:
  void Poll();
  std::deque<TConfirmAnswer> FQueue;
  QTimer FTimer;
};

class TInstallFixture : public ::testing::Test {
protected:
  TInstallFixture();
  ~TInstallFixture() override;

  std::filesystem::path Home() const { return Session.Root / "home"; }
  std::filesystem::path Data() const { return Session.Root / "data"; }
  // The launchers the installer writes in English.
  std::filesystem::path MenuGroup() const { return Data() / "applications/Kalmiq"; }
  std::filesystem::path DesktopLink() const { return Home() / "Desktop/Vellumark.desktop"; }
  std::filesystem::path QuickLaunchLink() const { return Data() / "applications/Vellumark.desktop"; }

  // Goes from the first page to the summary with the folder typed, then presses Install.
  void Install(const std::string& folder);
  // The memo lines that end a step ("   - Ok" or "   - Error").
  QStringList StepLines() const;

  TUserSession Session;
  std::unique_ptr<TMainFormSetup> Wizard;
  std::unique_ptr<TConfirmForm> Confirm;
  TScriptedAnswers Answers;
};

std::string ReadText(const std::filesystem::path& path);

// True once condition holds, false when it still does not after limit.
template <class Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}
