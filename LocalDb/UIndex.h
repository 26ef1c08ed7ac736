#pragma once
// An index: an ordering of a table's records by one field, with a key buffer that holds a search
// value of that field. No index data is kept apart from the record array: activating an index
// sorts the array itself, later changes keep that order, and searches bisect it.
//
// The three primitive steps (compare the key with a record, compare two records, load the key
// from a record) are virtual, so a derived index can order the same field differently. The
// record images given to them are the images inside array elements.

#include <cstdint>
#include <string>
#include <vector>

#include "UFields.h"

class TIndex {
public:
  // Fails when fields or field is missing, or when the field object is not in the set.
  TIndex(TFields* fields, const std::string& name, TField* field);
  virtual ~TIndex() = default;
  TIndex(const TIndex&) = delete;
  TIndex& operator=(const TIndex&) = delete;

  const std::string& Name() const { return name_; }
  TField* Field() const { return field_; }
  int Offset() const { return offset_; }
  int KeySize() const { return static_cast<int>(keyBuffer_.size()); }
  const std::uint8_t* KeyBuffer() const { return keyBuffer_.data(); }
  // An index over the table's auto-numbered key: the array is placed by key value.
  bool IsPrimary() const { return field_ != nullptr && field_->IsKey(); }

  // The key buffer against the record's field: -1, 0 or 1.
  virtual int CompareKey(const std::uint8_t* record) const;
  virtual int CompareRecords(const std::uint8_t* a, const std::uint8_t* b) const;
  void LoadKey(const std::uint8_t* record);
  // Appends to key a byte string whose byte-wise order is this index's order of the record (see
  // TField::SortKey); false when there is none. A derived index that orders differently must
  // override this together with CompareKey and CompareRecords.
  virtual bool SortKey(const std::uint8_t* record, std::string& key) const;

  virtual void SetKeyText(const std::string& text);
  void SetKeyVariant(const TVariant& value);

private:
  std::string name_;
  TField* field_;
  int offset_ = 0;
  std::vector<std::uint8_t> keyBuffer_;
};
