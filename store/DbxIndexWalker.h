// Walking the index tree of a store file and decoding the records its entries point to.
#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "store/BufferedReader.h"
#include "store/DbxRecordVisitor.h"

namespace quendrel {

// One walk of one load. Order of visits at a node: its parent link, its first child link, then each
// entry's record followed by that entry's child subtree. A node is walked once per load (tested when
// a link is about to be followed); records are not guarded, so two entries naming the same record
// have it visited twice. The walk keeps its own stack, so a long chain of nodes cannot exhaust the thread's.
class DbxIndexWalker {
 public:
  DbxIndexWalker(BufferedReader& Reader, bool FolderMode, DbxRecordVisitor& Visitor)
      : reader_(Reader), folderMode_(FolderMode), visitor_(Visitor), texts_(Visitor.MessageTexts()) {}

  // Walks the tree at NodeOffset (nothing when it is 0 or below). False when the load ended early:
  // a read failed, the file ended inside an entry table, or a record could not be decoded.
  bool ReadIndexNode(int32_t NodeOffset);

 private:
  struct Entry {
    int32_t record;
    int32_t child;
  };
  struct Frame;
  enum class Enter { kPushed, kNotANode, kEndLoad };

  Enter EnterNode(int32_t NodeOffset, std::vector<Frame>& Stack);
  bool ReadEntries(Frame& Node);
  bool VisitRecord(int32_t RecordOffset);

  BufferedReader& reader_;  // not owned
  bool folderMode_;
  DbxRecordVisitor& visitor_;  // not owned
  uint32_t texts_;             // the message texts the visitor reads
  Toe5_MessageInfo message_;
  std::unordered_set<int32_t> visited_;
};

}  // namespace quendrel
