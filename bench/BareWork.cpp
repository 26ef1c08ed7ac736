#include "BareWork.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

std::unique_ptr<std::uint8_t[]> ReadFileInBlocks(const std::string& path) {
  constexpr std::size_t kBlock = 1 << 20;
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (descriptor < 0 || fstat(descriptor, &info) != 0) throw std::runtime_error("cannot read " + path);
  const auto size = static_cast<std::size_t>(info.st_size);
  auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size);
  for (std::size_t done = 0; done < size;) {
    const ssize_t moved = read(descriptor, bytes.get() + done, std::min(kBlock, size - done));
    if (moved <= 0) {
      close(descriptor);
      throw std::runtime_error("cannot read " + path);
    }
    done += static_cast<std::size_t>(moved);
  }
  close(descriptor);
  return bytes;
}

TBareContactFile::TBareContactFile(const std::string& path, int elements, int elemSize)
    : elements_(elements),
      elemSize_(static_cast<std::size_t>(elemSize)),
      array_(static_cast<std::size_t>(elements + 1) * elemSize_, 1),
      record_(kRecordSize, 0x41) {
  descriptor_ = open(path.c_str(), O_RDWR | O_CLOEXEC);
  struct stat info {};
  if (descriptor_ < 0 || fstat(descriptor_, &info) != 0) throw std::runtime_error("cannot open " + path);
  fileSize_ = info.st_size;
}

TBareContactFile::~TBareContactFile() { close(descriptor_); }

void TBareContactFile::WriteAt(std::int64_t offset, const void* bytes, std::size_t count) {
  if (pwrite(descriptor_, bytes, count, offset) != static_cast<ssize_t>(count)) {
    throw std::runtime_error("bare write failed");
  }
}

void TBareContactFile::Flush() {
  if (fdatasync(descriptor_) != 0) throw std::runtime_error("bare flush failed");
}

void TBareContactFile::Append() {
  WriteAt(fileSize_, record_.data(), record_.size());
  fileSize_ += kRecordSize;
  Flush();
  WriteAt(0, record_.data(), 32);
  WriteAt(32, record_.data(), 36);
  Flush();
  std::memmove(array_.data() + elemSize_, array_.data(), static_cast<std::size_t>(elements_) * elemSize_);
}

void TBareContactFile::Rewrite() {
  OverwriteAndFlush();
  MoveElements();
}

void TBareContactFile::Delete() {
  WriteAt(LastRecord(), record_.data(), 4);
  WriteAt(0, record_.data(), 32);
  Flush();
  std::memmove(array_.data(), array_.data() + elemSize_, static_cast<std::size_t>(elements_ - 1) * elemSize_);
}

void TBareContactFile::MoveElements() {
  std::uint8_t* from = array_.data() + (moveUp_ ? 0 : elemSize_);
  std::uint8_t* to = array_.data() + (moveUp_ ? elemSize_ : 0);
  std::memmove(to, from, static_cast<std::size_t>(elements_ - 1) * elemSize_);
  moveUp_ = !moveUp_;
}

void TBareContactFile::OverwriteAndFlush() {
  WriteAt(kHeaderSize, record_.data(), record_.size());
  Flush();
}

void TBareContactFile::AppendAndFlush() {
  WriteAt(fileSize_, record_.data(), record_.size());
  fileSize_ += kRecordSize;
  Flush();
}
