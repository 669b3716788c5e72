#include "store/BufferedReader.h"

#include <algorithm>

namespace quendrel {

// Any request: the source is read when no window covers it, and the budget looked at again when it
// seems spent.
std::optional<std::span<const uint8_t>> BufferedReader::ReadFar(uint64_t Offset, size_t Size) {
  std::span<const uint8_t> served;
  uint64_t cost = kRequestCost;
  if (Size > 0) {
    Window* window = nullptr;
    for (Window& w : windows_) {
      if (Offset >= w.start && Offset + Size <= w.End()) window = &w;
    }
    if (window == nullptr) {
      window = Fill(Offset, Size);
      if (window == nullptr) return std::nullopt;
      cost += kSourceReadCost;
    }
    window->lastUse = ++uses_;
    const size_t at = static_cast<size_t>(std::min<uint64_t>(Offset - window->start, window->length));
    served = std::span<const uint8_t>(window->bytes + at, std::min(Size, window->length - at));
  }
  if (!Charge(cost + served.size())) return std::nullopt;
  return served;
}

bool BufferedReader::Charge(uint64_t Cost) {
  charged_ += Cost;
  if (charged_ <= budget_) return true;
  // The file may have grown since the budget was set; only the length now counts.
  const std::optional<uint64_t> length = source_.Length();
  if (!length) return false;
  budget_ = std::max(budget_, *length * kBudgetPerByte + kBudgetSlack);
  return charged_ <= budget_;
}

bool BufferedReader::MayReadAhead() {
  if (fetched_ <= readAheadLimit_) return true;
  const std::optional<uint64_t> length = source_.Length();
  if (length) readAheadLimit_ = std::max(readAheadLimit_, *length * kReadAheadPerByte + kReadAheadSlack);
  return fetched_ <= readAheadLimit_;
}

BufferedReader::Window* BufferedReader::Fill(uint64_t Offset, size_t Size) {
  // A request just past (or inside) a window continues its stream: that window moves on with a
  // read-ahead four times larger. So does one just before it, read backwards: the walk comes back to a node's
  // entries after its first child's subtree, and unwinds a deep chain of nodes in reverse. Any
  // other request makes the least recently used window jump there with a small read-ahead, so that
  // scattered requests do not each drag in a large window.
  Window* window = nullptr;
  bool backwards = false;
  for (Window& w : windows_) {
    if (w.length == 0) continue;
    if (Offset >= w.start && Offset <= w.End() + w.readAhead) {
      window = &w;
      backwards = false;
    } else if (Offset < w.start && Offset + Size + w.readAhead >= w.start) {
      window = &w;
      backwards = true;
    }
  }
  if (window != nullptr) {
    window->readAhead = std::min(window->readAhead * 4, kMaxReadAhead);
  } else {
    window = windows_[0].lastUse <= windows_[1].lastUse ? &windows_[0] : &windows_[1];
    window->readAhead = kMinReadAhead;
  }
  if (!MayReadAhead()) window->readAhead = 0;
  uint64_t start = Offset;
  uint64_t wanted = Size;
  if (Size > std::max(window->readAhead, kMinReadAhead)) {
    // A large request (an entry count is 24 bits) never allocates more than the data holds.
    const std::optional<uint64_t> length = source_.Length();
    if (!length) return nullptr;
    wanted = Offset < *length ? std::min<uint64_t>(Size, *length - Offset) : 0;
    Reserve(*window, static_cast<size_t>(wanted));
  } else {
    Reserve(*window, Size);
    // No more than the window holds: a window smaller than the read-ahead is the data's length.
    wanted = std::max<uint64_t>(Size, std::min<uint64_t>(window->readAhead, window->capacity));
    if (backwards) {
      start = Offset + Size > wanted ? Offset + Size - wanted : 0;
      wanted = Offset + Size - start;
    }
  }
  window->length = 0;
  const std::optional<size_t> got =
      source_.ReadAt(start, std::span<uint8_t>(window->bytes, static_cast<size_t>(wanted)));
  if (!got) return nullptr;
  fetched_ += wanted;
  window->start = start;
  window->length = *got;
  return window;
}

// The two windows share one block, allocated by the first read at twice the largest read-ahead (or
// twice the data's length, when smaller) and never grown: memory touched for the first time costs
// more than the reads that fill it, and pages no read reaches are never touched. A request larger
// than a window gets a buffer of its own.
void BufferedReader::Reserve(Window& W, size_t Size) {
  if (Size <= W.capacity) return;
  if (shared_ == nullptr && Size <= kMaxReadAhead) {
    size_t half = kMaxReadAhead;
    if (const std::optional<uint64_t> length = source_.Length())
      half = static_cast<size_t>(std::clamp<uint64_t>(*length, Size, kMaxReadAhead));
    shared_ = std::make_unique_for_overwrite<uint8_t[]>(2 * half);
    for (size_t i = 0; i < 2; ++i) {
      if (windows_[i].own != nullptr) continue;  // its data stays where it is
      windows_[i].bytes = shared_.get() + i * half;
      windows_[i].capacity = half;
    }
    if (Size <= W.capacity) return;
  }
  W.own = std::make_unique_for_overwrite<uint8_t[]>(Size);
  W.bytes = W.own.get();
  W.capacity = Size;
}

}  // namespace quendrel
