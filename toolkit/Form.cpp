#include "toolkit/Form.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Properties.h"
#include "toolkit/Screen.h"

namespace quendrel::toolkit {

TForm::TForm(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {
  visible_ = false;
  width_ = 320;
  height_ = 240;
}

TForm::~TForm() {
  Application.ForgetRelease(this);
  // A plain delete skipped BeforeDestruction: the derived parts are gone, so the window goes
  // without events (Destroying() routes its last messages past every handler).
  TComponent::BeforeDestruction();
  DestroyHandle();
}

void TForm::BeforeDestruction() {
  if (OnDestroy) Guarded([this] { OnDestroy(this); });
  Application.ForgetRelease(this);
  TWinControl::BeforeDestruction();
}

const TPropertyList& TForm::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TWinControl::ClassProperties();
    using C = TForm;
    l.Enum<C>("BorderStyle", "TFormBorderStyle", [](const C& c) { return c.BorderStyle(); },
              [](C& c, auto v) { c.SetBorderStyle(static_cast<TFormBorderStyle>(v)); });
    l.Enum<C>("Position", "TPosition", [](const C& c) { return c.Position(); },
              [](C& c, auto v) { c.SetPosition(static_cast<TPosition>(v)); });
    l.Integer<C>("ClientWidth", [](const C& c) { return c.ClientWidth(); },
                 [](C& c, auto v) { c.SetClientWidth(int(v)); });
    l.Integer<C>("ClientHeight", [](const C& c) { return c.ClientHeight(); },
                 [](C& c, auto v) { c.SetClientHeight(int(v)); });
    l.String<C>("Caption", [](const C& c) { return c.Caption(); },
                [](C& c, const std::string& v) { c.SetCaption(v); });
    return l;
  }();
  return list;
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
  formStyle_ = style;
  if (handle_ != nullptr) {
    SetWindowPos(handle_, style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ExStyle = 0;
  const bool icons = borderIcons_ & biSystemMenu;
  switch (borderStyle_) {
    case bsNone:
      params.Style |= WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) params.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != bsNone && icons) {
    params.Style |= WS_SYSMENU;
    if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
      if (borderIcons_ & biMinimize) params.Style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (!enabled_) params.Style |= WS_DISABLED;
  if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  // Visibility is applied by SetVisible (with OnShow), never at creation.
  params.WndParent = Application.Handle();
}

void TForm::CreateHandleDone() {
  ApplyIcon();
  if (activeControl_ != nullptr && activeControl_->HandleAllocated() && visible_) activeControl_->SetFocus();
}

void TForm::SetIcon(const TIcon& icon) {
  icon_.Assign(icon);
  ApplyIcon();
}

void TForm::ApplyIcon() {
  if (handle_ == nullptr) return;
  HICON icon = icon_.Handle();
  SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TForm::PlaceOnFirstShow() {
  if (placed_) return;
  placed_ = true;
  if (position_ == poScreenCenter || position_ == poDesktopCenter) {
    SetBounds((Screen.Width() - width_) / 2, (Screen.Height() - height_) / 2, width_, height_);
  }
}

void TForm::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (visible) {
    ShowWindowAs(windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                 : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                               : SW_SHOWNORMAL);
    if (activeControl_ != nullptr && activeControl_->CanFocus()) activeControl_->SetFocus();
    return;
  }
  visible_ = false;
  if (handle_ != nullptr) ShowWindow(handle_, SW_HIDE);
  if (OnHide) OnHide(this);
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, 0);
}

void TForm::ShowNoActivate() {
  if (!visible_) ShowWindowAs(SW_SHOWNOACTIVATE);
}

void TForm::ShowWindowAs(int showCommand) {
  HWND hwnd = Handle();
  PlaceOnFirstShow();
  if (OnShow) OnShow(this);
  visible_ = true;
  if (Application.MainForm() == this) Application.ShowTaskbarWindow();
  ShowWindow(hwnd, showCommand);
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, 1);
}

TWindowState TForm::WindowState() const {
  if (handle_ != nullptr && visible_) {
    if (IsIconic(handle_)) return wsMinimized;
    if (IsZoomed(handle_)) return wsMaximized;
    return wsNormal;
  }
  return windowState_;
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (handle_ != nullptr && visible_) {
    ShowWindow(handle_, state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
  }
}

void TForm::SetActiveControl(TWinControl* control) {
  activeControl_ = control;
  if (control != nullptr && handle_ != nullptr && visible_ && control->CanFocus()) control->SetFocus();
}

bool TForm::Active() const {
  return handle_ != nullptr && GetActiveWindow() == handle_;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application.MainForm() == this) {
    Application.Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TForm::Release() {
  // Freed from the message loop, after whatever handler asked for it has returned.
  PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TForm::DoCreate() {
  if (createFired_) return;
  createFired_ = true;
  if (OnCreate) OnCreate(this);
}

void TForm::Loaded() {
  TWinControl::Loaded();
  DoCreate();
}

void TForm::SelectNext(TWinControl* current, bool forward) {
  // All tab stops of the form in tab order, depth first.
  std::vector<TWinControl*> stops;
  std::function<void(const TWinControl&)> collect = [&](const TWinControl& parent) {
    for (TWinControl* child : parent.TabList()) {
      if (child->TabStop() && child->CanFocus()) stops.push_back(child);
      collect(*child);
    }
  };
  collect(*this);
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), current);
  size_t index = 0;
  if (it == stops.end()) {
    index = forward ? 0 : stops.size() - 1;
  } else {
    const size_t at = static_cast<size_t>(it - stops.begin());
    index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  }
  activeControl_ = stops[index];
  stops[index]->SetFocus();
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TForm::PaintWindow(HDC dc) {
  CanvasHandleScope scope(*canvas_, dc);
  Paint();
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      // Not here: hooks and handlers further up the stack may still use the form.
      Application.ReleaseForm(this);
      return;
    case WM_SYSCOMMAND:
      // The main form minimizes the application, whose window carries the taskbar button.
      if ((message.WParam & 0xFFF0) == SC_MINIMIZE && Application.MainForm() == this) {
        Application.Minimize();
        return;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) == WA_INACTIVE) {
        if (OnDeactivate) OnDeactivate(this);
      } else {
        if (OnActivate) OnActivate(this);
        if (activeControl_ != nullptr && activeControl_->CanFocus()) {
          activeControl_->SetFocus();
          return;
        }
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace quendrel::toolkit
