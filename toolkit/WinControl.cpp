#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "toolkit/Application.h"
#include "toolkit/Control.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Properties.h"
#include "toolkit/Screen.h"
#include "toolkit/WindowClass.h"

namespace quendrel::toolkit {
namespace {

constexpr char kClassPrefix[] = "Quendrel.";
constexpr char kControlProperty[] = "Quendrel.Control";

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  DestroyHandle();
}

TWinControl::~TWinControl() {
  TComponent::BeforeDestruction();  // no handlers for the last messages of a plain delete
  // Leave the parent while we are still a TWinControl: it keeps windowed children in its tab list.
  if (parent_ != nullptr) parent_->RemoveControl(this);
  // Children stay with their owners; they only lose their parent (and their windows, below).
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  DestroyHandle();
}

const TPropertyList& TWinControl::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TControl::ClassProperties();
    using C = TWinControl;
    l.Integer<C>("TabOrder", [](const C& c) { return c.TabOrder(); },
                 [](C& c, auto v) { c.SetTabOrder(int(v)); }, "TTabOrder");
    l.Boolean<C>("TabStop", [](const C& c) { return c.TabStop(); }, [](C& c, auto v) { c.SetTabStop(v != 0); });
    return l;
  }();
  return list;
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  // A window property rather than the procedure: others may subclass our windows in turn.
  return static_cast<TWinControl*>(GetPropA(hwnd, kControlProperty));
}

LRESULT CALLBACK TWinControl::WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (control == nullptr) {
    if (msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (control == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
    control->Attach(hwnd);
  }
  TMessage message{msg, wParam, lParam, 0};
  // Ends last: a form released meanwhile may be freed by it, after we are done with the control.
  TDispatchScope scope(control);
  Guarded([&] {
    if (control->Destroying()) {
      control->DefaultHandler(message);  // its last messages: no hooks, no events
    } else {
      control->WindowProc(message);
    }
  });
  if (msg == WM_NCDESTROY) control->Detach();
  return message.Result;
}

void TWinControl::Attach(HWND hwnd) {
  handle_ = hwnd;
  // GWLP_USERDATA finds us fast on every message; the property tells FromHandle it is really us.
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetPropA(hwnd, kControlProperty, this);
}

void TWinControl::Detach() {
  if (handle_ == nullptr) return;
  SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
  RemovePropA(handle_, kControlProperty);
  if (defWndProc_ != nullptr) {
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
    defWndProc_ = nullptr;
  }
  handle_ = nullptr;
  trackingMouse_ = false;
  mouseControl_ = nullptr;
  captureControl_ = nullptr;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = text_;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (visible_) params.Style |= WS_VISIBLE;
  if (!enabled_) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WinClassName = kClassPrefix + ClassName();
}

HWND TWinControl::Handle() {
  if (handle_ == nullptr) {
    if (creatingWnd_) throw std::logic_error("Window handle requested while it is being created");
    creatingWnd_ = true;
    try {
      CreateWnd();
    } catch (...) {
      creatingWnd_ = false;
      throw;
    }
    creatingWnd_ = false;
  }
  return handle_;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (params.Style & WS_CHILD) {
    if (parent_ == nullptr) throw std::logic_error("Control '" + Name() + "' has no parent window");
    params.WndParent = parent_->Handle();
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HMENU id = (params.Style & WS_CHILD) && parent_ != nullptr
                 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(parent_->nextChildId_++))
                 : nullptr;
  if (!params.SystemClass.empty()) {
    HWND hwnd = CreateWindowExA(params.ExStyle, params.SystemClass.c_str(), params.Caption.c_str(), params.Style,
                                params.X, params.Y, params.Width, params.Height, params.WndParent, id, instance,
                                nullptr);
    if (hwnd == nullptr) throw std::runtime_error("Error creating window of class " + params.SystemClass);
    Attach(hwnd);
    defWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::WndProcThunk)));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  } else {
    RegisterWindowClass({.Name = params.WinClassName.c_str(),
                         .Proc = &TWinControl::WndProcThunk,
                         .Style = params.ClassStyle,
                         .Cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))});
    HWND hwnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                                params.X, params.Y, params.Width, params.Height, params.WndParent, id, instance,
                                this);
    if (hwnd == nullptr) throw std::runtime_error("Error creating window of class " + params.WinClassName);
  }
  SyncBoundsFromWindow();
  for (TControl* child : std::vector<TControl*>(controls_)) {
    if (auto* windowed = dynamic_cast<TWinControl*>(child); windowed != nullptr && !windowed->HandleAllocated()) {
      windowed->Handle();
    }
  }
  CreateHandleDone();
  Realign();
}

void TWinControl::DestroyHandle() {
  if (handle_ == nullptr) return;
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  HWND hwnd = handle_;
  if (hwnd != nullptr) DestroyWindow(hwnd);
  // WM_NCDESTROY detached us; a window destroyed by another thread's means would not have.
  Detach();
}

void TWinControl::RecreateWnd() {
  if (handle_ == nullptr) return;
  DestroyHandle();
  Handle();
  Perform(CM_RECREATEWND);
}

void TWinControl::SetDoubleBuffered(bool value) {
  doubleBuffered_ = value;
  Invalidate();
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed != nullptr) {
    tabList_.push_back(windowed);
    if (handle_ != nullptr) {
      if (windowed->HandleAllocated()) {
        ::SetParent(windowed->handle_, handle_);
        SetWindowPos(windowed->handle_, nullptr, windowed->left_, windowed->top_, windowed->width_,
                     windowed->height_, SWP_NOZORDER | SWP_NOACTIVATE);
      } else {
        windowed->Handle();
      }
    }
  }
}

void TWinControl::RemoveControl(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (captureControl_ == control) captureControl_ = nullptr;
  if (control->Visible()) control->Invalidate();
  std::erase(controls_, control);
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed != nullptr) {
    std::erase(tabList_, windowed);
    // A window cannot live without its parent window: it is made again when it gets a new parent.
    windowed->DestroyHandle();
  }
  control->parent_ = nullptr;
  Realign();
}

TControl* TWinControl::ControlAtPos(POINT point, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (dynamic_cast<TWinControl*>(control) != nullptr) continue;
    const RECT bounds = control->BoundsRect();
    if (control->Visible() && (allowDisabled || control->Enabled()) && PtInRect(&bounds, point)) return control;
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (dynamic_cast<TWinControl*>(control) == nullptr) continue;
    const RECT bounds = control->BoundsRect();
    if (control->Visible() && (allowDisabled || control->Enabled()) && PtInRect(&bounds, point)) return control;
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (parent_ == nullptr) return -1;
  const auto& list = parent_->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (parent_ == nullptr) return;
  auto& list = parent_->tabList_;
  std::erase(list, this);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabList_; }

bool TWinControl::CanFocus() const {
  for (const TControl* control = this; control != nullptr; control = control->Parent()) {
    if (!control->Visible() || !control->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  if (CanFocus()) ::SetFocus(Handle());
}

bool TWinControl::Focused() const { return handle_ != nullptr && GetFocus() == handle_; }

void TWinControl::SetBorderWidth(int value) {
  borderWidth_ = std::max(value, 0);
  Realign();
  Invalidate();
}

RECT TWinControl::ClientRect() const {
  RECT rect{0, 0, 0, 0};
  if (handle_ != nullptr) {
    GetClientRect(handle_, &rect);
    return rect;
  }
  // No window yet: the frame its style will give it.
  TCreateParams params;
  const_cast<TWinControl*>(this)->CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  rect.right = std::max(0L, width_ - (frame.right - frame.left));
  rect.bottom = std::max(0L, height_ - (frame.bottom - frame.top));
  return rect;
}

RECT TWinControl::AlignRect() const {
  RECT rect = ClientRect();
  InflateRect(&rect, -borderWidth_, -borderWidth_);
  return rect;
}

void TWinControl::BoundsChanged(const RECT&) {
  if (handle_ != nullptr) {
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TWinControl::SizeChanged() {
  Realign();
  TControl::SizeChanged();
}

void TWinControl::SyncBoundsFromWindow() {
  if (handle_ == nullptr) return;
  RECT rect;
  GetWindowRect(handle_, &rect);
  HWND parent = (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD) ? GetParent(handle_) : nullptr;
  if (parent != nullptr) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  const bool sized = rect.right - rect.left != width_ || rect.bottom - rect.top != height_;
  left_ = rect.left;
  top_ = rect.top;
  width_ = rect.right - rect.left;
  height_ = rect.bottom - rect.top;
  if (sized) SizeChanged();
}

void TWinControl::Realign() {
  if (alignDisabled_ > 0 || aligning_) return;
  aligning_ = true;
  try {
    AlignControls(AlignRect());
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  TControl::SetVisible(visible);
  if (handle_ != nullptr) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
  if (handle_ != nullptr && enabled != enabled_) EnableWindow(handle_, enabled ? TRUE : FALSE);
  TControl::SetEnabled(enabled);
}

void TWinControl::SetText(const std::string& text) {
  if (text == text_) return;
  if (handle_ != nullptr) SetWindowTextA(handle_, text.c_str());
  TControl::SetText(text);
}

void TWinControl::Invalidate() {
  if (handle_ != nullptr) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_ != nullptr) UpdateWindow(handle_);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  if (handle_ != nullptr && defWndProc_ != nullptr) {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  }
  for (TControl* child : std::vector<TControl*>(controls_)) child->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
  colorBrush_.Reset();
  TControl::ColorChanged();
  for (TControl* child : std::vector<TControl*>(controls_)) child->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::PaintBackground(HDC dc) {
  RECT rect;
  GetClientRect(handle_, &rect);
  BrushHandle brush(CreateSolidBrush(ColorToRGB(color_)));
  FillRect(dc, &rect, brush.Get());
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
  RECT clip;
  GetClipBox(dc, &clip);
  for (TControl* control : controls_) {
    if (!control->Visible() || dynamic_cast<TWinControl*>(control) != nullptr) continue;
    const RECT bounds = control->BoundsRect();
    RECT overlap;
    if (!IntersectRect(&overlap, &bounds, &clip)) continue;
    SavedDCState saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
    control->PaintControl(dc);
  }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (handle_ == nullptr) return;
  if (defWndProc_ != nullptr) {
    message.Result = CallWindowProcA(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
  } else {
    message.Result = DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
  }
}

}  // namespace quendrel::toolkit
