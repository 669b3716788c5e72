// TCheckListBox: an owner-drawn list box with a check box in front of every item.
#pragma once

#include <string>
#include <vector>

#include "toolkit/CheckBox.h"
#include "toolkit/Control.h"

namespace quendrel::toolkit {

class TCheckListBox : public TWinControl {
public:
  explicit TCheckListBox(TComponent* owner);
  std::string ClassName() const override { return "TCheckListBox"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Items(int index) const { return At(index).text; }
  int AddItem(const std::string& text);
  void DeleteItem(int index);
  void ClearItems();
  void SetItems(const std::vector<std::string>& texts);

  // Setting a state from code fires no event.
  bool Checked(int index) const { return At(index).state == cbChecked; }
  void SetChecked(int index, bool value) { SetState(index, value ? cbChecked : cbUnchecked); }
  TCheckBoxState State(int index) const { return At(index).state; }
  void SetState(int index, TCheckBoxState state);
  bool ItemEnabled(int index) const { return At(index).enabled; }
  void SetItemEnabled(int index, bool value);

  // -1 when nothing is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  // The item under a client point, or -1.
  int ItemAtPos(POINT point) const;
  RECT ItemRect(int index) const;

  // After the user toggled an item (mouse on its box, or Space); the item is ItemIndex then.
  TNotifyEvent OnClickCheck;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& message) override;
  // Width of the check area at the left of every item.
  virtual int CheckWidth() const;
  virtual void DrawItem(HDC dc, int index, RECT rect, UINT itemState);
  virtual void DrawCheck(HDC dc, const RECT& rect, TCheckBoxState state, bool enabled);
  virtual void ClickCheck();
  void ToggleClickCheck(int index);

private:
  struct Item {
    std::string text;
    TCheckBoxState state = cbUnchecked;
    bool enabled = true;
  };
  const Item& At(int index) const;
  Item& At(int index);
  void InvalidateItem(int index);

  std::vector<Item> items_;
  int itemIndex_ = -1;  // kept while there is no window
  int itemHeight_ = 16;
  bool flat_ = true;
};

}  // namespace quendrel::toolkit
