#include "skin/SkinForm.h"

#include <algorithm>

#include "skin/SkinControls.h"
#include "skin/SkinDraw.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::skin {

using toolkit::TBitmap;
using toolkit::TColor;
using toolkit::TForm;
using toolkit::TMessage;

namespace {

constexpr UINT kFrameChanged = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

void Fill(HDC dc, const RECT& rect, TColor color) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  toolkit::GdiObject<HBRUSH> brush(CreateSolidBrush(toolkit::ColorToRGB(color)));
  FillRect(dc, &rect, brush.Get());
}

TForm* AsForm(toolkit::TComponent* component) { return dynamic_cast<TForm*>(component); }

bool HasSkinForm(const TForm& form) {
  for (int i = 0; i < form.ControlCount(); ++i)
    if (form.Controls(i)->ClassName() == "TSkinForm") return true;
  return false;
}

}  // namespace

TSkinForm::TSkinForm(toolkit::TComponent* owner)
    : TCustomPanel(owner), look_(*this, TSkinUIStyle::DeepBlue, [this](TSkinUIStyle style) { SetUIStyle(style); }) {
  titleBar_ = new TSkinTitleBar(this);  // owned by this panel; DeepBlue, as its owner is no form
  titleBar_->SetParent(this);
  SetBevelOuter(toolkit::bvNone);
  SetBevelInner(toolkit::bvNone);
  MenuBarColor = Color();
  TForm* form = AsForm(owner);
  if (form && !HasSkinForm(*form)) Attach(*form);
  SetUIStyle(TSkinUIStyle::DeepBlue);
}

TSkinForm::~TSkinForm() { Detach(); }

const toolkit::TPropertyList& TSkinForm::ClassProperties() {
  using C = TSkinForm;
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TCustomPanel::ClassProperties();
    l.Boolean<C>("TitleBarCustom", [](const C& c) { return c.TitleBarCustom(); },
                 [](C& c, std::int64_t v) { c.SetTitleBarCustom(v != 0); });
    AddStyleProperties<C>(l);
    l.Integer<C>("BorderColor", [](const C& c) { return c.BorderColor(); },
                 [](C& c, std::int64_t v) { c.SetBorderColor(static_cast<TColor>(v)); }, "TColor");
    l.Integer<C>("BorderWidth", [](const C& c) { return c.FrameBorderWidth(); },
                 [](C& c, std::int64_t v) { c.SetFrameBorderWidth(static_cast<int>(v)); });
    l.Integer<C>("RoundCorner", [](const C& c) { return c.RoundCorner(); },
                 [](C& c, std::int64_t v) { c.SetRoundCorner(static_cast<int>(v)); });
    return l;
  }();
  return list;
}

void TSkinForm::Attach(TForm& form) {
  form_ = &form;
  toolkit::TSizeConstraints limits = form.Constraints();
  limits.MinHeight = 50;
  limits.MinWidth = 125;
  form.SetConstraints(limits);
  SetConstraints(limits);
  form.SetBorderWidth(0);
  attachBounds_ = form.BoundsRect();
  attachMaximized_ = form.WindowState() == toolkit::wsMaximized;

  SetParent(&form);
  SetAlign(toolkit::alClient);
  titleBar_->SetCaption(form.Caption());
  SetCaption(" ");

  form.SetScaled(false);
  const toolkit::TFormBorderStyle border = form.BorderStyle();
  if (border == toolkit::bsNone || border == toolkit::bsSingle || border == toolkit::bsToolWindow)
    form.SetBorderStyle(toolkit::bsDialog);
  form.SetAutoScroll(false);

  hook_ = form.HookWindowProc([this](TMessage& message, const toolkit::TWndNext& next) { FormMessage(message, next); });
  // Alt+Space opens the skinned system menu of the form the key was typed in.
  appHook_ = toolkit::Application.HookMessages([this](MSG& msg, bool& handled) {
    if (detached_ || !form_ || msg.message != WM_SYSCHAR || msg.wParam != VK_SPACE) return;
    if (!form_->HandleAllocated() || GetAncestor(msg.hwnd, GA_ROOT) != form_->Handle()) return;
    titleBar_->SystemMenu().Popup(form_->Left(), form_->Top() + titleBar_->Height());
    handled = true;
  });
  // The window is made now so that its caption can go before it is first shown.
  form.HandleNeeded();
  RemoveCaptionStyle();
}

void TSkinForm::RemoveCaptionStyle() {
  if (!form_ || !form_->HandleAllocated()) return;
  HWND window = form_->Handle();
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  if ((style & WS_CAPTION) == 0) return;
  SetWindowLongPtrA(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
  SetWindowPos(window, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TSkinForm::Detach() {
  if (detached_ || !form_) return;
  detached_ = true;
  hook_.Remove();
  appHook_.Remove();
  // The form may be on its way out; only a window that still exists gets its caption back.
  if (form_->HandleAllocated()) {
    HWND window = form_->Handle();
    if (IsWindow(window)) {
      SetWindowRgn(window, nullptr, TRUE);
      SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_CAPTION);
      SetWindowPos(window, nullptr, 0, 0, 0, 0, kFrameChanged);
    }
  }
}

void TSkinForm::FormMessage(TMessage& message, const toolkit::TWndNext& next) {
  if (detached_) {
    next(message);
    return;
  }
  if (message.Msg == WM_NCPAINT) {
    if (form_->WindowState() == toolkit::wsMinimized || IsIconic(form_->Handle())) {
      next(message);
    } else {
      PaintFrame();
      message.Result = 0;
    }
    return;
  }
  next(message);
  switch (message.Msg) {
    case WM_ACTIVATE:
      titleBar_->SetFormActive(LOWORD(message.WParam) != WA_INACTIVE);
      break;
    case WM_NCACTIVATE:
      // The default handling has just drawn the platform's frame over ours.
      PaintFrame();
      break;
    case WM_SIZE:
      ResizeSteps();
      break;
    case toolkit::CM_RECREATEWND:
      RemoveCaptionStyle();
      break;
    default:
      break;
  }
}

void TSkinForm::ResizeSteps() {
  if (attachMaximized_) {
    if (form_->WindowState() != toolkit::wsMaximized) {
      attachMaximized_ = false;
      form_->SetBounds(attachBounds_.left, attachBounds_.top, attachBounds_.right - attachBounds_.left,
                       attachBounds_.bottom - attachBounds_.top);
    }
  }
  if (form_->WindowState() == toolkit::wsMaximized) {
    RECT area;
    GetWorkArea(area);
    RECT now;
    GetWindowRect(form_->Handle(), &now);
    // Only when it differs: SetBounds sends WM_SIZE again.
    if (now.left != area.left || now.top != area.top || now.right != area.right || now.bottom != area.bottom - 1)
      SetWindowPos(form_->Handle(), nullptr, area.left, area.top, area.right - area.left,
                   area.bottom - 1 - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PaintFrame();
  for (int i = 0; i < titleBar_->ButtonCount(); ++i) titleBar_->Buttons(i).RefreshMaxRestoreGlyph();
  UpdateRegion();
}

HRGN TSkinForm::MakeWindowRegion(int width, int height, int radius) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  radius = std::clamp(radius, 0, std::min(width, height) / 2);
  if (radius == 0) return CreateRectRgn(0, 0, width, height);
  HRGN region = CreateRoundRectRgn(0, 0, width + 1, height + 1, radius, radius);
  for (const RECT square : {RECT{0, height - 2 * radius, 2 * radius, height},
                            RECT{width - 2 * radius, height - 2 * radius, width, height}}) {
    toolkit::RegionHandle part(CreateRectRgnIndirect(&square));
    CombineRgn(region, region, part.Get(), RGN_OR);
  }
  return region;
}

void TSkinForm::UpdateRegion() {
  if (!Attached() || !form_->HandleAllocated()) return;
  RECT bounds;
  GetWindowRect(form_->Handle(), &bounds);
  toolkit::RegionHandle region(MakeWindowRegion(bounds.right - bounds.left, bounds.bottom - bounds.top, RoundCorner()));
  toolkit::SetWindowRegion(form_->Handle(), region, true);
}

void TSkinForm::PaintFrame() {
  if (!Attached() || !form_->HandleAllocated() || IsIconic(form_->Handle())) return;
  RECT bounds;
  GetWindowRect(form_->Handle(), &bounds);
  toolkit::WholeWindowDC dc(form_->Handle());
  if (!dc.Get()) return;
  PaintFrameOn(dc.Get(), bounds.right - bounds.left, bounds.bottom - bounds.top);
}

void TSkinForm::PaintFrameOn(HDC dc, int w, int h) {
  const int bw = std::max(frameWidth_, 0);
  const bool barShown = titleBar_->Visible();
  const int t = barShown ? titleBar_->Height() : 0;
  Fill(dc, {0, 0, bw, h}, borderColor_);
  Fill(dc, {0, h - bw, w, h}, borderColor_);
  Fill(dc, {w - bw, 0, w, h}, borderColor_);
  if (bw < 4) {
    Fill(dc, {bw, t, 3, h - bw}, Color());
    Fill(dc, {bw, h - 3, w - bw, h - bw}, Color());
    Fill(dc, {w - 3, t, w - bw, h - bw}, Color());
  }
  bool continued = false;
  if (barShown && bw < 4 && titleBar_->SectionCount() == 3 && !titleBar_->Sections(0).Picture.Empty() &&
      !titleBar_->Sections(1).Picture.Empty() && !titleBar_->Sections(2).Picture.Empty()) {
    continued = true;
    TBitmap& left = titleBar_->Sections(0).Picture;
    TBitmap& right = titleBar_->Sections(1).Picture;
    TBitmap& middle = titleBar_->Sections(2).Picture;
    // The title pictures run on under the frame: the side strips, then the top rows.
    TBitmap strip(3 - bw, left.Height());
    BitBlt(strip.Canvas().Handle(), 0, 0, left.Width(), left.Height(), left.Canvas().Handle(), 0, 0, SRCCOPY);
    BitBlt(dc, bw, 0, strip.Width(), strip.Height(), strip.Canvas().Handle(), 0, 0, SRCCOPY);
    if (right.Width() > 2) {
      BitBlt(strip.Canvas().Handle(), 2 - right.Width(), 0, right.Width(), right.Height(), right.Canvas().Handle(), 0,
             0, SRCCOPY);
    } else {
      StretchBlt(strip.Canvas().Handle(), 0, 0, strip.Width(), strip.Height(), right.Canvas().Handle(), 0, 0,
                 right.Width(), right.Height(), SRCCOPY);
    }
    BitBlt(dc, w - 3, 0, strip.Width(), strip.Height(), strip.Canvas().Handle(), 0, 0, SRCCOPY);
    const int inner = std::max(w - 5, 1);
    TBitmap top(inner, 3);
    HDC topDc = top.Canvas().Handle();
    BitBlt(topDc, -2, 0, left.Width(), left.Height(), left.Canvas().Handle(), 0, 0, SRCCOPY);
    BitBlt(topDc, inner - right.Width() + 3, 0, right.Width(), right.Height(), right.Canvas().Handle(), 0, 0, SRCCOPY);
    const int from = left.Width() - 2, to = inner - right.Width() + 3;
    if (to > from) {
      SetStretchBltMode(topDc, COLORONCOLOR);
      StretchBlt(topDc, from, 0, to - from, middle.Height(), middle.Canvas().Handle(), 0, 0, middle.Width(),
                 middle.Height(), SRCCOPY);
    }
    BitBlt(dc, 2, 0, inner, 3, topDc, 0, 0, SRCCOPY);
  }
  if (continued && bw == 1 && RoundCorner() == 11) {
    constexpr int r = 11;
    toolkit::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, toolkit::ColorToRGB(borderColor_)));
    toolkit::SelectGuard selected(dc, pen.Get());
    toolkit::SelectGuard noFill(dc, GetStockObject(NULL_BRUSH));
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    Arc(dc, w - 2 * r + 1, -1, w + 1, 2 * r - 1, w + 1, r - 1, w - r + 1, -1);
    Arc(dc, -1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
  }
  if (!barShown) {
    Fill(dc, {0, 0, w, 1}, borderColor_);
    Fill(dc, {bw, 1, w - bw, 4}, Color());
  }
}

void TSkinForm::Paint() {
  // One fill of the part to repaint, straight on the window: a buffer the window's size would only
  // add a copy (and, under Wine, most of the time).
  HDC dc = Canvas().Handle();
  RECT area{0, 0, Width(), Height()};
  GetClipBox(dc, &area);
  if (!tile_.Empty()) {
    toolkit::GdiObject<HBRUSH> brush(CreatePatternBrush(tile_.Handle()));
    FillRect(dc, &area, brush.Get());
  } else {
    Fill(dc, area, Color());
  }
  PaintFrame();
}

void TSkinForm::Resize() {
  TCustomPanel::Resize();
  if (titleBar_) titleBar_->SetTop(0);
}

void TSkinForm::WndProc(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;  // Paint covers every pixel
    return;
  }
  TCustomPanel::WndProc(message);
}

void TSkinForm::Notification(toolkit::TComponent* component, toolkit::TOperation operation) {
  TCustomPanel::Notification(component, operation);
  // The children go back to DeepBlue with the form, whether or not they follow its style otherwise.
  if (operation == toolkit::opRemove && component == look_.Theme())
    ApplyStyleToChildren(*this, TSkinUIStyle::DeepBlue, nullptr);
  look_.Notification(component, operation);
}

void TSkinForm::SetUIStyle(TSkinUIStyle style) {
  look_.SetStyle(style);
  TSkinFileTheme* const theme = look_.Theme();
  const TResolvedStyle resolved = look_.Resolved();
  borderColor_ = GetThemeColor(resolved, theme, keys::FormBorderColor);
  frameWidth_ = GetThemeInt(resolved, theme, keys::FormBorderWidthInt);
  SetColor(GetThemeColor(resolved, theme, keys::FormBackgroundColor));
  MenuBarColor = Color();
  const char* tile = nullptr;
  if (!resolved.fromFile && resolved.style == TSkinUIStyle::MacOS) tile = "MACOS_FORM_BACKGROUND";
  if (!resolved.fromFile && resolved.style == TSkinUIStyle::Protein) tile = "PROTEIN_FORM_BACKGROUND";
  // Loaded here, once per style, rather than on every paint.
  if (!tile || !tile_.LoadFromResourceName(GetModuleHandleA(nullptr), tile)) tile_ = TBitmap();
  titleBar_->SetFileTheme(theme);
  titleBar_->SetUIStyle(style);
  titleBar_->SetRoundCorner(GetThemeInt(resolved, theme, keys::FormRoundCornerInt));
  if (autoUpdateSub_) ApplyStyleToChildren(*this, style, theme);
  Invalidate();
  PaintFrame();
  UpdateRegion();
}

void TSkinForm::SetFileTheme(TSkinFileTheme* theme) { look_.SetTheme(theme); }

void TSkinForm::SetBorderColor(TColor value) {
  borderColor_ = value;
  PaintFrame();
}

void TSkinForm::SetFrameBorderWidth(int value) {
  frameWidth_ = value;
  PaintFrame();
}

void TSkinForm::SetRoundCorner(int value) {
  titleBar_->SetRoundCorner(value);
  UpdateRegion();
}

void TSkinForm::SetTitleBarVisible(bool value) {
  if (titleBar_->Visible() == value) return;
  titleBar_->SetVisible(value);
  titleBar_->SetTop(0);
  PaintFrame();
  UpdateRegion();
}

void TSkinForm::SetSkinCaption(const std::string& caption) {
  titleBar_->SetCaption(caption);
  if (form_) form_->SetCaption(caption);
}

}  // namespace quendrel::skin
