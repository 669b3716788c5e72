#include "skin/SkinTabControl.h"

#include <algorithm>

#include "skin/SkinControls.h"
#include "skin/SkinDraw.h"
#include "toolkit/BufferedPaint.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {

using toolkit::TBitmap;
using toolkit::TCanvas;
using toolkit::TColor;

namespace {

constexpr int kEmptyCaptionWidth = 80;
constexpr int kMinTabWidth = 15;
constexpr int kCaptionPadding = 20;
constexpr int kBodyInset = 3;

// A key's image from where resolved says, or nothing (empty) when the theme has none.
void LoadKeyImage(const TResolvedStyle& resolved, const TSkinFileTheme* theme, int key, TBitmap& bitmap,
                  int frameCount = 0, int frameIndex = 1) {
  bitmap.SetSize(0, 0);
  GetThemeImage(resolved, theme, key, &bitmap, frameCount, frameIndex);
}

TColor KeyColor(const TResolvedStyle& resolved, const TSkinFileTheme* theme, int key) {
  return static_cast<TColor>(GetThemeColor(resolved, theme, key));
}

// A three-slice frame needs at least a pixel per slice.
bool UsableFrame(const TBitmap& frame) { return frame.Width() >= 3 && frame.Height() > 0; }

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// The three-slice frame with every magenta pixel left out, the stretched middle's too: the art
// keeps the rows above a lower (inactive) tab magenta, and what lies under the strip shows there.
void DrawTabFrame(TBitmap& frame, TCanvas& canvas, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  TBitmap tab(w, h);
  tab.Canvas().Brush().SetColor(kSkinMaskColor);
  tab.Canvas().FillRect({0, 0, w, h});
  DrawThreeSlice(frame, tab.Canvas(), {0, 0, w, h}, false);
  tab.Flush();
  TransparentBlt(canvas.Handle(), r.left, r.top, w, h, tab.Canvas().Handle(), 0, 0, w, h, kSkinMaskColor);
}

}  // namespace

// --- the strip -------------------------------------------------------------------------------------

TSkinTabControlTopPanel::TSkinTabControlTopPanel(TSkinTab& tab) : TCustomPanel(&tab), tab_(tab) {
  SetBevelOuter(toolkit::bvNone);
  SetCaption("");
}

void TSkinTabControlTopPanel::SetTabs(std::vector<std::string> tabs) {
  tabs_ = std::move(tabs);
  tabVisible_.resize(tabs_.size(), true);
  if (tabIndex_ >= static_cast<int>(tabs_.size())) tabIndex_ = static_cast<int>(tabs_.size()) - 1;
  firstVisible_ = std::clamp(firstVisible_, 0, VisibleCount());
  Invalidate();
}

void TSkinTabControlTopPanel::SetLeftMargin(int value) {
  leftMargin_ = value;
  Invalidate();
}

bool TSkinTabControlTopPanel::TabVisible(int index) const {
  return index >= 0 && index < static_cast<int>(tabVisible_.size()) && tabVisible_[static_cast<size_t>(index)];
}

void TSkinTabControlTopPanel::SetTabVisible(int index, bool value) {
  if (index < 0 || index >= static_cast<int>(tabVisible_.size())) return;
  tabVisible_[static_cast<size_t>(index)] = value;
  firstVisible_ = std::clamp(firstVisible_, 0, VisibleCount());
  Invalidate();
}

int TSkinTabControlTopPanel::VisibleCount() const {
  return static_cast<int>(std::count(tabVisible_.begin(), tabVisible_.end(), true));
}

void TSkinTabControlTopPanel::ResetTabIndex(int value) {
  tabIndex_ = tabs_.empty() ? -1 : std::clamp(value, -1, static_cast<int>(tabs_.size()) - 1);
  ensureVisible_ = true;
  Invalidate();
}

void TSkinTabControlTopPanel::SetTabIndex(int value) {
  const bool byUser = changedByUser_;
  changedByUser_ = false;
  if (value == tabIndex_) return;
  if (tabs_.empty()) {
    tabIndex_ = -1;
    Invalidate();
    return;
  }
  if (value < -1 || value >= static_cast<int>(tabs_.size())) {
    Invalidate();
    return;
  }
  if (byUser && tab_.OnChanging) {
    bool allow = true;
    tab_.OnChanging(&tab_, allow);
    if (!allow) return;
  }
  tabIndex_ = value;
  ensureVisible_ = true;
  Invalidate();
  tab_.TabActivated(tabIndex_);
}

void TSkinTabControlTopPanel::LoadStyle(TSkinUIStyle style, TSkinFileTheme* fileTheme) {
  const TResolvedStyle resolved = ResolveUIStyle(fileTheme, style);
  LoadKeyImage(resolved, fileTheme, keys::TabControlTabImage, activeFrame_, 2, 1);
  LoadKeyImage(resolved, fileTheme, keys::TabControlTabImage, inactiveFrame_, 2, 2);
  LoadKeyImage(resolved, fileTheme, keys::TabControlBarImage, bar_);
  for (int i = 0; i < 4; ++i) LoadKeyImage(resolved, fileTheme, keys::ScrollButtonImage, arrows_[i], 4, i + 1);
  // Without usable art the tabs and arrows are drawn plainly, at sizes that fit the caption font.
  tabHeight_ = UsableFrame(activeFrame_) ? activeFrame_.Height() : 20;
  barHeight_ = bar_.Height();
  arrowSize_ = arrows_[0].Empty() ? SIZE{16, 16} : SIZE{arrows_[0].Width(), arrows_[0].Height()};
  SetColor(KeyColor(resolved, fileTheme, keys::ControlBackgroundColor));
  Invalidate();
}

RECT TSkinTabControlTopPanel::TabRect(int index) const {
  if (index < 0 || index >= static_cast<int>(tabRects_.size())) return RECT{};
  return tabRects_[static_cast<size_t>(index)];
}

RECT TSkinTabControlTopPanel::ArrowRect(int direction) const { return direction > 0 ? nextArrow_ : prevArrow_; }

int TSkinTabControlTopPanel::TabWidth(TCanvas& canvas, int index) {
  const std::string& caption = tabs_[static_cast<size_t>(index)];
  const int w = caption.empty() ? kEmptyCaptionWidth : canvas.TextWidth(caption) + kCaptionPadding;
  return std::max(w, kMinTabWidth);
}

void TSkinTabControlTopPanel::DrawPlainTab(TCanvas& canvas, const RECT& rect, bool active) {
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  canvas.Brush().SetColor(active ? tab_.Color() : Color());
  canvas.Pen().SetColor(tab_.BorderColor());
  canvas.Rectangle(rect.left, rect.top, rect.right, rect.bottom + (active ? 1 : 0));
}

int TSkinTabControlTopPanel::DrawTabs(TCanvas& canvas) {
  const int width = Width();
  const int n = static_cast<int>(tabs_.size());
  tabRects_.assign(static_cast<size_t>(n), RECT{});
  canvas.SetFont(tab_.Font());
  const int cutAt = width - 2 * arrowSize_.cx - 2;
  int x = leftMargin_;
  int passed = 0;
  int lastLimit = width - 10;
  int lastComplete = n - 1;
  bool shortenedAny = false;
  for (int i = 0; i < n; ++i) {
    if (!tabVisible_[static_cast<size_t>(i)]) continue;
    const int w = TabWidth(canvas, i);
    if (passed++ < firstVisible_) continue;
    const bool active = i == tabIndex_;
    lastLimit = i == n - 1 ? width - 10 : cutAt;
    RECT r = active ? RECT{x, 1, x + w, tabHeight_ + 1} : RECT{x, 0, x + w, tabHeight_};
    const bool shortened = r.right > lastLimit;
    if (shortened) {
      r.right = std::max(r.left, static_cast<LONG>(cutAt));
      shortenedAny = true;
      lastComplete = i - 1;
    }
    TBitmap& frame = active ? activeFrame_ : inactiveFrame_;
    if (UsableFrame(frame)) {
      DrawTabFrame(frame, canvas, r);
    } else {
      DrawPlainTab(canvas, r, active);
    }
    x += w;
    canvas.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
    RECT text = r;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (shortened) {
      text.left += 10;
      text.right -= 4;
      flags |= DT_LEFT | DT_END_ELLIPSIS;
    } else {
      flags |= DT_CENTER;
    }
    if (!IsEmpty(text)) canvas.DrawText(tabs_[static_cast<size_t>(i)], text, flags);
    tabRects_[static_cast<size_t>(i)] = r;
    if (shortened) break;
  }
  overflow_ = n != 0 && (shortenedAny || x > lastLimit);
  return lastComplete;
}

void TSkinTabControlTopPanel::DrawArrows(TCanvas& canvas) {
  nextArrow_ = prevArrow_ = RECT{};
  hotArrow_ = 0;
  if (!overflow_ && firstVisible_ == 0) return;
  const int aw = arrowSize_.cx, ah = arrowSize_.cy;
  const int top = ah + 4 < StripHeight() ? (StripHeight() - ah) / 2 - 2 : 0;
  const int nextX = Width() - aw - 2;
  nextArrow_ = RECT{nextX, top, nextX + aw, top + ah};
  prevArrow_ = RECT{nextX - aw, top, nextX, top + ah};
  HDC dc = canvas.Handle();
  for (int direction : {+1, -1}) {
    const RECT& r = direction > 0 ? nextArrow_ : prevArrow_;
    const bool hot = PtInRectInclusive(mouse_, r);
    if (hot) hotArrow_ = direction;
    TBitmap& picture = arrows_[(direction > 0 ? 0 : 2) + (hot ? 1 : 0)];
    if (!picture.Empty()) {
      picture.Flush();
      TransparentBlt(dc, r.left, r.top, aw, ah, picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(),
                     static_cast<UINT>(picture.PixelColor(0, picture.Height() - 1)));
      continue;
    }
    // No arrow art: a plain triangle keeps the hidden tabs reachable.
    canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(hot ? tab_.BorderColor() : toolkit::clBlack);
    canvas.Pen().SetColor(hot ? tab_.BorderColor() : toolkit::clBlack);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, s = std::max(2, aw / 4);
    const POINT tip[] = {{cx + direction * s, cy}, {cx - direction * s, cy - s}, {cx - direction * s, cy + s}};
    canvas.Polygon(tip);
  }
}

void TSkinTabControlTopPanel::RenderTo(TBitmap& bitmap) {
  toolkit::PaintToBitmap(bitmap, Width(), Height(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinTabControlTopPanel::Paint() {
  toolkit::PaintBuffered(Canvas(), ClientRect(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinTabControlTopPanel::DrawBackdrop(TCanvas& canvas) {
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect({0, 0, std::max(Width(), 1), std::max(Height(), 1)});
  skin::PaintParentBackground(canvas, tab_);
  if (!bar_.Empty()) {
    bar_.Flush();
    SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
    StretchBlt(canvas.Handle(), 1, tabHeight_, Width() - 2, barHeight_, bar_.Canvas().Handle(), 0, 0, bar_.Width(),
               bar_.Height(), SRCCOPY);
  }
  canvas.Pen().SetColor(tab_.BorderColor());
  canvas.MoveTo(0, tabHeight_);
  canvas.LineTo(0, tabHeight_ + barHeight_);
  canvas.MoveTo(Width() - 1, tabHeight_);
  canvas.LineTo(Width() - 1, tabHeight_ + barHeight_);
}

void TSkinTabControlTopPanel::PaintOn(TCanvas& canvas) {
  DrawBackdrop(canvas);
  int lastComplete = DrawTabs(canvas);
  const int visible = VisibleCount();
  while (ensureVisible_ && tabIndex_ >= 0 && TabVisible(tabIndex_)) {
    int position = 0;  // the active tab's place among the visible ones
    for (int i = 0; i < tabIndex_; ++i) position += TabVisible(i) ? 1 : 0;
    int next = firstVisible_;
    if (position < firstVisible_) {
      next = position;
    } else if (lastComplete < tabIndex_ && firstVisible_ < visible - 1) {
      next = firstVisible_ + 1;
    }
    if (next == firstVisible_) break;
    firstVisible_ = next;
    // A scrolled pass starts again from the background, so it leaves nothing of the last one.
    DrawBackdrop(canvas);
    lastComplete = DrawTabs(canvas);
  }
  ensureVisible_ = false;
  DrawArrows(canvas);
}

void TSkinTabControlTopPanel::WndProc(toolkit::TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;  // Paint covers every pixel
      return;
    case toolkit::CM_MOUSELEAVE:
      mouse_ = POINT{-1, -1};
      if (hotArrow_ != 0) Invalidate();
      break;
    default:
      break;
  }
  TCustomPanel::WndProc(message);
}

void TSkinTabControlTopPanel::ClickAt(int x, int y) {
  mouse_ = POINT{x, y};
  TBitmap scratch;
  RenderTo(scratch);  // brings the hot arrow up to date
  if (hotArrow_ != 0) {
    if (hotArrow_ < 0) --firstVisible_;
    if (hotArrow_ > 0 && overflow_) ++firstVisible_;
    firstVisible_ = std::clamp(firstVisible_, 0, std::max(VisibleCount() - 1, 0));
    Invalidate();
    return;
  }
  for (int i = 0; i < static_cast<int>(tabRects_.size()); ++i) {
    const RECT& r = tabRects_[static_cast<size_t>(i)];
    if (IsEmpty(r)) continue;
    if (r.left < x && x < r.right && 0 < y && y < tabHeight_) {
      changedByUser_ = true;
      tab_.SelectTab(i);
      changedByUser_ = false;
      ensureVisible_ = true;
      Invalidate();
      return;
    }
  }
}

void TSkinTabControlTopPanel::StepTab(int direction, bool wrap) {
  const int n = static_cast<int>(tabs_.size());
  if (n == 0) return;
  int i = tabIndex_;
  for (int step = 0; step < n; ++step) {
    i += direction;
    if (i < 0 || i >= n) {
      if (!wrap) return;
      i = (i + n) % n;
    }
    if (TabVisible(i)) break;
  }
  if (!TabVisible(i) || i == tabIndex_) return;
  changedByUser_ = true;
  tab_.SelectTab(i);
  changedByUser_ = false;
}

void TSkinTabControlTopPanel::MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) {
  TCustomPanel::MouseDown(button, shift, x, y);
  if (button != toolkit::mbLeft) return;
  if (tab_.TabStop() && tab_.CanFocus()) tab_.SetFocus();
  ClickAt(x, y);
}

void TSkinTabControlTopPanel::MouseMove(toolkit::TShiftState shift, int x, int y) {
  TCustomPanel::MouseMove(shift, x, y);
  mouse_ = POINT{x, y};
  if (overflow_ || firstVisible_ > 0) Invalidate();
}

// --- the tab control -------------------------------------------------------------------------------

TSkinTab::TSkinTab(toolkit::TComponent* owner)
    : TCustomPanel(owner), look_(*this, TSkinUIStyle::DeepBlue, [this](TSkinUIStyle style) { SetUIStyle(style); }) {
  SetBevelOuter(toolkit::bvNone);
  SetBevelInner(toolkit::bvNone);
  SetCaption(" ");
  SetHeight(80);
  strip_ = new TSkinTabControlTopPanel(*this);  // owned by this control
  strip_->SetParent(this);
  strip_->OnClick = [this](toolkit::TComponent*) { Click(); };
  strip_->OnDblClick = [this](toolkit::TComponent*) { DblClick(); };
  SetUIStyle(GetOwnerFormStyle(owner));
}

const toolkit::TPropertyList& TSkinTab::ClassProperties() {
  using C = TSkinTab;
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TCustomPanel::ClassProperties();
    AddStyleProperties<C>(l);
    l.Integer<C>("LeftMargin", [](const C& c) { return c.LeftMargin(); },
                 [](C& c, std::int64_t v) { c.SetLeftMargin(static_cast<int>(v)); });
    l.Integer<C>("BorderColor", [](const C& c) { return c.BorderColor(); },
                 [](C& c, std::int64_t v) { c.SetBorderColor(static_cast<TColor>(v)); }, "TColor");
    return l;
  }();
  return list;
}

void TSkinTab::SetFileTheme(TSkinFileTheme* theme) { look_.SetTheme(theme); }

void TSkinTab::Notification(toolkit::TComponent* component, toolkit::TOperation operation) {
  TCustomPanel::Notification(component, operation);
  look_.Notification(component, operation);
}

void TSkinTab::SetUIStyle(TSkinUIStyle style) {
  look_.SetStyle(style);
  TSkinFileTheme* const theme = look_.Theme();
  strip_->LoadStyle(style, theme);
  ApplyStyleToPages(style, theme);
  const TResolvedStyle resolved = look_.Resolved();
  borderColor_ = KeyColor(resolved, theme, keys::ControlBorderColor);
  const bool whiteBody = !resolved.fromFile && resolved.style == TSkinUIStyle::WinXP;
  SetColor(whiteBody ? toolkit::clWhite : KeyColor(resolved, theme, keys::ControlBackgroundColor));
  SizeChanged();  // the strip's height may have changed
  Invalidate();
}

void TSkinTab::SetBorderColor(TColor value) {
  borderColor_ = value;
  BorderColorChanged();
  Invalidate();
  strip_->Invalidate();
}

void TSkinTab::TabActivated(int index) {
  if (Loading()) return;
  if (OnTabActive) OnTabActive(this, index);
  if (OnChange) OnChange(this);
}

RECT TSkinTab::AlignRect() const {
  const int top = strip_ ? strip_->StripHeight() : 0;
  return RECT{kBodyInset, top + kBodyInset, std::max(kBodyInset, Width() - kBodyInset),
              std::max(top + kBodyInset, Height() - kBodyInset)};
}

void TSkinTab::SizeChanged() {
  if (strip_) strip_->SetBounds(0, 0, Width(), strip_->StripHeight());
  TCustomPanel::SizeChanged();
}

void TSkinTab::FontChanged() {
  TCustomPanel::FontChanged();
  if (strip_) strip_->Invalidate();
}

void TSkinTab::Paint() {
  TCanvas& canvas = Canvas();
  const int top = strip_->StripHeight();
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect({0, top, Width(), Height()});
  canvas.Pen().SetColor(borderColor_);
  canvas.MoveTo(0, top);
  canvas.LineTo(0, Height() - 1);
  canvas.LineTo(Width() - 1, Height() - 1);
  canvas.LineTo(Width() - 1, top - 1);
}

void TSkinTab::WndProc(toolkit::TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;  // Paint fills the body; the strip covers the rest
    return;
  }
  if (message.Msg == toolkit::CM_DIALOGKEY) {
    const bool back = message.WParam == VK_PRIOR || (message.WParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
    strip_->StepTab(back ? -1 : +1, true);
    message.Result = strip_->Tabs().empty() ? 0 : 1;
    return;
  }
  if (message.Msg == WM_GETDLGCODE) {
    message.Result = DLGC_WANTARROWS;
    return;
  }
  TCustomPanel::WndProc(message);
}

void TSkinTab::KeyDown(WORD& key, toolkit::TShiftState shift) {
  TCustomPanel::KeyDown(key, shift);
  if (key != VK_LEFT && key != VK_RIGHT) return;
  strip_->StepTab(key == VK_RIGHT ? +1 : -1, false);
  key = 0;
}

}  // namespace quendrel::skin
