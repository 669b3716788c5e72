// Small reads of a store file served from read-ahead windows, within a work budget.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "store/ByteSource.h"

namespace quendrel {

// The walk asks for a few bytes at a time (a node header, an entry table, a record). One system
// call per request made loads slow, so requests are served from windows read ahead of them; a
// request that no window covers entirely is read afresh from the source. So a file that grew since
// a window was filled is seen grown, and a request is never cut short by a window's end, only by
// the data's end: each answer is what a direct read gave at some moment of the load.
//
// There are two windows because the mail client keeps records and index nodes in separate parts of
// the file and the walk alternates between them; each window follows one of the two streams.
//
// Every request is charged against a budget linear in the data's length, which a well-formed file
// never spends; a crafted file whose nodes and entries overlap would otherwise make one load take
// time quadratic in its size.
class BufferedReader {
 public:
  explicit BufferedReader(ByteSource& Source) : source_(Source) {}
  BufferedReader(const BufferedReader&) = delete;
  BufferedReader& operator=(const BufferedReader&) = delete;

  // The bytes [Offset, Offset + Size), fewer when the data ends first. The view stays valid until
  // the next call. Nothing when the source fails or the budget is spent.
  std::optional<std::span<const uint8_t>> Read(uint64_t Offset, size_t Size) {
    // Inline for the common case, a request that a window covers within the budget: a walk makes
    // three requests per record.
    Window* window = nullptr;
    for (Window& w : windows_) {
      if (Offset >= w.start && Offset + Size <= w.End()) window = &w;
    }
    if (window == nullptr || Size == 0 || charged_ + kRequestCost + Size > budget_)
      return ReadFar(Offset, Size);
    charged_ += kRequestCost + Size;
    window->lastUse = ++uses_;
    return std::span<const uint8_t>(window->bytes + (Offset - window->start), Size);
  }

  uint64_t Charged() const { return charged_; }
  // Bytes asked of the source, read-ahead included.
  uint64_t Fetched() const { return fetched_; }

  // A request costs the bytes it gets plus this, so that a flood of tiny requests is bounded too;
  // one that needs the source costs more, which bounds the system calls of requests that hop
  // between distant places (a well-formed file streams through its windows and rarely pays it).
  static constexpr uint64_t kRequestCost = 16;
  static constexpr uint64_t kSourceReadCost = 256;
  static constexpr uint64_t kBudgetPerByte = 4;
  static constexpr uint64_t kBudgetSlack = 1 << 20;
  // Read-ahead brings in bytes nobody asked for. Past this many per byte of data, only what is
  // asked for is read, so that requests hopping between streams cannot have whole windows re-read.
  static constexpr uint64_t kReadAheadPerByte = 16;
  static constexpr uint64_t kReadAheadSlack = 16 << 20;

 private:
  struct Window {
    uint8_t* bytes = nullptr;  // in shared_, or in own after a request larger than a window
    size_t capacity = 0;
    std::unique_ptr<uint8_t[]> own;
    uint64_t start = 0;
    size_t length = 0;  // bytes of the buffer that hold data
    size_t readAhead = kMinReadAhead;
    uint64_t lastUse = 0;
    uint64_t End() const { return start + length; }
  };

  std::optional<std::span<const uint8_t>> ReadFar(uint64_t Offset, size_t Size);
  bool Charge(uint64_t Cost);
  bool MayReadAhead();
  Window* Fill(uint64_t Offset, size_t Size);
  void Reserve(Window& W, size_t Size);

  // The two windows' block stays below the size from which a 64-bit heap maps a block of its own
  // (1016 KiB) and unmaps it when it is freed: so the heap keeps those pages for the next load and
  // only a process's first check touches fresh memory. Under Wine here a fresh page costs 15 to
  // 35 µs, a MiB of them more than the system calls of reading 20 MB. The block is also what an idle
  // program keeps after a check, so it stays well under a MiB: 2 x 320 KiB keeps that under 1 MB at
  // the price of about three times the system calls of a plain read through a MiB.
  static constexpr size_t kMinReadAhead = 4 << 10;
  static constexpr size_t kMaxReadAhead = 320 << 10;

  ByteSource& source_;  // not owned
  std::unique_ptr<uint8_t[]> shared_;
  Window windows_[2];
  uint64_t uses_ = 0;
  uint64_t charged_ = 0;
  uint64_t budget_ = kBudgetSlack;  // raised from the data's length once the slack is spent
  uint64_t fetched_ = 0;
  uint64_t readAheadLimit_ = kReadAheadSlack;  // likewise
};

}  // namespace quendrel
