// One load of a store file from any byte source: header, folder-mode decision and tree walk.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "store/BufferedReader.h"
#include "store/ByteSource.h"
#include "store/DbxRecordVisitor.h"
#include "store/DbxRecords.h"

namespace quendrel {

// Fixed offsets in the store file header.
inline constexpr uint64_t kFolderListRootOffset = 48;  // root node, file named "folders.dbx"
inline constexpr uint64_t kItemCountOffset = 196;
inline constexpr uint64_t kMessageRootOffset = 228;  // root node, every other file

// The header summary (ItemCount only), or nothing when the file is too short or unreadable.
std::optional<Toe5_FileHeader> ReadFileHeader(BufferedReader& Reader);

// Hands the records of the store file in Source to Visitor, FileName deciding where the root is
// and, together with StoreRoot (asked once, and only when the file holds items), whether records
// are folders. A failure of the file or the reader,
// StoreRoot throwing included, ends the walk silently after the records visited before it; an
// exception out of Visitor ends it too and leaves this function.
void VisitDbxItemsFrom(ByteSource& Source, std::string_view FileName,
                       const std::function<std::string()>& StoreRoot, DbxRecordVisitor& Visitor);

// Appends the records of the store file in Source to List, FileName deciding where the root is
// and, together with StoreRoot (asked once, and only when the file holds items), whether records
// are folders. Silent: a failure of any kind, StoreRoot throwing included, ends the load and keeps
// the records appended before it.
void LoadDbxItemsFrom(ByteSource& Source, std::string_view FileName,
                      const std::function<std::string()>& StoreRoot, DbxItemList& List);

}  // namespace quendrel
