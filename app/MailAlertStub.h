// Stands in for the alert (popup and sound) until it exists: remembers what it was asked to show.
#pragma once

#include <cstdint>
#include <string>

namespace quendrel {

class MailAlertStub {
 public:
  void ShowMailAlert(int32_t UnreadCount, const std::string& SenderText, const std::string& FolderText) {
    ++count_;
    lastUnread_ = UnreadCount;
    lastSender_ = SenderText;
    lastFolder_ = FolderText;
  }
  int Count() const { return count_; }
  int32_t LastUnread() const { return lastUnread_; }
  const std::string& LastSender() const { return lastSender_; }
  const std::string& LastFolder() const { return lastFolder_; }

 private:
  int count_ = 0;
  int32_t lastUnread_ = 0;
  std::string lastSender_;
  std::string lastFolder_;
};

}  // namespace quendrel
