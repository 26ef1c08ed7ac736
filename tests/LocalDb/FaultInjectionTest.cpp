// Nothing acknowledged is ever lost: every single write of an append, rewrite, delete and
// EmptyFile is failed, cut short (the process dies) or lost in a power failure, one after
// another, and the file must open again holding every record whose operation had returned,
// no key twice, and the interrupted change either whole or not at all.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

#include "EngineFixture.h"
#include "FaultyFileSystem.h"
#include "UErrors.h"

namespace {

const std::string kPath = "/mem/book.dat";
constexpr int kImageSize = kContactRecordSize - 8;

using TImage = std::vector<std::uint8_t>;
// Live records by key.
using TContents = std::map<std::int32_t, TImage>;

int RecordCountOf(const TImage& file) { return Int32At(file, 20); }
std::size_t RecordAt(int k) { return kContactHeaderSize + static_cast<std::size_t>(k) * kContactRecordSize; }

// The live records of a contact file as its header counts them, read straight from the bytes.
TContents LiveRecords(const TImage& file) {
  TContents live;
  for (int k = 0; k < RecordCountOf(file); ++k) {
    if (Int32At(file, RecordAt(k)) != 0) continue;
    const auto image = file.begin() + static_cast<std::ptrdiff_t>(RecordAt(k) + 8);
    live[Int32At(file, RecordAt(k) + 8)] = TImage(image, image + kImageSize);
  }
  return live;
}

// The largest key of any record in the file, deleted ones included.
std::int32_t LargestKey(const TImage& file) {
  std::int32_t largest = 0;
  for (int k = 0; k < RecordCountOf(file); ++k) largest = std::max(largest, Int32At(file, RecordAt(k) + 8));
  return largest;
}

// What the table holds in memory; a key found twice is a failure.
TContents TableContents(TTable& table) {
  TContents contents;
  for (int i = 0; i < table.RecordCount(); ++i) {
    const std::uint8_t* image = table.GetCellData(i, 0);
    const bool added = contents.emplace(ReadInt32(image), TImage(image, image + kImageSize)).second;
    EXPECT_TRUE(added) << "key " << ReadInt32(image) << " twice";
  }
  return contents;
}

struct TOperation {
  const char* name;
  std::function<void(ContactTable&)> run;
  // Runs the operation again after a failure reported by `run`.
  std::function<void(ContactTable&)> retry;
};

void Post(ContactTable& contact) { contact.table.Post(); }

// The table is in name order: Alpha, Charlie, Delta (Bravo is deleted).
const std::vector<TOperation>& Operations() {
  static const std::vector<TOperation> operations = {
      {"append",
       [](ContactTable& c) {
         c.table.Insert();
         c.schema.name.SetAsString("Carol");
         c.schema.mobile.SetAsString("555-0100");
         c.table.Post();
       },
       Post},
      {"rewrite",  // Alpha moves from the first place of the name order to the last
       [](ContactTable& c) {
         c.table.First();
         c.table.Edit();
         c.schema.name.SetAsString("Zulu");
         c.schema.note.SetAsString(std::string(200, 'n'));
         c.table.Post();
       },
       Post},
      {"delete",
       [](ContactTable& c) {
         c.table.GoTo(2);
         c.table.Delete();
       },
       [](ContactTable& c) { c.table.Delete(); }},
      {"empty", [](ContactTable& c) { c.table.EmptyFile(); }, [](ContactTable& c) { c.table.EmptyFile(); }},
  };
  return operations;
}

// A rewrite cut short leaves the record's new bytes up to some point and its old ones after.
bool TornRewrite(const TContents& found, const TContents& before, const TContents& after) {
  if (found.size() != before.size()) return false;
  for (const auto& [key, image] : found) {
    const auto old = before.find(key);
    const auto fresh = after.find(key);
    if (old == before.end() || fresh == after.end()) return false;
    std::size_t split = 0;
    while (split < image.size() && image[split] == fresh->second[split]) ++split;
    if (!std::equal(image.begin() + static_cast<std::ptrdiff_t>(split), image.end(),
                    old->second.begin() + static_cast<std::ptrdiff_t>(split))) {
      return false;
    }
  }
  return true;
}

class FaultInjection : public ::testing::Test {
protected:
  void SetUp() override {
    ContactTable contact(kPath);
    contact.Open(true);
    for (const char* name : {"Alpha", "Delta", "Charlie", "Bravo"}) contact.Add(name, "123-45-67");
    contact.table.GoTo(3);
    contact.table.Delete();
    contact.table.CloseTable();
    initial_ = fileSystem_.File(kPath);
  }

  // A table over a fresh copy of the small contact file, in name order.
  std::unique_ptr<ContactTable> OpenInitial() {
    fileSystem_.SetFile(kPath, initial_);
    auto contact = std::make_unique<ContactTable>(kPath);
    contact->Open(false);
    contact->table.SetIndex(&contact->byName);
    return contact;
  }

  // Runs the operation with no fault: the contents it leaves, and its writes and flushes.
  TContents CleanRun(const TOperation& operation) {
    auto contact = OpenInitial();
    fileSystem_.Arm(TFaultyFileSystem::TFault::None, 0);
    operation.run(*contact);
    std::printf("%-8s %d writes, %d flushes\n", operation.name, fileSystem_.Writes(), fileSystem_.Syncs());
    cleanSteps_ = fileSystem_.Writes() + fileSystem_.Syncs();
    return TableContents(contact->table);
  }

  // After a crash: the file opens, holds no key twice, nothing whose operation returned is lost,
  // and the interrupted change is whole or absent.
  // Returns what was found: 0 the file as before, 1 as after, 2 a torn rewrite.
  int CheckReopens(const TOperation& operation, bool returned, const TContents& after) {
    const TContents before = LiveRecords(initial_);
    ContactTable contact(kPath);
    try {
      contact.Open(false);
    } catch (const EGeneral& error) {
      ADD_FAILURE() << "refused: " << error.what();
      return -1;
    }
    const TContents found = TableContents(contact.table);
    const TImage file = fileSystem_.File(kPath);
    EXPECT_GT(contact.schema.id.NextKey(), LargestKey(file));
    EXPECT_EQ(file.size(), RecordAt(RecordCountOf(file))) << "a tail beyond the header's records";
    if (returned) {
      EXPECT_EQ(found, after);
    }
    if (found == after) return 1;
    if (found == before) return 0;
    EXPECT_TRUE(std::string(operation.name) == "rewrite" && TornRewrite(found, before, after));
    return 2;
  }

  TFaultyFileSystem fileSystem_;
  TFileSystemScope scope_{fileSystem_};
  TImage initial_;
  int cleanSteps_ = 0;
};

// A write or a flush refused by the disk: the operation reports it, the table in memory and the
// file stay as they were, and running it again succeeds once, without a record twice.
TEST_F(FaultInjection, FailedWriteOrFlushIsReportedUndoneAndRetriable) {
  using TFault = TFaultyFileSystem::TFault;
  for (const TOperation& operation : Operations()) {
    const TContents after = CleanRun(operation);
    for (const TFault fault : {TFault::Fail, TFault::FailSync}) {
      for (int n = 1;; ++n) {
        SCOPED_TRACE(std::string(operation.name) + (fault == TFault::Fail ? " write " : " flush ") +
                     std::to_string(n));
        auto contact = OpenInitial();
        fileSystem_.Arm(fault, n);
        bool returned = false;
        try {
          operation.run(*contact);
          returned = true;
        } catch (const EGeneral&) {
        }
        const bool fired = fileSystem_.Fired();
        fileSystem_.Disarm();
        const TContents inMemory = TableContents(contact->table);
        EXPECT_EQ(inMemory, LiveRecords(fileSystem_.File(kPath)));
        if (returned) {
          // Only a step after the change was safely on the disk may fail unreported.
          EXPECT_EQ(inMemory, after);
        } else {
          EXPECT_EQ(fileSystem_.File(kPath), initial_);
          ASSERT_NO_THROW(operation.retry(*contact));
          EXPECT_EQ(TableContents(contact->table), after);
        }
        contact.reset();
        CheckReopens(operation, true, after);
        if (!fired) break;
      }
    }
  }
}

// The process dies in the middle of a write, having stored only some of its bytes.
TEST_F(FaultInjection, ProcessDiesInTheMiddleOfAnyWrite) {
  for (const TOperation& operation : Operations()) {
    const TContents after = CleanRun(operation);
    for (const std::int64_t keep : {0, 1 << 20}) {
      for (int n = 1;; ++n) {
        SCOPED_TRACE(std::string(operation.name) + " write " + std::to_string(n) + " keeping " +
                     std::to_string(keep));
        bool returned = false;
        {
          auto contact = OpenInitial();
          fileSystem_.Arm(TFaultyFileSystem::TFault::Cut, n, keep);
          try {
            operation.run(*contact);
            returned = true;
          } catch (const EGeneral&) {
          }
          // A process that died returned nothing to anyone, whatever the engine did next.
          EXPECT_TRUE(returned || fileSystem_.Fired());
          returned = returned && !fileSystem_.Fired();
          fileSystem_.Restart();
        }
        CheckReopens(operation, returned, after);
        if (returned) break;
      }
    }
  }
}

// The power fails at a random step; of the writes since the last flush any subset reaches the
// disk, in any order, each whole or up to a sector boundary.
TEST_F(FaultInjection, PowerLossAtAnyStep) {
  std::mt19937 random(20240601);
  for (const TOperation& operation : Operations()) {
    const TContents after = CleanRun(operation);
    int outcomes[3] = {};
    for (int trial = 0; trial < 2000; ++trial) {
      const int step = 1 + static_cast<int>(random() % static_cast<unsigned>(cleanSteps_ + 1));
      SCOPED_TRACE(std::string(operation.name) + " power lost at step " + std::to_string(step) +
                   ", trial " + std::to_string(trial));
      bool returned = false;
      {
        auto contact = OpenInitial();
        fileSystem_.Arm(TFaultyFileSystem::TFault::Crash, step);
        try {
          operation.run(*contact);
          returned = true;
        } catch (const EGeneral&) {
        }
        fileSystem_.PowerLoss(random);
      }
      const int outcome = CheckReopens(operation, returned, after);
      if (outcome >= 0) ++outcomes[outcome];
    }
    std::printf("%-8s after power loss: %d as before, %d as after, %d torn\n", operation.name,
                outcomes[0], outcomes[1], outcomes[2]);
  }
}

// The in-memory file system keeps the engine's exclusive open, and a dead process's handles go.
TEST_F(FaultInjection, OpenFileCannotBeOpenedAgainUntilItsProcessIsGone) {
  auto first = OpenInitial();
  ContactTable second(kPath);
  try {
    second.Open(false);
    ADD_FAILURE() << "opened twice";
  } catch (const EGeneral& error) {
    EXPECT_STREQ(error.what(), "Ошибка открытия файла");
  }
  fileSystem_.Restart();
  EXPECT_NO_THROW(second.Open(false));
}

// Files as a crash can leave them.
TEST_F(FaultInjection, FilesLeftByACrash) {
  struct TCase {
    const char* name;
    std::function<void(TImage&)> damage;
    const char* refusal;      // null when the file must open
    std::size_t openedSize;   // the file's size once opened
    std::int32_t nextKey;     // the key the next record gets
  };
  const std::size_t whole = RecordAt(4);
  const TCase cases[] = {
      {"an append's record bytes, uncounted", [](TImage& f) { f.resize(RecordAt(5), 0x41); }, nullptr, whole, 5},
      {"half an uncounted record", [](TImage& f) { f.resize(RecordAt(4) + 100, 0x41); }, nullptr, whole, 5},
      {"the last record cut by a byte", [](TImage& f) { f.pop_back(); }, "Неверное количество записей", 0, 0},
      {"a counted record missing", [](TImage& f) { f.resize(RecordAt(3)); }, "Неверное количество записей", 0, 0},
      // The header counted the new record but its descriptor still hands out its key; the
      // largest key belongs to a deleted record, whose key is never given again either.
      {"NextKey behind the keys", [](TImage& f) { PutInt32(f, 32 + 32, 3); }, nullptr, whole, 5},
      {"NextKey at a deleted key", [](TImage& f) { PutInt32(f, 32 + 32, 4); }, nullptr, whole, 5},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TImage damaged = initial_;
    c.damage(damaged);
    fileSystem_.SetFile(kPath, damaged);
    ContactTable contact(kPath);
    if (c.refusal != nullptr) {
      try {
        contact.Open(false);
        ADD_FAILURE() << "opened";
      } catch (const EGeneral& error) {
        EXPECT_STREQ(error.what(), c.refusal);
      }
      EXPECT_EQ(fileSystem_.File(kPath), damaged);
      continue;
    }
    ASSERT_NO_THROW(contact.Open(false));
    EXPECT_EQ(TableContents(contact.table), LiveRecords(initial_));
    EXPECT_EQ(contact.schema.id.NextKey(), c.nextKey);
    const TImage file = fileSystem_.File(kPath);
    EXPECT_EQ(file.size(), c.openedSize);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), damaged.begin()));
  }
}

}  // namespace
