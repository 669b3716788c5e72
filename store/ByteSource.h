// Random-access bytes of one store file, as the reader sees them during one load.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quendrel {

// The mail client may grow, rewrite or truncate the file while it is read, so a source promises
// nothing about stability: every call looks at the data as it is at that moment.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Copies up to Buffer.size() bytes from Offset into Buffer. Returns the number copied, which is
  // smaller when the data ends first, or nothing when the read itself fails.
  virtual std::optional<size_t> ReadAt(uint64_t Offset, std::span<uint8_t> Buffer) = 0;

  // The current length of the data, asked afresh at every call; nothing when it cannot be told.
  virtual std::optional<uint64_t> Length() = 0;
};

}  // namespace quendrel
