#include "store/DbxTextArena.h"

#include <algorithm>
#include <cstring>

namespace quendrel {

const char* DbxTextArena::Keep(std::span<const uint8_t> Bytes) {
  if (blocks_ == nullptr || Bytes.size() > left_) NextBlock(Bytes.size());
  char* kept = free_;
  if (!Bytes.empty()) std::memcpy(kept, Bytes.data(), Bytes.size());
  free_ += Bytes.size();
  left_ -= Bytes.size();
  return kept;
}

void DbxTextArena::NextBlock(size_t AtLeast) {
  if (blocks_ == nullptr) blocks_ = std::make_shared<Blocks>();
  // A text longer than a block (a record body may be up to a MiB) gets a block of its own size.
  const size_t size = std::max(AtLeast, nextBlock_);
  nextBlock_ = std::min(nextBlock_ * 2, kMaxBlock);
  blocks_->push_back(std::make_unique_for_overwrite<char[]>(size));
  free_ = blocks_->back().get();
  left_ = size;
}

}  // namespace quendrel
