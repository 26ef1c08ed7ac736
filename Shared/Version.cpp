#include "Version.h"

#include <elf.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace {

constexpr const char* kSectionName = ".note.vellumark.version";
constexpr const char* kNoteOwner = "VersionInfo";
constexpr std::uint32_t kNoteType = 1;
// An executable's section headers and names lie in a few kilobytes; a note is tiny. Anything
// larger is not what we look for and is not read into memory.
constexpr std::uint64_t kMaxChunk = 1 << 20;

struct TSection {
  std::uint64_t Offset = 0;
  std::uint64_t Size = 0;
  std::uint32_t NameOffset = 0;
};

bool ReadAt(std::ifstream& file, std::uint64_t offset, void* into, std::uint64_t size) {
  if (size > kMaxChunk) return false;
  file.clear();
  file.seekg(static_cast<std::streamoff>(offset));
  file.read(static_cast<char*>(into), static_cast<std::streamsize>(size));
  return file.gcount() == static_cast<std::streamsize>(size);
}

std::optional<std::vector<char>> ReadChunk(std::ifstream& file, std::uint64_t offset,
                                           std::uint64_t size) {
  if (size > kMaxChunk) return std::nullopt;
  std::vector<char> bytes(size);
  if (!ReadAt(file, offset, bytes.data(), size)) return std::nullopt;
  return bytes;
}

// The section headers of a 32- or 64-bit ELF file of this machine's byte order, and the index
// of the section that names them.
template <typename THeader, typename TSectionHeader>
bool ReadSections(std::ifstream& file, std::vector<TSection>& sections, std::size_t& namesIndex) {
  THeader header{};
  if (!ReadAt(file, 0, &header, sizeof header)) return false;
  if (header.e_shentsize != sizeof(TSectionHeader) || header.e_shnum == 0 ||
      header.e_shstrndx >= header.e_shnum)
    return false;
  for (std::uint16_t i = 0; i < header.e_shnum; ++i) {
    TSectionHeader section{};
    if (!ReadAt(file, header.e_shoff + std::uint64_t{i} * sizeof section, &section, sizeof section))
      return false;
    sections.push_back({section.sh_offset, section.sh_size, section.sh_name});
  }
  namesIndex = header.e_shstrndx;
  return true;
}

// The descriptor of the version note, or nothing.
std::optional<std::vector<char>> ReadVersionDescriptor(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  unsigned char ident[EI_NIDENT] = {};
  if (!file || !ReadAt(file, 0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
    return std::nullopt;
  const bool littleEndian = std::endian::native == std::endian::little;
  if (ident[EI_DATA] != (littleEndian ? ELFDATA2LSB : ELFDATA2MSB)) return std::nullopt;
  std::vector<TSection> sections;
  std::size_t namesIndex = 0;
  const bool read = ident[EI_CLASS] == ELFCLASS64
                        ? ReadSections<Elf64_Ehdr, Elf64_Shdr>(file, sections, namesIndex)
                        : ident[EI_CLASS] == ELFCLASS32 &&
                              ReadSections<Elf32_Ehdr, Elf32_Shdr>(file, sections, namesIndex);
  if (!read) return std::nullopt;
  const auto names = ReadChunk(file, sections[namesIndex].Offset, sections[namesIndex].Size);
  if (!names) return std::nullopt;

  const std::size_t wantedLength = std::strlen(kSectionName);
  for (const TSection& section : sections) {
    if (section.NameOffset + wantedLength >= names->size() ||
        std::strcmp(names->data() + section.NameOffset, kSectionName) != 0)
      continue;
    const auto notes = ReadChunk(file, section.Offset, section.Size);
    if (!notes) return std::nullopt;
    // Notes follow one another, each name and descriptor padded to four bytes.
    std::size_t at = 0;
    const auto padded = [](std::size_t n) { return (n + 3) / 4 * 4; };
    while (at + 12 <= notes->size()) {
      std::uint32_t nameSize = 0, descSize = 0, type = 0;
      std::memcpy(&nameSize, notes->data() + at, 4);
      std::memcpy(&descSize, notes->data() + at + 4, 4);
      std::memcpy(&type, notes->data() + at + 8, 4);
      const std::size_t name = at + 12;
      const std::size_t desc = name + padded(nameSize);
      if (nameSize > notes->size() || descSize > notes->size() ||
          desc + descSize > notes->size())
        return std::nullopt;
      if (type == kNoteType && nameSize == std::strlen(kNoteOwner) + 1 &&
          std::memcmp(notes->data() + name, kNoteOwner, nameSize) == 0)
        return std::vector<char>(notes->begin() + static_cast<std::ptrdiff_t>(desc),
                                 notes->begin() + static_cast<std::ptrdiff_t>(desc + descSize));
      at = desc + padded(descSize);
    }
  }
  return std::nullopt;
}

bool SameKey(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

std::string GetVersionValue(const std::string& fileName, const std::string& key) {
  const auto descriptor = ReadVersionDescriptor(fileName);
  if (!descriptor) return {};
  std::size_t at = 0;
  while (at < descriptor->size()) {
    const char* pair = descriptor->data() + at;
    const std::size_t length = strnlen(pair, descriptor->size() - at);
    const std::string text(pair, length);
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos && SameKey(text.substr(0, equals), key))
      return text.substr(equals + 1);
    at += length + 1;
  }
  return {};
}

std::string GetProductVersion(const std::string& fileName) {
  return GetVersionValue(fileName, "ProductVersion");
}

std::string GetLegalNotice(const std::string& fileName) {
  return GetVersionValue(fileName, "LegalCopyright");
}
