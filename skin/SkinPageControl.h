// TSkinPageControl: a TSkinTab with one TSkinTabSheet page per tab. A sheet joins the control by
// being parented to it and leaves by being re-parented or freed; only the active page is enabled.
#pragma once

#include <string>
#include <vector>

#include "skin/SkinTabControl.h"

namespace quendrel::skin {

class TSkinPageControl;

class TSkinTabSheet : public toolkit::TCustomPanel {
 public:
  explicit TSkinTabSheet(toolkit::TComponent* owner);
  ~TSkinTabSheet() override;
  std::string ClassName() const override { return "TSkinTabSheet"; }

  TSkinPageControl* PageControl() const { return pageControl_; }
  // -1 until the sheet sits in a page control. Setting it moves the sheet to that place and
  // activates it; values outside the pages are ignored.
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int value);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool value);
  void SetParent(toolkit::TWinControl* parent) override;

  toolkit::TNotifyEvent OnShow;
  toolkit::TNotifyEvent OnHide;

 protected:
  void Paint() override {}  // the background is the page; the caption is the tab's
  void TextChanged() override;

 private:
  friend class TSkinPageControl;
  TSkinPageControl* pageControl_ = nullptr;  // not owned
  int pageIndex_ = -1;
  bool tabVisible_ = true;
};

class TSkinPageControl : public TSkinTab {
 public:
  explicit TSkinPageControl(toolkit::TComponent* owner);
  ~TSkinPageControl() override;
  std::string ClassName() const override { return "TSkinPageControl"; }

  TSkinTabSheet* ActivePage() const { return activePage_; }
  // A sheet of another control is ignored; null leaves no page active.
  void SetActivePage(TSkinTabSheet* sheet);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TSkinTabSheet* Pages(int index) const;
  int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

  void TabActivated(int index) override;

 protected:
  void BorderColorChanged() override;
  void ApplyStyleToPages(TSkinUIStyle style, TSkinFileTheme* fileTheme) override;
  void ColorChanged() override;

 private:
  friend class TSkinTabSheet;
  void InsertPage(TSkinTabSheet& sheet);
  void RemovePage(TSkinTabSheet& sheet);
  void MovePage(TSkinTabSheet& sheet, int index);
  void TabVisibilityChanged(TSkinTabSheet& sheet);
  // Page indexes, tab captions and visible flags from the page list.
  void Reindex();
  void HidePage(TSkinTabSheet& sheet);
  void ShowPage(TSkinTabSheet& sheet);
  // Makes page index active (or none for -1) even when the strip already shows that index.
  void ActivateIndex(int index);

  std::vector<TSkinTabSheet*> pages_;  // not owned: the sheets' owners free them
  TSkinTabSheet* activePage_ = nullptr;
};

}  // namespace quendrel::skin
