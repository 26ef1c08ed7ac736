#pragma once
// The ordered field set of one table. It fixes where each field's data image lies inside a
// record image (the images of all fields in order, without gaps) and moves values between the
// field objects and record images. The set does not own its fields.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "UField.h"

class TFields {
public:
  TFields() = default;
  explicit TFields(std::initializer_list<TField*> fields);

  void Add(TField* field);
  int Count() const { return static_cast<int>(items_.size()); }
  TField* Items(int i) const;  // a range error for an index outside 0 .. Count - 1
  int Offsets(int i) const;
  int RecordSize() const { return recordSize_; }
  // Position of the field object in the set, or -1.
  int IndexOf(const TField* field) const;

  // The record image of the current values; valid until the next call.
  const std::uint8_t* GetRecord();
  void SetRecord(const std::uint8_t* image);
  // Every field takes the value whose image is all zero bytes.
  void ClearValues();
  void EnableEdit();
  void DisableEdit();
  void AssignNextKeys();
  void IncNextKeys();

private:
  std::vector<TField*> items_;
  std::vector<int> offsets_;
  int recordSize_ = 0;
  std::vector<std::uint8_t> recordBuffer_;
};
