// Loading test bytes as the program would, and summarising what came out.
#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "store/DbxLoad.h"
#include "store/MemorySource.h"

namespace quendrel::test {

inline constexpr char kStoreRoot[] = "C:\\Store";
inline constexpr char kMessageFile[] = "C:\\Store\\Inbox.dbx";

inline DbxItemList LoadBytes(const std::string& bytes, const std::string& fileName = kMessageFile,
                             const std::string& storeRoot = kStoreRoot) {
  MemorySource source(bytes);
  DbxItemList list;
  LoadDbxItemsFrom(
      source, fileName, [&] { return storeRoot; }, list);
  return list;
}

// MessageIndex of message records, FolderId (negated) of folder records, in list order.
inline std::vector<int> Ids(const DbxItemList& list) {
  std::vector<int> ids;
  for (const DbxRecord& record : list) {
    if (const auto* m = std::get_if<Toe5_MessageInfo>(&record)) ids.push_back(m->MessageIndex);
    if (const auto* f = std::get_if<Toe5_FolderInfo>(&record)) ids.push_back(-f->FolderId);
  }
  return ids;
}

}  // namespace quendrel::test
