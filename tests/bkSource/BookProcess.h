#pragma once
// The built program run as a person runs it: a copy of the executable in a folder of its own,
// started as a child process with the test's session (HOME, XDG_*) and the data and settings
// files the test put beside it.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Makes folder/book.dat with contacts given as name and birthday ("dd.mm.yyyy").
void WriteContacts(const std::filesystem::path& folder,
                   const std::vector<std::pair<std::string, std::string>>& contacts);

class TBookProcess {
public:
  // Copies the executable into folder (created when missing) as "book", unless a copy is there.
  TBookProcess(const std::string& executable, const std::filesystem::path& folder);
  ~TBookProcess();  // kills a child that still runs
  TBookProcess(const TBookProcess&) = delete;
  TBookProcess& operator=(const TBookProcess&) = delete;

  // Starts the copy with the arguments; environment entries "NAME=value" are added, "NAME="
  // alone removes the variable.
  void Start(const std::vector<std::string>& arguments, const std::vector<std::string>& env = {});
  // The exit code when the child ended within the time, else nothing.
  std::optional<int> WaitExit(std::chrono::milliseconds limit);
  bool Running();
  void Kill();

  pid_t Pid() const { return FPid; }
  std::filesystem::path Executable() const { return FFolder / "book"; }

private:
  std::filesystem::path FFolder;
  pid_t FPid = -1;
  std::optional<int> FExit;
};

// The pixels (0xRRGGBB, row by row) of a window on the X display; empty when it cannot be read.
std::vector<std::uint32_t> CaptureWindow(const std::string& display, unsigned long window,
                                         int& width, int& height);
