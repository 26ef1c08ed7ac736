#include "CsvFormat.h"

#include "TextIntface.h"
#include "UCodePage1251.h"

namespace {

constexpr char kSeparator = ';';
constexpr char kQuote = '"';
const std::string kLineBreak = "\r\n";
const std::string kNoteBreak = " ~ ";
const std::string kByteOrderMark = "\xEF\xBB\xBF";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Blanks and control characters around the text go.
std::string Trim(const std::string& text) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string UpperCase(const std::string& utf8) { return Cp1251UpperCase(Utf8ToCp1251(utf8)); }

bool HasNonAscii(const std::string& bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

std::string CsvEncodeValue(const std::string& value, bool isNote) {
  const std::string text = isNote ? ReplaceAll(value, kLineBreak, kNoteBreak) : value;
  if (text.find(kSeparator) == std::string::npos && text.find(kQuote) == std::string::npos) {
    return text;
  }
  return kQuote + ReplaceAll(text, "\"", "\"\"") + kQuote;
}

std::string CsvNextToken(const std::string& line, std::size_t& position) {
  std::string token;
  const bool quoted = position < line.size() && line[position] == kQuote;
  bool insideQuotes = false;
  while (position < line.size() && (line[position] != kSeparator || insideQuotes)) {
    token += line[position];
    if (quoted && line[position] == kQuote) insideQuotes = !insideQuotes;
    ++position;
  }
  ++position;
  return token;
}

std::string CsvDecodeValue(const std::string& token, bool isNote) {
  std::string value = token;
  if (!token.empty() && token.front() == kQuote && token.back() == kQuote) {
    value.clear();
    for (std::size_t i = 1; i < token.size(); ++i) {
      if (token[i] != kQuote) {
        value += token[i];
      } else if (i + 1 < token.size() && token[i + 1] == kQuote) {
        value += kQuote;
        ++i;
      } else {
        break;  // the closing quote; what follows it is dropped
      }
    }
  }
  return isNote ? ReplaceAll(value, kNoteBreak, kLineBreak) : value;
}

TContactTexts CsvSplitLine(const std::string& line) {
  std::size_t position = 0;
  TContactTexts contact;
  std::string* const values[] = {&contact.Name,   &contact.House, &contact.Work,
                                 &contact.Mobile, &contact.Birth, &contact.Note};
  for (int i = 0; i < 6; ++i) *values[i] = CsvDecodeValue(CsvNextToken(line, position), i == 5);
  return contact;
}

std::string CsvJoinLine(const TContactTexts& contact) {
  const std::string separator(1, kSeparator);
  return CsvEncodeValue(contact.Name, false) + separator + CsvEncodeValue(contact.House, false) +
         separator + CsvEncodeValue(contact.Work, false) + separator +
         CsvEncodeValue(contact.Mobile, false) + separator + CsvEncodeValue(contact.Birth, false) +
         separator + CsvEncodeValue(contact.Note, true);
}

bool IsCsvHeader(const std::string& line) {
  const std::string upper = UpperCase(Trim(line));
  for (const TTextRecord* texts : {&TextRus(), &TextUkr(), &TextEng()}) {
    if (upper == UpperCase(texts->CsvHeader)) return true;
  }
  return false;
}

std::vector<std::string> CsvFileLines(const std::string& bytes) {
  std::string text;
  if (bytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
    text = bytes.substr(kByteOrderMark.size());
  } else if (HasNonAscii(bytes) && IsValidUtf8(bytes)) {
    text = bytes;
  } else {
    text = Cp1251ToUtf8(bytes);
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string CsvFileLine(const std::string& line) { return Utf8ToCp1251(line) + kLineBreak; }
