// Where the text fields of the records of one load keep their bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace quendrel {

// A load copies each record's texts into a few large blocks instead of giving every field a heap
// allocation of its own: per field that costs more than the rest of the load together (the heap
// of Windows programs under Wine is slow, and every allocation is memory touched for the first
// time). The blocks live as long as the last record that holds Owner().
class DbxTextArena {
 public:
  DbxTextArena() = default;
  DbxTextArena(const DbxTextArena&) = delete;
  DbxTextArena& operator=(const DbxTextArena&) = delete;

  // A copy of Bytes, valid as long as Owner() is held.
  const char* Keep(std::span<const uint8_t> Bytes);
  // Shared by the records whose texts lie in the arena; null before the first Keep.
  std::shared_ptr<const void> Owner() const { return blocks_; }

  static constexpr size_t kFirstBlock = 16 << 10;
  static constexpr size_t kMaxBlock = 1 << 20;

 private:
  using Blocks = std::vector<std::unique_ptr<char[]>>;

  void NextBlock(size_t AtLeast);

  std::shared_ptr<Blocks> blocks_;
  char* free_ = nullptr;  // unused rest of the block being filled
  size_t left_ = 0;
  size_t nextBlock_ = kFirstBlock;
};

}  // namespace quendrel
