#pragma once
// Message digests of byte strings.

#include <array>
#include <cstdint>
#include <string>

// The MD5 digest (RFC 1321) of the bytes.
std::array<std::uint8_t, 16> Md5Digest(const std::string& bytes);
