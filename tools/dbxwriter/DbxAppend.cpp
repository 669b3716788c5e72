// Appending messages to a message file while readers may have it open.
#include <fstream>
#include <vector>

#include "store/DbxReader.h"
#include "tools/dbxwriter/DbxLayout.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::dbx {

namespace {

std::vector<MessageSpec> Numbered(std::span<const MessageSpec> messages, int32_t lastIndex) {
  std::vector<MessageSpec> numbered(messages.begin(), messages.end());
  for (MessageSpec& message : numbered)
    if (message.index == 0) message.index = ++lastIndex;
  return numbered;
}

}  // namespace

bool AppendMessages(const std::string& path, std::span<const MessageSpec> messages) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  if (!file) return WriteMessageFile(path, Numbered(messages, 0));

  std::string header(kHeaderSize, '\0');
  file.read(header.data(), static_cast<std::streamsize>(header.size()));
  if (!file) return false;  // not a store file; leave it alone
  ByteImage signature;
  signature.PutBytes(std::string_view(header).substr(0, 20));
  if (signature.Get32(0) != kMagic) return false;
  for (size_t i = 0; i < 4; ++i)
    if (signature.Get32(4 + 4 * i) != kMessageFileClass[i]) return false;
  file.seekg(0, std::ios::end);
  const auto fileSize = static_cast<size_t>(file.tellg());

  // The existing records, in order, are what the program's reader sees: anything it cannot reach
  // stays in the file but drops out of the new tree.
  DbxItemList existing;
  LoadDbxItems(path, &existing);
  std::vector<int32_t> records;
  int32_t lastIndex = 0;
  for (const DbxRecord& record : existing)
    if (const auto* message = std::get_if<Toe5_MessageInfo>(&record)) {
      records.push_back(message->RecordOffset);
      lastIndex = std::max(lastIndex, message->MessageIndex);
    }

  ByteImage tail(fileSize);
  tail.AlignTo4();
  for (const MessageSpec& message : Numbered(messages, lastIndex)) {
    const int32_t body = PutBodyChain(tail, message.body);
    records.push_back(PutRecord(tail, MessageFields(message, body, FlagsTag::Direct)));
  }
  tail.AlignTo4();
  const std::vector<TreeNode> nodes = PlanTree(records, kMaxNodeEntries, static_cast<int32_t>(tail.End()));
  PutTree(tail, nodes);

  file.seekp(static_cast<std::streamoff>(fileSize));
  file.write(tail.Bytes().data(), static_cast<std::streamsize>(tail.Bytes().size()));
  file.flush();
  if (!file) return false;

  // The switch: item count and root in one write, after everything they lead to is in place.
  ByteImage fields(kItemCountOffset);
  fields.PutBytes(std::string_view(header).substr(kItemCountOffset, kMessageRootOffset + 4 - kItemCountOffset));
  fields.Patch32(kItemCountOffset, static_cast<uint32_t>(records.size()));
  fields.Patch32(kMessageRootOffset, nodes.empty() ? 0 : static_cast<uint32_t>(nodes[0].offset));
  file.seekp(static_cast<std::streamoff>(kItemCountOffset));
  file.write(fields.Bytes().data(), static_cast<std::streamsize>(fields.Bytes().size()));
  file.flush();
  return static_cast<bool>(file);
}

}  // namespace quendrel::dbx
