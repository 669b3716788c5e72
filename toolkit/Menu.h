// Menus: TMenuItem (a component in an item tree) and TPopupMenu (shown with TrackPopupMenu).
// The popup menu's HMENU is built afresh for every Popup; a hidden window of the menu receives the
// WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM messages and hands them to the items.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/Canvas.h"
#include "toolkit/Component.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::toolkit {

class TImageList;
class TMenuItem;
class TPopupMenu;

// A key code with modifier bits, as menus show it ("Ctrl+S").
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut ShortCut(WORD key, TShortCut modifiers) { return static_cast<TShortCut>((key & 0xFF) | modifiers); }
// "" for 0.
std::string ShortCutToText(TShortCut shortCut);
// The character after the first single '&' of a caption ("E&xit" gives 'x'), or 0.
char AcceleratorOf(const std::string& caption);

using TMenuMeasureItemEvent = std::function<void(TMenuItem* Sender, TCanvas& ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* Sender, TCanvas& ACanvas, const RECT& ARect, bool Selected)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  // Frees the sub-items too and leaves the parent item.
  ~TMenuItem() override;

  std::string ClassName() const override { return "TMenuItem"; }

  // "-" makes a separator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool IsLine() const { return caption_ == "-"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index) { imageIndex_ = index; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }

  // Sub-items (not the owner tree: an item can be owned by the form and hang in a menu).
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  // Takes item out of any other parent first.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // The popup menu whose item tree holds this item, or null.
  TPopupMenu* GetParentMenu() const;

  // Runs OnClick when the item is enabled.
  virtual void Click();
  // Owner drawing: the events when assigned, else a plain menu look.
  virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
  virtual void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);

  std::function<void(TComponent* Sender)> OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  // (Owner-drawn menus without these events draw the item's image in the check mark's column.)
  TMenuDrawItemEvent OnDrawItem;

 private:
  friend class TPopupMenu;
  // The menu's image list when the item shows an image from it, else null.
  TImageList* Images() const;
  int TextLeft() const;

  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool default_ = false;
  bool visible_ = true;
  int imageIndex_ = -1;
  TShortCut shortCut_ = 0;
  TMenuItem* parent_ = nullptr;     // not owned
  std::vector<TMenuItem*> items_;   // freed by this item unless they go first
  TPopupMenu* menu_ = nullptr;      // set on the root item only
};

enum TPopupAlignment { paLeft, paRight, paCenter };
enum TTrackButton { tbRightButton, tbLeftButton };
enum TMenuAnimation : unsigned {
  maLeftToRight = 1, maRightToLeft = 2, maTopToBottom = 4, maBottomToTop = 8, maNone = 16
};
using TMenuAnimations = unsigned;  // a set of TMenuAnimation bits

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  std::string ClassName() const override { return "TPopupMenu"; }

  // The invisible root item; the menu's items are its sub-items.
  TMenuItem& Items() { return *items_; }
  // Not owned; cleared when the image list goes.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }
  TTrackButton TrackButton() const { return trackButton_; }
  void SetTrackButton(TTrackButton button) { trackButton_ = button; }
  TMenuAnimations MenuAnimation() const { return animation_; }
  void SetMenuAnimation(TMenuAnimations animation) { animation_ = animation; }
  virtual bool OwnerDraw() const { return ownerDraw_; }
  virtual void SetOwnerDraw(bool value) { ownerDraw_ = value; }
  // The component that popped the menu up last (not owned).
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

  // The TrackPopupMenu flags: alignment, track button and animation.
  UINT TrackFlags() const;
  // Fires OnPopup, then shows the menu at screen point (x, y) and returns when it closes. The chosen
  // item's OnClick runs when the posted WM_COMMAND is handled, after Popup has returned.
  virtual void Popup(int x, int y);
  // The hidden window that owns the menu while it is shown.
  HWND WindowHandle();

  std::function<void(TComponent* Sender)> OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TMenuItem;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HMENU BuildMenu(TMenuItem& parent);
  void ForgetItem(const TMenuItem* item);
  LRESULT MenuChar(char key, HMENU menu) const;
  // The item's image from Images on the menu colour, or null when it has none.
  BitmapHandle ItemImage(const TMenuItem& item) const;

  std::unique_ptr<TMenuItem> items_;
  TImageList* images_ = nullptr;
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
  TTrackButton trackButton_ = tbRightButton;
  TMenuAnimations animation_ = 0;
  bool ownerDraw_ = false;
  TComponent* popupComponent_ = nullptr;
  HWND window_ = nullptr;
  UINT nextCommand_ = 1;
  std::map<UINT, TMenuItem*> commands_;  // of the last Popup; entries go with their items
  std::map<HMENU, TMenuItem*> shownMenus_;  // while Popup runs: each HMENU and the item it lists
  std::vector<BitmapHandle> itemBitmaps_;  // while Popup runs: the item images of a plain menu
};

}  // namespace quendrel::toolkit
