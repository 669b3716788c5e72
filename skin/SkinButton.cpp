#include "skin/SkinButton.h"

#include <algorithm>

#include "skin/SkinControls.h"
#include "skin/SkinDraw.h"
#include "toolkit/BufferedPaint.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/ImageList.h"
#include "toolkit/Properties.h"
#include "toolkit/Resources.h"

namespace quendrel::skin {

using toolkit::TBitmap;
using toolkit::TCanvas;
using toolkit::TColor;
using toolkit::TMessage;

namespace {

constexpr int kButtonFrames = 3;
constexpr int kCheckFrames = 4;
constexpr int kFallbackButtonWidth = 74;
constexpr int kFallbackButtonHeight = 21;
constexpr int kFallbackCheckSize = 13;

bool IsClickKey(WORD key) { return key == VK_SPACE || key == VK_RETURN; }

SIZE TextSize(TCanvas& canvas, const std::string& text) { return canvas.TextExtent(text); }

}  // namespace

// ---- TSkinCustomButton ----

TSkinCustomButton::TSkinCustomButton(toolkit::TComponent* owner) : TSkinStyled(owner) {
  width_ = 80;
  height_ = 27;
  tabStop_ = true;
}

TSkinCustomButton::~TSkinCustomButton() { StopRepeat(); }

const toolkit::TPropertyList& TSkinCustomButton::ClassProperties() {
  using C = TSkinCustomButton;
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TCustomControl::ClassProperties();
    l.String<C>("Caption", [](const C& c) { return c.Caption(); }, [](C& c, const std::string& v) { c.SetCaption(v); });
    l.Boolean<C>("AutoSize", [](const C& c) { return c.AutoSize(); }, [](C& c, std::int64_t v) { c.SetAutoSize(v != 0); });
    l.Boolean<C>("TabStop", [](const C& c) { return c.TabStop(); }, [](C& c, std::int64_t v) { c.SetTabStop(v != 0); });
    return l;
  }();
  return list;
}

void TSkinCustomButton::CreateParams(toolkit::TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.ClassStyle &= ~static_cast<UINT>(CS_DBLCLKS);  // a quick second click is a second click
}

void TSkinCustomButton::CreateHandleDone() {
  TCustomControl::CreateHandleDone();
  activeDefault_ = default_;
}

void TSkinCustomButton::SetAutoSize(bool value) {
  autoSize_ = value;
  if (value) UpdateAutoSize();
}

void TSkinCustomButton::UpdateAutoSize() {
  TBitmap strip;
  try {
    GetThemeImage(UIStyle(), keys::ButtonImage, &strip);
  } catch (const toolkit::EResNotFound&) {
    strip.SetSize(0, 0);
  }
  const int w = strip.Width() == 0 ? kFallbackButtonWidth : strip.Width();
  const int h = strip.Height() == 0 ? kFallbackButtonHeight : strip.Height();
  SetBounds(left_, top_, w / kButtonFrames, h);
}

void TSkinCustomButton::SetTransparent(bool value) {
  transparent_ = value;
  TransparentChanged();
}

void TSkinCustomButton::TransparentChanged() { Invalidate(); }

void TSkinCustomButton::SetFocusedRectMargin(int value) {
  focusedRectMargin_ = value;
  Invalidate();
}

void TSkinCustomButton::SetDefault(bool value) {
  default_ = value;
  activeDefault_ = value;
}

void TSkinCustomButton::FontChanged() {
  TCustomControl::FontChanged();
  Invalidate();
}

void TSkinCustomButton::LoadButtonFrame(int frameIndex, TBitmap& graphic) {
  TBitmap* frame = frames_.Get(FileTheme(), UIStyle(), keys::ButtonImage, kButtonFrames, frameIndex);
  if (frame) {
    graphic.Assign(*frame);
  } else {
    graphic.SetSize(0, 0);
  }
}

void TSkinCustomButton::GetNormalImage(TBitmap& graphic) { LoadButtonFrame(1, graphic); }
void TSkinCustomButton::GetMouseOnImage(TBitmap& graphic) { LoadButtonFrame(2, graphic); }
void TSkinCustomButton::GetPressedImage(TBitmap& graphic) { LoadButtonFrame(3, graphic); }
void TSkinCustomButton::GetDisabledImage(TBitmap& graphic) { LoadButtonFrame(1, graphic); }

void TSkinCustomButton::RenderTo(TBitmap& bitmap) {
  toolkit::PaintToBitmap(bitmap, Width(), Height(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinCustomButton::Paint() {
  toolkit::PaintBuffered(Canvas(), ClientRect(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinCustomButton::PaintOn(TCanvas& canvas) {
  const int w = std::max(Width(), 1), h = std::max(Height(), 1);
  TBitmap state;
  if (!enabled_) {
    GetDisabledImage(state);
  } else if (pressed_) {
    GetPressedImage(state);
  } else if (mouseOver_) {
    GetMouseOnImage(state);
  } else {
    GetNormalImage(state);
  }
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect({0, 0, w, h});
  if (transparent_) skin::PaintParentBackground(canvas, *this);
  if (state.Empty()) {
    // No strip to draw from: a plain raised face, sunken while pressed.
    RECT face{0, 0, w, h};
    DrawEdge(canvas.Handle(), &face, pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
  } else {
    DrawFace(canvas, state);
  }
  if (TabStop() && HandleAllocated() && Focused()) DrawFocus(canvas);
  canvas.SetFont(font_);
  if (!Caption().empty()) DrawCaption(canvas, Caption());
  boldCaption_ = false;
}

void TSkinCustomButton::DrawFace(TCanvas& canvas, TBitmap& stateImage) {
  toolkit::TImageList list(nullptr, stateImage.Width(), stateImage.Height());
  if (transparent_) {
    list.AddMasked(stateImage, stateImage.PixelColor(0, 0));
  } else {
    list.Add(stateImage);
  }
  list.Draw(canvas, 0, 0, 0, enabled_);
}

void TSkinCustomButton::DrawCaptionAt(TCanvas& canvas, const std::string& text, RECT rect, UINT flags) {
  toolkit::TFont font;
  font.Assign(font_);
  if (boldCaption_) font.SetStyle(font.Style() | toolkit::fsBold);
  canvas.SetFont(font);
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
  flags |= DT_SINGLELINE | DT_NOPREFIX;
  if (!enabled_) {
    RECT shadow = rect;
    OffsetRect(&shadow, 1, 1);
    canvas.Font().SetColor(toolkit::clWhite);
    canvas.DrawText(text, shadow, flags);
    canvas.Font().SetColor(toolkit::clGray);
  } else if (pressed_) {
    OffsetRect(&rect, 1, 1);
  }
  canvas.DrawText(text, rect, flags);
  boldCaption_ = false;
}

void TSkinCustomButton::DrawCenteredCaption(TCanvas& canvas, const std::string& text) {
  DrawCaptionAt(canvas, text, RECT{0, 0, Width(), Height()}, DT_CENTER | DT_VCENTER);
}

void TSkinCustomButton::DrawCaption(TCanvas& canvas, const std::string& text) { DrawCenteredCaption(canvas, text); }

void TSkinCustomButton::DrawFocus(TCanvas& canvas) {
  const int m = focusedRectMargin_;
  if (Width() - 2 * m <= 0 || Height() - 2 * m <= 0) return;
  canvas.DrawFocusRect({m, m, Width() - m, Height() - m});
}

void TSkinCustomButton::StopRepeat() {
  if (!repeatTimer_) return;
  repeatTimer_->SetEnabled(false);
  repeatTimer_.reset();
}

void TSkinCustomButton::SetPressed(bool value) {
  if (pressed_ == value) return;
  pressed_ = value;
  Invalidate();
}

void TSkinCustomButton::Click() {
  if (pressed_) {
    StopRepeat();
    SetPressed(false);
  }
  TCustomControl::Click();
}

void TSkinCustomButton::MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) {
  if (button == toolkit::mbLeft) {
    pressed_ = true;
    if (!repeatTimer_) {
      repeatTimer_ = std::make_unique<toolkit::TTimer>(nullptr);
      repeatTimer_->SetInterval(static_cast<unsigned>(std::max(repeatInterval_, 0)));
      repeatTimer_->OnTimer = [this](toolkit::TComponent*) {
        if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
      };
      repeatTimer_->SetEnabled(true);
    }
    if (TabStop() && CanFocus()) SetFocus();
    // The release must come back here even when it happens outside.
    if (HandleAllocated()) SetCapture(Handle());
    Invalidate();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TSkinCustomButton::MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) {
  if (button == toolkit::mbLeft) {
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    StopRepeat();
    if (pressed_ && (x < 0 || y < 0 || x >= Width() || y >= Height())) SetPressed(false);
  }
  TCustomControl::MouseUp(button, shift, x, y);
  // A release outside clicks nothing; the face must not stay down.
  if (button == toolkit::mbLeft) SetPressed(false);
}

void TSkinCustomButton::MouseMove(toolkit::TShiftState shift, int x, int y) {
  if (x < 0 || y < 0 || x > Width() || y > Height()) {
    // Held and dragged off: the capture keeps the leave notice away, so the repeat stops here.
    StopRepeat();
    if (mouseOver_ || pressed_) {
      mouseOver_ = false;
      pressed_ = false;
      Invalidate();
    }
  } else if (!mouseOver_) {
    mouseOver_ = true;
    if ((shift & toolkit::ssLeft) != 0 && GetCapture() == Handle()) pressed_ = true;
    Invalidate();
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TSkinCustomButton::KeyDown(WORD& key, toolkit::TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (IsClickKey(key) && enabled_ && Focused()) SetPressed(true);
}

void TSkinCustomButton::KeyUp(WORD& key, toolkit::TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if (IsClickKey(key) && enabled_ && Focused() && pressed_) {
    SetPressed(false);
    Click();
  }
}

void TSkinCustomButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;  // Paint covers every pixel
      return;
    case WM_GETDLGCODE:
      message.Result = DLGC_BUTTON | (activeDefault_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (message.Msg == WM_KILLFOCUS) SetPressed(false);
      TCustomControl::WndProc(message);
      Invalidate();
      return;
    case WM_CAPTURECHANGED:
      StopRepeat();
      break;
    case toolkit::CM_MOUSEENTER:
      mouseOver_ = true;
      Invalidate();
      break;  // the control's own handling fires OnMouseEnter
    case toolkit::CM_MOUSELEAVE:
      mouseOver_ = false;
      pressed_ = pressed_ && GetCapture() == Handle();
      if (!pressed_) StopRepeat();
      Invalidate();
      TCustomControl::WndProc(message);
      if (OnMouseExit) OnMouseExit(this);
      return;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}

// ---- TSkinButton ----

TSkinButton::TSkinButton(toolkit::TComponent* owner) : TSkinCustomButton(owner) { ApplyStyle(); }

const toolkit::TPropertyList& TSkinButton::ClassProperties() {
  using C = TSkinButton;
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TSkinCustomButton::ClassProperties();
    AddStyleProperties<C>(l);
    l.Boolean<C>("Cancel", [](const C& c) { return c.Cancel(); }, [](C& c, std::int64_t v) { c.SetCancel(v != 0); });
    l.Boolean<C>("Default", [](const C& c) { return c.Default(); }, [](C& c, std::int64_t v) { c.SetDefault(v != 0); });
    l.Boolean<C>("Transparent", [](const C& c) { return c.Transparent(); },
                 [](C& c, std::int64_t v) { c.SetTransparent(v != 0); });
    l.Integer<C>("ModalResult", [](const C& c) { return c.ModalResult(); },
                 [](C& c, std::int64_t v) { c.SetModalResult(static_cast<int>(v)); });
    l.Integer<C>("FocusedRectMargin", [](const C& c) { return c.FocusedRectMargin(); },
                 [](C& c, std::int64_t v) { c.SetFocusedRectMargin(static_cast<int>(v)); });
    l.Enum<C>("Layout", "TButtonLayout", [](const C& c) { return c.Layout(); },
              [](C& c, std::int64_t v) { c.SetLayout(static_cast<TButtonLayout>(v)); });
    l.Integer<C>("Spacing", [](const C& c) { return c.Spacing(); },
                 [](C& c, std::int64_t v) { c.SetSpacing(static_cast<int>(v)); });
    l.Integer<C>("MouseContinuouslyDownInterval", [](const C& c) { return c.MouseContinuouslyDownInterval(); },
                 [](C& c, std::int64_t v) { c.SetMouseContinuouslyDownInterval(static_cast<int>(v)); });
    return l;
  }();
  return list;
}

void TSkinButton::ApplyStyle() {
  SetTransparent(GetThemeBool(Resolved(), FileTheme(), keys::ButtonTransparentBool));
}

void TSkinButton::SetGlyph(const TBitmap& glyph) {
  glyph_.Assign(glyph);
  Invalidate();
}

void TSkinButton::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}

void TSkinButton::SetSpacing(int value) {
  spacing_ = value;
  Invalidate();
}

void TSkinButton::DrawFace(TCanvas& canvas, TBitmap& stateImage) {
  DrawNineSlice(stateImage, canvas, RECT{0, 0, Width(), Height()}, Transparent());
  if (glyph_.Empty()) return;
  const bool pair = glyph_.Width() == 2 * glyph_.Height();
  const int gw = pair ? glyph_.Height() : glyph_.Width(), gh = glyph_.Height();
  canvas.SetFont(font_);
  const SIZE text = TextSize(canvas, Caption());
  const int tw = text.cx, th = text.cy, W = Width(), H = Height(), S = spacing_;
  POINT g{0, 0};
  switch (layout_) {
    case blGlyphLeft:
      g = {(W - gw - tw - S) / 2, (H - gh) / 2};
      captionPos_ = {g.x + gw + S, (H - th) / 2};
      break;
    case blGlyphRight:
      g = {(W + tw + S - gw) / 2, (H - gh) / 2};
      captionPos_ = {g.x - tw - S, (H - th) / 2};
      break;
    case blGlyphTop:
      g = {(W - gw) / 2, (H - th - gh - S) / 2};
      captionPos_ = {(W - tw) / 2, g.y + gh + S};
      break;
    case blGlyphBottom:
      g = {(W - gw) / 2, (H + th + S - gh) / 2};
      captionPos_ = {(W - tw) / 2, g.y - th - S};
      break;
  }
  if (Pressed()) {
    g.x += 1;
    g.y += 1;
  }
  toolkit::TImageList list(nullptr, gw, gh);
  list.AddMasked(glyph_, glyph_.PixelColor(0, 0));
  const int image = pair && !enabled_ ? 1 : 0;
  list.Draw(canvas, g.x, g.y, image, enabled_ || pair);
}

void TSkinButton::DrawCaption(TCanvas& canvas, const std::string& text) {
  if (glyph_.Empty()) {
    DrawCenteredCaption(canvas, text);
    return;
  }
  DrawCaptionAt(canvas, text, RECT{captionPos_.x, captionPos_.y, Width(), Height()}, DT_LEFT | DT_TOP);
}

void TSkinButton::DrawFocus(TCanvas& canvas) {
  const TResolvedStyle resolved = Resolved();
  if (!resolved.fromFile && (resolved.style == TSkinUIStyle::MacOS || resolved.style == TSkinUIStyle::BlueGlass)) {
    boldCaption_ = true;  // these styles show the focus as a bold caption
    return;
  }
  TSkinCustomButton::DrawFocus(canvas);
}

// ---- TSkinCheckBox ----

TSkinCheckBox::TSkinCheckBox(toolkit::TComponent* owner) : TSkinStyled(owner) {
  width_ = 93;
  height_ = 17;
  tabStop_ = true;
}

const toolkit::TPropertyList& TSkinCheckBox::ClassProperties() {
  using C = TSkinCheckBox;
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TCustomControl::ClassProperties();
    AddStyleProperties<C>(l);
    l.Boolean<C>("AutoSize", [](const C& c) { return c.AutoSize(); }, [](C& c, std::int64_t v) { c.SetAutoSize(v != 0); });
    l.Boolean<C>("Checked", [](const C& c) { return c.Checked(); }, [](C& c, std::int64_t v) { c.SetChecked(v != 0); });
    l.String<C>("Caption", [](const C& c) { return c.Caption(); }, [](C& c, const std::string& v) { c.SetCaption(v); });
    l.Enum<C>("State", "TCheckBoxState", [](const C& c) { return c.State(); },
              [](C& c, std::int64_t v) { c.SetState(static_cast<toolkit::TCheckBoxState>(v)); });
    l.Boolean<C>("Transparent", [](const C& c) { return c.Transparent(); },
                 [](C& c, std::int64_t v) { c.SetTransparent(v != 0); });
    return l;
  }();
  return list;
}

void TSkinCheckBox::CreateParams(toolkit::TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.ClassStyle &= ~static_cast<UINT>(CS_DBLCLKS);
}

void TSkinCheckBox::StyleChanged() {
  UpdateAutoSize();
  Invalidate();
}

void TSkinCheckBox::SetAutoSize(bool value) {
  autoSize_ = value;
  UpdateAutoSize();
  Invalidate();
}

void TSkinCheckBox::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TSkinCheckBox::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  CheckedChanged();
}

void TSkinCheckBox::CheckedChanged() {
  Invalidate();
  if (!Loading()) TCustomControl::Click();
}

void TSkinCheckBox::Toggle() { SetChecked(!checked_); }

void TSkinCheckBox::Click() {
  BeforeToggle();
  Toggle();
}

void TSkinCheckBox::UpdateAutoSize() {
  if (!autoSize_) return;
  const SIZE size = AutoSizeExtent();
  if (size.cx != width_ || size.cy != height_) SetBounds(left_, top_, size.cx, size.cy);
}

TBitmap* TSkinCheckBox::Glyph() {
  return frames_.Get(FileTheme(), UIStyle(), GlyphKey(), kCheckFrames, CheckFrameIndex(checked_, enabled_));
}

SIZE TSkinCheckBox::AutoSizeExtent() {
  TBitmap* glyph = Glyph();
  TBitmap scratch(1, 1);
  scratch.Canvas().SetFont(font_);
  const int gw = glyph ? glyph->Width() : kFallbackCheckSize;
  const int gh = glyph ? glyph->Height() : kFallbackCheckSize;
  const int lineHeight = scratch.Canvas().TextExtent("W").cy;
  return SIZE{gw + scratch.Canvas().TextExtent(Caption()).cx + 8, std::max(lineHeight + 2, gh) + 4};
}

void TSkinCheckBox::RenderTo(TBitmap& bitmap) {
  toolkit::PaintToBitmap(bitmap, Width(), Height(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinCheckBox::Paint() {
  toolkit::PaintBuffered(Canvas(), ClientRect(), [this](TCanvas& canvas) { PaintOn(canvas); });
}

void TSkinCheckBox::PaintOn(TCanvas& canvas) {
  const int w = std::max(Width(), 1), h = std::max(Height(), 1);
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect({0, 0, w, h});
  if (transparent_) skin::PaintParentBackground(canvas, *this);

  TBitmap* glyph = Glyph();
  const int gw = glyph ? glyph->Width() : kFallbackCheckSize;
  const int gh = glyph ? glyph->Height() : kFallbackCheckSize;
  if (glyph) {
    BitBlt(canvas.Handle(), 1, (h - gh) / 2, gw, gh, glyph->Canvas().Handle(), 0, 0, SRCCOPY);
  } else {
    DrawFallbackCheck(canvas.Handle(), 1, (h - gh) / 2, kFallbackCheckSize, checked_, enabled_);
  }
  canvas.SetFont(font_);
  const int lineHeight = canvas.TextExtent("W").cy;
  const int top = (h - lineHeight) / 2;
  RECT text{gw + 4, top, w, h};
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
  if (!enabled_) canvas.Font().SetColor(toolkit::clGrayText);
  canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
  if (ShowsFocus() && TabStop() && HandleAllocated() && Focused()) {
    canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
    canvas.DrawFocusRect({gw + 3, top, w, top + lineHeight + 2});
  }
}

void TSkinCheckBox::MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) {
  if (button == toolkit::mbLeft && TabStop() && CanFocus()) SetFocus();
  TCustomControl::MouseDown(button, shift, x, y);
}

void TSkinCheckBox::KeyUp(WORD& key, toolkit::TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if (IsClickKey(key) && KeyToggles() && enabled_ && Focused()) Click();
}

void TSkinCheckBox::FontChanged() {
  TCustomControl::FontChanged();
  UpdateAutoSize();
}

void TSkinCheckBox::TextChanged() { UpdateAutoSize(); }

void TSkinCheckBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(message);
      Invalidate();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}

}  // namespace quendrel::skin
