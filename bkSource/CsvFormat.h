#pragma once
// The CSV exchange format of the contact list, shared by the export and import jobs and bookctl.
//
// A file is a header line, then one line per contact with six values joined by ";": name, home,
// work, mobile, birthday, note. A value holding ";" or a double quote is quoted with inner quotes
// doubled; in the note, line breaks are written as " ~ ". Files are written in code page 1251
// with CR LF line ends; reading also accepts UTF-8 files and bare LF or CR line ends.

#include <string>
#include <vector>

#include "BookData.h"

std::string CsvEncodeValue(const std::string& value, bool isNote);
// Cuts the next token from position on; position moves past the separator that ends it.
std::string CsvNextToken(const std::string& line, std::size_t& position);
std::string CsvDecodeValue(const std::string& token, bool isNote);
// The six values of a line; missing ones are empty, values after the sixth are ignored.
TContactTexts CsvSplitLine(const std::string& line);
// The line joined from the six encoded values.
std::string CsvJoinLine(const TContactTexts& contact);
// A header line of any of the three languages, whatever its letter case and surrounding blanks.
bool IsCsvHeader(const std::string& line);

// The lines of a file's bytes as UTF-8: a byte order mark, or valid UTF-8 with a non-ASCII byte,
// means UTF-8; anything else is code page 1251.
std::vector<std::string> CsvFileLines(const std::string& bytes);
// A line as the file holds it: code page 1251, CR LF at the end.
std::string CsvFileLine(const std::string& line);
