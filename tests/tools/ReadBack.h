// Writer tests read their files back with the program's reader.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "store/DbxReader.h"

namespace quendrel::dbx {

inline std::vector<Toe5_MessageInfo> Messages(const std::string& path) {
  DbxItemList items;
  LoadDbxItems(path, &items);
  std::vector<Toe5_MessageInfo> messages;
  for (const DbxRecord& item : items) {
    if (const auto* message = std::get_if<Toe5_MessageInfo>(&item))
      messages.push_back(*message);
    else
      ADD_FAILURE() << "folder record in a message file";
  }
  return messages;
}

inline std::vector<int32_t> Indexes(const std::string& path) {
  std::vector<int32_t> indexes;
  for (const Toe5_MessageInfo& message : Messages(path)) indexes.push_back(message.MessageIndex);
  return indexes;
}

inline std::vector<int32_t> Range(int32_t first, int32_t last) {
  std::vector<int32_t> range;
  for (int32_t i = first; i <= last; ++i) range.push_back(i);
  return range;
}

}  // namespace quendrel::dbx
