#pragma once
// The folder a benchmark's files live in: a fresh subfolder of a parent folder (the --dir=
// option; by default the system's temporary folder), named after the program and its process,
// and removed with everything in it when the object goes. A program makes one, and its
// benchmarks find it through DataFolder().

#include <filesystem>
#include <string>

class TBenchFolder {
public:
  TBenchFolder(const std::filesystem::path& parent, const std::string& program);
  ~TBenchFolder();
  TBenchFolder(const TBenchFolder&) = delete;
  TBenchFolder& operator=(const TBenchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

private:
  std::filesystem::path path_;
};

// The folder of the program's TBenchFolder; empty while there is none.
const std::filesystem::path& DataFolder();

// Flushes into memory (tmpfs, ramfs) cost nothing and would make every durable figure
// meaningless: a benchmark that measures flushes warns about such a folder.
void WarnIfInMemory(const std::filesystem::path& folder);
