#include "UDatArr.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <numeric>

#include "UBaseFld.h"
#include "UErrors.h"
#include "UKeySort.h"
#include "UMergeSort.h"

namespace {

// Capacity for n elements: steps of 16 up to 64, then steps of a quarter of the largest power
// of two not above n.
int Grow(int n) {
  if (n < 64) return std::max(16, (n + 15) / 16 * 16);
  const int power = static_cast<int>(std::bit_floor(static_cast<unsigned>(n)));
  std::int64_t capacity = power;
  while (capacity < n) capacity += power / 4;
  return static_cast<int>(std::min<std::int64_t>(capacity, INT_MAX));
}

// The file is read in blocks of about this size at open: small enough to stay in the processor's
// cache between the read and the copy into the elements.
constexpr std::int64_t kLoadBlockBytes = 64 << 10;

}  // namespace

int TDatArr::ElemCount() const {
  CheckOpen();
  return elemCount_;
}

int TDatArr::Current() const {
  CheckOpen();
  return current_;
}

TIndex* TDatArr::GetIndex() const {
  CheckOpen();
  return index_;
}

std::int32_t TDatArr::ElemOffset(int i) const { return ReadInt32(Elem(i)); }

void TDatArr::SetElemOffset(int i, std::int64_t offset) {
  WriteInt32(static_cast<std::int32_t>(offset), Elem(i));
}

void TDatArr::SetElemCount(int count) {
  CheckOpen();
  if (count < 0) throw EGeneral("Задано отрицательное количество элементов массива");
  if (count > maxCount_) throw EGeneral("Задано слишком большое количество элементов массива данных");
  int capacity = capacity_;
  if (count == 0) {
    capacity = 0;
  } else if (count > capacity_ || count < elemCount_) {
    capacity = std::min(Grow(count), maxCount_);
  }
  if (capacity != capacity_) {
    decltype(data_) resized(static_cast<std::size_t>(capacity) * elemSize_);
    const std::size_t kept = std::min(resized.size(), static_cast<std::size_t>(elemCount_) * elemSize_);
    // An empty block has no address to copy from, and memcpy must not be given a null one.
    if (kept > 0) std::memcpy(resized.data(), data_.data(), kept);
    data_ = std::move(resized);
    capacity_ = capacity;
  }
  elemCount_ = count;
  if (count == 0) current_ = 0;
}

void TDatArr::SetCurrent(int n) {
  CheckOpen();
  if (elemCount_ == 0) return;
  if (n < 0 || n >= elemCount_) throw EGeneral("Неверный номер текущего элемента массива");
  current_ = n;
  SetPosition(ElemOffset(n));
  Fields()->SetRecord(Image(n));
}

std::int32_t TDatArr::CurrentFilePos() const {
  return elemCount_ == 0 ? 0 : ElemOffset(current_);
}

void TDatArr::LocateFilePos(std::int32_t offset) {
  if (elemCount_ == 0) return;
  for (int i = 0; i < elemCount_; ++i) {
    if (ElemOffset(i) == offset) {
      SetCurrent(i);
      return;
    }
  }
  throw EGeneral("Неверный физический номер записи");
}

void TDatArr::CheckCell(int elem, int field, const std::string& message) const {
  if (elem < 0 || elem >= elemCount_ || field < 0 || field >= Fields()->Count()) {
    throw EGeneral(message);
  }
}

std::string TDatArr::GetCellText(int elem, int field) const {
  CheckOpen();
  const std::string details = std::string("Неверный индекс для получения строки данных") +
                              "\r\nElem = " + std::to_string(elem) +
                              "\r\nFElemCount = " + std::to_string(elemCount_) +
                              "\r\nField = " + std::to_string(field) +
                              "\r\nFields.Count = " + std::to_string(Fields()->Count());
  CheckCell(elem, field, details);
  return Fields()->Items(field)->DataToString(Image(elem) + Fields()->Offsets(field));
}

const std::uint8_t* TDatArr::GetCellData(int elem, int field) const {
  CheckOpen();
  CheckCell(elem, field, "Неверный индекс для получения значения элемента массива");
  return Image(elem) + Fields()->Offsets(field);
}

void TDatArr::MoveElementTo(int from, int to) {
  if (from == to) return;
  std::vector<std::uint8_t> moving(Elem(from), Elem(from) + elemSize_);
  if (to < from) {
    std::memmove(Elem(to + 1), Elem(to), static_cast<std::size_t>(from - to) * elemSize_);
  } else {
    std::memmove(Elem(from), Elem(from + 1), static_cast<std::size_t>(to - from) * elemSize_);
  }
  std::memcpy(Elem(to), moving.data(), moving.size());
}

// --- open, create, close ---

void TDatArr::CreateFile(bool overwrite) {
  TDatFile::CreateFile(overwrite);
  Fields()->ClearValues();
  elemSize_ = (ElemHeaderBytes + Fields()->RecordSize() + 3) / 4 * 4;
  maxCount_ = INT_MAX / elemSize_;
  current_ = elemCount_ = capacity_ = 0;
  data_.clear();
  index_ = nullptr;
}

void TDatArr::Open(bool createIfMissing) {
  TDatFile::Open(createIfMissing);
  try {
    elemSize_ = (ElemHeaderBytes + Fields()->RecordSize() + 3) / 4 * 4;
    maxCount_ = INT_MAX / elemSize_;
    index_ = nullptr;
    LoadRecords();
    if (elemCount_ > 0) {
      SetCurrent(0);
    } else {
      Fields()->ClearValues();
    }
  } catch (...) {
    Close();
    throw;
  }
}

void TDatArr::LoadRecords() {
  const TDatHeader& header = GetHeader();
  const std::int64_t recordSize = header.RecordSize;
  const std::size_t imageSize = static_cast<std::size_t>(Fields()->RecordSize());
  SetElemCount(header.RecordCount - header.DeletedCount);

  // Keys handed out so far, deleted records included, so that no key is ever given twice.
  std::vector<std::int32_t> largestKeys(static_cast<std::size_t>(Fields()->Count()), 0);
  // The integer key fields, found once rather than for every record.
  std::vector<int> keyFields;
  for (int f = 0; f < Fields()->Count(); ++f) {
    if (Fields()->Items(f)->IsKey() && dynamic_cast<TIntegerField*>(Fields()->Items(f))) {
      keyFields.push_back(f);
    }
  }
  const std::int64_t recordsPerBlock = std::max<std::int64_t>(1, kLoadBlockBytes / recordSize);
  std::vector<std::uint8_t> block(static_cast<std::size_t>(std::min<std::int64_t>(
      recordsPerBlock, std::max(header.RecordCount, 1)) * recordSize));

  int loaded = 0;
  std::int64_t position = header.HeaderSize;
  Seek(position, 0);
  for (std::int64_t done = 0; done < header.RecordCount;) {
    const std::int64_t batch = std::min(recordsPerBlock, header.RecordCount - done);
    Read(block.data(), batch * recordSize);
    for (std::int64_t r = 0; r < batch; ++r, position += recordSize) {
      const std::uint8_t* record = block.data() + r * recordSize;
      const std::uint8_t* image = record + DatFormat::RecordPrefixBytes;
      for (const int f : keyFields) {
        auto& largest = largestKeys[static_cast<std::size_t>(f)];
        largest = std::max(largest, ReadInt32(image + Fields()->Offsets(f)));
      }
      if (ReadInt32(record + DatFormat::DeletionMarkOffset) != DatFormat::LiveMark) continue;
      // More live records than the header promises only after a delete cut short: grow.
      if (loaded == elemCount_) SetElemCount(loaded + 1);
      SetElemOffset(loaded, position);
      std::memcpy(Image(loaded), image, imageSize);
      ++loaded;
    }
    done += batch;
  }
  if (loaded < elemCount_) SetElemCount(loaded);
  RecountDeleted(loaded);
  RaiseNextKeys(largestKeys);
}

void TDatArr::RaiseNextKeys(const std::vector<std::int32_t>& largestKeys) {
  for (int f = 0; f < Fields()->Count(); ++f) {
    TField& field = *Fields()->Items(f);
    const std::int32_t largest = largestKeys[static_cast<std::size_t>(f)];
    if (field.IsKey() && largest != INT_MAX && field.NextKey() <= largest) {
      field.SetNextKey(largest + 1);
    }
  }
}

void TDatArr::Close() {
  SetElemCount(0);
  data_.clear();
  data_.shrink_to_fit();
  elemSize_ = maxCount_ = current_ = 0;
  index_ = nullptr;
  TDatFile::Close();
}

// --- changes ---

void TDatArr::AppendRecord() {
  CheckOpen();
  const int oldCount = elemCount_;
  const int oldCurrent = current_;
  const std::uint8_t* image = Fields()->GetRecord();
  int at = oldCount;
  if (index_ != nullptr) {
    index_->LoadKey(image);
    at = InsertPosition();
  }
  SetElemCount(oldCount + 1);
  MoveElementTo(oldCount, at);
  std::memcpy(Image(at), image, static_cast<std::size_t>(Fields()->RecordSize()));
  current_ = at;
  try {
    TDatFile::AppendRecord();
  } catch (const EGeneral&) {
    // Memory follows the file: the element goes again, so a retry cannot add it twice.
    MoveElementTo(at, oldCount);
    SetElemCount(oldCount);
    current_ = oldCurrent;
    throw;
  }
  SetElemOffset(at, Position());
}

void TDatArr::WriteRecord() {
  CheckOpen();
  const int oldCurrent = current_;
  const std::int32_t offset = ElemOffset(current_);
  const std::vector<std::uint8_t> oldImage(Image(current_), Image(current_) + Fields()->RecordSize());
  SetPosition(offset);
  const std::uint8_t* image = Fields()->GetRecord();
  int to = current_;
  if (index_ != nullptr) {
    index_->LoadKey(image);
    if (index_->CompareKey(Image(current_)) != 0) {
      const int u = InsertPosition();
      if (u < current_) to = u;
      else if (u > current_ + 1) to = u - 1;
    }
  }
  MoveElementTo(current_, to);
  current_ = to;
  std::memcpy(Image(to), image, static_cast<std::size_t>(Fields()->RecordSize()));
  try {
    TDatFile::WriteRecord();
  } catch (const EGeneral&) {
    std::memcpy(Image(to), oldImage.data(), oldImage.size());
    MoveElementTo(to, oldCurrent);
    current_ = oldCurrent;
    RestoreRecord(offset, oldImage.data());
    throw;
  }
}

void TDatArr::DeleteRecord() {
  CheckOpen();
  SetPosition(ElemOffset(current_));
  TDatFile::DeleteRecord();
  MoveElementTo(current_, elemCount_ - 1);
  SetElemCount(elemCount_ - 1);
  if (elemCount_ == 0) Fields()->ClearValues();
}

void TDatArr::EmptyFile() {
  TDatFile::EmptyFile();
  SetElemCount(0);
  current_ = 0;
}

// --- indexes ---

void TDatArr::SetIndex(TIndex* index) {
  CheckOpen();
  if (index == index_) return;
  index_ = index;
  if (index == nullptr) return;
  const std::int32_t currentOffset = CurrentFilePos();
  if (index->IsPrimary()) {
    SortByKey();
  } else {
    SortByIndex();
  }
  LocateFilePos(currentOffset);
}

void TDatArr::Find() {
  if (index_ == nullptr) throw EGeneral("Не задан индексный объект");
  if (index_->IsPrimary()) {
    FindUnique();
  } else {
    FindFirst();
  }
}

void TDatArr::FindUnique() {
  int lo = 0;
  int hi = elemCount_ - 1;
  int mid = 0;
  while (lo <= hi) {
    mid = lo + (hi - lo) / 2;
    const int rc = index_->CompareKey(Image(mid));
    if (rc < 0) hi = mid - 1;
    else if (rc > 0) lo = mid + 1;
    else break;
  }
  SetCurrent(mid);
}

void TDatArr::FindFirst() {
  int lo = 0;
  int hi = elemCount_ - 1;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const int rc = index_->CompareKey(Image(mid));
    if (rc > 0) {
      lo = mid + 1;
    } else if (rc < 0) {
      hi = mid - 1;
    } else if (index_->CompareKey(Image(lo)) == 0) {
      SetCurrent(lo);
      return;
    } else if (index_->CompareKey(Image(mid - 1)) != 0) {
      SetCurrent(mid);
      return;
    } else {
      hi = mid - 1;
    }
  }
  SetCurrent(lo > elemCount_ - 1 ? elemCount_ - 1 : lo);
}

int TDatArr::InsertPosition() const {
  if (index_ == nullptr) throw EGeneral("Не задан индексный объект");
  int lo = 0;
  int hi = elemCount_ - 1;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const int rc = index_->CompareKey(Image(mid));
    if (rc < 0) {
      hi = mid - 1;
      continue;
    }
    lo = mid + 1;
    if (rc == 0) {
      if (index_->CompareKey(Image(hi)) == 0) return hi + 1;
      if (index_->CompareKey(Image(lo)) != 0) return lo;
    }
  }
  return lo;
}

void TDatArr::SortByKey() {
  if (index_ == nullptr || !index_->IsPrimary()) throw EGeneral("Индекс не является первичным ключем");
  // Placing each element at its key value is linear. A damaged file may hold a key outside the
  // keys handed out, or one key twice, or a NextKey far beyond the records; then the general
  // stable sort orders by key instead, so no element is lost or doubled.
  const std::int64_t largestKey = static_cast<std::int64_t>(index_->Field()->NextKey()) - 1;
  const bool slotsAffordable = largestKey >= 0 && largestKey <= 4LL * elemCount_ + 1024;
  std::vector<std::int64_t> slots(slotsAffordable ? static_cast<std::size_t>(largestKey + 1) : 0, -1);
  bool placed = slotsAffordable;
  for (int i = 0; i < elemCount_ && placed; ++i) {
    index_->LoadKey(Image(i));
    const std::int32_t key = ReadInt32(index_->KeyBuffer());
    placed = key >= 0 && key <= largestKey && slots[static_cast<std::size_t>(key)] < 0;
    if (placed) slots[static_cast<std::size_t>(key)] = i;
  }
  if (!placed) {
    SortByIndex();
    return;
  }
  std::vector<std::uint32_t> order;
  order.reserve(static_cast<std::size_t>(elemCount_));
  for (const std::int64_t slot : slots) {
    if (slot >= 0) order.push_back(static_cast<std::uint32_t>(slot));
  }
  ApplyOrder(order);
}

void TDatArr::SortByIndex() {
  if (index_ == nullptr) throw EGeneral("Не задан индексный объект");
  if (elemCount_ < 2) return;
  std::vector<std::uint32_t> order;
  const auto image = [this](int i) { return Image(i); };
  if (!SortByKeys(*index_, elemCount_, image, order)) {
    order.resize(static_cast<std::size_t>(elemCount_));
    std::iota(order.begin(), order.end(), 0u);
    StableSort(order, [this](std::uint32_t a, std::uint32_t b) {
      return index_->CompareRecords(Image(static_cast<int>(a)), Image(static_cast<int>(b)));
    });
  }
  ApplyOrder(order);
}

void TDatArr::ApplyOrder(const std::vector<std::uint32_t>& order) {
  // In place, one cycle of the permutation at a time: element order[j] goes to place j. Each
  // element moves once, and no second block of the array's size is needed.
  std::vector<bool> placed(order.size(), false);
  std::vector<std::uint8_t> spare(static_cast<std::size_t>(elemSize_));
  const auto move = [this](std::uint8_t* to, const std::uint8_t* from) {
    std::memcpy(to, from, static_cast<std::size_t>(elemSize_));
  };
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (placed[start]) continue;
    move(spare.data(), Elem(static_cast<int>(start)));
    for (std::size_t j = start;;) {
      placed[j] = true;
      const std::size_t from = order[j];
      if (from == start) {
        move(Elem(static_cast<int>(j)), spare.data());
        break;
      }
      move(Elem(static_cast<int>(j)), Elem(static_cast<int>(from)));
      j = from;
    }
  }
}
