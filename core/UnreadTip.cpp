#include "core/UnreadTip.h"

namespace quendrel {

std::string UnreadLine(const UnreadFolder& folder) {
  return folder.name + ": " + std::to_string(folder.unread) + " unread";
}

std::string ComposeUnreadTip(const std::string& programName, const std::vector<UnreadFolder>& folders,
                             const std::string& ellipsis, std::size_t limit) {
  std::string tip = programName.substr(0, limit);
  if (tip.size() < programName.size()) return tip;
  const std::string more = "\n" + ellipsis;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    const std::string line = "\n" + UnreadLine(folders[i]);
    // The last line needs no room for the ellipsis after it.
    const std::size_t reserve = i + 1 < folders.size() ? more.size() : 0;
    if (tip.size() + line.size() + reserve > limit) {
      if (tip.size() + more.size() <= limit) tip += more;
      return tip;
    }
    tip += line;
  }
  return tip;
}

}  // namespace quendrel
