// A small text description of a message file, for writing hand-made store files.
#pragma once

#include <string_view>
#include <vector>

#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::dbx {

// One message a line, fields separated by tabs: "read" or "unread", the received time as
// "YYYY-MM-DD HH:MM:SS" (UTC), sender name, sender address, subject. Empty lines and lines that
// start with "#" are skipped; messages are numbered from 1.
struct MessageList {
  std::vector<MessageSpec> messages;
  int badLine = 0;  // 1-based number of the first line that is not a message line; 0: none
};

MessageList ParseMessageList(std::string_view text);

}  // namespace quendrel::dbx
