#include "UKeySort.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Names often share their first bytes, so the entry carries 16 of them: most comparisons end
// there without touching the key block.
constexpr std::size_t kPrefixBytes = 16;

struct TKeyEntry {
  std::uint64_t Prefix[2];  // the key's first 16 bytes, big-endian, zero-padded
  std::uint32_t Offset;     // where the key lies in the block
  std::uint32_t Length;
  std::uint32_t Element;
};

std::uint64_t PrefixWord(const char* key, std::size_t length, std::size_t from) {
  std::uint64_t word = 0;
  for (std::size_t i = from; i < from + 8; ++i) {
    word = word << 8 | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
  }
  return word;
}

}  // namespace

bool SortByKeys(const TIndex& index, int count,
                const std::function<const std::uint8_t*(int)>& image,
                std::vector<std::uint32_t>& order) {
  std::string keys;
  keys.reserve(static_cast<std::size_t>(count) * 32);
  std::vector<TKeyEntry> entries(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::size_t offset = keys.size();
    if (!index.SortKey(image(i), keys)) return false;
    const char* key = keys.data() + offset;
    const std::size_t length = keys.size() - offset;
    entries[static_cast<std::size_t>(i)] = {{PrefixWord(key, length, 0), PrefixWord(key, length, 8)},
                                            static_cast<std::uint32_t>(offset),
                                            static_cast<std::uint32_t>(length),
                                            static_cast<std::uint32_t>(i)};
  }
  const char* block = keys.data();
  std::sort(entries.begin(), entries.end(), [block](const TKeyEntry& a, const TKeyEntry& b) {
    if (a.Prefix[0] != b.Prefix[0]) return a.Prefix[0] < b.Prefix[0];
    if (a.Prefix[1] != b.Prefix[1]) return a.Prefix[1] < b.Prefix[1];
    // Past the prefix; a key that is a beginning of a longer one orders first.
    const std::uint32_t shorter = std::min(a.Length, b.Length);
    if (shorter > kPrefixBytes) {
      const int rc = std::memcmp(block + a.Offset + kPrefixBytes, block + b.Offset + kPrefixBytes,
                                 shorter - kPrefixBytes);
      if (rc != 0) return rc < 0;
    }
    if (a.Length != b.Length) return a.Length < b.Length;
    return a.Element < b.Element;
  });
  order.resize(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].Element;
  return true;
}
