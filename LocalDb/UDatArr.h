#pragma once
// The record array: every live record of a data file in memory, in one contiguous block of
// fixed-size elements. An element is the 4-byte file offset of its record followed by the record
// image, so a change to an element is written back to exactly that record. The file is read once,
// at open; afterwards all reading goes to the array and the file is only written.
//
// With an active index the elements are kept in that index's order: activation sorts, and every
// append and rewrite puts its element at the right place with one block move.

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "UDatFile.h"
#include "UIndex.h"

// Allocates without zeroing: every element is written before it is read, and zeroing a block of
// hundreds of megabytes at open would cost a whole extra pass over it.
template <typename T>
struct TUninitAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = TUninitAllocator<U>;
  };
  template <typename U>
  void construct(U* place) noexcept {
    ::new (static_cast<void*>(place)) U;
  }
};

class TDatArr : public TDatFile {
public:
  static constexpr int ElemHeaderBytes = 4;

  TDatArr() = default;

  int ElemSize() const { return elemSize_; }
  int Capacity() const { return capacity_; }
  int MaxCount() const { return maxCount_; }
  int ElemCount() const;
  // Changes the number of elements; kept elements keep their content.
  void SetElemCount(int count);
  int Current() const;
  // Makes element n current: Position moves to its record and the fields take its values.
  void SetCurrent(int n);

  TIndex* GetIndex() const;
  // Activates the index (sorting the array) or, with null, keeps the present order unsorted.
  virtual void SetIndex(TIndex* index);
  virtual std::string GetCellText(int elem, int field) const;
  const std::uint8_t* GetCellData(int elem, int field) const;
  // The current element's file offset, or 0 without elements.
  std::int32_t CurrentFilePos() const;
  // Makes current the element whose record lies at that offset.
  void LocateFilePos(std::int32_t offset);

  // Positions on the key buffer's value of the active index.
  void Find();
  // Where a record whose field equals the key buffer goes: after every equal one.
  int InsertPosition() const;

  void CreateFile(bool overwrite) override;
  void Open(bool createIfMissing) override;
  void Close() override;
  void AppendRecord() override;
  void WriteRecord() override;
  void DeleteRecord() override;
  void EmptyFile() override;

private:
  std::uint8_t* Elem(int i) { return data_.data() + static_cast<std::size_t>(i) * elemSize_; }
  const std::uint8_t* Elem(int i) const {
    return data_.data() + static_cast<std::size_t>(i) * elemSize_;
  }
  std::uint8_t* Image(int i) { return Elem(i) + ElemHeaderBytes; }
  const std::uint8_t* Image(int i) const { return Elem(i) + ElemHeaderBytes; }
  std::int32_t ElemOffset(int i) const;
  void SetElemOffset(int i, std::int64_t offset);
  void CheckCell(int elem, int field, const std::string& message) const;
  // Takes element `from` out and puts it at `to`, shifting the elements between by one place.
  void MoveElementTo(int from, int to);
  void LoadRecords();
  void RaiseNextKeys(const std::vector<std::int32_t>& largestKeys);
  void FindUnique();
  void FindFirst();
  void SortByKey();
  void SortByIndex();
  // The array becomes its elements in the given order.
  void ApplyOrder(const std::vector<std::uint32_t>& order);

  std::vector<std::uint8_t, TUninitAllocator<std::uint8_t>> data_;
  int elemSize_ = 0;
  int elemCount_ = 0;
  int current_ = 0;
  int capacity_ = 0;
  int maxCount_ = 0;
  TIndex* index_ = nullptr;
};
