// The single-instance guard: the path tag, first and later copies in one process and across
// processes, the answer with the window handle, quit requests and a first copy that was killed.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "AppSelector.h"
#include "UserSession.h"

namespace {

using namespace std::chrono_literals;

const std::string kPath = "/opt/vellumark/book";

// Waits up to two seconds for the condition.
template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 200 && !condition(); ++i) std::this_thread::sleep_for(10ms);
  return condition();
}

}  // namespace

TEST(InstanceSuffixTest, PathTagIgnoresLetterCaseAndBlanks) {
  EXPECT_EQ(InstanceSuffix("C:\\Programs\\book.exe"), "9426-92D6");
  EXPECT_EQ(InstanceSuffix("c:\\PROGRAMS\\Book.EXE"), "9426-92D6");
  EXPECT_EQ(InstanceSuffix("  C:\\Programs\\book.exe \t"), "9426-92D6");
  EXPECT_EQ(InstanceSuffix(""), "");
  EXPECT_EQ(InstanceSuffix("   "), "");
  EXPECT_NE(InstanceSuffix("/home/a/book"), InstanceSuffix("/home/b/book"));
  // Cyrillic letters are upper-cased as well before hashing their code page bytes.
  EXPECT_EQ(InstanceSuffix("/home/книга/book"), InstanceSuffix("/home/КНИГА/book"));
  TAppSelector guard("Kalmiq", "C:\\Programs\\book.exe");
  EXPECT_EQ(guard.ActivateEventName(), "KalmiqActivateEvent9426-92D6");
  EXPECT_EQ(guard.MappedFileName(), "KalmiqMappedFile9426-92D6");
  EXPECT_EQ(guard.StopperEventName(), "KalmiqStopperEvent9426-92D6");
}

TEST(AppSelectorTest, LaterCopyIsAnsweredAndOtherPathsAreIndependent) {
  TUserSession session;
  std::atomic<int> restores{0};
  TInstanceRequests requests;
  requests.Restore = [&](TActivationAnswer answer) {
    ++restores;
    answer.Send(0);  // no window to raise in this test
  };
  TAppSelector first("Kalmiq", kPath, requests);
  ASSERT_TRUE(first.FirstInstance());
  EXPECT_TRUE(IsCopyRunning("Kalmiq", kPath));
  EXPECT_TRUE(IsCopyRunning("Kalmiq", "/OPT/Vellumark/BOOK"));

  const auto started = std::chrono::steady_clock::now();
  {
    TAppSelector later("Kalmiq", "/OPT/VELLUMARK/book");
    EXPECT_FALSE(later.FirstInstance());
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
  EXPECT_EQ(restores, 1);

  TAppSelector elsewhere("Kalmiq", "/opt/other/book");
  EXPECT_TRUE(elsewhere.FirstInstance());
  TAppSelector otherProgram("Other", kPath);
  EXPECT_TRUE(otherProgram.FirstInstance());
}

TEST(AppSelectorTest, SilentFirstCopyLetsTheLaterOneGoAfterTwoSeconds) {
  TUserSession session;
  TInstanceRequests requests;
  std::vector<TActivationAnswer> unanswered;  // held, as by a blocked user interface
  requests.Restore = [&](TActivationAnswer answer) { unanswered.push_back(std::move(answer)); };
  TAppSelector first("Kalmiq", kPath, requests);
  const auto started = std::chrono::steady_clock::now();
  TAppSelector later("Kalmiq", kPath);
  const auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_FALSE(later.FirstInstance());
  EXPECT_GE(waited, 1900ms);
  EXPECT_LT(waited, 3s);
}

TEST(AppSelectorTest, QuitRequestEndsTheFirstCopyOnce) {
  TUserSession session;
  std::atomic<int> quits{0};
  TInstanceRequests requests;
  requests.Quit = [&] { ++quits; };
  TAppSelector first("Kalmiq", kPath, requests);
  AskCopyToQuit("Kalmiq", kPath);
  ASSERT_TRUE(Eventually([&] { return !first.FirstInstance(); }));
  EXPECT_EQ(quits, 1);
  AskCopyToQuit("Kalmiq", "/nowhere/book");  // nobody runs there: nothing happens
  EXPECT_FALSE(IsCopyRunning("Kalmiq", "/nowhere/book"));
}

TEST(AppSelectorTest, GuardIsFreeAgainAfterItsOwnerIsKilled) {
  TUserSession session;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TAppSelector owner("Kalmiq", kPath);
    for (;;) ::pause();
  }
  ASSERT_TRUE(Eventually([] { return IsCopyRunning("Kalmiq", kPath); }));
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_FALSE(IsCopyRunning("Kalmiq", kPath));

  // The dead owner's socket file is still there; the new first copy replaces it and answers.
  std::atomic<int> restores{0};
  TInstanceRequests requests;
  requests.Restore = [&](TActivationAnswer answer) {
    ++restores;
    answer.Send(0);
  };
  TAppSelector next("Kalmiq", kPath, requests);
  EXPECT_TRUE(next.FirstInstance());
  TAppSelector later("Kalmiq", kPath);
  EXPECT_FALSE(later.FirstInstance());
  EXPECT_EQ(restores, 1);
}
