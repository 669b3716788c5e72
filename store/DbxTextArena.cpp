#include "store/DbxTextArena.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quendrel {

DbxTextArena::DbxTextArena(DbxTextArena&& Other) noexcept {
  *this = std::move(Other);
}

DbxTextArena& DbxTextArena::operator=(DbxTextArena&& Other) noexcept {
  blocks_ = std::exchange(Other.blocks_, nullptr);
  next_ = std::exchange(Other.next_, 0);
  free_ = std::exchange(Other.free_, nullptr);
  left_ = std::exchange(Other.left_, 0);
  nextBlock_ = std::exchange(Other.nextBlock_, kFirstBlock);
  return *this;
}

const char* DbxTextArena::Keep(std::span<const uint8_t> Bytes) {
  if (blocks_ == nullptr || Bytes.size() > left_) NextBlock(Bytes.size());
  char* kept = free_;
  if (!Bytes.empty()) std::memcpy(kept, Bytes.data(), Bytes.size());
  free_ += Bytes.size();
  left_ -= Bytes.size();
  return kept;
}

void DbxTextArena::Rewind() {
  if (blocks_ == nullptr || blocks_.use_count() != 1) return;
  next_ = 0;
  free_ = nullptr;
  left_ = 0;
}

void DbxTextArena::NextBlock(size_t AtLeast) {
  if (blocks_ == nullptr) blocks_ = std::make_shared<Blocks>();
  Blocks& blocks = *blocks_;
  // A rewound arena fills the blocks it has before it asks for more; one too small is passed over.
  while (next_ < blocks.size()) {
    Block& block = blocks[next_++];
    if (block.size >= AtLeast) {
      free_ = block.bytes.get();
      left_ = block.size;
      return;
    }
  }
  // A text longer than a block (a record body may be up to a MiB) gets a block of its own size.
  const size_t size = std::max(AtLeast, nextBlock_);
  nextBlock_ = std::min(nextBlock_ * 2, kMaxBlock);
  blocks.push_back(Block{std::make_unique_for_overwrite<char[]>(size), size});
  next_ = blocks.size();
  free_ = blocks.back().bytes.get();
  left_ = size;
}

}  // namespace quendrel
