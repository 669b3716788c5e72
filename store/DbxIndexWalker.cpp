#include "store/DbxIndexWalker.h"

#include <vector>

#include "store/DbxRecordDecoder.h"
#include "store/LittleEndian.h"

namespace quendrel {
namespace {
constexpr size_t kNodeHeaderSize = 24;
constexpr size_t kEntrySize = 12;
}  // namespace

// A node on the walk's stack and how far its visit has come.
struct DbxIndexWalker::Frame {
  enum class Step { kParent, kFirstChild, kReadEntries, kEntries };
  int32_t node = 0;
  int32_t parent = 0;
  int32_t firstChild = 0;
  uint32_t entryCount = 0;
  Step step = Step::kParent;
  std::vector<Entry> entries;
  size_t next = 0;
};

DbxIndexWalker::Enter DbxIndexWalker::EnterNode(int32_t NodeOffset, std::vector<Frame>& Stack) {
  const auto header = reader_.Read(static_cast<uint64_t>(NodeOffset), kNodeHeaderSize);
  if (!header) return Enter::kEndLoad;
  // A node cut short by the file's end is not there (yet); it is skipped, not an end of the load.
  if (header->size() < kNodeHeaderSize || LoadI32(header->data()) != NodeOffset) return Enter::kNotANode;
  visited_.insert(NodeOffset);
  Frame frame;
  frame.node = NodeOffset;
  frame.firstChild = LoadI32(header->data() + 8);
  frame.parent = LoadI32(header->data() + 12);
  frame.entryCount = LoadU32(header->data() + 16) >> 8;
  Stack.push_back(std::move(frame));
  return Enter::kPushed;
}

// All entries are taken before any is acted on, as a snapshot of a file that may change meanwhile.
// The reader never hands out more than the file holds, so a crafted count allocates nothing large.
bool DbxIndexWalker::ReadEntries(Frame& Node) {
  const size_t size = size_t{Node.entryCount} * kEntrySize;
  const auto bytes = reader_.Read(uint64_t(Node.node) + kNodeHeaderSize, size);
  if (!bytes || bytes->size() < size) return false;
  Node.entries.resize(Node.entryCount);
  for (size_t i = 0; i < Node.entryCount; ++i) {
    const uint8_t* entry = bytes->data() + i * kEntrySize;
    Node.entries[i] = Entry{LoadI32(entry), LoadI32(entry + 4)};
  }
  return true;
}

// False when the record ends the load.
bool DbxIndexWalker::VisitRecord(int32_t RecordOffset) {
  if (folderMode_) {
    Toe5_FolderInfo folder;
    const DecodeOutcome outcome = DecodeFolderRecord(reader_, RecordOffset, folder);
    if (outcome == DecodeOutcome::kAppended) visitor_.Visit(folder);
    return outcome != DecodeOutcome::kEndLoad;
  }
  // One record for every message, copied over from an empty one each time: a record declared afresh
  // is cleared by a string instruction that took a sixth of a walk's time.
  static const Toe5_MessageInfo kEmpty{};
  message_ = kEmpty;
  const DecodeOutcome outcome = DecodeMessageRecord(reader_, RecordOffset, message_, texts_);
  if (outcome == DecodeOutcome::kAppended) visitor_.Visit(message_);
  return outcome != DecodeOutcome::kEndLoad;
}

bool DbxIndexWalker::ReadIndexNode(int32_t NodeOffset) {
  if (NodeOffset <= 0) return true;
  std::vector<Frame> stack;
  if (EnterNode(NodeOffset, stack) == Enter::kEndLoad) return false;

  // Follows a link the way the recursive walk would call itself on it.
  auto follow = [&](int32_t link) {
    if (link <= 0 || visited_.contains(link)) return true;
    return EnterNode(link, stack) != Enter::kEndLoad;
  };

  while (!stack.empty()) {
    // No reference into the stack is kept across a push.
    const size_t top = stack.size() - 1;
    switch (stack[top].step) {
      case Frame::Step::kParent:
        stack[top].step = Frame::Step::kFirstChild;
        if (!follow(stack[top].parent)) return false;
        break;
      case Frame::Step::kFirstChild:
        stack[top].step = Frame::Step::kReadEntries;
        if (!follow(stack[top].firstChild)) return false;
        break;
      case Frame::Step::kReadEntries:
        if (stack[top].entryCount == 0) {
          stack.pop_back();
          break;
        }
        if (!ReadEntries(stack[top])) return false;
        stack[top].step = Frame::Step::kEntries;
        break;
      case Frame::Step::kEntries: {
        if (stack[top].next == stack[top].entries.size()) {
          stack.pop_back();
          break;
        }
        const Entry entry = stack[top].entries[stack[top].next++];
        if (entry.record > 0 && !VisitRecord(entry.record)) return false;
        if (!follow(entry.child)) return false;
        break;
      }
    }
  }
  return true;
}

}  // namespace quendrel
