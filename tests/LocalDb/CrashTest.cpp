// A real process killed in the middle of its work: a child appends, renames and deletes contacts
// in a loop on a real file and tells the parent through a pipe what it is about to do and what
// has returned; the parent kills it with SIGKILL at a random moment, opens the file and checks
// that every acknowledged change is there and no key twice. The file lock dies with its process,
// and while it lives a second process cannot open the file.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <thread>

#include "EngineFixture.h"
#include "UErrors.h"

namespace {

using TNames = std::map<std::int32_t, std::string>;

void Report(int fd, const std::string& line) {
  const std::string text = line + "\n";
  // One short write into a pipe is atomic: the parent reads whole lines or nothing.
  [[maybe_unused]] const auto written = write(fd, text.data(), text.size());
}

std::int32_t CurrentKey(ContactTable& contact) {
  return ReadInt32(contact.table.GetCellData(contact.table.RecNo(), 0));
}

// The child: changes the book until it is killed. Lines: "B op key name" before a change,
// "K op key name" once it has returned; op is A(ppend), R(ename) or D(elete).
[[noreturn]] void ChangeUntilKilled(const std::string& path, int reportFd, unsigned seed) {
  try {
    ContactTable contact(path);
    contact.Open(true);
    contact.table.SetIndex(&contact.byName);
    std::mt19937 random(seed);
    for (int i = 0; i < 1000000; ++i) {
      const int count = contact.table.RecordCount();
      const int op = count < 3 ? 0 : static_cast<int>(random() % 3);
      const std::string name = "N" + std::to_string(random() % 100000);
      std::string line;
      if (op == 0) {
        contact.table.Insert();
        line = "A " + contact.schema.id.GetAsString() + " " + name;
      } else {
        contact.table.GoTo(static_cast<int>(random() % static_cast<unsigned>(count)));
        line = (op == 1 ? "R " : "D ") + std::to_string(CurrentKey(contact)) + " " + name;
        if (op == 1) contact.table.Edit();
      }
      Report(reportFd, "B " + line);
      if (op == 2) {
        contact.table.Delete();
      } else {
        contact.schema.name.SetAsString(name);
        contact.table.Post();
      }
      Report(reportFd, "K " + line);
    }
  } catch (...) {
    _exit(2);
  }
  _exit(0);
}

struct TChange {
  char op;
  std::int32_t key;
  std::string name;
};

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof(buffer))) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

// Applies the acknowledged changes to `acked`; returns the change that had begun and not returned.
std::optional<TChange> Replay(const std::string& log, TNames& acked) {
  std::optional<TChange> pending;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    char phase = 0;
    TChange change;
    fields >> phase >> change.op >> change.key >> change.name;
    if (phase == 'B') {
      pending = change;
      continue;
    }
    if (change.op == 'D') {
      acked.erase(change.key);
    } else {
      acked[change.key] = change.name;
    }
    pending.reset();
  }
  return pending;
}

TNames OpenAndRead(const std::string& path) {
  ContactTable contact(path);
  contact.Open(false);
  TNames names;
  for (int i = 0; i < contact.table.RecordCount(); ++i) {
    const bool added = names.emplace(ReadInt32(contact.table.GetCellData(i, 0)), contact.table.GetCellText(i, 1)).second;
    EXPECT_TRUE(added) << "key twice";
  }
  return names;
}

TEST(CrashTest, KilledProcessLosesNoAcknowledgedChange) {
  TempFolder folder;
  const std::string path = folder.File("book.dat");
  std::mt19937 random(4242);
  TNames acked;
  int changes = 0;
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(report[0]);
      ChangeUntilKilled(path, report[1], static_cast<unsigned>(random()));
    }
    close(report[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 180));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
    const std::string log = ReadAll(report[0]);
    close(report[0]);
    changes += static_cast<int>(std::count(log.begin(), log.end(), 'K'));

    const std::optional<TChange> pending = Replay(log, acked);
    TNames found;
    ASSERT_NO_THROW(found = OpenAndRead(path));
    // Only the change in flight may show either way; everything else is as acknowledged.
    TNames expected = acked;
    if (pending) {
      const auto there = found.find(pending->key);
      if (pending->op == 'A' && there != found.end()) {
        EXPECT_EQ(there->second, pending->name);
      }
      if (pending->op == 'R') {
        EXPECT_TRUE(there != found.end());
      }
      expected.erase(pending->key);
      found.erase(pending->key);
    }
    EXPECT_EQ(found, expected);
    acked = OpenAndRead(path);
  }
  std::printf("%d acknowledged changes over 8 kills\n", changes);
  EXPECT_GT(changes, 0);
}

TEST(CrashTest, SecondProcessCannotOpenAnOpenFile) {
  TempFolder folder;
  const std::string path = folder.File("book.dat");
  int opened[2];
  int release[2];
  ASSERT_EQ(pipe(opened), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(opened[0]);
    close(release[1]);
    try {
      ContactTable contact(path);
      contact.Open(true);
      Report(opened[1], "open");
      char byte;
      [[maybe_unused]] const auto ignored = read(release[0], &byte, 1);  // until the parent closes
    } catch (...) {
      _exit(2);
    }
    _exit(0);
  }
  close(opened[1]);
  close(release[0]);
  char byte = 0;
  ASSERT_EQ(read(opened[0], &byte, 1), 1);

  ContactTable contact(path);
  try {
    contact.Open(false);
    ADD_FAILURE() << "opened a file that another process holds";
  } catch (const EGeneral& error) {
    EXPECT_STREQ(error.what(), "Ошибка открытия файла");
  }

  close(release[1]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  close(opened[0]);
  EXPECT_NO_THROW(contact.Open(false));
}

}  // namespace
