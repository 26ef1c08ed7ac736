#include "BookProcess.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "BookData.h"
#include "TextIntface.h"
#include "UField.h"

void WriteContacts(const std::filesystem::path& folder,
                   const std::vector<std::pair<std::string, std::string>>& contacts) {
  std::filesystem::create_directories(folder);
  RegisterEngineFieldClasses();
  SelectLanguage(2);
  {
    TBook book(folder.string() + "/");
    book.Open(true);
    for (const auto& [name, birth] : contacts) book.InsertContact({name, "", "", "", birth, ""});
  }
  ClearFieldClassRegistry();
}

TBookProcess::TBookProcess(const std::string& executable, const std::filesystem::path& folder)
    : FFolder(folder) {
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(executable, Executable(),
                             std::filesystem::copy_options::skip_existing);
}

TBookProcess::~TBookProcess() { Kill(); }

void TBookProcess::Start(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& env) {
  FExit.reset();
  FPid = ::fork();
  if (FPid != 0) return;
  for (const std::string& entry : env) {
    const std::size_t equals = entry.find('=');
    const std::string name = entry.substr(0, equals), value = entry.substr(equals + 1);
    if (value.empty()) ::unsetenv(name.c_str());
    else ::setenv(name.c_str(), value.c_str(), 1);
  }
  const std::string program = Executable().string();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

std::optional<int> TBookProcess::WaitExit(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!FExit && FPid > 0) {
    int status = 0;
    if (::waitpid(FPid, &status, WNOHANG) == FPid) {
      FExit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return FExit;
}

bool TBookProcess::Running() { return FPid > 0 && !WaitExit(std::chrono::milliseconds(0)); }

void TBookProcess::Kill() {
  if (!Running()) return;
  ::kill(FPid, SIGKILL);
  WaitExit(std::chrono::seconds(5));
}

std::vector<std::uint32_t> CaptureWindow(const std::string& display, unsigned long window,
                                         int& width, int& height) {
  width = height = 0;
  std::vector<std::uint32_t> pixels;
  Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) return pixels;
  XWindowAttributes attributes{};
  XImage* shot = nullptr;
  if (XGetWindowAttributes(connection, window, &attributes) != 0)
    shot = XGetImage(connection, window, 0, 0, static_cast<unsigned>(attributes.width),
                     static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (shot != nullptr) {
    width = attributes.width;
    height = attributes.height;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels.push_back(static_cast<std::uint32_t>(XGetPixel(shot, x, y) & 0xFFFFFF));
    XDestroyImage(shot);
  }
  XCloseDisplay(connection);
  return pixels;
}
