// What a walk of a store file hands each record it decodes to.
#pragma once

#include <cstddef>
#include <optional>

#include "store/DbxRecords.h"

namespace quendrel {

// Receives the records of one load in index-tree order. A record's texts are views into the
// reader's read-ahead window, valid for the length of the call only: a visitor that keeps a record
// copies what it needs (the record itself is its to change). A visitor's exception ends the load.
class DbxRecordVisitor {
 public:
  // Once before the first record, when the file holds items: how many records it may hold (its item
  // count, trusted only as far as the file's size could hold real messages), nothing when its
  // length is not known.
  virtual void Start(std::optional<size_t> PlausibleCount) { (void)PlausibleCount; }
  // The text fields of messages this visitor reads (a set of DbxMessageText), asked once per walk.
  // The others are checked as ever (a text that runs past its record still ends the walk) but left
  // empty: finding where every text of every record ends is most of a walk's work.
  virtual uint32_t MessageTexts() const { return kAllMessageTexts; }
  virtual void Visit(Toe5_MessageInfo& Message) = 0;
  virtual void Visit(Toe5_FolderInfo& Folder) = 0;

 protected:
  ~DbxRecordVisitor() = default;
};

}  // namespace quendrel
