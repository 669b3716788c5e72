// A tiny builder of store file bytes for unit tests: each fixture places just the nodes and records
// it needs at offsets it chooses, so that it shows one fault.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quendrel::test {

// One 32-bit entry of a record's entry table.
inline uint32_t Tag(uint8_t tag, uint32_t value) {
  return value << 8 | tag;
}

struct NodeEntry {
  int32_t record = 0;
  int32_t child = 0;
};

class DbxBytes {
 public:
  explicit DbxBytes(size_t size = 0x1000) : bytes_(size, '\0') {}

  DbxBytes& Put32(size_t at, uint32_t value) {
    Grow(at + 4);
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<char>(value >> (8 * i));
    return *this;
  }
  DbxBytes& PutBytes(size_t at, const std::string& data) {
    Grow(at + data.size());
    bytes_.replace(at, data.size(), data);
    return *this;
  }

  // Item count at 196 and the root at 228 (message files) and 48 (the folder list file).
  DbxBytes& Header(int32_t itemCount, int32_t root, int32_t folderListRoot = 0) {
    return Put32(196, itemCount).Put32(228, root).Put32(48, folderListRoot);
  }

  // Node at `at`. The entry count written is entries.size() unless `count` says otherwise.
  DbxBytes& Node(int32_t at, int32_t firstChild, int32_t parent, const std::vector<NodeEntry>& entries,
                 std::optional<uint32_t> count = std::nullopt) {
    Put32(at, at).Put32(at + 8, firstChild).Put32(at + 12, parent);
    Put32(at + 16, count.value_or(static_cast<uint32_t>(entries.size())) << 8);
    for (size_t i = 0; i < entries.size(); ++i) {
      Put32(at + 24 + 12 * i, entries[i].record).Put32(at + 28 + 12 * i, entries[i].child);
    }
    return *this;
  }

  // Record at `at`: entry table, then data. The body length is table plus data unless given.
  DbxBytes& Record(int32_t at, const std::vector<uint32_t>& entries, const std::string& data = {},
                   std::optional<int32_t> bodyLength = std::nullopt,
                   std::optional<uint8_t> countByte = std::nullopt) {
    const auto length = static_cast<int32_t>(4 * entries.size() + data.size());
    Put32(at, at).Put32(at + 4, bodyLength.value_or(length));
    Put32(at + 8, uint32_t{countByte.value_or(static_cast<uint8_t>(entries.size()))} << 16);
    for (size_t i = 0; i < entries.size(); ++i) Put32(at + 12 + 4 * i, entries[i]);
    return PutBytes(at + 12 + 4 * entries.size(), data);
  }

  // A message record known by its MessageIndex (tag 0x80).
  DbxBytes& Message(int32_t at, uint32_t index) { return Record(at, {Tag(0x80, index)}); }

  DbxBytes& Resize(size_t size) {
    bytes_.resize(size, '\0');
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  void Grow(size_t size) {
    if (bytes_.size() < size) bytes_.resize(size, '\0');
  }
  std::string bytes_;
};

// One file that is a folder list when read from offset 48 and a message file from offset 228:
// 0x800 is a folder record naming "a.dbx" (as a message, MessageIndex 7), 0x840 a message (index 5).
inline DbxBytes FolderListBytes() {
  DbxBytes b;
  b.Header(1, 0x300, 0x200)
      .Node(0x200, 0, 0, {{0x800, 0}})
      .Node(0x300, 0, 0, {{0x840, 0}})
      .Record(0x800, {Tag(0x80, 7), Tag(0x03, 0)}, std::string("a.dbx\0", 6))
      .Message(0x840, 5);
  return b;
}

}  // namespace quendrel::test
