// libFuzzer target: any byte string as a data file. Each input is opened through the in-memory
// file system with the contact field set and with the field set built from the file; whatever
// opens is read cell by cell, indexed, appended to, deleted from and opened again (see
// DataFileProbe.h). A sanitizer report, or a fault the probe names, is a finding.
//
// With FUZZ_WRITE_SEEDS=<folder> the target writes its seed corpus of valid files and exits.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "DataFileProbe.h"
#include "UField.h"

namespace {

TFaultyFileSystem& FileSystem() {
  static TFaultyFileSystem fileSystem;
  return fileSystem;
}

void WriteSeeds(const std::string& folder) {
  int n = 0;
  for (const auto& bytes : ValidDataFiles(FileSystem())) {
    std::ofstream out(folder + "/valid-" + std::to_string(n++) + ".dat", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterEngineFieldClasses();
  ReplaceFileSystem(&FileSystem());
  if (const char* folder = std::getenv("FUZZ_WRITE_SEEDS")) {
    WriteSeeds(folder);
    std::exit(0);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TProbeResult result = ProbeDataFile(FileSystem(), std::vector<std::uint8_t>(data, data + size));
  if (!result.fault.empty()) {
    std::fprintf(stderr, "data file fault: %s\n", result.fault.c_str());
    std::abort();
  }
  return 0;
}
