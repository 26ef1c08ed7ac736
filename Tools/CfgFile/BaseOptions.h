#pragma once
// The settings store: an INI file held in memory, and the base of the typed settings over it.
//
// TIniContents is the file's copy in memory. The file is INI text in code page 1251: a line
// "[name]" starts a section, "key=value" lines belong to the section above them. Section and key
// names match without regard to letter case; blanks around names and values are ignored, and so
// are empty lines, lines starting with ";", lines without "=" and lines before the first section.
// The value is everything after the first "=". A section that appears twice is one section, and
// of a key that appears twice in a section the first line counts.
//
// Every change rewrites the whole file from the copy, sections in the order in which they were
// first read or created, keys in their order, each section followed by an empty line, CR LF line
// ends. The new file is written beside the old one, flushed to the disk and renamed over it, so a
// crash leaves either the old or the new settings, never a torn file. A file without any write
// permission is treated as read-only and never replaced.
//
// TCfgOptions owns the copy; TParam is one setting bound to a section and a key, which reads its
// value from the copy on first use and writes it through when it is set (CfgParams.h).

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// The text without the blanks and control characters around it, which the file ignores around
// names and values.
std::string TrimBlanks(const std::string& text);

class TIniContents {
public:
  // Reads the file; a missing file gives empty contents. Throws EGeneral when the file exists
  // but cannot be read.
  explicit TIniContents(std::string fileName);

  const std::string& FileName() const { return FFileName; }

  // The value of (section, key), or defaultValue when the key is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Sets (section, key), appending a new key to its section and a new section at the end. The
  // copy keeps the value as the file will give it back: line breaks become blanks (a value
  // cannot span lines), surrounding blanks are dropped, and a character that code page 1251
  // lacks becomes "?".
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  // Rewrites the file from the copy. Throws EGeneral when the file is read-only or cannot be
  // written; the old file is then left as it was.
  void UpdateFile() const;

  // The file's text as UpdateFile writes it, in UTF-8.
  std::string Text() const;

private:
  struct TEntry {
    std::string Key;
    std::string Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TEntry> Entries;
  };

  void Parse(const std::string& text);
  TSection* FindSection(const std::string& name);
  const TSection* FindSection(const std::string& name) const;

  std::string FFileName;
  std::vector<TSection> FSections;
};

class TParam;

// How often the store tries to read its file before it gives up: another program (the installer)
// may be replacing the file at that moment.
struct TOpenRetries {
  int Attempts = 20;
  std::chrono::milliseconds Pause{150};
};

class TCfgOptions {
public:
  // Reads the file at path. Throws EGeneral("Error while open " + path) when every attempt to
  // read it failed; a missing file is an empty store, created by the first change.
  explicit TCfgOptions(const std::string& path, TOpenRetries retries = {});
  virtual ~TCfgOptions();
  TCfgOptions(const TCfgOptions&) = delete;
  TCfgOptions& operator=(const TCfgOptions&) = delete;

  // Lets the parameter's reader take its value from the copy in memory.
  virtual void ReadParam(TParam& param);
  // Lets the parameter's reader put its value into the copy, then rewrites the file. A failure
  // of the rewrite propagates; the copy keeps the new value all the same.
  virtual void WriteParam(TParam& param);

  const std::string& FileName() const { return FIni->FileName(); }

private:
  std::unique_ptr<TIniContents> FIni;
};

// The link between one parameter and the store's copy: reads the parameter's value from it and
// writes the value into it, in the parameter's own encoding.
class ICfgReader {
public:
  virtual ~ICfgReader() = default;
  virtual void Read(const TIniContents& ini) = 0;
  virtual void Write(TIniContents& ini) = 0;
};

// One setting: a value cached in the derived class, bound to (scName, prName) of the owner's
// store. An empty value means "not loaded", so an empty or zero setting asks the store again on
// each read, which costs nothing: the store is in memory.
class TParam {
public:
  // Stops with an assertion failure when owner is null or a name is empty. The derived class's
  // constructor gives the parameter its reader.
  TParam(TCfgOptions* owner, std::string prName, std::string scName);
  virtual ~TParam();
  TParam(const TParam&) = delete;
  TParam& operator=(const TParam&) = delete;

  virtual bool IsEmpty() const = 0;
  virtual void Clear() = 0;

  TCfgOptions* Owner() const { return FOwner; }
  const std::string& ScName() const { return FScName; }
  const std::string& PrName() const { return FPrName; }
  ICfgReader& Reader() const { return *FReader; }

  // Reads the value from the store when none is cached. A failure leaves the value cleared:
  // reading settings never fails.
  void Load();
  // Writes the value through to the store. A failure (a read-only file) is not reported and
  // clears the cached value; the store's copy still holds the new value for the rest of the run.
  void Save();

protected:
  void SetReader(std::unique_ptr<ICfgReader> reader) { FReader = std::move(reader); }

private:
  TCfgOptions* FOwner;
  std::string FPrName;
  std::string FScName;
  std::unique_ptr<ICfgReader> FReader;
};
