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
    served = std::span<const uint8_t>(window->bytes.get() + at, std::min(Size, window->length - at));
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
  // doubled read-ahead. So does one just before it, read backwards: the walk comes back to a node's
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
    window->readAhead = std::min(window->readAhead * 2, kMaxReadAhead);
  } else {
    window = windows_[0].lastUse <= windows_[1].lastUse ? &windows_[0] : &windows_[1];
    window->readAhead = kMinReadAhead;
  }
  if (!MayReadAhead()) window->readAhead = 0;
  uint64_t start = Offset;
  uint64_t wanted = std::max<uint64_t>(Size, window->readAhead);
  if (Size > std::max(window->readAhead, kMinReadAhead)) {
    // A large request (an entry count is 24 bits) never allocates more than the data holds.
    const std::optional<uint64_t> length = source_.Length();
    if (!length) return nullptr;
    wanted = Offset < *length ? std::min<uint64_t>(Size, *length - Offset) : 0;
  } else if (backwards) {
    start = Offset + Size > wanted ? Offset + Size - wanted : 0;
    wanted = Offset + Size - start;
  }
  window->length = 0;
  Reserve(*window, static_cast<size_t>(wanted));
  const std::optional<size_t> got =
      source_.ReadAt(start, std::span<uint8_t>(window->bytes.get(), static_cast<size_t>(wanted)));
  if (!got) return nullptr;
  fetched_ += wanted;
  window->start = start;
  window->length = *got;
  return window;
}

// A window grows once to the largest read-ahead (or the data's length, when smaller) instead of
// doubling with it: memory touched for the first time costs more than the read that fills it, and
// the pages a read never reaches are never touched.
void BufferedReader::Reserve(Window& W, size_t Size) {
  if (Size <= W.capacity) return;
  size_t capacity = Size;
  if (Size < kMaxReadAhead) {
    if (const std::optional<uint64_t> length = source_.Length())
      capacity = static_cast<size_t>(std::clamp<uint64_t>(*length, Size, kMaxReadAhead));
  }
  W.bytes = std::make_unique_for_overwrite<uint8_t[]>(capacity);
  W.capacity = capacity;
}

}  // namespace quendrel
