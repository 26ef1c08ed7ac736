#pragma once
// Realistic contacts for the benchmarks: a seeded generator of plain records (Latin and Cyrillic
// names, phones, birthdays, notes of varied length) and a quick way to turn them into a contact
// data file through the engine itself.
//
// The same seed gives the same contacts on every machine: the generator uses its own arithmetic,
// not the standard library's distributions, whose results differ between implementations.
// Every text is UTF-8 and fits its field of the contact file (at most 36 characters for the
// name, 252 for the note, all of them code page 1251 characters).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ContactSchema.h"
#include "UDateTime.h"
#include "UTable.h"

struct TContact {
  std::string name;
  std::string house;   // phones: digits with an optional leading "+", or empty
  std::string work;
  std::string mobile;
  TDateTime birth = 0; // 0: no birthday
  std::string note;
};

std::vector<TContact> GenerateContacts(std::size_t count, std::uint32_t seed);

// The fields take the contact's values; editing must be on (a table's Insert or Edit, or
// fields.EnableEdit()). The key is left alone.
void AssignContact(ContactSchema& schema, const TContact& contact);

// A contact file opened as a table with plain fields (the name in byte order), its ID and Name
// indexes listed but none active.
struct TEngineContacts {
  explicit TEngineContacts(const std::string& path);
  ~TEngineContacts();
  TEngineContacts(const TEngineContacts&) = delete;
  TEngineContacts& operator=(const TEngineContacts&) = delete;

  ContactSchema schema;
  TTable table;
  TIndex byId{&schema.fields, "IndID", &schema.id};
  TIndex byName{&schema.fields, "IndName", &schema.name};
};

// Writes a new contact file at path (replacing any file there) holding the contacts in order,
// with keys 1 .. N. Every record goes through the engine's own append, but into memory: the file
// reaches the disk in one write at the end, so a million records take seconds, not hours of
// flushes.
void WriteContactFile(const std::string& path, const std::vector<TContact>& contacts);
