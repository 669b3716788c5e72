// Reading a whole ".dbx" store file into records, in index-tree order.
#pragma once

#include <string>

#include "store/DbxRecordVisitor.h"
#include "store/DbxRecords.h"

namespace quendrel {

// Opens FileName read-only (sharing read, write and delete with the mail client), walks its index
// tree and appends one record per entry to *List. A null List does nothing. Never reports anything:
// a missing, unreadable or damaged file yields fewer records (those appended before a failure stay).
// Files named "folders.dbx" in the store folder (GetStoreRoot) are decoded as folder records.
void LoadDbxItems(const std::string& FileName, DbxItemList* List);

// The same walk over the same file, each record handed to Visitor instead of kept. Its read windows
// are freed on return. Silent as the load is, except that an exception out of Visitor leaves here.
void VisitDbxItems(const std::string& FileName, DbxRecordVisitor& Visitor);

}  // namespace quendrel
