#include "toolkit/Control.h"

#include <windowsx.h>

#include <algorithm>

#include "toolkit/Form.h"
#include "toolkit/Properties.h"

namespace quendrel::toolkit {

TShiftState ShiftStateFromKeys(WPARAM mouseKeys) {
  TShiftState shift = 0;
  if (mouseKeys & MK_SHIFT) shift |= ssShift;
  if (mouseKeys & MK_CONTROL) shift |= ssCtrl;
  if (mouseKeys & MK_LBUTTON) shift |= ssLeft;
  if (mouseKeys & MK_RBUTTON) shift |= ssRight;
  if (mouseKeys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

void TWndNext::operator()(TMessage& message) const { control_->RunHooks(*hooks_, below_, message); }

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this](TFont&) { FontChanged(); };
}

TControl::~TControl() {
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

const TPropertyList& TControl::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TComponent::ClassProperties();
    using C = TControl;
    l.Integer<C>("Left", [](const C& c) { return c.Left(); }, [](C& c, auto v) { c.SetLeft(int(v)); });
    l.Integer<C>("Top", [](const C& c) { return c.Top(); }, [](C& c, auto v) { c.SetTop(int(v)); });
    l.Integer<C>("Width", [](const C& c) { return c.Width(); }, [](C& c, auto v) { c.SetWidth(int(v)); });
    l.Integer<C>("Height", [](const C& c) { return c.Height(); }, [](C& c, auto v) { c.SetHeight(int(v)); });
    l.Enum<C>("Align", "TAlign", [](const C& c) { return c.Align(); },
              [](C& c, auto v) { c.SetAlign(static_cast<TAlign>(v)); });
    l.SetOf<C>("Anchors", "TAnchors", [](const C& c) { return c.Anchors(); },
             [](C& c, auto v) { c.SetAnchors(static_cast<TAnchors>(v)); });
    l.Boolean<C>("Visible", [](const C& c) { return c.Visible(); }, [](C& c, auto v) { c.SetVisible(v != 0); });
    l.Boolean<C>("Enabled", [](const C& c) { return c.Enabled(); }, [](C& c, auto v) { c.SetEnabled(v != 0); });
    l.Integer<C>("Color", [](const C& c) { return c.Color(); },
                 [](C& c, auto v) { c.SetColor(static_cast<TColor>(v)); }, "TColor");
    l.Boolean<C>("ParentColor", [](const C& c) { return c.ParentColor(); },
                 [](C& c, auto v) { c.SetParentColor(v != 0); });
    l.Object<C, TFont>("Font", "TFont", [](C& c) { return &c.Font(); },
                       [](C& c, TFont* f) { if (f != nullptr) c.SetFont(*f); });
    l.Boolean<C>("ParentFont", [](const C& c) { return c.ParentFont(); },
                 [](C& c, auto v) { c.SetParentFont(v != 0); });
    l.Integer<C>("Cursor", [](const C& c) { return c.Cursor(); }, [](C& c, auto v) { c.SetCursor(int(v)); },
                 "TCursor");
    l.String<C>("Hint", [](const C& c) { return c.Hint(); }, [](C& c, const std::string& v) { c.SetHint(v); });
    l.Integer<C>("Tag", [](const C& c) { return c.Tag(); }, [](C& c, auto v) { c.SetTag(int(v)); });
    l.Event<C>("OnClick", "TNotifyEvent", [](const C& c) { return bool(c.OnClick); });
    return l;
  }();
  return list;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) return;
  if (parent_ != nullptr) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_ == nullptr) return;
  parent_->InsertControl(this);
  if (parentFont_) Perform(CM_PARENTFONTCHANGED);
  if (parentColor_) Perform(CM_PARENTCOLORCHANGED);
  UpdateAnchorRules();
  RequestAlign();
  Invalidate();
}

TForm* TControl::ParentForm() const {
  const TControl* control = this;
  while (control->parent_ != nullptr) control = control->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (constraints_.MinWidth > 0) width = std::max(width, constraints_.MinWidth);
  if (constraints_.MaxWidth > 0) width = std::min(width, constraints_.MaxWidth);
  if (constraints_.MinHeight > 0) height = std::max(height, constraints_.MinHeight);
  if (constraints_.MaxHeight > 0) height = std::min(height, constraints_.MaxHeight);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const RECT old = BoundsRect();
  const bool sized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged(old);
  if (!inAlign_) {
    UpdateAnchorRules();
    if (align_ != alNone) RequestAlign();
  }
  if (sized) SizeChanged();
}

void TControl::SetAlignedBounds(int left, int top, int width, int height) {
  inAlign_ = true;
  try {
    SetBounds(left, top, width, height);
  } catch (...) {
    inAlign_ = false;
    throw;
  }
  inAlign_ = false;
}

void TControl::BoundsChanged(const RECT& oldBounds) {
  // A graphic control lives in its parent's pixels: repaint where it was and where it is.
  if (parent_ != nullptr && parent_->HandleAllocated() && visible_) {
    InvalidateRect(parent_->Handle(), &oldBounds, TRUE);
    const RECT now = BoundsRect();
    InvalidateRect(parent_->Handle(), &now, TRUE);
  }
}

int TControl::ClientWidth() const {
  const RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() const {
  const RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height) {
  SetBounds(left_, top_, width_ + (width - ClientWidth()), height_ + (height - ClientHeight()));
}

POINT TControl::ClientOrigin() const { return POINT{left_, top_}; }

POINT TControl::ClientToScreen(POINT point) const {
  if (auto* self = dynamic_cast<const TWinControl*>(this); self != nullptr && self->HandleAllocated()) {
    ::ClientToScreen(self->handle_, &point);
    return point;
  }
  if (parent_ == nullptr) return POINT{point.x + left_, point.y + top_};
  return parent_->ClientToScreen(POINT{point.x + left_, point.y + top_});
}

POINT TControl::ScreenToClient(POINT point) const {
  const POINT origin = ClientToScreen(POINT{0, 0});
  return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  // Released: the anchors go on from where the alignment left the control.
  if (align_ == alNone) UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  UpdateAnchorRules();
}

void TControl::SetConstraints(const TSizeConstraints& constraints) {
  constraints_ = constraints;
  SetBounds(left_, top_, width_, height_);
}

void TControl::UpdateAnchorRules() {
  if (parent_ == nullptr) return;
  const RECT area = parent_->AlignRect();
  anchorRules_ = AnchorRules{BoundsRect(), area.right - area.left, area.bottom - area.top, true};
}

void TControl::RequestAlign() {
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible) {
    // Hiding: repaint the parent where we were before the flag hides us from painting.
    Invalidate();
    visible_ = false;
  } else {
    visible_ = true;
    Invalidate();
  }
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* control = this; control != nullptr; control = control->parent_) {
    if (!control->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::ColorChanged() {
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
  if (!applyingParentFont_) parentFont_ = false;
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

TWndHookOwner TControl::HookWindowProc(TWndHook hook) { return hooks_.Add(std::move(hook)); }

void TControl::WindowProc(TMessage& message) {
  if (hooks_.Empty()) {
    WndProc(message);
    return;
  }
  const THookChain<TWndHook>::Snapshot hooks = hooks_.Take();
  RunHooks(hooks, hooks.size(), message);
}

void TControl::RunHooks(const std::vector<std::shared_ptr<THookNode>>& hooks, size_t below, TMessage& message) {
  while (below > 0) {
    const THookNode& node = *hooks[--below];
    if (node.removed) continue;
    THookChain<TWndHook>::HookOf(node)(message, TWndNext(this, &hooks, below));
    return;
  }
  WndProc(message);
}

void TControl::Invalidate() {
  if (parent_ != nullptr && parent_->HandleAllocated() && visible_) {
    const RECT bounds = BoundsRect();
    InvalidateRect(parent_->handle_, &bounds, TRUE);
  }
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ != nullptr) parent_->Update();
}

void TControl::BringToFront() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  if (auto* self = dynamic_cast<TWinControl*>(this); self != nullptr && self->HandleAllocated()) {
    SetWindowPos(self->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Invalidate();
}

void TControl::SendToBack() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  if (auto* self = dynamic_cast<TWinControl*>(this); self != nullptr && self->HandleAllocated()) {
    SetWindowPos(self->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Invalidate();
}

void TControl::PaintParentBackground(HDC dc) const {
  if (parent_ == nullptr || !parent_->HandleAllocated()) return;
  SavedDCState saved(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - left_, origin.y - top_, nullptr);
  IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
  // The parent paints into the DC it is handed, as for a render into a bitmap. (Graphic controls
  // need none of this: they paint on their parent's pixels already.)
  HWND parent = parent_->handle_;
  {
    SavedDCState erase(dc);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  }
  SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component != nullptr && component == popupMenuComponent_) {
    popupMenu_ = nullptr;
    popupMenuComponent_ = nullptr;
  }
  TComponent::Notification(component, operation);
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

void TControl::WndProc(TMessage& message) {
  const int x = GET_X_LPARAM(message.LParam);
  const int y = GET_Y_LPARAM(message.LParam);
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TMouseButton button = message.Msg == WM_LBUTTONDOWN   ? mbLeft
                                  : message.Msg == WM_RBUTTONDOWN ? mbRight
                                                                  : mbMiddle;
      if (button == mbLeft) clicked_ = true;
      MouseDown(button, ShiftStateFromKeys(message.WParam), x, y);
      break;
    }
    case WM_LBUTTONDBLCLK:
      DblClick();
      MouseDown(mbLeft, ShiftStateFromKeys(message.WParam) | ssDouble, x, y);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TMouseButton button = message.Msg == WM_LBUTTONUP   ? mbLeft
                                  : message.Msg == WM_RBUTTONUP ? mbRight
                                                                : mbMiddle;
      const bool click = button == mbLeft && clicked_;
      if (button == mbLeft) clicked_ = false;
      MouseUp(button, ShiftStateFromKeys(message.WParam), x, y);
      const RECT client = ClientRect();
      const POINT at{x, y};
      if (click && clickOnMouseUp_ && PtInRect(&client, at)) Click();
      // Windows get WM_CONTEXTMENU from the system; a graphic control has to ask itself.
      if (button == mbRight && dynamic_cast<TWinControl*>(this) == nullptr && ContextPopup(ClientToScreen(at))) {
        return;
      }
      break;
    }
    case WM_MOUSEMOVE:
      MouseMove(ShiftStateFromKeys(message.WParam), x, y);
      break;
    case CM_MOUSEENTER:
      mouseInControl_ = true;
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      mouseInControl_ = false;
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_ != nullptr) {
        applyingParentFont_ = true;
        font_.Assign(parent_->Font());
        applyingParentFont_ = false;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ != nullptr && parent_->Color() != color_) {
        color_ = parent_->Color();
        ColorChanged();
      }
      return;
    default:
      break;
  }
  DefaultHandler(message);
}

}  // namespace quendrel::toolkit
