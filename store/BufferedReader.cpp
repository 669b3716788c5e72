#include "store/BufferedReader.h"

#include <algorithm>

namespace quendrel {

std::optional<std::span<const uint8_t>> BufferedReader::Read(uint64_t Offset, size_t Size) {
  std::span<const uint8_t> served;
  if (Size > 0) {
    const uint64_t windowEnd = windowStart_ + windowLength_;
    if (Offset < windowStart_ || Offset + Size > windowEnd) {
      if (!Fill(Offset, Size)) return std::nullopt;
    }
    const size_t at = static_cast<size_t>(std::min<uint64_t>(Offset - windowStart_, windowLength_));
    served = std::span<const uint8_t>(window_.data() + at, std::min(Size, windowLength_ - at));
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

bool BufferedReader::Fill(uint64_t Offset, size_t Size) {
  // Walks mostly move forward through the file: grow the read-ahead while they do, and fall back
  // to a small one after a jump so that scattered requests do not each drag in a large window.
  const uint64_t windowEnd = windowStart_ + windowLength_;
  if (windowLength_ > 0 && Offset >= windowStart_ && Offset <= windowEnd + readAhead_) {
    readAhead_ = std::min(readAhead_ * 2, kMaxReadAhead);
  } else {
    readAhead_ = kMinReadAhead;
  }
  uint64_t wanted = std::max<uint64_t>(Size, readAhead_);
  if (Size > readAhead_) {
    // A large request (an entry count is 24 bits) never allocates more than the data holds.
    const std::optional<uint64_t> length = source_.Length();
    if (!length) return false;
    wanted = Offset < *length ? std::min<uint64_t>(Size, *length - Offset) : 0;
  }
  if (window_.size() < wanted) window_.resize(static_cast<size_t>(wanted));
  windowLength_ = 0;
  const std::optional<size_t> got =
      source_.ReadAt(Offset, std::span<uint8_t>(window_.data(), static_cast<size_t>(wanted)));
  if (!got) return false;
  windowStart_ = Offset;
  windowLength_ = *got;
  return true;
}

}  // namespace quendrel
