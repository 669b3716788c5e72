// What a check needs from the main window: its tray icon, the alert and the application's queue.
#pragma once

#include "core/AlertHold.h"
#include "core/CheckHost.h"

namespace quendrel {

class TForm1;

class FormCheckHost : public CheckHost {
 public:
  explicit FormCheckHost(TForm1& form);
  void SetTrayIconIndex(int index) override;
  // Held while the user runs a full-screen program.
  void ShowMailAlert(int32_t UnreadCount, const std::string& SenderText,
                     const std::string& FolderText) override;
  // Into the tray icon's tooltip.
  void ShowUnreadFolders(const std::vector<UnreadFolder>& folders) override;
  void ProcessMessages() override;
  // At "Stop": alerts held behind a full-screen program are not shown later.
  void DropHeldAlerts() { hold_.Drop(); }

 private:
  TForm1& form_;
  AlertHold hold_;
};

}  // namespace quendrel
