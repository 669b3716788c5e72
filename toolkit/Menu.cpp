#include "toolkit/Menu.h"

#include <algorithm>
#include <cstdint>

#include "toolkit/Dispatch.h"
#include "toolkit/ImageList.h"
#include "toolkit/WindowClass.h"

namespace quendrel::toolkit {

namespace {

constexpr char kWindowClass[] = "QuendrelPopupMenuWindow";

std::string KeyName(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: break;
  }
  // Punctuation and the rest: the layout's own name of the key.
  char name[64] = {};
  const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  if (scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof(name)) > 0) return name;
  return {};
}

// Windows before Vista refuse SPI_GETNONCLIENTMETRICS with the later record (344 bytes, with
// iPaddedBorderWidth); built for XP the headers declare the record those systems know.
static_assert(sizeof(NONCLIENTMETRICSA) == 340);
// With hbmpItem (Windows 2000 on); pointer-sized members make it larger in a 64-bit process.
static_assert(sizeof(MENUITEMINFOA) == (sizeof(void*) == 8 ? 80 : 48));

NONCLIENTMETRICSA MenuMetrics() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) metrics = {};
  return metrics;
}

void UseMenuFont(TCanvas& canvas) {
  const NONCLIENTMETRICSA metrics = MenuMetrics();
  if (metrics.lfMenuFont.lfFaceName[0]) canvas.Font().AssignLogFont(metrics.lfMenuFont);
}

// One character in the ANSI code page's lower case (CharLowerA takes a character in the low word).
char LowerAnsi(char c) {
  const auto in = static_cast<std::uintptr_t>(static_cast<unsigned char>(c));
  return static_cast<char>(reinterpret_cast<std::uintptr_t>(CharLowerA(reinterpret_cast<LPSTR>(in))) & 0xFF);
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyName(shortCut & 0xFF);
  if (shortCut == 0 || key.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;  // "&&" is a plain '&'
  }
  return 0;
}

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  while (!items_.empty()) delete items_.back();  // each leaves items_ in its destructor
  if (TPopupMenu* menu = GetParentMenu()) menu->ForgetItem(this);
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == item) return;  // an item cannot hang below itself
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  const auto found = std::find(items_.begin(), items_.end(), item);
  if (found == items_.end()) return;
  items_.erase(found);
  item->parent_ = nullptr;
}

TPopupMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Click() {
  if (!enabled_ || !OnClick) return;
  const auto handler = OnClick;  // the handler may free the item
  handler(this);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, canvas, width, height);
    return;
  }
  if (IsLine()) {
    height = 8;
    return;
  }
  const std::string shortcut = ShortCutToText(shortCut_);
  width = canvas.TextWidth(caption_) + (shortcut.empty() ? 0 : canvas.TextWidth(shortcut) + 16) + TextLeft();
  height = std::max(canvas.TextHeight("Wg") + 6, GetSystemMetrics(SM_CYMENU));
  if (const TImageList* images = Images()) height = std::max(height, images->Height() + 4);
}

TImageList* TMenuItem::Images() const {
  const TPopupMenu* menu = GetParentMenu();
  return menu != nullptr && imageIndex_ >= 0 ? menu->Images() : nullptr;
}

int TMenuItem::TextLeft() const {
  const TImageList* images = Images();
  return images != nullptr ? std::max(20, images->Width() + 8) : 20;
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(this, canvas, rect, selected);
    return;
  }
  const bool highlight = selected && enabled_;
  canvas.Brush().SetColor(highlight ? clHighlight : clMenu);
  canvas.FillRect(rect);
  if (IsLine()) {
    RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, (rect.top + rect.bottom) / 2 + 1};
    DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().SetColor(!enabled_ ? clGrayText : highlight ? clHighlightText : clMenuText);
  canvas.Font().SetStyle(default_ ? fsBold : 0u);
  RECT text{rect.left + TextLeft(), rect.top, rect.right - 4, rect.bottom};
  canvas.DrawText(caption_, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (const std::string shortcut = ShortCutToText(shortCut_); !shortcut.empty())
    canvas.DrawText(shortcut, text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  if (TImageList* images = Images(); images != nullptr && imageIndex_ < images->Count()) {
    images->Draw(canvas, rect.left + 3, (rect.top + rect.bottom - images->Height()) / 2, imageIndex_, enabled_);
  } else if (checked_) {
    RECT mark{rect.left + 2, rect.top, rect.left + 18, rect.bottom};
    canvas.DrawText("\x95", mark, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TPopupMenu::~TPopupMenu() {
  items_.reset();
  if (window_) DestroyWindow(window_);
}

void TPopupMenu::SetImages(TImageList* images) {
  if (images_ == images) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

UINT TPopupMenu::TrackFlags() const {
  static constexpr UINT kAlignments[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  UINT flags = kAlignments[alignment_];
  if (trackButton_ == tbRightButton) flags |= TPM_RIGHTBUTTON;
  // The animation set's bits line up with TPM_HORPOSANIMATION (0x400) .. TPM_NOANIMATION (0x4000).
  flags |= (animation_ & 0x1F) << 10;
  return flags;
}

HWND TPopupMenu::WindowHandle() {
  if (window_) return window_;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass({.Name = kWindowClass, .Proc = &TPopupMenu::WindowProc});
  // A hidden top-level window: TrackPopupMenu needs an owner that is not message-only.
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            instance, nullptr);
  if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return window_;
}

HMENU TPopupMenu::BuildMenu(TMenuItem& parent) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  shownMenus_[menu] = &parent;
  const bool ownerDraw = OwnerDraw();
  UINT position = 0;
  for (TMenuItem* item : parent.items_) {
    if (!item->Visible()) continue;
    UINT flags = 0;
    UINT_PTR id = 0;
    std::string text = item->Caption();
    if (const std::string shortcut = ShortCutToText(item->ShortCut()); !shortcut.empty()) text += "\t" + shortcut;
    if (item->IsLine()) {
      flags |= MF_SEPARATOR;
    } else {
      if (!item->Enabled()) flags |= MF_GRAYED;
      if (item->Checked()) flags |= MF_CHECKED;
    }
    if (item->Count() > 0 && !item->IsLine()) {
      flags |= MF_POPUP;
      id = reinterpret_cast<UINT_PTR>(BuildMenu(*item));
    } else {
      id = nextCommand_++;
      if (nextCommand_ > 0xFFFF) nextCommand_ = 1;  // WM_COMMAND carries 16 bits of id
      commands_[static_cast<UINT>(id)] = item;
    }
    if (ownerDraw) {
      // itemData carries the item to WM_MEASUREITEM and WM_DRAWITEM.
      AppendMenuA(menu, flags | MF_OWNERDRAW, id, reinterpret_cast<LPCSTR>(item));
    } else {
      AppendMenuA(menu, flags | MF_STRING, id, text.c_str());
      if (BitmapHandle image = ItemImage(*item)) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = image.Get();
        SetMenuItemInfoA(menu, position, TRUE, &info);
        itemBitmaps_.push_back(std::move(image));  // the menu only borrows it
      }
    }
    if (item->Default()) SetMenuDefaultItem(menu, position, TRUE);
    ++position;
  }
  return menu;
}

BitmapHandle TPopupMenu::ItemImage(const TMenuItem& item) const {
  if (!images_ || item.IsLine() || item.ImageIndex() < 0 || item.ImageIndex() >= images_->Count()) return {};
  WindowDC screen(nullptr);
  MemoryDC dc(screen.Get());
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), images_->Width(), images_->Height()));
  if (!dc.Get() || !bitmap) return {};
  SelectGuard select(dc.Get(), bitmap.Get());
  const RECT all{0, 0, images_->Width(), images_->Height()};
  FillRect(dc.Get(), &all, GetSysColorBrush(COLOR_MENU));
  TCanvas canvas(dc.Get());
  images_->Draw(canvas, 0, 0, item.ImageIndex(), item.Enabled());
  return bitmap;
}

void TPopupMenu::ForgetItem(const TMenuItem* item) {
  std::erase_if(commands_, [item](const auto& entry) { return entry.second == item; });
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HWND window = WindowHandle();
  if (!window) return;
  commands_.clear();
  HMENU menu = BuildMenu(*items_);
  if (!menu) return;
  // Unless its owner is in the foreground, a menu opened from the notification area stays open
  // when the user clicks elsewhere; the WM_NULL after it lets the next one open at once.
  SetForegroundWindow(window);
  TrackPopupMenu(menu, TrackFlags(), x, y, 0, window, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
  shownMenus_.clear();
  // Sub-menus go with their parent.
  DestroyMenu(menu);
  itemBitmaps_.clear();
}

// Owner-drawn items have no text the system could take mnemonics from: the '&' of the caption
// decides here, as it does in menus with text.
LRESULT TPopupMenu::MenuChar(char key, HMENU menu) const {
  const auto shown = shownMenus_.find(menu);
  if (shown == shownMenus_.end()) return MAKELRESULT(0, MNC_IGNORE);
  WORD position = 0;
  for (const TMenuItem* item : shown->second->items_) {
    if (!item->Visible()) continue;
    const char accelerator = AcceleratorOf(item->Caption());
    if (accelerator && item->Enabled() && LowerAnsi(accelerator) == LowerAnsi(key)) return MAKELRESULT(position, MNC_EXECUTE);
    ++position;
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

LRESULT CALLBACK TPopupMenu::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* menu = reinterpret_cast<TPopupMenu*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (menu) return GuardedWndProc(menu, [&] { return menu->HandleMessage(message, wParam, lParam); });
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TPopupMenu::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      // Posted after the menu closed: the item may be gone by now (then it is no longer listed).
      const auto found = commands_.find(LOWORD(wParam));
      if (HIWORD(wParam) == 0 && found != commands_.end()) {
        found->second->Click();
        return 0;
      }
      break;
    }
    case WM_MENUCHAR:
      if (OwnerDraw()) return MenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
      break;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU || !measure->itemData) break;
      auto* item = reinterpret_cast<TMenuItem*>(measure->itemData);
      WindowDC screen(nullptr);
      TCanvas canvas(screen.Get());
      UseMenuFont(canvas);
      int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
      item->MeasureItem(canvas, width, height);
      measure->itemWidth = static_cast<UINT>(std::max(width, 0));
      measure->itemHeight = static_cast<UINT>(std::max(height, 0));
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_MENU || !draw->itemData) break;
      auto* item = reinterpret_cast<TMenuItem*>(draw->itemData);
      SavedDCState saved(draw->hDC);
      TCanvas canvas(draw->hDC);
      UseMenuFont(canvas);
      item->DrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
      return TRUE;
    }
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace quendrel::toolkit
