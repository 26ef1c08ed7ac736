#include "Names.h"

std::string UnscrambleAddress(std::span<const std::uint8_t> bytes) {
  std::string address;
  address.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i)
    address += static_cast<char>(bytes[i] ^ static_cast<std::uint8_t>(i + 1));
  return address;
}
