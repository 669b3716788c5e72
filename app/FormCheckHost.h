// What a check needs from the main window: its tray icon, the alert and the application's queue.
#pragma once

#include "core/CheckHost.h"

namespace quendrel {

class TForm1;

class FormCheckHost : public CheckHost {
 public:
  explicit FormCheckHost(TForm1& form) : form_(form) {}
  void SetTrayIconIndex(int index) override;
  void ShowMailAlert(int32_t UnreadCount, const std::string& SenderText,
                     const std::string& FolderText) override;
  void ProcessMessages() override;

 private:
  TForm1& form_;
};

}  // namespace quendrel
