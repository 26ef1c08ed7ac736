#pragma once
// Test helper: a private X server for tests that need a real one.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

// A private X server for the test, started with -displayfd so that it picks a free display.
class TXvfb {
public:
  explicit TXvfb(const char* screen = "320x240x24") {
    int fds[2];
    if (pipe(fds) != 0) return;
    Pid_ = fork();
    if (Pid_ == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      // -noreset: by default the server starts afresh whenever its last client leaves, which
      // drops every keymap change and refuses connections while it restarts.
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp",
             "-screen", "0", screen, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    Display_ = ReadDisplay(fds[0]);
    close(fds[0]);
  }
  ~TXvfb() {
    if (Pid_ <= 0) return;
    kill(Pid_, SIGTERM);
    waitpid(Pid_, nullptr, 0);
  }
  TXvfb(const TXvfb&) = delete;
  TXvfb& operator=(const TXvfb&) = delete;

  // ":N", or empty when the server did not come up.
  const std::string& Display() const { return Display_; }

private:
  static std::string ReadDisplay(int fd) {
    std::string number;
    pollfd waiting{fd, POLLIN, 0};
    char c = 0;
    while (poll(&waiting, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') number += c;
    return number.empty() || c != '\n' ? std::string() : ":" + number;
  }

  pid_t Pid_ = -1;
  std::string Display_;
};
