#include "toolkit/SpinEdit.h"

#include <algorithm>
#include <climits>
#include <string>

#include "toolkit/Properties.h"

namespace quendrel::toolkit {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 400;
constexpr UINT kRepeatInterval = 100;

}  // namespace

TSpinEditInteger::TSpinEditInteger(TComponent* owner) : TCustomControl(owner) {
  width_ = 121;
  height_ = 21;
  tabStop_ = true;
  color_ = clWindow;
}

const TPropertyList& TSpinEditInteger::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TWinControl::ClassProperties();
    using C = TSpinEditInteger;
    l.Integer<C>("Value", [](const C& c) { return c.Value(); }, [](C& c, auto v) { c.SetValue(int(v)); });
    l.Integer<C>("MinValue", [](const C& c) { return c.MinValue(); }, [](C& c, auto v) { c.SetMinValue(int(v)); });
    l.Integer<C>("MaxValue", [](const C& c) { return c.MaxValue(); }, [](C& c, auto v) { c.SetMaxValue(int(v)); });
    l.Integer<C>("Increment", [](const C& c) { return c.Increment(); },
                 [](C& c, auto v) { c.SetIncrement(int(v)); });
    l.Event<C>("OnChange", "TNotifyEvent", [](const C& c) { return bool(c.OnChange); });
    return l;
  }();
  return list;
}

int TSpinEditInteger::Clamp(int value) const {
  if (minValue_ == maxValue_) return value;
  return std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

void TSpinEditInteger::SetValue(int value) {
  value = Clamp(value);
  if (value == value_) return;
  value_ = value;
  text_ = std::to_string(value_);
  Invalidate();
  if (!Loading() && OnChange) OnChange(this);
}

void TSpinEditInteger::SetMinValue(int value) {
  minValue_ = value;
  SetValue(value_);
}

void TSpinEditInteger::SetMaxValue(int value) {
  maxValue_ = value;
  SetValue(value_);
}

void TSpinEditInteger::Step(int count) {
  // Wide arithmetic: stepping near INT_MAX must stop at the limit, not wrap around.
  const long long next = static_cast<long long>(value_) + static_cast<long long>(increment_) * count;
  SetValue(static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX)));
}

RECT TSpinEditInteger::UpButtonRect() const {
  const RECT client = ClientRect();
  return RECT{client.right - kButtonWidth, 0, client.right, client.bottom / 2};
}

RECT TSpinEditInteger::DownButtonRect() const {
  const RECT client = ClientRect();
  return RECT{client.right - kButtonWidth, client.bottom / 2, client.right, client.bottom};
}

void TSpinEditInteger::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TSpinEditInteger::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  switch (key) {
    case VK_UP: Step(1); key = 0; break;
    case VK_DOWN: Step(-1); key = 0; break;
    default: break;
  }
}

void TSpinEditInteger::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (CanFocus()) SetFocus();
  const POINT point{x, y};
  const RECT up = UpButtonRect();
  const RECT down = DownButtonRect();
  pressed_ = PtInRect(&up, point) ? 1 : PtInRect(&down, point) ? -1 : 0;
  if (pressed_ == 0) return;
  SetCapture(Handle());
  Step(pressed_);
  // Held down, the button repeats.
  SetTimer(Handle(), kRepeatTimer, kFirstRepeatDelay, nullptr);
  Invalidate();
}

void TSpinEditInteger::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || pressed_ == 0) return;
  pressed_ = 0;
  KillTimer(Handle(), kRepeatTimer);
  ReleaseCapture();
  Invalidate();
}

void TSpinEditInteger::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_TIMER:
      if (message.WParam == kRepeatTimer) {
        if (pressed_ != 0) {
          SetTimer(handle_, kRepeatTimer, kRepeatInterval, nullptr);
          Step(pressed_);
        } else {
          KillTimer(handle_, kRepeatTimer);
        }
        return;
      }
      break;
    case WM_GETDLGCODE:
      message.Result = DLGC_WANTARROWS;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case WM_CAPTURECHANGED:
      pressed_ = 0;
      break;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}

void TSpinEditInteger::Paint() {
  HDC dc = Canvas().Handle();
  RECT field = ClientRect();
  field.right -= kButtonWidth;
  BrushHandle background(CreateSolidBrush(ColorToRGB(color_)));
  FillRect(dc, &field, background.Get());
  RECT text = field;
  text.left += 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(enabled_ ? font_.Color() : clGrayText));
  const std::string number = std::to_string(value_);
  {
    SelectGuard font(dc, font_.Handle());
    DrawTextA(dc, number.c_str(), static_cast<int>(number.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (Focused()) {
    InflateRect(&field, -1, -1);
    DrawFocusRect(dc, &field);
  }
  RECT up = UpButtonRect();
  RECT down = DownButtonRect();
  const UINT disabled = enabled_ ? 0 : DFCS_INACTIVE;
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | disabled | (pressed_ == 1 ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | disabled | (pressed_ == -1 ? DFCS_PUSHED : 0));
}

}  // namespace quendrel::toolkit
