#include "skin/SkinPageControl.h"

#include <algorithm>
#include <utility>

#include "skin/SkinControls.h"
#include "toolkit/Form.h"

namespace quendrel::skin {

// --- sheets ----------------------------------------------------------------------------------------

TSkinTabSheet::TSkinTabSheet(toolkit::TComponent* owner) : TCustomPanel(owner) {
  SetBevelOuter(toolkit::bvNone);
  SetBevelInner(toolkit::bvNone);
  SetCaption(" ");
  SetAlign(toolkit::alClient);
}

TSkinTabSheet::~TSkinTabSheet() {
  // Leave while still a whole sheet: the control may activate a neighbour right away.
  if (TSkinPageControl* control = std::exchange(pageControl_, nullptr)) control->RemovePage(*this);
}

void TSkinTabSheet::SetParent(toolkit::TWinControl* parent) {
  if (parent == parent_) return;
  if (TSkinPageControl* control = std::exchange(pageControl_, nullptr)) control->RemovePage(*this);
  TCustomPanel::SetParent(parent);
  if (auto* control = dynamic_cast<TSkinPageControl*>(parent)) control->InsertPage(*this);
}

void TSkinTabSheet::SetPageIndex(int value) {
  if (pageControl_ && value >= 0 && value < pageControl_->PageCount()) pageControl_->MovePage(*this, value);
}

void TSkinTabSheet::SetTabVisible(bool value) {
  if (tabVisible_ == value) return;
  tabVisible_ = value;
  if (pageControl_) pageControl_->TabVisibilityChanged(*this);
}

void TSkinTabSheet::TextChanged() {
  TCustomPanel::TextChanged();
  if (pageControl_) pageControl_->Reindex();
}

// --- the page control ------------------------------------------------------------------------------

TSkinPageControl::TSkinPageControl(toolkit::TComponent* owner) : TSkinTab(owner) {
  Strip().SetTabs({});
  Strip().ResetTabIndex(-1);
}

TSkinPageControl::~TSkinPageControl() {
  for (TSkinTabSheet* sheet : pages_) {
    sheet->pageControl_ = nullptr;
    sheet->pageIndex_ = -1;
  }
  pages_.clear();
  activePage_ = nullptr;
}

TSkinTabSheet* TSkinPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

void TSkinPageControl::Reindex() {
  std::vector<std::string> captions;
  for (size_t i = 0; i < pages_.size(); ++i) {
    pages_[i]->pageIndex_ = static_cast<int>(i);
    captions.push_back(pages_[i]->Caption());
  }
  Strip().SetTabs(std::move(captions));
  for (TSkinTabSheet* sheet : pages_) Strip().SetTabVisible(sheet->pageIndex_, sheet->tabVisible_);
}

void TSkinPageControl::HidePage(TSkinTabSheet& sheet) {
  sheet.SetEnabled(false);
  // Out of sight too: a page under the active one would still be painted with every repaint.
  sheet.SetVisible(false);
  if (sheet.OnHide) sheet.OnHide(&sheet);
}

void TSkinPageControl::ShowPage(TSkinTabSheet& sheet) {
  sheet.SetVisible(true);
  sheet.SetEnabled(true);
  sheet.BringToFront();
  sheet.Invalidate();
}

void TSkinPageControl::TabActivated(int index) {
  TSkinTabSheet* next = Pages(index);
  if (activePage_ && activePage_ != next) HidePage(*activePage_);
  activePage_ = next;
  if (next) {
    ShowPage(*next);
    // The first control of the page takes the focus, as far as the form lets it.
    toolkit::TForm* form = ParentForm();
    if (!Loading() && form && form->Active() && next->ControlCount() > 0) {
      if (auto* first = dynamic_cast<toolkit::TWinControl*>(next->Controls(0)); first && first->CanFocus()) {
        try {
          form->SetActiveControl(first);
        } catch (...) {
        }
      }
    }
    if (next->OnShow) next->OnShow(next);
  }
  TSkinTab::TabActivated(index);
}

void TSkinPageControl::ActivateIndex(int index) {
  if (Strip().TabIndex() != index) {
    SelectTab(index);
    if (Strip().TabIndex() == index) return;  // the strip switched the page
  }
  Strip().ResetTabIndex(index);
  TabActivated(index);
}

void TSkinPageControl::SetActivePage(TSkinTabSheet* sheet) {
  if (sheet && sheet->pageControl_ != this) return;
  if (!sheet) {
    if (activePage_) ActivateIndex(-1);
    return;
  }
  if (activePage_ && activePage_ != sheet) HidePage(*activePage_);
  activePage_ = sheet;
  // A switch of tab shows the page through TabActivated; the page is shown again after it either way,
  // so setting the page that is already active brings it back to the front and tells it once more.
  if (Strip().TabIndex() != sheet->pageIndex_) ActivateIndex(sheet->pageIndex_);
  ShowPage(*sheet);
  if (sheet->OnShow) sheet->OnShow(sheet);
}

void TSkinPageControl::InsertPage(TSkinTabSheet& sheet) {
  sheet.pageControl_ = this;
  sheet.SetColor(Color());
  sheet.SetAlign(toolkit::alClient);
  pages_.push_back(&sheet);
  Reindex();
  if (activePage_) Strip().ResetTabIndex(activePage_->pageIndex_);
  SetActivePage(&sheet);
}

void TSkinPageControl::RemovePage(TSkinTabSheet& sheet) {
  const auto it = std::find(pages_.begin(), pages_.end(), &sheet);
  if (it == pages_.end()) return;
  const int index = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  sheet.pageIndex_ = -1;
  sheet.pageControl_ = nullptr;
  Reindex();
  if (activePage_ != &sheet) {
    Strip().ResetTabIndex(activePage_ ? activePage_->pageIndex_ : -1);
    return;
  }
  // The page before it takes over; the first page's successor does, rather than a control that
  // shows tabs over no page at all.
  activePage_ = nullptr;
  // Pages going with their form have no one left to show a neighbour to.
  if (Destroying() || (Owner() && Owner()->Destroying())) return;
  const int next = pages_.empty() ? -1 : std::max(index - 1, 0);
  Strip().ResetTabIndex(next);
  TabActivated(next);
}

void TSkinPageControl::MovePage(TSkinTabSheet& sheet, int index) {
  const auto it = std::find(pages_.begin(), pages_.end(), &sheet);
  if (it == pages_.end()) return;
  pages_.erase(it);
  pages_.insert(pages_.begin() + index, &sheet);
  Reindex();
  if (activePage_) Strip().ResetTabIndex(activePage_->pageIndex_);
  SetActivePage(&sheet);
}

void TSkinPageControl::TabVisibilityChanged(TSkinTabSheet& sheet) {
  Strip().SetTabVisible(sheet.pageIndex_, sheet.tabVisible_);
  if (&sheet != activePage_ || sheet.tabVisible_) return;
  for (int i = sheet.pageIndex_ - 1; i >= 0; --i)
    if (pages_[static_cast<size_t>(i)]->tabVisible_) return SetActivePage(pages_[static_cast<size_t>(i)]);
  for (int i = sheet.pageIndex_ + 1; i < PageCount(); ++i)
    if (pages_[static_cast<size_t>(i)]->tabVisible_) return SetActivePage(pages_[static_cast<size_t>(i)]);
}

void TSkinPageControl::BorderColorChanged() {
  if (activePage_) activePage_->Invalidate();
}

void TSkinPageControl::ApplyStyleToPages(TSkinUIStyle style, TSkinFileTheme* fileTheme) {
  for (TSkinTabSheet* sheet : pages_) {
    ApplyStyleToChildren(*sheet, style, fileTheme);
    sheet->SetColor(Color());
    sheet->SetAlign(toolkit::alClient);
  }
}

void TSkinPageControl::ColorChanged() {
  TSkinTab::ColorChanged();
  for (TSkinTabSheet* sheet : pages_) sheet->SetColor(Color());
}

}  // namespace quendrel::skin
