#include "FaultyFileSystem.h"

#include <algorithm>
#include <cstring>

// One open file. It stops working once its process has died or a new process has started.
class TFaultyHandle : public TFileHandle {
public:
  TFaultyHandle(TFaultyFileSystem& fileSystem, std::shared_ptr<TFaultyFileSystem::TFileState> file)
      : fileSystem_(fileSystem), file_(std::move(file)), generation_(fileSystem.generation_) {
    file_->open = true;
  }
  ~TFaultyHandle() override {
    if (generation_ == fileSystem_.generation_) file_->open = false;
  }
  TFaultyHandle(const TFaultyHandle&) = delete;
  TFaultyHandle& operator=(const TFaultyHandle&) = delete;

  std::int64_t Seek(std::int64_t offset, int origin) override {
    if (!Alive()) return -1;
    const std::int64_t base = origin == 0 ? 0 : origin == 1 ? position_ : Size();
    if (origin < 0 || origin > 2 || base + offset < 0) return -1;
    position_ = base + offset;
    return position_;
  }

  std::int64_t Read(void* buffer, std::int64_t count) override {
    if (!Alive() || count < 0) return -1;
    const std::int64_t moved = std::clamp<std::int64_t>(Size() - position_, 0, count);
    if (moved > 0) std::memcpy(buffer, file_->bytes.data() + position_, static_cast<std::size_t>(moved));
    position_ += moved;
    return moved;
  }

  std::int64_t Write(const void* buffer, std::int64_t count) override {
    if (!Alive() || count < 0) return -1;
    const auto step = fileSystem_.NextWrite();
    if (step == TFaultyFileSystem::TStep::Refuse) return -1;
    std::int64_t stored = count;
    if (step == TFaultyFileSystem::TStep::Cut) {
      const std::int64_t end = position_ + std::min(fileSystem_.cutKeep_, count - 1);
      stored = std::max<std::int64_t>(0, end / TFaultyFileSystem::SectorBytes * TFaultyFileSystem::SectorBytes - position_);
    }
    if (stored <= 0) return -1;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (position_ + stored > Size()) file_->bytes.resize(static_cast<std::size_t>(position_ + stored));
    std::memcpy(file_->bytes.data() + position_, bytes, static_cast<std::size_t>(stored));
    file_->pending.push_back({position_, std::vector<std::uint8_t>(bytes, bytes + stored), false});
    position_ += stored;
    return stored;
  }

  bool Truncate() override {
    if (!Alive()) return false;
    const auto step = fileSystem_.NextWrite();
    if (step == TFaultyFileSystem::TStep::Refuse) return false;
    file_->bytes.resize(static_cast<std::size_t>(position_));
    file_->pending.push_back({position_, {}, true});
    return step == TFaultyFileSystem::TStep::Go;
  }

  bool Sync() override {
    if (!Alive() || fileSystem_.NextSync() != TFaultyFileSystem::TStep::Go) return false;
    file_->durable = file_->bytes;
    file_->pending.clear();
    return true;
  }

private:
  bool Alive() const { return generation_ == fileSystem_.generation_ && !fileSystem_.dead_; }
  std::int64_t Size() const { return static_cast<std::int64_t>(file_->bytes.size()); }

  TFaultyFileSystem& fileSystem_;
  std::shared_ptr<TFaultyFileSystem::TFileState> file_;
  int generation_;
  std::int64_t position_ = 0;
};

void TFaultyFileSystem::SetFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  auto& file = files_[path];
  if (!file) file = std::make_shared<TFileState>();
  file->bytes = file->durable = bytes;
  file->pending.clear();
}

std::vector<std::uint8_t> TFaultyFileSystem::File(const std::string& path) const {
  const auto found = files_.find(path);
  return found == files_.end() ? std::vector<std::uint8_t>{} : found->second->bytes;
}

void TFaultyFileSystem::Arm(TFault fault, int n, std::int64_t cutKeep) {
  fault_ = fault;
  target_ = n;
  cutKeep_ = cutKeep;
  writes_ = syncs_ = steps_ = 0;
  fired_ = false;
}

TFaultyFileSystem::TStep TFaultyFileSystem::NextWrite() { return NextStep(true); }
TFaultyFileSystem::TStep TFaultyFileSystem::NextSync() { return NextStep(false); }

TFaultyFileSystem::TStep TFaultyFileSystem::NextStep(bool isWrite) {
  if (dead_) return TStep::Refuse;
  ++steps_;
  (isWrite ? writes_ : syncs_) += 1;
  const bool writeHit = isWrite && writes_ == target_;
  const bool hit = (fault_ == TFault::Fail && writeHit) || (fault_ == TFault::Cut && writeHit) ||
                   (fault_ == TFault::Crash && steps_ == target_) ||
                   (fault_ == TFault::FailSync && !isWrite && syncs_ == target_);
  if (!hit) return TStep::Go;
  fired_ = true;
  if (fault_ == TFault::Cut || fault_ == TFault::Crash) dead_ = true;
  return fault_ == TFault::Cut ? TStep::Cut : TStep::Refuse;
}

void TFaultyFileSystem::PowerLoss(std::mt19937& random) {
  for (auto& [path, file] : files_) {
    std::vector<std::uint8_t> disk = file->durable;
    std::vector<TPending> arrived = file->pending;
    std::shuffle(arrived.begin(), arrived.end(), random);
    for (const TPending& write : arrived) {
      const int fate = static_cast<int>(random() % 3);  // 0 lost, 1 whole, 2 up to a sector end
      if (fate == 0) continue;
      if (write.truncate) {
        disk.resize(static_cast<std::size_t>(write.offset));
        continue;
      }
      std::int64_t end = write.offset + static_cast<std::int64_t>(write.bytes.size());
      const std::int64_t firstBoundary = (write.offset / SectorBytes + 1) * SectorBytes;
      if (fate == 2 && firstBoundary < end) {
        const std::int64_t boundaries = (end - 1 - firstBoundary) / SectorBytes + 1;
        end = firstBoundary + static_cast<std::int64_t>(random() % boundaries) * SectorBytes;
      }
      if (static_cast<std::int64_t>(disk.size()) < end) disk.resize(static_cast<std::size_t>(end));
      std::copy(write.bytes.begin(), write.bytes.begin() + (end - write.offset), disk.begin() + write.offset);
    }
    file->bytes = file->durable = disk;
    file->pending.clear();
  }
  Restart();
}

void TFaultyFileSystem::Restart() {
  ++generation_;
  dead_ = false;
  Disarm();
  for (auto& entry : files_) entry.second->open = false;
}

bool TFaultyFileSystem::FileExists(const std::string& path) { return files_.count(path) != 0; }

std::unique_ptr<TFileHandle> TFaultyFileSystem::OpenExclusive(const std::string& path) {
  const auto found = files_.find(path);
  if (dead_ || found == files_.end() || found->second->open) return nullptr;
  return std::make_unique<TFaultyHandle>(*this, found->second);
}

std::unique_ptr<TFileHandle> TFaultyFileSystem::CreateExclusive(const std::string& path,
                                                                bool overwrite) {
  const auto found = files_.find(path);
  if (dead_ || (found != files_.end() && (!overwrite || found->second->open))) return nullptr;
  // A new or emptied file counts as on the disk at once, as the folder is synced on creation.
  SetFile(path, {});
  return std::make_unique<TFaultyHandle>(*this, files_[path]);
}
