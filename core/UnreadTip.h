// The tray icon's tooltip: the program's name, then one line per watched folder holding unread mail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quendrel {

struct UnreadFolder {
  std::string name;  // the folder's name as its alert shows it
  int32_t unread = 0;
  friend bool operator==(const UnreadFolder&, const UnreadFolder&) = default;
};

// "Inbox: 3 unread"
std::string UnreadLine(const UnreadFolder& folder);

// programName, then a line per folder in the given order. When that is longer than limit bytes,
// whole folder lines are left out from the end and a last line holding ellipsis says so; a name
// longer than the limit is cut. The result never exceeds limit. Lines are cut whole, so a
// double-byte character is never split.
std::string ComposeUnreadTip(const std::string& programName, const std::vector<UnreadFolder>& folders,
                             const std::string& ellipsis, std::size_t limit);

}  // namespace quendrel
