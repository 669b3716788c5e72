// What a check needs from the rest of the program: the tray icon, the alert and the message queue.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/UnreadTip.h"

namespace quendrel {

class CheckHost {
public:
  virtual ~CheckHost() = default;
  // The tray icon's picture: resources::kTrayRunning, or kTrayAlerted when an alert was just raised.
  virtual void SetTrayIconIndex(int index) = 0;
  virtual void ShowMailAlert(int32_t UnreadCount, const std::string& SenderText,
                             const std::string& FolderText) = 0;
  // At the end of every check: the watched folders holding unread mail, in folder-key order (none:
  // nothing is unread).
  virtual void ShowUnreadFolders(const std::vector<UnreadFolder>& folders) = 0;
  // Handles every window message waiting in the queue and returns. May run a nested check.
  virtual void ProcessMessages() = 0;
};

}  // namespace quendrel
