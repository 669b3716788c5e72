// The settings page's folder list as the folder catalogue sees it; the page binds it to its control.
#pragma once

#include <string>

namespace quendrel {

class FolderList {
public:
  virtual ~FolderList() = default;
  virtual void Clear() = 0;
  // Appends an unticked item and returns its position.
  virtual int AddItem(const std::string& text) = 0;
  virtual void TickItem(int index) = 0;
  // The current item: the one just clicked. Empty text when there is none.
  virtual std::string CurrentItemText() const = 0;
  virtual bool CurrentItemTicked() const = 0;
};

}  // namespace quendrel
