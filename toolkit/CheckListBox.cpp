#include "toolkit/CheckListBox.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "toolkit/Properties.h"

namespace quendrel::toolkit {

TCheckListBox::TCheckListBox(TComponent* owner) : TWinControl(owner) {
  width_ = 121;
  height_ = 97;
  tabStop_ = true;
  color_ = clWindow;
  clickOnMouseUp_ = false;  // selection changes report the clicks (LBN_SELCHANGE)
}

const TPropertyList& TCheckListBox::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TWinControl::ClassProperties();
    using C = TCheckListBox;
    l.Integer<C>("ItemHeight", [](const C& c) { return c.ItemHeight(); },
                 [](C& c, auto v) { c.SetItemHeight(int(v)); });
    l.Integer<C>("ItemIndex", [](const C& c) { return c.ItemIndex(); },
                 [](C& c, auto v) { c.SetItemIndex(int(v)); });
    l.Boolean<C>("Flat", [](const C& c) { return c.Flat(); }, [](C& c, auto v) { c.SetFlat(v != 0); });
    return l;
  }();
  return list;
}

const TCheckListBox::Item& TCheckListBox::At(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

TCheckListBox::Item& TCheckListBox::At(int index) {
  return const_cast<Item&>(static_cast<const TCheckListBox*>(this)->At(index));
}

void TCheckListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = "LISTBOX";
  params.Style = (params.Style & ~WS_CLIPCHILDREN) | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                 LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCheckListBox::CreateHandleDone() {
  SendMessageA(handle_, LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0));
  for (const Item& item : items_) SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
  SendMessageA(handle_, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

int TCheckListBox::AddItem(const std::string& text) {
  items_.push_back(Item{text});
  if (handle_ != nullptr) SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return Count() - 1;
}

void TCheckListBox::DeleteItem(int index) {
  At(index);
  items_.erase(items_.begin() + index);
  if (handle_ != nullptr) SendMessageA(handle_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  if (itemIndex_ >= Count()) itemIndex_ = -1;
}

void TCheckListBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  if (handle_ != nullptr) SendMessageA(handle_, LB_RESETCONTENT, 0, 0);
}

void TCheckListBox::SetItems(const std::vector<std::string>& texts) {
  ClearItems();
  for (const std::string& text : texts) AddItem(text);
}

void TCheckListBox::SetState(int index, TCheckBoxState state) {
  At(index).state = state;
  InvalidateItem(index);
}

void TCheckListBox::SetItemEnabled(int index, bool value) {
  At(index).enabled = value;
  InvalidateItem(index);
}

int TCheckListBox::ItemIndex() const {
  if (handle_ != nullptr) return static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCheckListBox::SetItemIndex(int index) {
  itemIndex_ = (index >= 0 && index < Count()) ? index : -1;
  if (handle_ != nullptr) SendMessageA(handle_, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TCheckListBox::SetItemHeight(int value) {
  itemHeight_ = std::clamp(value, 1, 255);
  if (handle_ != nullptr) {
    SendMessageA(handle_, LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0));
    Invalidate();
  }
}

void TCheckListBox::SetFlat(bool value) {
  flat_ = value;
  Invalidate();
}

int TCheckListBox::ItemAtPos(POINT point) const {
  if (handle_ == nullptr) return -1;
  const LRESULT result = SendMessageA(handle_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(result) != 0) return -1;  // outside every item
  const int index = LOWORD(result);
  return index < Count() ? index : -1;
}

RECT TCheckListBox::ItemRect(int index) const {
  RECT rect{0, 0, 0, 0};
  if (handle_ != nullptr) SendMessageA(handle_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TCheckListBox::InvalidateItem(int index) {
  if (handle_ == nullptr) return;
  const RECT rect = ItemRect(index);
  InvalidateRect(handle_, &rect, FALSE);
}

int TCheckListBox::CheckWidth() const { return 13 + 4; }

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::ToggleClickCheck(int index) {
  if (index < 0 || index >= Count() || !At(index).enabled || !enabled_) return;
  SetState(index, At(index).state == cbChecked ? cbUnchecked : cbChecked);
  ClickCheck();
}

void TCheckListBox::DrawCheck(HDC dc, const RECT& rect, TCheckBoxState state, bool enabled) {
  RECT box{rect.left + 2, rect.top + (rect.bottom - rect.top - 13) / 2, 0, 0};
  box.right = box.left + 13;
  box.bottom = box.top + 13;
  UINT flags = DFCS_BUTTONCHECK;
  if (state == cbChecked) flags |= DFCS_CHECKED;
  if (state == cbGrayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (!enabled) flags |= DFCS_INACTIVE;
  if (flat_) flags |= DFCS_FLAT;
  DrawFrameControl(dc, &box, DFC_BUTTON, flags);
}

void TCheckListBox::DrawItem(HDC dc, int index, RECT rect, UINT itemState) {
  const Item& item = At(index);
  RECT check = rect;
  check.right = check.left + CheckWidth();
  BrushHandle background(CreateSolidBrush(ColorToRGB(color_)));
  FillRect(dc, &check, background.Get());
  DrawCheck(dc, check, item.state, item.enabled && enabled_);
  RECT text = rect;
  text.left = check.right;
  const bool selected = (itemState & ODS_SELECTED) != 0;
  BrushHandle fill(CreateSolidBrush(ColorToRGB(selected ? clHighlight : color_)));
  FillRect(dc, &text, fill.Get());
  SetBkMode(dc, TRANSPARENT);
  const TColor textColor = !item.enabled || !enabled_ ? clGrayText : selected ? clHighlightText : font_.Color();
  SetTextColor(dc, ColorToRGB(textColor));
  {
    SelectGuard font(dc, font_.Handle());
    text.left += 2;
    DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

void TCheckListBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
      if (draw->itemID != static_cast<UINT>(-1) && static_cast<int>(draw->itemID) < Count()) {
        DrawItem(draw->hDC, static_cast<int>(draw->itemID), draw->rcItem, draw->itemState);
      }
      message.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
      message.Result = TRUE;
      return;
    case CN_COMMAND:
      if (HIWORD(message.WParam) == LBN_SELCHANGE) {
        itemIndex_ = ItemIndex();
        Click();
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The list selects the item first, so the toggled item is the current one when we report it.
      TWinControl::WndProc(message);
      const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      const int index = ItemAtPos(point);
      if (index >= 0 && point.x - ItemRect(index).left < CheckWidth()) ToggleClickCheck(index);
      return;
    }
    case WM_CHAR:
      if (message.WParam == ' ') {
        char key = ' ';
        KeyPress(key);
        if (key == ' ') ToggleClickCheck(ItemIndex());
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace quendrel::toolkit
