// TSkinTab: a skinned tab strip over a framed body. The strip draws its tabs from the style's
// three-slice tab frames and bar, scrolls with two arrows when the tabs do not fit, and keeps the
// active tab in view; the body is filled and framed by the TSkinTab itself.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/SkinFileTheme.h"
#include "skin/SkinStyleLink.h"
#include "skin/SkinTheme.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Panel.h"

namespace quendrel::skin {

class TSkinTab;

using TTabActiveNotify = std::function<void(toolkit::TComponent* Sender, int TabIndex)>;
using TTabChangingEvent = std::function<void(toolkit::TComponent* Sender, bool& AllowChange)>;

// The strip along the top of a TSkinTab, owned and parented by it; it takes no child controls.
class TSkinTabControlTopPanel : public toolkit::TCustomPanel {
 public:
  explicit TSkinTabControlTopPanel(TSkinTab& tab);
  std::string ClassName() const override { return "TSkinTabControlTopPanel"; }

  const std::vector<std::string>& Tabs() const { return tabs_; }
  // Replaces the captions; visible flags of tabs that stay are kept, new tabs are visible.
  void SetTabs(std::vector<std::string> tabs);
  int TabIndex() const { return tabIndex_; }
  // A user's change (mouse, keys) asks the tab's OnChanging first; a program's does not.
  void SetTabIndex(int value);
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int value);
  bool TabVisible(int index) const;
  void SetTabVisible(int index, bool value);

  // The style's tab frames, bar and arrows; the strip's height follows them.
  void LoadStyle(TSkinUIStyle style, TSkinFileTheme* fileTheme);
  int StripHeight() const { return tabHeight_ + barHeight_; }
  int TabHeight() const { return tabHeight_; }

  // Number of visible tabs scrolled out on the left.
  int FirstVisible() const { return firstVisible_; }
  bool Overflow() const { return overflow_; }
  // -1 previous, 0 none, +1 next: the arrow under the mouse at the last paint.
  int HotArrow() const { return hotArrow_; }
  // Where tab i was drawn at the last paint (shortened when cut by the arrows); empty when not drawn.
  RECT TabRect(int index) const;
  // The rectangle of the next (+1) or previous (-1) arrow; empty while no arrows show.
  RECT ArrowRect(int direction) const;
  // Draws the strip, as Paint shows it, into bitmap (sized to the strip).
  void RenderTo(toolkit::TBitmap& bitmap);

  // A click as the mouse makes it, at strip coordinates.
  void ClickAt(int x, int y);
  // Moves to the next (+1) or previous (-1) visible tab, wrapping when asked; a user's change.
  void StepTab(int direction, bool wrap);

 protected:
  void Paint() override;
  void WndProc(toolkit::TMessage& message) override;
  void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseMove(toolkit::TShiftState shift, int x, int y) override;

 private:
  friend class TSkinTab;
  friend class TSkinPageControl;
  // The whole strip at strip coordinates: RenderTo and Paint both draw with it.
  void PaintOn(toolkit::TCanvas& canvas);
  // What lies under the tabs: the parent's background, the bar and its side lines.
  void DrawBackdrop(toolkit::TCanvas& canvas);
  // One pass of drawing with the current first-visible offset; returns the last tab drawn whole.
  int DrawTabs(toolkit::TCanvas& canvas);
  void DrawArrows(toolkit::TCanvas& canvas);
  void DrawPlainTab(toolkit::TCanvas& canvas, const RECT& rect, bool active);
  int TabWidth(toolkit::TCanvas& canvas, int index);
  int VisibleCount() const;
  // Sets the index without asking or telling anybody (the page list was rebuilt under it).
  void ResetTabIndex(int value);

  TSkinTab& tab_;
  std::vector<std::string> tabs_;
  std::vector<bool> tabVisible_;
  std::vector<RECT> tabRects_;
  int tabIndex_ = -1;
  int leftMargin_ = 10;
  int firstVisible_ = 0;
  bool overflow_ = false;
  int hotArrow_ = 0;
  int tabHeight_ = 20;
  int barHeight_ = 0;
  SIZE arrowSize_{16, 16};
  RECT nextArrow_{};
  RECT prevArrow_{};
  bool changedByUser_ = false;
  bool ensureVisible_ = false;
  POINT mouse_{-1, -1};
  toolkit::TBitmap activeFrame_;
  toolkit::TBitmap inactiveFrame_;
  toolkit::TBitmap bar_;
  toolkit::TBitmap arrows_[4];  // next, next hot, previous, previous hot
};

class TSkinTab : public toolkit::TCustomPanel {
 public:
  explicit TSkinTab(toolkit::TComponent* owner);
  std::string ClassName() const override { return "TSkinTab"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  TSkinUIStyle UIStyle() const { return look_.Style(); }
  void SetUIStyle(TSkinUIStyle style);
  TSkinFileTheme* FileTheme() const { return look_.Theme(); }
  void SetFileTheme(TSkinFileTheme* theme);
  int LeftMargin() const { return strip_->LeftMargin(); }
  void SetLeftMargin(int value) { strip_->SetLeftMargin(value); }
  toolkit::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(toolkit::TColor value);
  TSkinTabControlTopPanel& Strip() { return *strip_; }

  virtual void SelectTab(int index) { strip_->SetTabIndex(index); }
  // The strip's index changed: OnTabActive, then OnChange.
  virtual void TabActivated(int index);

  TTabActiveNotify OnTabActive;
  toolkit::TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  virtual void BorderColorChanged() {}
  virtual void ApplyStyleToPages(TSkinUIStyle, TSkinFileTheme*) {}
  void Paint() override;
  void WndProc(toolkit::TMessage& message) override;
  RECT AlignRect() const override;
  void SizeChanged() override;
  void FontChanged() override;
  void KeyDown(WORD& key, toolkit::TShiftState shift) override;
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;

 private:
  TSkinTabControlTopPanel* strip_ = nullptr;  // owned through the component tree
  TSkinStyleLink look_;
  toolkit::TColor borderColor_ = 0;
};

}  // namespace quendrel::skin
