#pragma once
// The single-instance guard: a program runs at most once per executable file and user.
//
// The first copy started from an executable takes three per-user names built from the
// program's identifier, a fixed part and InstanceSuffix of the executable's path (see
// UserObjects.h for what the names stand for on this desktop):
// - "<id>ActivateEvent<suffix>": the guard's lock, held for the life of the first copy, and the
//   channel on which its monitor thread (TEventMonitor) waits for requests;
// - "<id>MappedFile<suffix>" and "<id>StopperEvent<suffix>": named for the exchanged 32-bit
//   value and the answer; both travel on the requesting connection, so two copies that ask at
//   the same moment each get their own answer.
// A later copy finds the lock held, asks the first copy to come to the front, waits at most two
// seconds for the handle of the first copy's active window, brings that window to the front and
// reports FirstInstance false, after which the program ends. A request carrying QuitCode asks
// the first copy to end (the installer's AskCopyToQuit); it is not answered.
//
// What the first copy does for a request is the program's business (TInstanceRequests). The
// monitor calls those functions on its own thread; a program hands the work on to its
// user-interface thread and answers from there. A first copy killed without cleaning up leaves
// no lock behind, and its socket file is replaced by the next first copy.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class TNamedListener;
class TNamedLock;

inline constexpr std::uint32_t QuitCode = 0xDD773399;

// "HHHH-HHHH" from the MD5 of the trimmed, upper-cased path in code page 1251 (digest bytes 12
// to 15 read as a little-endian number); empty for an empty path. Letter case does not matter.
std::string InstanceSuffix(const std::string& path);

// The way back to the copy that asked to see the first one. Sending is optional; dropping the
// answer unsent closes the connection, which the asking copy takes as "no window".
class TActivationAnswer {
public:
  explicit TActivationAnswer(int fd) : FFd(fd) {}
  TActivationAnswer(TActivationAnswer&& other) noexcept : FFd(other.FFd) { other.FFd = -1; }
  TActivationAnswer& operator=(TActivationAnswer&&) = delete;
  ~TActivationAnswer();

  // Sends the window handle once; later calls do nothing.
  void Send(std::uint32_t windowHandle);

private:
  int FFd;
};

struct TInstanceRequests {
  // Restore the program's windows and send the handle of its active one.
  std::function<void(TActivationAnswer)> Restore;
  // End the program's event loop without its closing steps.
  std::function<void()> Quit;
};

class TEventMonitor;

class TAppSelector {
public:
  TAppSelector(const std::string& identifier, const std::string& executablePath,
               TInstanceRequests requests = {});
  ~TAppSelector();
  TAppSelector(const TAppSelector&) = delete;
  TAppSelector& operator=(const TAppSelector&) = delete;

  // True in the first copy until the guard is freed or a quit request arrives.
  bool FirstInstance() const { return FFirstInstance; }
  const std::string& ActivateEventName() const { return FActivateEventName; }
  const std::string& MappedFileName() const { return FMappedFileName; }
  const std::string& StopperEventName() const { return FStopperEventName; }

private:
  friend class TEventMonitor;
  void StartFirstCopy();
  void AskFirstCopy();

  std::string FActivateEventName;
  std::string FMappedFileName;
  std::string FStopperEventName;
  TInstanceRequests FRequests;
  std::atomic<bool> FFirstInstance{false};
  std::unique_ptr<TNamedLock> FLock;
  std::unique_ptr<TNamedListener> FListener;
  std::unique_ptr<TEventMonitor> FMonitor;
};

// The first copy's monitor: waits for requests on the guard's channel while FirstInstance is
// true. Destroying it wakes it and waits for the thread to end.
class TEventMonitor {
public:
  explicit TEventMonitor(TAppSelector& selector);
  ~TEventMonitor();
  TEventMonitor(const TEventMonitor&) = delete;
  TEventMonitor& operator=(const TEventMonitor&) = delete;

  void Wake();

private:
  void Execute();
  void Serve(int connection);

  TAppSelector& FSelector;
  int FWakeRead = -1;
  int FWakeWrite = -1;
  std::thread FThread;
};

// The client side for other programs (the installer) given the installed executable's path.
bool IsCopyRunning(const std::string& identifier, const std::string& executablePath);
// Asks a running copy to end; does not wait for it.
void AskCopyToQuit(const std::string& identifier, const std::string& executablePath);
