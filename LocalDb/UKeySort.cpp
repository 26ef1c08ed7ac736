#include "UKeySort.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

struct TKeyEntry {
  std::uint64_t Prefix;  // the key's first 8 bytes, big-endian, zero-padded
  std::uint32_t Offset;  // where the key lies in the block
  std::uint32_t Length;
  std::uint32_t Element;
};

std::uint64_t PrefixOf(const char* key, std::size_t length) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix = prefix << 8 | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
  }
  return prefix;
}

}  // namespace

bool SortByKeys(const TIndex& index, int count,
                const std::function<const std::uint8_t*(int)>& image,
                std::vector<std::uint32_t>& order) {
  std::string keys;
  std::vector<TKeyEntry> entries(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::size_t offset = keys.size();
    if (!index.SortKey(image(i), keys)) return false;
    entries[static_cast<std::size_t>(i)] = {PrefixOf(keys.data() + offset, keys.size() - offset),
                                            static_cast<std::uint32_t>(offset),
                                            static_cast<std::uint32_t>(keys.size() - offset),
                                            static_cast<std::uint32_t>(i)};
  }
  const char* block = keys.data();
  std::sort(entries.begin(), entries.end(), [block](const TKeyEntry& a, const TKeyEntry& b) {
    if (a.Prefix != b.Prefix) return a.Prefix < b.Prefix;
    // Past the prefix; a key that is a beginning of a longer one orders first.
    const std::uint32_t shorter = std::min(a.Length, b.Length);
    if (shorter > 8) {
      const int rc = std::memcmp(block + a.Offset + 8, block + b.Offset + 8, shorter - 8);
      if (rc != 0) return rc < 0;
    }
    if (a.Length != b.Length) return a.Length < b.Length;
    return a.Element < b.Element;
  });
  order.resize(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].Element;
  return true;
}
