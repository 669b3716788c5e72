// Load time of the store reader on generated folders of 1,000, 10,000 and 100,000 messages:
// records per second, reads issued, heap high-water mark during a load, and the load's time against
// one plain sequential read of the same file (both with the file in the system's cache). "fold" is a
// walk that keeps no records, as a check makes it (unread count and the latest unread sender, the
// one text it measures): its first run in this process, the best later one, and its heap high-water
// mark.
//   store_bench [MESSAGES...]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "store/DbxLoad.h"
#include "store/DbxReader.h"
#include "store/DbxRecordVisitor.h"
#include "store/FileSource.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace {

// Heap accounting for the high-water mark of one load: every allocation carries its size.
std::atomic<int64_t> gHeapNow{0};
std::atomic<int64_t> gHeapPeak{0};
constexpr size_t kHeader = 16;

void* Allocate(size_t size) {
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<size_t*>(block) = size;
  const int64_t now = gHeapNow += static_cast<int64_t>(size);
  int64_t peak = gHeapPeak.load();
  while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void Release(void* p) {
  if (p == nullptr) return;
  void* block = static_cast<char*>(p) - kHeader;
  gHeapNow -= static_cast<int64_t>(*static_cast<size_t*>(block));
  std::free(block);
}

// Counts the reads that reach the file.
class CountingSource : public quendrel::ByteSource {
 public:
  explicit CountingSource(quendrel::ByteSource& inner) : inner_(inner) {}
  std::optional<size_t> ReadAt(uint64_t offset, std::span<uint8_t> buffer) override {
    ++reads;
    const auto got = inner_.ReadAt(offset, buffer);
    bytes += got.value_or(0);
    return got;
  }
  std::optional<uint64_t> Length() override {
    ++reads;
    return inner_.Length();
  }
  uint64_t reads = 0;
  uint64_t bytes = 0;

 private:
  quendrel::ByteSource& inner_;
};

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

std::vector<quendrel::dbx::MessageSpec> Messages(int count) {
  std::vector<quendrel::dbx::MessageSpec> messages(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    auto& m = messages[static_cast<size_t>(i)];
    m.index = i + 1;
    m.read = i % 4 != 0;
    m.sentTime = 0x01D8000000000000ull + uint64_t(i) * 600'000'000;
    m.receivedTime = m.sentTime + 30'000'000;
    m.senderName = "Sender Number " + std::to_string(i % 97);
    m.senderAddress = "sender" + std::to_string(i % 97) + "@example.org";
    m.subject = "Re: a subject line of ordinary length, number " + std::to_string(i);
    m.messageId = "<" + std::to_string(i) + ".1234567890@mail.example.org>";
    m.body = std::string(300 + (i * 7919) % 3000, 'm');  // 0.3 to 3.3 KB, as plain mails are
  }
  return messages;
}

// What a check keeps of a folder: the unread count and the latest unread message's sender.
class Fold : public quendrel::DbxRecordVisitor {
 public:
  uint32_t MessageTexts() const override { return quendrel::kSenderNameText; }
  void Visit(quendrel::Toe5_MessageInfo& message) override {
    ++records;
    if (message.IsRead()) return;
    ++unread;
    sender.assign(message.SenderName);
  }
  void Visit(quendrel::Toe5_FolderInfo&) override { ++records; }
  size_t records = 0;
  size_t unread = 0;
  std::string sender;
};

double FoldFile(const std::string& path, size_t& records) {
  const auto start = Clock::now();
  Fold fold;
  quendrel::VisitDbxItems(path, fold);
  records = fold.records;
  return Seconds(start);
}

double PlainRead(const std::string& path) {
  const auto start = Clock::now();
  auto file = quendrel::OpenFileSource(path);
  std::vector<uint8_t> buffer(1 << 20);
  uint64_t offset = 0;
  while (true) {
    const auto got = file->ReadAt(offset, buffer);
    if (!got || *got == 0) break;
    offset += *got;
  }
  return Seconds(start);
}

}  // namespace

void* operator new(size_t size) {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  Release(p);
}
void operator delete(void* p, size_t) noexcept {
  Release(p);
}

int main(int argc, char** argv) {
  std::vector<int> sizes = {1'000, 10'000, 100'000};
  if (argc > 1) {
    sizes.clear();
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  }
  const auto dir = std::filesystem::temp_directory_path() / "quendrel-store-bench";
  std::filesystem::create_directories(dir);
  std::printf("%9s %8s %9s %9s %12s %8s %8s %7s %8s %9s %7s %9s %7s %8s\n", "messages", "file MB", "plain ms",
              "load ms", "records/s", "reads", "read MB", "ratio", "heap MB", "fold 1st", "ratio", "fold ms",
              "ratio", "heap MB");
  for (const int count : sizes) {
    const std::string path = (dir / ("bench" + std::to_string(count) + ".dbx")).string();
    if (!quendrel::dbx::WriteMessageFile(path, Messages(count))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    const double fileMb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    const int rounds = count >= 100'000 ? 5 : 20;

    double plain = 1e9;
    double fold = 1e9;
    size_t folded = 0;
    PlainRead(path);  // into the cache
    // The first walk of this process over this size: what a check pays at its first look.
    const int64_t foldBefore = gHeapNow.load();
    gHeapPeak = foldBefore;
    const double foldFirst = FoldFile(path, folded);
    const int64_t foldPeak = gHeapPeak.load() - foldBefore;
    double load = 1e9;
    size_t records = 0;
    int64_t heapPeak = 0;
    for (int r = 0; r < rounds; ++r) {
      plain = std::min(plain, PlainRead(path));
      quendrel::DbxItemList list;
      const int64_t before = gHeapNow.load();
      gHeapPeak = before;
      const auto start = Clock::now();
      quendrel::LoadDbxItems(path, &list);
      load = std::min(load, Seconds(start));
      heapPeak = std::max(heapPeak, gHeapPeak.load() - before);
      records = list.size();
      fold = std::min(fold, FoldFile(path, folded));
    }
    auto file = quendrel::OpenFileSource(path);
    CountingSource counted(*file);
    quendrel::DbxItemList list;
    quendrel::LoadDbxItemsFrom(
        counted, path, [] { return std::string(); }, list);

    std::printf("%9d %8.1f %9.2f %9.2f %12.0f %8llu %8.1f %7.2f %8.1f %9.2f %7.2f %9.2f %7.2f %8.2f\n", count,
                fileMb, plain * 1e3, load * 1e3, static_cast<double>(records) / load,
                static_cast<unsigned long long>(counted.reads), static_cast<double>(counted.bytes) / 1e6,
                load / plain, static_cast<double>(heapPeak) / 1e6, foldFirst * 1e3, foldFirst / plain,
                fold * 1e3, fold / plain, static_cast<double>(foldPeak) / 1e6);
    if (records != static_cast<size_t>(count) || folded != static_cast<size_t>(count))
      std::printf("  (expected %d records, got %zu loaded and %zu folded)\n", count, records, folded);
    std::filesystem::remove(path);
  }
  std::filesystem::remove(dir);
  return 0;
}
