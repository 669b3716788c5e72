// A check host that records what a check asks of the rest of the program (no Win32 needed).
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/CheckHost.h"

namespace quendrel::test {

struct Alert {
  int32_t unread;
  std::string sender;
  std::string folder;
  friend bool operator==(const Alert&, const Alert&) = default;
};
inline std::ostream& operator<<(std::ostream& out, const Alert& alert) {
  return out << "{" << alert.unread << ", \"" << alert.sender << "\", \"" << alert.folder << "\"}";
}

class RecordingHost : public CheckHost {
public:
  void SetTrayIconIndex(int index) override { trayIndexes.push_back(index); }
  void ShowMailAlert(int32_t UnreadCount, const std::string& SenderText,
                     const std::string& FolderText) override {
    alerts.push_back({UnreadCount, SenderText, FolderText});
  }
  void ShowUnreadFolders(const std::vector<UnreadFolder>& folders) override { unreadShown.push_back(folders); }
  void ProcessMessages() override {
    ++messageBreaks;
    if (onMessages) onMessages();
  }

  std::vector<int> trayIndexes;
  std::vector<Alert> alerts;
  std::vector<std::vector<UnreadFolder>> unreadShown;  // one entry per check that ended
  int messageBreaks = 0;
  std::function<void()> onMessages;
};

}  // namespace quendrel::test
