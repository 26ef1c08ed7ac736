#pragma once
// A data file: a self-describing header that lists the fields, then fixed-size records in the
// order they were appended (layout in UDatFileFormat.h). The file checks its header against a
// field set, or builds a field set from it, and appends, rewrites, reads and marks deleted one
// record at a time at a validated Position.
//
// Durability: every record operation has reached the disk when it returns. The writes of one
// operation are ordered with flushes so that a crash or power loss at any point leaves a file
// that opens and holds every record whose operation had returned:
//   append   record bytes, flush, header and key descriptor, flush
//   rewrite  record bytes, flush
//   delete   deletion mark and header, flush (a lost mark or count is recounted on open)
//   empty    header and key descriptor, flush, truncate, flush
// A failing operation puts the in-memory header back and undoes what it wrote, as far as the
// disk lets it, so memory and file keep agreeing. Open removes an unacknowledged tail beyond the
// records that the header counts.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "UDatFileFormat.h"
#include "UFields.h"
#include "UFile.h"

struct TDatHeader {
  std::int32_t HeaderSize = 0;
  std::int32_t FieldCount = 0;
  std::int32_t RecordSize = 0;
  std::int32_t RecordCount = 0;
  std::int32_t DeletedCount = 0;

  std::array<std::uint8_t, DatFormat::HeaderBytes> Encode() const;
};

using TFieldRec = std::array<std::uint8_t, DatFormat::DescriptorBytes>;
using TFieldRecs = std::vector<TFieldRec>;

class TDatFile : public TFile {
public:
  TDatFile() = default;
  ~TDatFile() override;

  // The field set the records carry; not owned.
  void SetFields(TFields* fields);
  TFields* Fields() const { return fields_; }
  const TDatHeader& GetHeader() const { return header_; }
  const TFieldRecs& FieldRecs() const { return fieldRecs_; }

  std::int64_t Position() const;
  // Offset of a record start, or the end of the last record (where the next one is appended).
  void SetPosition(std::int64_t offset);

  void CreateFile(bool overwrite) override;
  void Open(bool createIfMissing) override;
  void Close() override;

  // Loads the record at Position into the field objects, deleted or not; true when it is live.
  bool ReadRecord();
  // Appends the field objects' values as a new live record; Position becomes its offset.
  virtual void AppendRecord();
  // Rewrites the record at Position with the field objects' values, as live.
  virtual void WriteRecord();
  // Marks the record at Position deleted.
  virtual void DeleteRecord();
  // Removes all records and restarts key numbering.
  virtual void EmptyFile();

protected:
  // Best effort after a failed rewrite: the record at offset gets the image it had. Never throws.
  void RestoreRecord(std::int64_t offset, const std::uint8_t* image) noexcept;
  // After loading: the header's deleted count becomes what the records say (a delete cut short
  // by a power loss may have left the two apart), so the next header write is right again.
  void RecountDeleted(std::int32_t liveRecords);

private:
  void ReadHeader(std::int64_t fileSize);
  void CheckFields();
  void BuildFields();
  void RemoveUnacknowledgedTail(std::int64_t fileSize);
  std::int64_t RecordAreaEnd() const;
  void WriteHeader();
  // Copies each key field's NextKey into its descriptor and writes those descriptors.
  void WriteKeyDescriptors();
  void WriteRecordAt(std::int64_t offset, std::int32_t mark, const std::uint8_t* image);
  // Puts header and key descriptors back after a failed change, in memory and, as far as the
  // disk allows, on disk. Never throws: the caller rethrows the original failure.
  void RestoreAfterFailure(const TDatHeader& header, const std::vector<std::int32_t>& nextKeys);
  std::vector<std::int32_t> KeyFieldNextKeys() const;
  void SetKeyFieldNextKeys(const std::vector<std::int32_t>& nextKeys);
  void FreeOwnedFields();

  TDatHeader header_;
  TFieldRecs fieldRecs_;
  TFields* fields_ = nullptr;
  std::unique_ptr<TFields> ownedFieldSet_;
  std::vector<std::unique_ptr<TField>> ownedFields_;
  std::int64_t position_ = 0;
};
