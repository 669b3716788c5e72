// A byte source over bytes held in memory (fuzzing, tests, benchmarks).
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

#include "store/ByteSource.h"

namespace quendrel {

// Not owning: the bytes must outlive the source.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view Bytes) : bytes_(Bytes) {}

  std::optional<size_t> ReadAt(uint64_t Offset, std::span<uint8_t> Buffer) override {
    if (Offset >= bytes_.size()) return 0;
    const size_t count = std::min<uint64_t>(Buffer.size(), bytes_.size() - Offset);
    std::memcpy(Buffer.data(), bytes_.data() + Offset, count);
    return count;
  }
  std::optional<uint64_t> Length() override { return bytes_.size(); }

 private:
  std::string_view bytes_;
};

}  // namespace quendrel
