// Stands in for the notification-area icon until the real one exists: it keeps the picture index
// and hides and restores the main window, but puts nothing into the notification area.
#pragma once

#include <string>

#include "toolkit/Component.h"
#include "toolkit/Control.h"

namespace quendrel {

namespace toolkit {
class TForm;
class TImageList;
class TPopupMenu;
}  // namespace toolkit

class TTrayIconStub : public toolkit::TComponent {
 public:
  explicit TTrayIconStub(toolkit::TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TTrayIconStub"; }

  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index) { iconIndex_ = index; }
  // Hides the owning form and the application's taskbar button.
  void HideMainWindow();
  // Restores the application, brings the form back at normal size, shows it and puts it in front.
  void RestoreMainWindow();

  std::string Hint = "Quendrel";
  toolkit::TImageList* Icons = nullptr;      // not owned
  toolkit::TPopupMenu* PopupMenu = nullptr;  // not owned
  toolkit::TNotifyEvent OnClick;

 private:
  toolkit::TForm* MainWindow() const;

  int iconIndex_ = 0;
};

}  // namespace quendrel
