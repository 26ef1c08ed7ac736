#include "UDatFile.h"

#include <algorithm>
#include <cstring>

#include "UBaseFld.h"
#include "UCodePage1251.h"
#include "UErrors.h"

using namespace DatFormat;

namespace {

TFieldRec MakeDescriptor(const TField& field) {
  TFieldRec rec{};
  WriteInt32(field.TypeId(), rec.data() + TypeIdOffset);
  WriteInt32(field.DataSize(), rec.data() + SizeOffset);
  const std::string name = Utf8ToCp1251(field.Name()).substr(0, MaxNameLength);
  rec[NameOffset] = static_cast<std::uint8_t>(name.size());
  std::memcpy(rec.data() + NameOffset + 1, name.data(), name.size());
  WriteInt32(field.IsKey() ? field.NextKey() : 0, rec.data() + NextKeyOffset);
  return rec;
}

std::string DescriptorName(const TFieldRec& rec) {
  const std::size_t length = std::min<std::size_t>(rec[NameOffset], MaxNameLength);
  return Cp1251ToUtf8(std::string(reinterpret_cast<const char*>(rec.data() + NameOffset + 1), length));
}

}  // namespace

std::array<std::uint8_t, HeaderBytes> TDatHeader::Encode() const {
  std::array<std::uint8_t, HeaderBytes> bytes{};
  std::memcpy(bytes.data() + MagicOffset, Magic, sizeof(Magic));
  WriteInt32(HeaderSize, bytes.data() + HeaderSizeOffset);
  WriteInt32(FieldCount, bytes.data() + FieldCountOffset);
  WriteInt32(RecordSize, bytes.data() + RecordSizeOffset);
  WriteInt32(RecordCount, bytes.data() + RecordCountOffset);
  WriteInt32(DeletedCount, bytes.data() + DeletedCountOffset);
  return bytes;
}

TDatFile::~TDatFile() { FreeOwnedFields(); }

void TDatFile::FreeOwnedFields() {
  if (ownedFieldSet_) {
    fields_ = nullptr;
    ownedFieldSet_.reset();
    ownedFields_.clear();
  }
}

void TDatFile::SetFields(TFields* fields) {
  CheckClosed();
  if (fields == nullptr) throw EGeneral("Не определен объект полей");
  fields_ = fields;
}

std::int64_t TDatFile::Position() const {
  CheckOpen();
  return position_;
}

std::int64_t TDatFile::RecordAreaEnd() const {
  return header_.HeaderSize + static_cast<std::int64_t>(header_.RecordSize) * header_.RecordCount;
}

void TDatFile::SetPosition(std::int64_t offset) {
  CheckOpen();
  if (offset < header_.HeaderSize || offset > RecordAreaEnd() || header_.RecordSize <= 0 ||
      (offset - header_.HeaderSize) % header_.RecordSize != 0) {
    throw EGeneral("Неверное смещение записи в файле");
  }
  position_ = offset;
}

void TDatFile::CreateFile(bool overwrite) {
  if (fields_ == nullptr) throw EGeneral("Не определен объект полей");
  TFile::CreateFile(overwrite);
  try {
    header_ = TDatHeader{};
    header_.FieldCount = fields_->Count();
    header_.HeaderSize = static_cast<std::int32_t>(HeaderSizeFor(header_.FieldCount));
    header_.RecordSize = fields_->RecordSize() + RecordPrefixBytes;
    fieldRecs_.clear();
    for (int i = 0; i < fields_->Count(); ++i) fieldRecs_.push_back(MakeDescriptor(*fields_->Items(i)));
    // Header and descriptors go out in one write, so a new file is whole or empty.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(header_.HeaderSize));
    const auto headerBytes = header_.Encode();
    std::copy(headerBytes.begin(), headerBytes.end(), bytes.begin());
    for (std::size_t i = 0; i < fieldRecs_.size(); ++i) {
      std::copy(fieldRecs_[i].begin(), fieldRecs_[i].end(), bytes.begin() + HeaderBytes + DescriptorBytes * i);
    }
    Seek(0, 0);
    Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    Flush();
    SetPosition(header_.HeaderSize);
  } catch (...) {
    Close();
    throw;
  }
}

void TDatFile::Open(bool createIfMissing) {
  TFile::Open(createIfMissing);
  try {
    const std::int64_t fileSize = Seek(0, 2);
    ReadHeader(fileSize);
    if (fields_ != nullptr) {
      CheckFields();
    } else {
      BuildFields();
    }
    RemoveUnacknowledgedTail(fileSize);
    SetPosition(header_.HeaderSize);
  } catch (...) {
    Close();
    throw;
  }
}

void TDatFile::ReadHeader(std::int64_t fileSize) {
  if (fileSize < HeaderBytes) throw EGeneral("Неверный размер заголовка файла");
  std::array<std::uint8_t, HeaderBytes> bytes{};
  Seek(0, 0);
  Read(bytes.data(), HeaderBytes);
  if (std::memcmp(bytes.data() + MagicOffset, Magic, sizeof(Magic)) != 0) {
    throw EGeneral("Неверный тип файла");
  }
  TDatHeader header;
  header.HeaderSize = ReadInt32(bytes.data() + HeaderSizeOffset);
  header.FieldCount = ReadInt32(bytes.data() + FieldCountOffset);
  header.RecordSize = ReadInt32(bytes.data() + RecordSizeOffset);
  header.RecordCount = ReadInt32(bytes.data() + RecordCountOffset);
  header.DeletedCount = ReadInt32(bytes.data() + DeletedCountOffset);
  // 64-bit arithmetic: the stored numbers are untrusted and must not overflow.
  if (header.FieldCount < 0 || HeaderSizeFor(header.FieldCount) != header.HeaderSize ||
      fileSize < header.HeaderSize) {
    throw EGeneral("Неверный размер заголовка файла");
  }
  TFieldRecs recs(static_cast<std::size_t>(header.FieldCount));
  std::int64_t sizeSum = RecordPrefixBytes;
  for (TFieldRec& rec : recs) {
    Read(rec.data(), DescriptorBytes);
    sizeSum += ReadInt32(rec.data() + SizeOffset);
  }
  if (sizeSum != header.RecordSize) throw EGeneral("Неверный размер записи");
  const std::int64_t expectedSize =
      header.HeaderSize + static_cast<std::int64_t>(header.RecordSize) * header.RecordCount;
  // A file longer than its header says holds an append that never completed; its tail is
  // removed once the rest of the header has passed. A shorter one has lost records: refused.
  if (header.RecordCount < 0 || header.RecordSize <= 0 || fileSize < expectedSize) {
    throw EGeneral("Неверное количество записей");
  }
  if (header.RecordCount < header.DeletedCount || header.DeletedCount < 0) {
    throw EGeneral("Неверное количество записей");
  }
  header_ = header;
  fieldRecs_ = std::move(recs);
}

void TDatFile::CheckFields() {
  if (fields_->Count() != header_.FieldCount ||
      HeaderSizeFor(fields_->Count()) != header_.HeaderSize) {
    throw EGeneral("Поврежден заголовок файла");
  }
  if (fields_->RecordSize() + RecordPrefixBytes != header_.RecordSize) {
    throw EGeneral("Неверный размер записи");
  }
  for (int i = 0; i < fields_->Count(); ++i) {
    TField& field = *fields_->Items(i);
    const TFieldRec& rec = fieldRecs_[static_cast<std::size_t>(i)];
    if (field.TypeId() != ReadInt32(rec.data() + TypeIdOffset)) throw EGeneral("Неверный тип поля");
    if (field.DataSize() != ReadInt32(rec.data() + SizeOffset)) throw EGeneral("Неверный размер поля");
    if (field.IsKey()) {
      const std::int32_t nextKey = ReadInt32(rec.data() + NextKeyOffset);
      if (nextKey <= 0) throw EGeneral("Неверное очередное значение ключевого поля");
      field.SetNextKey(nextKey);
    }
  }
}

void TDatFile::BuildFields() {
  auto fieldSet = std::make_unique<TFields>();
  std::vector<std::unique_ptr<TField>> fields;
  for (const TFieldRec& rec : fieldRecs_) {
    const std::int32_t size = ReadInt32(rec.data() + SizeOffset);
    // A damaged descriptor must not make us allocate gigabytes for one field.
    if (size < 0 || size > MaxFieldSize) throw EGeneral("Неверный размер поля");
    auto field = CreateByType(ReadInt32(rec.data() + TypeIdOffset), size);
    // A string class builds the size it is given; a fixed-size class ignores it and must agree.
    if (field->DataSize() != size) throw EGeneral("Неверный размер поля");
    field->SetName(DescriptorName(rec));
    const std::int32_t nextKey = ReadInt32(rec.data() + NextKeyOffset);
    field->SetKey(nextKey > 0);
    if (nextKey > 0) field->SetNextKey(nextKey);
    fieldSet->Add(field.get());
    fields.push_back(std::move(field));
  }
  ownedFields_ = std::move(fields);
  ownedFieldSet_ = std::move(fieldSet);
  fields_ = ownedFieldSet_.get();
}

void TDatFile::RemoveUnacknowledgedTail(std::int64_t fileSize) {
  if (fileSize == RecordAreaEnd()) return;
  Seek(RecordAreaEnd(), 0);
  Truncate();
  Flush();
}

void TDatFile::Close() {
  FreeOwnedFields();
  header_ = TDatHeader{};
  fieldRecs_.clear();
  if (fields_ != nullptr) {
    for (int i = 0; i < fields_->Count(); ++i) {
      if (fields_->Items(i)->IsKey()) fields_->Items(i)->SetNextKey(1);
    }
  }
  position_ = 0;
  TFile::Close();
}

void TDatFile::WriteHeader() {
  const auto bytes = header_.Encode();
  Seek(0, 0);
  Write(bytes.data(), HeaderBytes);
}

void TDatFile::WriteKeyDescriptors() {
  for (int i = 0; i < fields_->Count(); ++i) {
    const TField& field = *fields_->Items(i);
    if (!field.IsKey()) continue;
    TFieldRec& rec = fieldRecs_[static_cast<std::size_t>(i)];
    WriteInt32(field.NextKey(), rec.data() + NextKeyOffset);
    Seek(HeaderBytes + static_cast<std::int64_t>(DescriptorBytes) * i, 0);
    Write(rec.data(), DescriptorBytes);
  }
}

void TDatFile::WriteRecordAt(std::int64_t offset, std::int32_t mark, const std::uint8_t* image) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(header_.RecordSize), 0);
  WriteInt32(mark, bytes.data() + DeletionMarkOffset);
  std::memcpy(bytes.data() + RecordPrefixBytes, image, bytes.size() - RecordPrefixBytes);
  Seek(offset, 0);
  Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

bool TDatFile::ReadRecord() {
  CheckOpen();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(header_.RecordSize));
  Seek(position_, 0);
  Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  fields_->SetRecord(bytes.data() + RecordPrefixBytes);
  return ReadInt32(bytes.data() + DeletionMarkOffset) == LiveMark;
}

std::vector<std::int32_t> TDatFile::KeyFieldNextKeys() const {
  std::vector<std::int32_t> nextKeys;
  for (int i = 0; i < fields_->Count(); ++i) nextKeys.push_back(fields_->Items(i)->NextKey());
  return nextKeys;
}

void TDatFile::SetKeyFieldNextKeys(const std::vector<std::int32_t>& nextKeys) {
  for (int i = 0; i < fields_->Count(); ++i) {
    TField& field = *fields_->Items(i);
    if (field.IsKey()) field.SetNextKey(nextKeys[static_cast<std::size_t>(i)]);
  }
}

void TDatFile::RestoreAfterFailure(const TDatHeader& header,
                                   const std::vector<std::int32_t>& nextKeys) {
  header_ = header;
  SetKeyFieldNextKeys(nextKeys);
  try {
    WriteHeader();
    WriteKeyDescriptors();
    Seek(RecordAreaEnd(), 0);
    Truncate();
    Flush();
  } catch (const EGeneral&) {
    // The disk refuses even the repair; the next open trims what the header does not count.
  }
}

void TDatFile::AppendRecord() {
  CheckOpen();
  // No key follows the largest one: counting on would wrap to a negative NextKey, which the
  // next open refuses, locking the user out of the file.
  for (int i = 0; i < fields_->Count(); ++i) {
    if (fields_->Items(i)->IsKey() && fields_->Items(i)->NextKey() == INT32_MAX) {
      throw EGeneral("Неверное очередное значение ключевого поля");
    }
  }
  const TDatHeader before = header_;
  const auto nextKeysBefore = KeyFieldNextKeys();
  const std::int64_t offset = RecordAreaEnd();
  try {
    SetPosition(offset);
    WriteRecordAt(offset, LiveMark, fields_->GetRecord());
    // The record must be on the disk before a header that counts it.
    Flush();
    ++header_.RecordCount;
    WriteHeader();
    fields_->IncNextKeys();
    WriteKeyDescriptors();
    Flush();
  } catch (const EGeneral&) {
    RestoreAfterFailure(before, nextKeysBefore);
    throw;
  }
}

void TDatFile::WriteRecord() {
  CheckOpen();
  SetPosition(position_);
  WriteRecordAt(position_, LiveMark, fields_->GetRecord());
  Flush();
}

void TDatFile::DeleteRecord() {
  CheckOpen();
  SetPosition(position_);
  if (position_ == RecordAreaEnd()) throw EGeneral("Неверное смещение записи в файле");
  const TDatHeader before = header_;
  const auto nextKeys = KeyFieldNextKeys();
  std::uint8_t mark[4];
  try {
    WriteInt32(DeletedMark, mark);
    Seek(position_ + DeletionMarkOffset, 0);
    Write(mark, sizeof(mark));
    ++header_.DeletedCount;
    WriteHeader();
    Flush();
  } catch (const EGeneral&) {
    try {
      WriteInt32(LiveMark, mark);
      Seek(position_ + DeletionMarkOffset, 0);
      Write(mark, sizeof(mark));
    } catch (const EGeneral&) {
      // Left deleted on disk; the next open recounts and the record is simply gone.
    }
    RestoreAfterFailure(before, nextKeys);
    throw;
  }
}

void TDatFile::EmptyFile() {
  CheckOpen();
  const TDatHeader before = header_;
  const auto nextKeysBefore = KeyFieldNextKeys();
  try {
    header_.RecordCount = 0;
    header_.DeletedCount = 0;
    WriteHeader();
    SetKeyFieldNextKeys(std::vector<std::int32_t>(static_cast<std::size_t>(fields_->Count()), 1));
    WriteKeyDescriptors();
    // The header must say "no records" on the disk before the records go, or a power loss could
    // leave a header that counts records that are no longer there.
    Flush();
  } catch (const EGeneral&) {
    RestoreAfterFailure(before, nextKeysBefore);
    throw;
  }
  // The header that counts no records is on the disk: the file is empty. Cutting the records off
  // only tidies (open removes an uncounted tail as well), so its failure must not put back a
  // header that counts records which may be gone already.
  try {
    Seek(header_.HeaderSize, 0);
    Truncate();
    Flush();
  } catch (const EGeneral&) {
  }
  fields_->ClearValues();
  SetPosition(header_.HeaderSize);
}

void TDatFile::RecountDeleted(std::int32_t liveRecords) {
  header_.DeletedCount = header_.RecordCount - liveRecords;
}

void TDatFile::RestoreRecord(std::int64_t offset, const std::uint8_t* image) noexcept {
  try {
    WriteRecordAt(offset, LiveMark, image);
    Flush();
  } catch (const EGeneral&) {
    // The disk refuses the repair too; nothing more can be done here.
  }
}
