#pragma once
// The version information of an executable file: its product version and its legal notice.
//
// The build embeds both into every executable of the project (cmake/VersionNote.cpp.in): an ELF
// section ".note.vellumark.version" holding one note whose owner is "VersionInfo" and whose
// descriptor is a list of "Key=Value" texts, each ended by a zero byte. These functions read that
// note back from any file, the running program's own included. Keys are looked up without regard
// to letter case.
//
// Nothing here fails: a file that cannot be read, is no ELF file, carries no such note or lacks
// the key gives an empty text.

#include <string>

// "ProductVersion" of the file, e.g. "1.2".
std::string GetProductVersion(const std::string& fileName);
// "LegalCopyright" of the file.
std::string GetLegalNotice(const std::string& fileName);
// Any value of the file's version note.
std::string GetVersionValue(const std::string& fileName, const std::string& key);
