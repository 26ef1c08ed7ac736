#pragma once
// Per-user named objects through which copies of a program find and talk to each other.
//
// They live in the user's runtime folder: $XDG_RUNTIME_DIR, or, where the session sets none, a
// private folder /tmp/vellumark-<uid> (mode 0700, owned by the user; a folder that another user
// could have prepared is refused). Two kinds stand in for the named kernel objects of a Windows
// desktop:
// - a named lock: a lock file held with flock. The kernel drops the lock when its holder dies,
//   even by kill -9, so a stale file left behind is simply locked again by the next owner;
// - a named channel: a Unix domain stream socket that its owner listens on and others connect
//   to. The owner takes the name only while holding the lock of the same name, and removes a
//   stale socket file left by a dead owner before binding.
// Nothing here reports failures by exceptions: a folder or object that cannot be made gives an
// empty result, and the callers treat that as "no other copy" or "no answer".

#include <cstdint>
#include <memory>
#include <string>

// The runtime folder, ending in "/"; empty when no safe folder can be had.
std::string UserRuntimeFolder();

// A lock file "<name>.lock" in the runtime folder, held for the lifetime of the object.
class TNamedLock {
public:
  // Takes the lock; null when another holder has it or the file cannot be made.
  static std::unique_ptr<TNamedLock> TryAcquire(const std::string& name);
  // True while some other holder has the lock (this process's own holders count too).
  static bool IsHeld(const std::string& name);

  ~TNamedLock();
  TNamedLock(const TNamedLock&) = delete;
  TNamedLock& operator=(const TNamedLock&) = delete;

private:
  explicit TNamedLock(int fd) : FFd(fd) {}
  int FFd;
};

// The listening end of a named channel; the socket file is removed with the object.
class TNamedListener {
public:
  // Binds the name in the runtime folder, replacing a stale socket file. The caller must hold
  // the lock of the same name. Null when the socket cannot be made (also when the folder's path
  // is too long for a socket address).
  static std::unique_ptr<TNamedListener> Listen(const std::string& name);
  ~TNamedListener();
  TNamedListener(const TNamedListener&) = delete;
  TNamedListener& operator=(const TNamedListener&) = delete;

  int Fd() const { return FFd; }
  // The next waiting connection, or -1.
  int Accept() const;

private:
  TNamedListener(int fd, std::string path) : FFd(fd), FPath(std::move(path)) {}
  int FFd;
  std::string FPath;
};

// A connection to the named channel, or -1 when nobody listens on it.
int ConnectNamed(const std::string& name);

// Sends exactly four bytes; false when the other end is gone. Never raises SIGPIPE.
bool SendWord(int fd, std::uint32_t value);
// Receives exactly four bytes within timeoutMs; false on timeout, end of stream or failure.
bool ReceiveWord(int fd, std::uint32_t& value, int timeoutMs);
