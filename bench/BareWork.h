#pragma once
// The yardsticks of the engine benchmark: the same physical work as an engine operation, done
// bare. Opening reads the file into one array in large blocks; a durable change makes the same
// writes at the same places in a file of the same size, the same flushes in the same order, and
// the same block move of array elements, and nothing else.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Allocates an array of the file's size and reads the file into it in blocks of 1 MiB.
std::unique_ptr<std::uint8_t[]> ReadFileInBlocks(const std::string& path);

class TBareContactFile {
public:
  // path: a contact file of `elements` records, which this object changes; elemSize: the size of
  // one element of the engine's array.
  TBareContactFile(const std::string& path, int elements, int elemSize);
  ~TBareContactFile();
  TBareContactFile(const TBareContactFile&) = delete;
  TBareContactFile& operator=(const TBareContactFile&) = delete;

  // Record at the end, flush, header and key descriptor, flush; every element moves up one place.
  void Append();
  // Record in place, flush; all elements but one move one place, alternately up and down.
  void Rewrite();
  // Deletion mark and header, flush; all elements but one move down one place.
  void Delete();
  // Only the block move of Rewrite.
  void MoveElements();
  // Only the file side of Rewrite: one record overwritten in place and flushed.
  void OverwriteAndFlush();
  // One record added at the end and flushed: the flush must also make the new size durable.
  void AppendAndFlush();

private:
  void WriteAt(std::int64_t offset, const void* bytes, std::size_t count);
  void Flush();
  std::int64_t LastRecord() const { return fileSize_ - kRecordSize; }

  static constexpr int kHeaderSize = 284;
  static constexpr int kRecordSize = 356;

  int descriptor_ = -1;
  std::int64_t fileSize_ = 0;
  int elements_;
  std::size_t elemSize_;
  std::vector<std::uint8_t> array_;
  std::vector<std::uint8_t> record_;
  bool moveUp_ = false;
};
