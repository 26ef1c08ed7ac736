#include "UCodePage1251.h"

#include <array>
#include <cstdint>

namespace {

// Unicode code points of the bytes 80..FF; 0 marks the one byte (98) that the code page leaves
// undefined.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char kReplacement = '?';

char EncodeCodePoint(char32_t codePoint) {
  if (codePoint < 0x80) {
    return static_cast<char>(codePoint);
  }
  for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] != 0 && kUpperHalf[i] == codePoint) {
      return static_cast<char>(0x80 + i);
    }
  }
  return kReplacement;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// Decodes one UTF-8 sequence starting at text[pos]; advances pos. Returns false for a malformed
// sequence, after which pos has moved past its first byte only.
bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& codePoint) {
  const auto lead = static_cast<std::uint8_t>(text[pos]);
  int length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    ++pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2; codePoint = lead & 0x1F; minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3; codePoint = lead & 0x0F; minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4; codePoint = lead & 0x07; minimum = 0x10000;
  } else {
    ++pos;
    return false;
  }
  if (pos + length > text.size()) {
    ++pos;
    return false;
  }
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return false;
    }
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    ++pos;
    return false;
  }
  pos += length;
  return true;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t codePoint = 0;
    out += DecodeUtf8(utf8, pos, codePoint) ? EncodeCodePoint(codePoint) : kReplacement;
  }
  return out;
}

char16_t Cp1251CodePoint(unsigned char byte) {
  if (byte < 0x80) return byte;
  const char16_t codePoint = kUpperHalf[byte - 0x80];
  return codePoint != 0 ? codePoint : kReplacement;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (const char c : cp1251) AppendUtf8(out, Cp1251CodePoint(static_cast<unsigned char>(c)));
  return out;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  char32_t codePoint = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, pos, codePoint)) {
      return false;
    }
  }
  return true;
}

std::string Cp1251UpperCase(std::string_view cp1251) {
  std::string out(cp1251);
  for (char& c : out) {
    const auto byte = static_cast<std::uint8_t>(c);
    if ((byte >= 'a' && byte <= 'z') || byte >= 0xE0) {
      c = static_cast<char>(byte - 0x20);  // a..z, а..я
    } else if (byte == 0xB8 || byte == 0xBA || byte == 0xBF) {
      c = static_cast<char>(byte - 0x10);  // ё є ї
    } else if (byte == 0xB3) {
      c = static_cast<char>(0xB2);  // і
    } else if (byte == 0xB4) {
      c = static_cast<char>(0xA5);  // ґ
    }
  }
  return out;
}
