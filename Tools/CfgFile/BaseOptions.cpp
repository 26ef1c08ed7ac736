#include "BaseOptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>
#include <utility>

#include "UCodePage1251.h"
#include "UErrors.h"

namespace {

const char* const kUnit = "Tools/CfgFile/BaseOptions";

// Lower case of a code page 1251 byte: Latin, Russian and Ukrainian letters.
unsigned char LowerCp1251(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || c >= 0xC0) {
    return c >= 0xE0 ? c : static_cast<unsigned char>(c + 0x20);
  }
  switch (c) {
    case 0xA8: return 0xB8;  // Ё
    case 0xAA: return 0xBA;  // Є
    case 0xAF: return 0xBF;  // Ї
    case 0xB2: return 0xB3;  // І
    case 0xA5: return 0xB4;  // Ґ
    case 0xA1: return 0xA2;  // Ў
    default: return c;
  }
}

// Names are compared as another program writing the file would compare them: by the letters of
// the file's code page, ignoring case.
bool SameName(const std::string& a, const std::string& b) {
  const std::string x = Utf8ToCp1251(a);
  const std::string y = Utf8ToCp1251(b);
  return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
    return LowerCp1251(static_cast<unsigned char>(p)) == LowerCp1251(static_cast<unsigned char>(q));
  });
}

std::string ErrnoText() { return std::strerror(errno); }

// Reads the whole file into bytes; false when it is missing. Throws when it exists but cannot
// be read (no permission, a folder, an I/O error).
bool ReadWholeFile(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return false;
    throw EGeneral("Cannot open " + path + ": " + ErrnoText());
  }
  bytes.clear();
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      const std::string reason = ErrnoText();
      ::close(fd);
      throw EGeneral("Cannot read " + path + ": " + reason);
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  return true;
}

// A file that nobody may write is read-only by the user's choice, even for the superuser, who
// could otherwise replace it.
bool IsReadOnly(const struct stat& info, const std::string& path) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(count);
  }
  return true;
}

// Creates a new file beside target under a name of its own; returns its descriptor, or -1.
int CreateTemporary(const std::string& target, std::string& tempName) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Replaces target by a file holding bytes: the new file is complete and on the disk before it
// takes the old one's name, so a crash at any moment leaves one of the two whole.
void ReplaceFile(const std::string& target, const std::string& bytes) {
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && IsReadOnly(old, target)) {
    throw EGeneral("The settings file is read-only: " + target);
  }
  std::string tempName;
  const int fd = CreateTemporary(target, tempName);
  if (fd < 0) {
    throw EGeneral("Cannot write " + target + ": " + ErrnoText());
  }
  bool ok = (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, bytes) &&
            ::fdatasync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(tempName.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(tempName.c_str());
    throw EGeneral("Cannot write " + target + ": " + std::strerror(error));
  }
  // Make the new name itself durable; the data is safe either way, so a failure here is moot.
  const std::string folder = std::filesystem::path(target).parent_path().string();
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

// The file a rewrite replaces: the target of a symbolic link rather than the link itself.
std::string ResolvedTarget(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_symlink(path, error)) {
    const auto target = std::filesystem::canonical(path, error);
    if (!error) return target.string();
  }
  return path;
}

}  // namespace

std::string TrimBlanks(const std::string& text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto first = std::find_if_not(text.begin(), text.end(), blank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

// ---- TIniContents ----

TIniContents::TIniContents(std::string fileName) : FFileName(std::move(fileName)) {
  std::string bytes;
  if (ReadWholeFile(FFileName, bytes)) {
    Parse(Cp1251ToUtf8(bytes));
  }
}

void TIniContents::Parse(const std::string& text) {
  TSection* section = nullptr;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = TrimBlanks(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      const std::string name = TrimBlanks(line.substr(1, line.size() - 2));
      section = FindSection(name);
      if (section == nullptr) {
        section = &FSections.emplace_back(TSection{name, {}});
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (section == nullptr || equals == std::string::npos) continue;
    TEntry entry{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
    const bool known = std::any_of(section->Entries.begin(), section->Entries.end(),
                                   [&](const TEntry& e) { return SameName(e.Key, entry.Key); });
    if (!known) section->Entries.push_back(std::move(entry));
  }
}

TIniContents::TSection* TIniContents::FindSection(const std::string& name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

const TIniContents::TSection* TIniContents::FindSection(const std::string& name) const {
  const auto it = std::find_if(FSections.begin(), FSections.end(),
                               [&](const TSection& s) { return SameName(s.Name, name); });
  return it == FSections.end() ? nullptr : &*it;
}

std::string TIniContents::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const {
  if (const TSection* found = FindSection(section)) {
    for (const TEntry& entry : found->Entries) {
      if (SameName(entry.Key, key)) return entry.Value;
    }
  }
  return defaultValue;
}

void TIniContents::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  // A line break would end the value early and let the rest pose as further keys or sections.
  std::string oneLine = value;
  std::replace_if(oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; },
                  ' ');
  std::string stored = TrimBlanks(Cp1251ToUtf8(Utf8ToCp1251(oneLine)));
  TSection* found = FindSection(section);
  if (found == nullptr) {
    found = &FSections.emplace_back(TSection{section, {}});
  }
  for (TEntry& entry : found->Entries) {
    if (SameName(entry.Key, key)) {
      entry.Value = std::move(stored);
      return;
    }
  }
  found->Entries.push_back(TEntry{key, std::move(stored)});
}

std::string TIniContents::Text() const {
  std::string text;
  for (const TSection& section : FSections) {
    text += "[" + section.Name + "]\r\n";
    for (const TEntry& entry : section.Entries) {
      text += entry.Key + "=" + entry.Value + "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

void TIniContents::UpdateFile() const {
  ReplaceFile(ResolvedTarget(FFileName), Utf8ToCp1251(Text()));
}

// ---- TCfgOptions ----

TCfgOptions::TCfgOptions(const std::string& path, TOpenRetries retries) {
  for (int attempt = 1; attempt <= retries.Attempts; ++attempt) {
    try {
      FIni = std::make_unique<TIniContents>(path);
      return;
    } catch (const EGeneral&) {
      if (attempt < retries.Attempts) std::this_thread::sleep_for(retries.Pause);
    }
  }
  throw EGeneral("Error while open " + path);
}

TCfgOptions::~TCfgOptions() = default;

void TCfgOptions::ReadParam(TParam& param) { param.Reader().Read(*FIni); }

void TCfgOptions::WriteParam(TParam& param) {
  param.Reader().Write(*FIni);
  FIni->UpdateFile();
}

// ---- TParam ----

TParam::TParam(TCfgOptions* owner, std::string prName, std::string scName)
    : FOwner(owner), FPrName(std::move(prName)), FScName(std::move(scName)) {
  Assert(FOwner != nullptr, "Not assigned owner param of constructor", kUnit);
  Assert(!FScName.empty(), "Empty scName parameter of constructor", kUnit);
  Assert(!FPrName.empty(), "Empty prName parameter of constructor", kUnit);
}

TParam::~TParam() = default;

void TParam::Load() {
  if (!IsEmpty()) return;
  try {
    FOwner->ReadParam(*this);
  } catch (const std::exception&) {
    Clear();
  }
}

void TParam::Save() {
  try {
    FOwner->WriteParam(*this);
  } catch (const std::exception&) {
    Clear();
  }
}
