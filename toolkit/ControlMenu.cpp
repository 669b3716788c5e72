// A control's context menu.
#include "toolkit/Control.h"
#include "toolkit/Menu.h"

namespace quendrel::toolkit {

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenuComponent_ != nullptr) RemoveFreeNotification(popupMenuComponent_);
  popupMenu_ = menu;
  popupMenuComponent_ = menu;
  // The menu may belong to another form: hear when it goes, wherever it lives.
  if (menu != nullptr) FreeNotification(menu);
}

bool TControl::ContextPopup(POINT screenPoint) {
  if (popupMenu_ == nullptr || !popupMenu_->AutoPopup()) return false;
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(screenPoint.x, screenPoint.y);
  return true;
}

}  // namespace quendrel::toolkit
