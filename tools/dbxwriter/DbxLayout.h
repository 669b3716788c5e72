// Laying out the pieces of a ".dbx" file (records, body chains, index trees) into a byte image that
// starts at a given file offset. Used by the whole-file writer and by appending.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::dbx {

// Class ids after the magic: the mail client tells its message files from its folder list by them.
inline constexpr uint32_t kMessageFileClass[4] = {0x6F74FDC5, 0x11D1E366, 0xC0004E9A, 0xD409A34F};
inline constexpr uint32_t kFolderListClass[4] = {0x6F74FDC6, 0x11D1E366, 0xC0004E9A, 0xD409A34F};

// Bytes destined for the file from file offset Origin() on.
class ByteImage {
public:
  explicit ByteImage(size_t origin = 0) : origin_(origin) {}

  size_t Origin() const { return origin_; }
  size_t End() const { return origin_ + bytes_.size(); }  // file offset of the next byte
  const std::string& Bytes() const { return bytes_; }
  std::string& Bytes() { return bytes_; }

  void Put32(uint32_t value);
  void PutBytes(std::string_view bytes);
  void PutZeros(size_t count);
  void AlignTo4();
  // Overwrite 4 bytes at a file offset already inside the image.
  void Patch32(size_t fileOffset, uint32_t value);
  uint32_t Get32(size_t fileOffset) const;

private:
  size_t origin_;
  std::string bytes_;
};

// One entry of a record's entry table: tag and either a direct value or data bytes.
struct RecordField {
  uint8_t tag;
  uint32_t direct = 0;  // for tags with bit 0x80
  std::string data;     // for the others
};

// Writes a record (12-byte header, entry table, data block) and returns its file offset.
int32_t PutRecord(ByteImage& image, std::span<const RecordField> fields);

// Writes the body as a chain of 512-byte blocks; returns the first block's offset (0 for no body).
int32_t PutBodyChain(ByteImage& image, std::string_view body);

// The fields of a message record in the order the mail client writes them; bodyOffset from PutBodyChain.
std::vector<RecordField> MessageFields(const MessageSpec& message, int32_t bodyOffset, FlagsTag flagsTag);
std::vector<RecordField> FolderFields(const FolderSpec& folder);

// Index tree over the records in list order, nodes numbered in pre-order.
struct TreeEntry {
  int32_t record = 0;
  int32_t child = 0;
  uint32_t childCount = 0;
};
struct TreeNode {
  int32_t offset = 0;
  int32_t parent = 0;
  int32_t firstChild = 0;
  uint32_t firstChildCount = 0;
  uint32_t entryCount = 0;  // normally entries.size(); damage may raise it
  std::vector<TreeEntry> entries;
};

// Plans a balanced tree (nodes placed one after the other from firstNodeOffset) with up to
// maxEntries entries per node. Returns no nodes for no records; the root is node 0.
std::vector<TreeNode> PlanTree(std::span<const int32_t> records, int maxEntries, int32_t firstNodeOffset);

// Writes planned nodes; they must start at image.End().
void PutTree(ByteImage& image, std::span<const TreeNode> nodes);

}  // namespace quendrel::dbx
