#include "store/BufferedReader.h"

#include <algorithm>

namespace quendrel {

std::optional<std::span<const uint8_t>> BufferedReader::Read(uint64_t Offset, size_t Size) {
  std::span<const uint8_t> served;
  if (Size > 0) {
    Window* window = nullptr;
    for (Window& w : windows_) {
      if (Offset >= w.start && Offset + Size <= w.End()) window = &w;
    }
    if (window == nullptr) window = Fill(Offset, Size);
    if (window == nullptr) return std::nullopt;
    window->lastUse = ++uses_;
    const size_t at = static_cast<size_t>(std::min<uint64_t>(Offset - window->start, window->length));
    served = std::span<const uint8_t>(window->bytes.data() + at, std::min(Size, window->length - at));
  }
  if (!Charge(served.size())) return std::nullopt;
  return served;
}

bool BufferedReader::Charge(size_t Size) {
  charged_ += Size + kRequestCost;
  if (charged_ <= budget_) return true;
  // The file may have grown since the budget was set; only the length now counts.
  const std::optional<uint64_t> length = source_.Length();
  if (!length) return false;
  budget_ = std::max(budget_, *length * kBudgetPerByte + kBudgetSlack);
  return charged_ <= budget_;
}

BufferedReader::Window* BufferedReader::Fill(uint64_t Offset, size_t Size) {
  // A request just past (or inside) a window continues its stream: that window moves on with a
  // doubled read-ahead. Otherwise the least recently used window jumps there with a small one, so
  // that scattered requests do not each drag in a large window.
  Window* window = nullptr;
  for (Window& w : windows_) {
    if (w.length > 0 && Offset >= w.start && Offset <= w.End() + w.readAhead) window = &w;
  }
  if (window != nullptr) {
    window->readAhead = std::min(window->readAhead * 2, kMaxReadAhead);
  } else {
    window = windows_[0].lastUse <= windows_[1].lastUse ? &windows_[0] : &windows_[1];
    window->readAhead = kMinReadAhead;
  }
  uint64_t wanted = std::max<uint64_t>(Size, window->readAhead);
  if (Size > window->readAhead) {
    // A large request (an entry count is 24 bits) never allocates more than the data holds.
    const std::optional<uint64_t> length = source_.Length();
    if (!length) return nullptr;
    wanted = Offset < *length ? std::min<uint64_t>(Size, *length - Offset) : 0;
  }
  if (window->bytes.size() < wanted) window->bytes.resize(static_cast<size_t>(wanted));
  window->length = 0;
  const std::optional<size_t> got =
      source_.ReadAt(Offset, std::span<uint8_t>(window->bytes.data(), static_cast<size_t>(wanted)));
  if (!got) return nullptr;
  window->start = Offset;
  window->length = *got;
  return window;
}

}  // namespace quendrel
