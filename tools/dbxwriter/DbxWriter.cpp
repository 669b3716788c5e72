#include "tools/dbxwriter/DbxWriter.h"

#include <fstream>
#include <functional>
#include <unordered_map>
#include <vector>

#include "tools/dbxwriter/DbxLayout.h"

namespace quendrel::dbx {

namespace {

void PutHeader(ByteImage& image, const uint32_t (&classId)[4]) {
  image.Put32(kMagic);
  for (uint32_t part : classId) image.Put32(part);
  image.PutZeros(kHeaderSize - 20);
}

void ApplyDamage(ByteImage& image, const std::vector<TreeNode>& nodes, const std::vector<int32_t>& records,
                 const std::vector<int32_t>& entrySlots, size_t rootField, const DbxDamage& damage) {
  const auto node = [&](int number) -> const TreeNode* {
    return number >= 0 && static_cast<size_t>(number) < nodes.size() ? &nodes[number] : nullptr;
  };
  const auto item = [&](int position) {
    return position >= 0 && static_cast<size_t>(position) < records.size();
  };
  const uint32_t pastEnd = static_cast<uint32_t>(image.End() + 0x10000);

  if (damage.sharedRecordItem >= 1 && item(damage.sharedRecordItem))
    image.Patch32(entrySlots[damage.sharedRecordItem], records[damage.sharedRecordItem - 1]);
  if (item(damage.recordPastEndItem)) image.Patch32(entrySlots[damage.recordPastEndItem], pastEnd);
  if (item(damage.wrongSelfOffsetItem))
    image.Patch32(records[damage.wrongSelfOffsetItem], records[damage.wrongSelfOffsetItem] + 4);
  if (const TreeNode* n = node(damage.cycleToRootNode)) image.Patch32(n->offset + 8, nodes[0].offset);
  if (const TreeNode* n = node(damage.childPastEndNode)) image.Patch32(n->offset + 8, pastEnd);
  if (const TreeNode* n = node(damage.oversizeEntryCountNode))
    image.Patch32(n->offset + 16, (damage.oversizeEntryCount & 0xFFFFFF) << 8);
  if (const TreeNode* n = node(damage.wrongSelfOffsetNode)) image.Patch32(n->offset, n->offset + 4);
  if (damage.itemCount) image.Patch32(kItemCountOffset, static_cast<uint32_t>(*damage.itemCount));
  if (damage.rootOffset) image.Patch32(rootField, static_cast<uint32_t>(*damage.rootOffset));
  if (damage.truncateTo && *damage.truncateTo < image.Bytes().size()) image.Bytes().resize(*damage.truncateTo);
}

// Header, records (each after its body chain), then the index tree; damage applied last.
// fieldsOf(i, bodyOffset) gives item i's record fields, bodyOf(i) its body (may be empty).
std::string BuildFile(const uint32_t (&classId)[4], size_t rootField, size_t count,
                      const std::function<std::vector<RecordField>(size_t, int32_t)>& fieldsOf,
                      const std::function<std::string_view(size_t)>& bodyOf, const DbxWriteOptions& options) {
  ByteImage image;
  PutHeader(image, classId);
  std::vector<int32_t> records;
  for (size_t i = 0; i < count; ++i) {
    const int32_t body = PutBodyChain(image, bodyOf(i));
    records.push_back(PutRecord(image, fieldsOf(i, body)));
  }
  image.AlignTo4();
  const std::vector<TreeNode> nodes =
      PlanTree(records, options.maxEntriesPerNode, static_cast<int32_t>(image.End()));
  PutTree(image, nodes);

  // Where each item's entry keeps its record offset, for the damage that redirects it.
  std::unordered_map<int32_t, int32_t> slotOfRecord;
  for (const TreeNode& node : nodes)
    for (size_t e = 0; e < node.entries.size(); ++e)
      slotOfRecord[node.entries[e].record] = node.offset + 24 + static_cast<int32_t>(12 * e);
  std::vector<int32_t> entrySlots;
  for (int32_t record : records) entrySlots.push_back(slotOfRecord[record]);

  image.Patch32(kItemCountOffset, static_cast<uint32_t>(records.size()));
  if (!nodes.empty()) image.Patch32(rootField, static_cast<uint32_t>(nodes[0].offset));
  ApplyDamage(image, nodes, records, entrySlots, rootField, options.damage);
  return std::move(image.Bytes());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

}  // namespace

std::string BuildMessageFile(std::span<const MessageSpec> messages, const DbxWriteOptions& options) {
  return BuildFile(
      kMessageFileClass, kMessageRootOffset, messages.size(),
      [&](size_t i, int32_t body) { return MessageFields(messages[i], body, options.flagsTag); },
      [&](size_t i) { return std::string_view(messages[i].body); }, options);
}

// The folder list keeps its root at 0x30 only: read as a message file (from 0xE4) it yields nothing.
std::string BuildFolderListFile(std::span<const FolderSpec> folders, const DbxWriteOptions& options) {
  return BuildFile(
      kFolderListClass, kFolderListRootOffset, folders.size(),
      [&](size_t i, int32_t) { return FolderFields(folders[i]); }, [](size_t) { return std::string_view(); },
      options);
}

bool WriteMessageFile(const std::string& path, std::span<const MessageSpec> messages,
                      const DbxWriteOptions& options) {
  return WriteBytes(path, BuildMessageFile(messages, options));
}

bool WriteFolderListFile(const std::string& path, std::span<const FolderSpec> folders,
                         const DbxWriteOptions& options) {
  return WriteBytes(path, BuildFolderListFile(folders, options));
}

}  // namespace quendrel::dbx
