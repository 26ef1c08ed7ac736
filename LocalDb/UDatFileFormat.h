#pragma once
// The byte layout of a data file, in one place. All integers are 32-bit, two's complement, least
// significant byte first.
//
//   header       32 bytes at offset 0
//   descriptors  36 bytes per field, in field order, from offset 32
//   records      RecordCount × RecordSize bytes from offset HeaderSize, deleted ones included
//
// A record is an 8-byte prefix (deletion mark, then a zero word) followed by the record image.

#include <cstdint>

namespace DatFormat {

constexpr std::uint8_t Magic[4] = {0x57, 0x72, 0x44, 0x74};  // "WrDt"

// Header fields: offsets inside the 32-byte header.
constexpr int MagicOffset = 0;
constexpr int Reserved1Offset = 4;
constexpr int HeaderSizeOffset = 8;
constexpr int FieldCountOffset = 12;
constexpr int RecordSizeOffset = 16;
constexpr int RecordCountOffset = 20;
constexpr int DeletedCountOffset = 24;
constexpr int Reserved2Offset = 28;
constexpr int HeaderBytes = 4 + 4 + 4 + 4 + 4 + 4 + 4 + 4;

// Field descriptor: offsets inside one 36-byte descriptor.
constexpr int TypeIdOffset = 0;
constexpr int SizeOffset = 4;
constexpr int NameOffset = 8;  // length byte, then up to MaxNameLength characters
constexpr int MaxNameLength = 20;
constexpr int NextKeyOffset = 32;
// Largest field a file may describe; no field class of ours comes near it.
constexpr int MaxFieldSize = 1 << 16;
constexpr int DescriptorBytes = 4 + 4 + (1 + MaxNameLength) + 3 + 4;

// Record prefix.
constexpr int DeletionMarkOffset = 0;
constexpr int RecordPrefixBytes = 4 + 4;
constexpr std::int32_t LiveMark = 0;
constexpr std::int32_t DeletedMark = -1;

constexpr std::int64_t HeaderSizeFor(std::int64_t fieldCount) {
  return HeaderBytes + DescriptorBytes * fieldCount;
}

static_assert(HeaderBytes == 32 && DescriptorBytes == 36);

}  // namespace DatFormat
