#include "UserObjects.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool IsUsableFolder(const std::string& folder, bool mustBePrivate) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (!mustBePrivate) return true;
  return info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

std::string ObjectPath(const std::string& name) {
  const std::string folder = UserRuntimeFolder();
  return folder.empty() ? std::string() : folder + name;
}

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

std::string UserRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && IsUsableFolder(runtime, false))
    return std::string(runtime) + "/";
  const std::string fallback = "/tmp/vellumark-" + std::to_string(::getuid());
  ::mkdir(fallback.c_str(), 0700);
  return IsUsableFolder(fallback, true) ? fallback + "/" : std::string();
}

// ---- TNamedLock ----

std::unique_ptr<TNamedLock> TNamedLock::TryAcquire(const std::string& name) {
  const std::string path = ObjectPath(name);
  if (path.empty()) return nullptr;
  const int fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return nullptr;
  // IsHeld in another process holds the lock for an instant; a few tries get past it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return std::unique_ptr<TNamedLock>(new TNamedLock(fd));
    if (errno != EWOULDBLOCK && errno != EINTR) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::close(fd);
  return nullptr;
}

bool TNamedLock::IsHeld(const std::string& name) {
  const std::string path = ObjectPath(name);
  if (path.empty()) return false;
  const int fd = ::open((path + ".lock").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  // A shared lock is refused only while somebody holds the exclusive one.
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

TNamedLock::~TNamedLock() { ::close(FFd); }

// ---- TNamedListener ----

std::unique_ptr<TNamedListener> TNamedListener::Listen(const std::string& name) {
  const std::string path = ObjectPath(name);
  sockaddr_un address{};
  if (!MakeAddress(path, address)) return nullptr;
  ::unlink(path.c_str());  // left by an owner that died; the caller holds the lock now
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 8) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<TNamedListener>(new TNamedListener(fd, path));
}

TNamedListener::~TNamedListener() {
  ::unlink(FPath.c_str());
  ::close(FFd);
}

int TNamedListener::Accept() const { return ::accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC); }

int ConnectNamed(const std::string& name) {
  sockaddr_un address{};
  if (!MakeAddress(ObjectPath(name), address)) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool SendWord(int fd, std::uint32_t value) {
  return ::send(fd, &value, sizeof value, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof value);
}

bool ReceiveWord(int fd, std::uint32_t& value, int timeoutMs) {
  std::uint32_t word = 0;
  auto* bytes = reinterpret_cast<char*>(&word);
  std::size_t have = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (have < sizeof word) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd waiting{fd, POLLIN, 0};
    const int ready = ::poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t count = ::recv(fd, bytes + have, sizeof word - have, 0);
    if (count <= 0) return false;
    have += static_cast<std::size_t>(count);
  }
  value = word;
  return true;
}
