#include "tools/dbxwriter/DbxLayout.h"

#include <algorithm>
#include <functional>

namespace quendrel::dbx {

namespace {

constexpr size_t kBodyBlockHeaderSize = 16;
constexpr size_t kNodeHeaderSize = 24;

// Tags that the mail client stores as a direct value carry bit 0x80.
bool IsDirect(uint8_t tag) { return (tag & 0x80) != 0; }

std::string Text(std::string_view text) {
  std::string data(text);
  data.push_back('\0');
  return data;
}

std::string Le32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

std::string FileTime(uint64_t ticks) {
  return Le32(static_cast<uint32_t>(ticks)) + Le32(static_cast<uint32_t>(ticks >> 32));
}

}  // namespace

void ByteImage::Put32(uint32_t value) { bytes_ += Le32(value); }
void ByteImage::PutBytes(std::string_view bytes) { bytes_.append(bytes); }
void ByteImage::PutZeros(size_t count) { bytes_.append(count, '\0'); }
void ByteImage::AlignTo4() { PutZeros((4 - End() % 4) % 4); }

void ByteImage::Patch32(size_t fileOffset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_.at(fileOffset - origin_ + i) = static_cast<char>(value >> (8 * i));
}

uint32_t ByteImage::Get32(size_t fileOffset) const {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value |= uint32_t{static_cast<uint8_t>(bytes_.at(fileOffset - origin_ + i))} << (8 * i);
  return value;
}

int32_t PutRecord(ByteImage& image, std::span<const RecordField> fields) {
  image.AlignTo4();
  const size_t at = image.End();
  std::string table;
  std::string data;
  for (const RecordField& field : fields) {
    const uint32_t value = IsDirect(field.tag) ? field.direct : static_cast<uint32_t>(data.size());
    table += Le32((value << 8) | field.tag);
    if (!IsDirect(field.tag)) data += field.data;
  }
  // Records occupy whole 4-byte units, as the client allocates them.
  data.append((4 - data.size() % 4) % 4, '\0');
  image.Put32(static_cast<uint32_t>(at));
  image.Put32(static_cast<uint32_t>(table.size() + data.size()));
  image.PutZeros(2);
  image.PutBytes(std::string(1, static_cast<char>(fields.size())));
  image.PutZeros(1);
  image.PutBytes(table);
  image.PutBytes(data);
  return static_cast<int32_t>(at);
}

int32_t PutBodyChain(ByteImage& image, std::string_view body) {
  if (body.empty()) return 0;
  image.AlignTo4();
  const size_t first = image.End();
  for (size_t pos = 0; pos < body.size(); pos += kBodyBlockData) {
    const size_t used = std::min(kBodyBlockData, body.size() - pos);
    const size_t self = image.End();
    const bool last = pos + used >= body.size();
    image.Put32(static_cast<uint32_t>(self));
    image.Put32(kBodyBlockData);
    image.Put32(static_cast<uint32_t>(used));
    image.Put32(last ? 0 : static_cast<uint32_t>(self + kBodyBlockHeaderSize + kBodyBlockData));
    image.PutBytes(body.substr(pos, used));
    image.PutZeros(kBodyBlockData - used);
  }
  return static_cast<int32_t>(first);
}

std::vector<RecordField> MessageFields(const MessageSpec& message, int32_t bodyOffset, FlagsTag flagsTag) {
  const uint32_t flags = (message.otherFlags | (message.read ? kReadFlag : 0)) & 0xFFFFFF;
  std::vector<RecordField> fields;
  fields.push_back({0x80, static_cast<uint32_t>(message.index) & 0xFFFFFF, {}});
  if (flagsTag == FlagsTag::Direct)
    fields.push_back({0x81, flags, {}});
  else
    fields.push_back({0x01, 0, Le32(flags)});
  fields.push_back({0x02, 0, FileTime(message.sentTime)});
  if (bodyOffset != 0) {
    // A direct value holds 24 bits; bodies further out are stored as data.
    if (bodyOffset <= 0xFFFFFF)
      fields.push_back({0x84, static_cast<uint32_t>(bodyOffset), {}});
    else
      fields.push_back({0x04, 0, Le32(static_cast<uint32_t>(bodyOffset))});
  }
  if (!message.messageId.empty()) fields.push_back({0x07, 0, Text(message.messageId)});
  fields.push_back({0x08, 0, Text(message.subject)});
  if (!message.senderName.empty() || !message.senderAddress.empty()) {
    std::string both = message.senderName.empty() ? message.senderAddress
                                                   : message.senderName + " <" + message.senderAddress + ">";
    fields.push_back({0x09, 0, Text(both)});
  }
  fields.push_back({0x0D, 0, Text(message.senderName)});
  fields.push_back({0x0E, 0, Text(message.senderAddress)});
  fields.push_back({0x91, static_cast<uint32_t>(std::min<size_t>(message.body.size(), 0xFFFFFF)), {}});
  fields.push_back({0x12, 0, FileTime(message.receivedTime)});
  return fields;
}

std::vector<RecordField> FolderFields(const FolderSpec& folder) {
  std::vector<RecordField> fields;
  fields.push_back({0x80, static_cast<uint32_t>(folder.id) & 0xFFFFFF, {}});
  fields.push_back({0x81, static_cast<uint32_t>(folder.parentId) & 0xFFFFFF, {}});
  fields.push_back({0x02, 0, Text(folder.name)});
  if (!folder.fileName.empty()) fields.push_back({0x03, 0, Text(folder.fileName)});
  return fields;
}

std::vector<TreeNode> PlanTree(std::span<const int32_t> records, int maxEntries, int32_t firstNodeOffset) {
  std::vector<TreeNode> nodes;
  if (records.empty()) return nodes;
  const size_t m = static_cast<size_t>(std::clamp(maxEntries, 1, kMaxNodeEntries));
  // capacity[h]: most records a tree of height h holds.
  std::vector<size_t> capacity{0, m};
  while (capacity.back() < records.size()) capacity.push_back(m + (m + 1) * capacity.back());

  // Builds the subtree over records[lo, lo+n) (n > 0), as low as it fits, and returns its node number.
  std::function<size_t(size_t, size_t, int32_t)> build = [&](size_t lo, size_t n, int32_t parent) -> size_t {
    size_t h = 1;
    while (capacity[h] < n) ++h;
    const size_t self = nodes.size();
    nodes.emplace_back();
    nodes[self].offset = firstNodeOffset + static_cast<int32_t>(self * kNodeSize);
    nodes[self].parent = parent;
    if (h == 1) {
      for (size_t i = 0; i < n; ++i) nodes[self].entries.push_back({records[lo + i], 0, 0});
      nodes[self].entryCount = static_cast<uint32_t>(n);
      return self;
    }
    // Fewest entries whose k + 1 subtrees can take the rest, the rest shared evenly.
    const size_t k = n / (capacity[h - 1] + 1);
    const size_t rest = n - k;
    const size_t share = rest / (k + 1);
    const size_t extra = rest % (k + 1);
    size_t pos = lo;
    for (size_t c = 0; c <= k; ++c) {
      const size_t size = share + (c < extra ? 1 : 0);
      int32_t link = 0;
      if (size > 0) link = nodes[build(pos, size, nodes[self].offset)].offset;
      pos += size;
      if (c == 0) {
        nodes[self].firstChild = link;
        nodes[self].firstChildCount = static_cast<uint32_t>(size);
      } else {
        nodes[self].entries.back().child = link;
        nodes[self].entries.back().childCount = static_cast<uint32_t>(size);
      }
      if (c < k) nodes[self].entries.push_back({records[pos++], 0, 0});
    }
    nodes[self].entryCount = static_cast<uint32_t>(k);
    return self;
  };
  build(0, records.size(), 0);
  return nodes;
}

void PutTree(ByteImage& image, std::span<const TreeNode> nodes) {
  for (const TreeNode& node : nodes) {
    image.Put32(static_cast<uint32_t>(node.offset));
    image.Put32(0);
    image.Put32(static_cast<uint32_t>(node.firstChild));
    image.Put32(static_cast<uint32_t>(node.parent));
    image.Put32((node.entryCount & 0xFFFFFF) << 8);
    image.Put32(node.firstChildCount);
    for (const TreeEntry& entry : node.entries) {
      image.Put32(static_cast<uint32_t>(entry.record));
      image.Put32(static_cast<uint32_t>(entry.child));
      image.Put32(entry.childCount);
    }
    image.PutZeros(kNodeSize - kNodeHeaderSize - 12 * node.entries.size());
  }
}

}  // namespace quendrel::dbx
