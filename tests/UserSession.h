#pragma once
// A pretend user session for one test: a fresh temporary folder that serves as HOME, as the
// runtime folder and as the configuration folder, so nothing touches the real user's files.
// The variables are set for this process (and the children it starts) and restored afterwards.

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

class TUserSession {
public:
  TUserSession() {
    // Socket addresses are short, so the folder stays directly under /tmp.
    std::string pattern = "/tmp/vmk-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) Root = pattern;
    std::filesystem::create_directories(Root / "home");
    std::filesystem::create_directories(Root / "run");
    std::filesystem::permissions(Root / "run", std::filesystem::perms::owner_all);
    Set("HOME", (Root / "home").string());
    Set("XDG_RUNTIME_DIR", (Root / "run").string());
    Set("XDG_CONFIG_HOME", (Root / "config").string());
  }
  ~TUserSession() {
    // Newest first, so a variable set twice gets back the value it had before the session.
    for (auto entry = Saved.rbegin(); entry != Saved.rend(); ++entry) {
      const auto& [name, value] = *entry;
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove_all(Root, ignored);
  }
  TUserSession(const TUserSession&) = delete;
  TUserSession& operator=(const TUserSession&) = delete;

  void Set(const std::string& name, const std::string& value) {
    const char* old = ::getenv(name.c_str());
    Saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    ::setenv(name.c_str(), value.c_str(), 1);
  }

  std::filesystem::path Root;

private:
  std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};
