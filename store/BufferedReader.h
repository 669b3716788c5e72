// Small reads of a store file served from one read-ahead window, within a work budget.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "store/ByteSource.h"

namespace quendrel {

// The walk asks for a few bytes at a time (a node header, an entry table, a record). One system
// call per request made loads slow, so requests are served from a window read ahead of them; a
// request that the window does not cover entirely is read afresh from the source. So a file that
// grew since the window was filled is seen grown, and a request is never cut short by the window's
// end, only by the data's end: each answer is what a direct read gave at some moment of the load.
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
  std::optional<std::span<const uint8_t>> Read(uint64_t Offset, size_t Size);

  uint64_t Charged() const { return charged_; }

  // A request costs the bytes it gets plus this, so that a flood of tiny requests is bounded too.
  static constexpr uint64_t kRequestCost = 16;
  static constexpr uint64_t kBudgetPerByte = 4;
  static constexpr uint64_t kBudgetSlack = 1 << 20;

private:
  bool Charge(size_t Size);
  bool Fill(uint64_t Offset, size_t Size);

  static constexpr size_t kMinReadAhead = 4 << 10;
  static constexpr size_t kMaxReadAhead = 1 << 20;

  ByteSource& source_;  // not owned
  std::vector<uint8_t> window_;
  uint64_t windowStart_ = 0;
  size_t windowLength_ = 0;  // bytes of window_ that hold data
  size_t readAhead_ = kMinReadAhead;
  uint64_t charged_ = 0;
  uint64_t budget_ = kBudgetSlack;  // raised from the data's length once the slack is spent
};

}  // namespace quendrel
