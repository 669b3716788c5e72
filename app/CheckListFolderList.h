// The folder catalogue's view of the page's folder list control.
#pragma once

#include "core/FolderList.h"

namespace quendrel {

namespace toolkit {
class TCheckListBox;
}

class CheckListFolderList : public FolderList {
 public:
  explicit CheckListFolderList(toolkit::TCheckListBox& list) : list_(list) {}
  void Clear() override;
  int AddItem(const std::string& text) override;
  void TickItem(int index) override;
  std::string CurrentItemText() const override;
  bool CurrentItemTicked() const override;

 private:
  toolkit::TCheckListBox& list_;
};

}  // namespace quendrel
