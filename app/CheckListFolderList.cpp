#include "app/CheckListFolderList.h"

#include "toolkit/CheckListBox.h"

namespace quendrel {

void CheckListFolderList::Clear() {
  list_.ClearItems();
}

int CheckListFolderList::AddItem(const std::string& text) {
  return list_.AddItem(text);
}

void CheckListFolderList::TickItem(int index) {
  list_.SetChecked(index, true);
}

std::string CheckListFolderList::CurrentItemText() const {
  const int index = list_.ItemIndex();
  return index >= 0 && index < list_.Count() ? list_.Items(index) : std::string();
}

bool CheckListFolderList::CurrentItemTicked() const {
  const int index = list_.ItemIndex();
  return index >= 0 && index < list_.Count() && list_.Checked(index);
}

}  // namespace quendrel
