#include "AppSelector.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QString>

#include "ForeignWindow.h"
#include "Hash.h"
#include "UCodePage1251.h"
#include "UserObjects.h"

namespace {

// How long a later copy waits for the first copy's window handle.
constexpr int kAnswerWaitMs = 2000;
// A request is four bytes sent right after connecting; a peer that sends nothing is dropped.
constexpr int kRequestWaitMs = 500;
constexpr std::uint32_t kActivateRequest = 0;

std::string ActivationName(const std::string& identifier, const std::string& path) {
  return identifier + "ActivateEvent" + InstanceSuffix(path);
}

std::string TrimBlanks(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

}  // namespace

std::string InstanceSuffix(const std::string& path) {
  const std::string trimmed = TrimBlanks(path);
  if (trimmed.empty()) return {};
  const std::string upper = QString::fromStdString(trimmed).toUpper().toStdString();
  const auto digest = Md5Digest(Utf8ToCp1251(upper));
  const std::uint32_t value = digest[12] | digest[13] << 8 | digest[14] << 16 |
                              static_cast<std::uint32_t>(digest[15]) << 24;
  char text[16];
  std::snprintf(text, sizeof text, "%04X-%04X", value >> 16, value & 0xFFFFu);
  return text;
}

// ---- TActivationAnswer ----

TActivationAnswer::~TActivationAnswer() {
  if (FFd >= 0) ::close(FFd);
}

void TActivationAnswer::Send(std::uint32_t windowHandle) {
  if (FFd < 0) return;
  SendWord(FFd, windowHandle);
  ::close(FFd);
  FFd = -1;
}

// ---- TAppSelector ----

TAppSelector::TAppSelector(const std::string& identifier, const std::string& executablePath,
                           TInstanceRequests requests)
    : FActivateEventName(ActivationName(identifier, executablePath)),
      FMappedFileName(identifier + "MappedFile" + InstanceSuffix(executablePath)),
      FStopperEventName(identifier + "StopperEvent" + InstanceSuffix(executablePath)),
      FRequests(std::move(requests)) {
  FLock = TNamedLock::TryAcquire(FActivateEventName);
  // Without a usable runtime folder no copy can see another: each runs as a first copy.
  if (FLock == nullptr && TNamedLock::IsHeld(FActivateEventName))
    AskFirstCopy();
  else
    StartFirstCopy();
}

TAppSelector::~TAppSelector() {
  if (FFirstInstance.exchange(false) && FMonitor != nullptr) FMonitor->Wake();
  FMonitor.reset();
  FListener.reset();  // removes the socket while the lock still keeps the name ours
  FLock.reset();
}

void TAppSelector::StartFirstCopy() {
  FFirstInstance = true;
  if (FLock != nullptr) FListener = TNamedListener::Listen(FActivateEventName);
  // Without the channel the copy still runs; later copies then end without an answer.
  if (FListener != nullptr) FMonitor = std::make_unique<TEventMonitor>(*this);
}

void TAppSelector::AskFirstCopy() {
  FFirstInstance = false;
  const int connection = ConnectNamed(FActivateEventName);
  if (connection < 0) return;
  std::uint32_t window = 0;
  if (SendWord(connection, kActivateRequest) && ReceiveWord(connection, window, kAnswerWaitMs))
    ActivateForeignWindow(window);
  ::close(connection);
}

// ---- TEventMonitor ----

TEventMonitor::TEventMonitor(TAppSelector& selector) : FSelector(selector) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) == 0) {
    FWakeRead = fds[0];
    FWakeWrite = fds[1];
  }
  FThread = std::thread([this] { Execute(); });
}

TEventMonitor::~TEventMonitor() {
  Wake();
  if (FThread.joinable()) FThread.join();
  if (FWakeRead >= 0) ::close(FWakeRead);
  if (FWakeWrite >= 0) ::close(FWakeWrite);
}

void TEventMonitor::Wake() {
  const char signal = 1;
  if (FWakeWrite >= 0) [[maybe_unused]] const auto written = ::write(FWakeWrite, &signal, 1);
}

void TEventMonitor::Execute() {
  while (FSelector.FFirstInstance) {
    pollfd waiting[2] = {{FSelector.FListener->Fd(), POLLIN, 0}, {FWakeRead, POLLIN, 0}};
    const int ready = ::poll(waiting, FWakeRead >= 0 ? 2 : 1, -1);
    if (ready < 0 && errno != EINTR) break;
    if (!FSelector.FFirstInstance) break;
    if (ready > 0 && (waiting[0].revents & POLLIN) != 0) {
      const int connection = FSelector.FListener->Accept();
      if (connection >= 0) Serve(connection);
    }
  }
}

void TEventMonitor::Serve(int connection) {
  std::uint32_t request = 0;
  if (!ReceiveWord(connection, request, kRequestWaitMs)) {
    ::close(connection);
    return;
  }
  if (request == QuitCode) {
    ::close(connection);
    if (FSelector.FFirstInstance.exchange(false) && FSelector.FRequests.Quit)
      FSelector.FRequests.Quit();
    return;
  }
  TActivationAnswer answer(connection);
  if (FSelector.FRequests.Restore) FSelector.FRequests.Restore(std::move(answer));
}

// ---- client side ----

bool IsCopyRunning(const std::string& identifier, const std::string& executablePath) {
  return TNamedLock::IsHeld(ActivationName(identifier, executablePath));
}

void AskCopyToQuit(const std::string& identifier, const std::string& executablePath) {
  const int connection = ConnectNamed(ActivationName(identifier, executablePath));
  if (connection < 0) return;
  SendWord(connection, QuitCode);
  ::close(connection);
}
