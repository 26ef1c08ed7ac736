// Any byte string given as a data file is refused with one of the open messages and left as it
// was, or it opens and can be used: never a crash, a hang or a read outside the buffer. Valid
// files are damaged at random (seeded), cut, extended, and random bytes are tried; inputs that
// the fuzz target once crashed on are kept under data/ and tried first.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "DataFileProbe.h"
#include "EngineFixture.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

// Values that stress the header's arithmetic.
constexpr std::int32_t kEdgeValues[] = {0, 1, -1, 2, 7, 8, 32, 36, 284, 356, 0x7FFFFFFF, INT32_MIN, 0x10000, 59652323};

TBytes Mutate(const std::vector<TBytes>& valid, std::mt19937& random) {
  TBytes bytes = valid[random() % valid.size()];
  const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  switch (random() % 6) {
    case 0:  // a few bytes changed anywhere
      for (int i = 1 + static_cast<int>(random() % 8); i > 0 && !bytes.empty(); --i) {
        bytes[pick(bytes.size())] = static_cast<std::uint8_t>(random());
      }
      break;
    case 1:  // one word of the header or a descriptor set to an edge value
      PutInt32(bytes, 4 * pick(std::min<std::size_t>(bytes.size(), 284) / 4), kEdgeValues[pick(std::size(kEdgeValues))]);
      break;
    case 2:  // cut short
      bytes.resize(pick(bytes.size() + 1));
      break;
    case 3:  // extended by random bytes
      for (std::size_t i = pick(800); i > 0; --i) bytes.push_back(static_cast<std::uint8_t>(random()));
      break;
    case 4:  // random bytes behind a valid magic
      bytes.assign(pick(700), 0);
      for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : random() % 3);
      if (bytes.size() >= 4) std::copy(std::begin(DatFormat::Magic), std::end(DatFormat::Magic), bytes.begin());
      break;
    default:  // plain random bytes
      bytes.assign(pick(100), 0);
      for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  }
  return bytes;
}

std::vector<TBytes> KeptCrashInputs() {
  std::vector<TBytes> inputs;
  const std::filesystem::path folder = std::filesystem::path(LOCALDB_TEST_DATA) / "malformed";
  if (!std::filesystem::exists(folder)) return inputs;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) inputs.push_back(ReadBytes(entry.path().string()));
  return inputs;
}

TEST(MalformedFile, RefusedWithAnOpenMessageUnchangedOrUsable) {
  TFaultyFileSystem fileSystem;
  TFileSystemScope scope(fileSystem);
  const std::vector<TBytes> valid = ValidDataFiles(fileSystem);
  std::vector<TBytes> inputs = KeptCrashInputs();
  inputs.insert(inputs.end(), valid.begin(), valid.end());
  std::mt19937 random(77);
  for (int i = 0; i < 20000; ++i) inputs.push_back(Mutate(valid, random));

  int opened = 0;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const TProbeResult result = ProbeDataFile(fileSystem, inputs[i]);
    EXPECT_EQ(result.fault, "") << "input " << i << " of " << inputs[i].size() << " bytes";
    // MALFORMED_DUMP=<file> saves a failing input, to be kept under data/malformed once fixed.
    if (!result.fault.empty() && std::getenv("MALFORMED_DUMP")) WriteBytes(std::getenv("MALFORMED_DUMP"), inputs[i]);
    opened += result.refusal[0].empty() + result.refusal[1].empty();
  }
  std::printf("%zu inputs, %d opens of 2 × %zu\n", inputs.size(), opened, inputs.size());
  // The mutations must leave enough files that open, or the use after opening goes untested.
  EXPECT_GT(opened, static_cast<int>(inputs.size() / 4));
}

}  // namespace
