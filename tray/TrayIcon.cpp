#include "tray/TrayIcon.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menu.h"
#include "toolkit/Properties.h"
#include "tray/NotifyIconData.h"

namespace quendrel {

using namespace toolkit;

namespace {

// The shell broadcasts this when the taskbar comes back (Explorer restarted); older shells do not.
UINT TaskbarCreatedMessage() {
  static const UINT message = [] {
    const bool broadcasts = BroadcastsTaskbarCreated(ModuleShellVersion(GetModuleHandleA("comctl32.dll")));
    return broadcasts ? RegisterWindowMessageA("TaskbarCreated") : 0u;
  }();
  return message;
}

// The modifier keys at this moment plus the button of the notification.
TShiftState NotificationShift(TShiftState button) {
  TShiftState shift = button;
  if (GetAsyncKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetAsyncKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetAsyncKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

}  // namespace

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {
  notifyData_.cbSize = CurrentNotifyIconLayout().size;
  notifyData_.hWnd = client_.Window();
  notifyData_.uID = client_.Id();
  notifyData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  notifyData_.uCallbackMessage = WM_TRAYNOTIFY;
  notifyData_.uVersion = 0;
  ShellNotify = [](DWORD message, NOTIFYICONDATAA& data) { return Shell_NotifyIconA(message, &data); };
  icon_.OnChange = [this](TGraphic&) { IconChanged(); };
  iconCycleTimer_.SetOnElapsed([this](TSimpleTimer*) { CycleElapsed(); });
  clickDelayTimer_.SetOnElapsed([this](TSimpleTimer*) { ClickDelayElapsed(); });
  leaveTimer_.SetOnElapsed([this](TSimpleTimer*) { LeaveElapsed(); });
  applicationHookId_ = Application.HookMainWindow([this](TMessage& message) { return ApplicationHook(message); });
  if (TForm* form = OwnerForm()) {
    ownerHook_ = form->HookWindowProc([this](TMessage& message, const TWndNext& next) {
      if (!OwnerWindowMessage(message)) next(message);
    });
  }
}

TTrayIcon::~TTrayIcon() { Teardown(); }

void TTrayIcon::BeforeDestruction() {
  Teardown();
  TComponent::BeforeDestruction();
}

// Out of the notification area, no timer armed, no hook left: nothing reaches a going icon.
void TTrayIcon::Teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  try {
    RemoveFromTray();
  } catch (...) {
    // The shell call of a going icon has no one left to report to.
  }
  iconCycleTimer_.Stop();
  clickDelayTimer_.Stop();
  leaveTimer_.Stop();
  icon_.OnChange = nullptr;
  Application.UnhookMainWindow(applicationHookId_);
  ownerHook_.Remove();
  if (popupMenu_ != nullptr && popupMenu_->PopupComponent() == this) popupMenu_->SetPopupComponent(nullptr);
}

const TPropertyList& TTrayIcon::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TComponent::ClassProperties();
    using C = TTrayIcon;
    l.Boolean<C>("Enabled", [](const C& c) { return c.Enabled(); }, [](C& c, auto v) { c.SetEnabled(v != 0); });
    l.Object<C, TIcon>("Icon", "TIcon", [](C& c) { return const_cast<TIcon*>(&c.Icon()); },
                       [](C& c, TIcon* v) {
                         if (v != nullptr) c.SetIcon(*v);
                       });
    l.Boolean<C>("IconVisible", [](const C& c) { return c.IconVisible(); },
                 [](C& c, auto v) { c.SetIconVisible(v != 0); });
    l.String<C>("Hint", [](const C& c) { return c.Hint(); }, [](C& c, const std::string& v) { c.SetHint(v); });
    l.Boolean<C>("ShowHint", [](const C& c) { return c.ShowHint(); }, [](C& c, auto v) { c.SetShowHint(v != 0); });
    l.Object<C, TPopupMenu>("PopupMenu", "TPopupMenu", [](C& c) { return c.PopupMenu(); },
                            [](C& c, TPopupMenu* v) { c.SetPopupMenu(v); });
    l.Boolean<C>("LeftPopup", [](const C& c) { return c.LeftPopup(); }, [](C& c, auto v) { c.SetLeftPopup(v != 0); });
    l.Object<C, TImageList>("IconList", "TCustomImageList", [](C& c) { return c.IconList(); },
                            [](C& c, TImageList* v) { c.SetIconList(v); });
    l.Integer<C>("IconIndex", [](const C& c) { return c.IconIndex(); },
                 [](C& c, auto v) { c.SetIconIndex(static_cast<int32_t>(v)); });
    l.Boolean<C>("CycleIcons", [](const C& c) { return c.CycleIcons(); },
                 [](C& c, auto v) { c.SetCycleIcons(v != 0); });
    l.Integer<C>("CycleInterval", [](const C& c) { return c.CycleInterval(); },
                 [](C& c, auto v) { c.SetCycleInterval(static_cast<uint32_t>(v)); }, "Cardinal");
    l.Boolean<C>("DesignPreview", [](const C& c) { return c.DesignPreview(); },
                 [](C& c, auto v) { c.SetDesignPreview(v != 0); });
    l.Boolean<C>("WantEnterExitEvents", [](const C& c) { return c.WantEnterExitEvents(); },
                 [](C& c, auto v) { c.SetWantEnterExitEvents(v != 0); });
    l.Boolean<C>("MinimizeToTray", [](const C& c) { return c.MinimizeToTray(); },
                 [](C& c, auto v) { c.SetMinimizeToTray(v != 0); });
    const struct {
      const char* name;
      const char* type;
      TNotifyEvent C::*event;
    } notifyEvents[] = {{"OnClick", "TNotifyEvent", &C::OnClick},
                        {"OnDblClick", "TNotifyEvent", &C::OnDblClick},
                        {"OnMouseEnter", "TNotifyEvent", &C::OnMouseEnter},
                        {"OnMouseExit", "TNotifyEvent", &C::OnMouseExit},
                        {"OnMinimizeToTray", "TNotifyEvent", &C::OnMinimizeToTray},
                        {"OnBalloonHintShow", "TNotifyEvent", &C::OnBalloonHintShow},
                        {"OnBalloonHintHide", "TNotifyEvent", &C::OnBalloonHintHide},
                        {"OnBalloonHintTimeout", "TNotifyEvent", &C::OnBalloonHintTimeout},
                        {"OnBalloonHintClick", "TNotifyEvent", &C::OnBalloonHintClick}};
    for (const auto& e : notifyEvents) {
      auto member = e.event;
      l.Event<C>(e.name, e.type, [member](const C& c) { return static_cast<bool>(c.*member); });
    }
    l.Event<C>("OnMouseDown", "TMouseEvent", [](const C& c) { return static_cast<bool>(c.OnMouseDown); });
    l.Event<C>("OnMouseUp", "TMouseEvent", [](const C& c) { return static_cast<bool>(c.OnMouseUp); });
    l.Event<C>("OnMouseMove", "TMouseMoveEvent", [](const C& c) { return static_cast<bool>(c.OnMouseMove); });
    l.Event<C>("OnCycle", "TCycleEvent", [](const C& c) { return static_cast<bool>(c.OnCycle); });
    l.Event<C>("OnStartup", "TStartupEvent", [](const C& c) { return static_cast<bool>(c.OnStartup); });
    return l;
  }();
  return list;
}

// ---- Shell requests

bool TTrayIcon::FillIconData() {
  notifyData_.hWnd = client_.Window();
  notifyData_.uID = client_.Id();
  notifyData_.hIcon = icon_.Handle();  // borrowed: Icon owns it for as long as the shell shows it
  std::memset(notifyData_.szTip, 0, sizeof notifyData_.szTip);
  if (!hint_.empty() && showHint_) {
    const size_t length = std::min(hint_.size(), CurrentNotifyIconLayout().tipLength);
    std::memcpy(notifyData_.szTip, hint_.data(), length);
  }
  return true;
}

bool TTrayIcon::Shell(DWORD message) {
  // Settings made while loading reach the shell once, when loading ends.
  if (Loading() || !FillIconData() || !ShellNotify) return false;
  return ShellNotify(message, notifyData_) != FALSE;
}

bool TTrayIcon::AddToTray() {
  iconVisible_ = true;
  return Shell(NIM_ADD);
}

bool TTrayIcon::RemoveFromTray() {
  iconVisible_ = false;
  return Shell(NIM_DELETE);
}

bool TTrayIcon::UpdateTrayIcon() { return Shell(NIM_MODIFY); }

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text) {
  if (!CurrentNotifyIconLayout().balloons) return false;
  const auto copy = [](char* field, size_t size, const std::string& value) {
    std::memset(field, 0, size);
    std::memcpy(field, value.data(), std::min(value.size(), size - 1));
  };
  copy(notifyData_.szInfoTitle, sizeof notifyData_.szInfoTitle, title);
  copy(notifyData_.szInfo, sizeof notifyData_.szInfo, text);
  notifyData_.dwInfoFlags = NIIF_INFO;
  notifyData_.uTimeout = 10000;
  notifyData_.uFlags |= NIF_INFO;
  const bool shown = Shell(NIM_MODIFY);
  // Later updates of the icon must not bring the balloon back; its texts stay as the record of it.
  notifyData_.uFlags &= ~static_cast<UINT>(NIF_INFO);
  return shown;
}

// ---- Properties

void TTrayIcon::SetIcon(const TIcon& icon) {
  icon_.Assign(icon);  // the change updates the shell
}

void TTrayIcon::IconChanged() {
  if (!quietIcon_) UpdateTrayIcon();
}

void TTrayIcon::SetIconVisible(bool value) {
  iconVisible_ = value;
  // A loading icon goes into the tray when loading ends.
  if (Loading()) return;
  if (value) {
    AddToTray();
  } else {
    RemoveFromTray();
  }
}

void TTrayIcon::SetHint(std::string hint) {
  hint_ = std::move(hint);
  UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool value) {
  showHint_ = value;
  UpdateTrayIcon();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_ == menu) return;
  if (popupMenu_ != nullptr) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (popupMenu_ != nullptr) popupMenu_->FreeNotification(this);
}

void TTrayIcon::SetIconList(TImageList* list) {
  if (iconList_ != list) {
    if (iconList_ != nullptr) iconList_->RemoveFreeNotification(this);
    iconList_ = list;
    if (iconList_ != nullptr) iconList_->FreeNotification(this);
  }
  SetIconIndex(0);
}

void TTrayIcon::SetIconIndex(int32_t index) {
  if (iconList_ == nullptr) {
    iconIndex_ = 0;
  } else {
    const int32_t count = iconList_->Count();
    iconIndex_ = index >= count ? count - 1 : index;
    TIcon image;
    if (iconList_->GetIcon(iconIndex_, image)) {
      quietIcon_ = true;
      // The new image's handle replaces (and frees) the one shown until now.
      icon_.SetHandle(image.ReleaseHandle());
      quietIcon_ = false;
    }
  }
  UpdateTrayIcon();
}

void TTrayIcon::SetCycleIcons(bool value) {
  cycleIcons_ = value;
  if (Loading()) return;
  ApplyCycleIcons();
}

void TTrayIcon::ApplyCycleIcons() {
  if (cycleIcons_) {
    SetIconIndex(0);
    iconCycleTimer_.SetPeriod(cycleInterval_);
    iconCycleTimer_.Start();
  } else {
    iconCycleTimer_.Stop();
  }
}

void TTrayIcon::SetCycleInterval(uint32_t value) {
  cycleInterval_ = value;
  SetCycleIcons(cycleIcons_);
}

void TTrayIcon::SetWantEnterExitEvents(bool value) {
  wantEnterExitEvents_ = value;
  if (Loading()) return;
  if (value) {
    leaveTimer_.Start();
  } else {
    leaveTimer_.Stop();
  }
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == iconList_) {
    iconList_ = nullptr;
    iconIndex_ = 0;
  }
  if (component == popupMenu_) popupMenu_ = nullptr;
}

// ---- Notifications

void TTrayIcon::HandleNotification(UINT mouseMessage) {
  switch (mouseMessage) {
    case NIN_BALLOONSHOW:
      if (OnBalloonHintShow) OnBalloonHintShow(this);
      return;
    case NIN_BALLOONHIDE:
      if (OnBalloonHintHide) OnBalloonHintHide(this);
      return;
    case NIN_BALLOONTIMEOUT:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout(this);
      return;
    case NIN_BALLOONUSERCLICK:
      if (OnBalloonHintClick) OnBalloonHintClick(this);
      return;
    default:
      break;
  }
  if (!enabled_) return;
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  switch (mouseMessage) {
    case WM_MOUSEMOVE:
      if (wantEnterExitEvents_ && cursorOutside_) {
        DoMouseEnter();
        cursorOutside_ = false;
      }
      DoMouseMove(NotificationShift(0), cursor.x, cursor.y);
      lastCursorPos_ = cursor;
      break;
    case WM_LBUTTONDOWN:
      if (OnDblClick) {
        clickDelayTimer_.SetPeriod(GetDoubleClickTime());
        clickDelayTimer_.Start();
      }
      DoMouseDown(mbLeft, NotificationShift(ssLeft), cursor.x, cursor.y);
      buttonDownSeen_ = true;
      if (leftPopup_) ShowMenuAtCursor();
      break;
    case WM_LBUTTONUP:
      LeftButtonUp();
      DoMouseUp(mbLeft, NotificationShift(ssLeft), cursor.x, cursor.y);
      break;
    case WM_LBUTTONDBLCLK:
      clickPending_ = false;
      doubleClickSeen_ = true;
      DoDblClick();
      DefaultItemClick();
      break;
    case WM_RBUTTONDOWN:
      DoMouseDown(mbRight, NotificationShift(ssRight), cursor.x, cursor.y);
      ShowMenuAtCursor();
      break;
    case WM_RBUTTONUP:
      DoMouseUp(mbRight, NotificationShift(ssRight), cursor.x, cursor.y);
      break;
    case WM_MBUTTONDOWN:
      DoMouseDown(mbMiddle, NotificationShift(ssMiddle), cursor.x, cursor.y);
      break;
    case WM_MBUTTONUP:
      DoMouseUp(mbMiddle, NotificationShift(ssMiddle), cursor.x, cursor.y);
      break;
    default:
      break;
  }
}

// Without a double-click handler a click fires on the release; with one, the click delay decides.
void TTrayIcon::LeftButtonUp() {
  if (buttonDownSeen_) clickPending_ = true;
  if (buttonDownSeen_ && !clickDelayTimer_.Armed()) {
    buttonDownSeen_ = false;
    clickPending_ = false;
    DoClick();
  }
  buttonDownSeen_ = false;
}

void TTrayIcon::ClickDelayElapsed() {
  clickDelayTimer_.Stop();
  if (!doubleClickSeen_ && clickPending_) {
    clickPending_ = false;
    DoClick();
  }
  doubleClickSeen_ = false;
}

// A double click chooses the menu's default item, unless the menu belongs to the left button.
void TTrayIcon::DefaultItemClick() {
  if (popupMenu_ == nullptr || !popupMenu_->AutoPopup() || leftPopup_) return;
  TMenuItem& items = popupMenu_->Items();
  for (int i = 0; i < items.Count(); ++i) {
    if (items.Items(i)->Default()) {
      items.Items(i)->Click();
      return;
    }
  }
}

void TTrayIcon::ShowMenuAtCursor() {
  POINT cursor{0, 0};
  if (popupMenu_ == nullptr || !popupMenu_->AutoPopup() || !GetCursorPos(&cursor)) return;
  SetForegroundWindow(Application.Handle());
  Application.ProcessMessages();
  if (popupMenu_ == nullptr) return;  // the menu went meanwhile
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(cursor.x, cursor.y);
  if (TForm* form = OwnerForm(); form != nullptr && form->HandleAllocated())
    PostMessageA(form->Handle(), WM_NULL, 0, 0);
}

void TTrayIcon::LeaveElapsed() {
  if (cursorOutside_) return;
  POINT cursor{0, 0};
  if (!GetCursorPos(&cursor)) return;
  if (cursor.x != lastCursorPos_.x || cursor.y != lastCursorPos_.y) {
    cursorOutside_ = true;
    DoMouseExit();
  }
}

void TTrayIcon::CycleElapsed() {
  if (iconList_ == nullptr) return;
  TIcon image;
  if (iconList_->GetIcon(iconIndex_, image)) {
    quietIcon_ = true;
    icon_.SetHandle(image.ReleaseHandle());
    quietIcon_ = false;
  }
  int32_t next = 0;
  DoCycle(next);
  SetIconIndex(next);
}

// ---- Events

void TTrayIcon::DoClick() {
  if (OnClick) OnClick(this);
}

void TTrayIcon::DoDblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::DoCycle(int32_t& nextIndex) {
  nextIndex = iconList_ != nullptr && iconIndex_ < iconList_->Count() - 1 ? iconIndex_ + 1 : 0;
  if (OnCycle) OnCycle(this, nextIndex);
}

void TTrayIcon::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TTrayIcon::DoMouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TTrayIcon::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TTrayIcon::DoMouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}

// ---- The main window

TForm* TTrayIcon::OwnerForm() const { return dynamic_cast<TForm*>(Owner()); }

TForm* TTrayIcon::MainWindow() const {
  if (OwnerForm() == nullptr) return nullptr;
  // The owning form stands in where the application has none (a form made outside CreateForm).
  return Application.MainForm() != nullptr ? Application.MainForm() : OwnerForm();
}

void TTrayIcon::RestoreMainWindow() {
  TForm* form = MainWindow();
  if (form == nullptr) return;
  Application.Restore();
  if (form->WindowState() == wsMinimized) form->SetWindowState(wsNormal);
  form->Show();
  SetForegroundWindow(Application.Handle());
  // The application's window is hidden while it carries no button; the form is what comes forward.
  SetForegroundWindow(form->Handle());
}

void TTrayIcon::HideMainWindow() {
  TForm* form = MainWindow();
  if (form == nullptr) return;
  form->Hide();
  HideTaskbarButton();
}

void TTrayIcon::HideTaskbarButton() {
  HWND app = Application.Handle();
  if (IsWindowVisible(app)) ShowWindow(app, SW_HIDE);
}

void TTrayIcon::SendToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

bool TTrayIcon::TryMinimizeToTray() {
  if (!minimizeToTray_ || !OnMinimizeToTray) return false;
  OnMinimizeToTray(this);
  SendToTray();
  return true;
}

bool TTrayIcon::ApplicationHook(TMessage& message) {
  const UINT taskbarCreated = TaskbarCreatedMessage();
  if (taskbarCreated != 0 && message.Msg == taskbarCreated) {
    if (iconVisible_) AddToTray();
    return false;
  }
  switch (message.Msg) {
    case WM_SIZE:
      if (message.WParam == SIZE_MINIMIZED && minimizeToTray_) SendToTray();
      break;
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFF0) == SC_RESTORE) {
        if (TForm* form = MainWindow()) form->Show();
      }
      break;
    default:
      break;
  }
  return false;
}

bool TTrayIcon::OwnerWindowMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFF0) == SC_MINIMIZE && TryMinimizeToTray()) {
        message.Result = 1;
        return true;
      }
      break;
    case WM_SHOWWINDOW:
      if (message.WParam == 0 && message.LParam == SW_PARENTCLOSING && !Application.Terminated() &&
          TryMinimizeToTray()) {
        message.Result = 1;
        return true;
      }
      if (message.WParam == 1 && message.LParam == 0) {
        SetForegroundWindow(Application.Handle());
        if (TForm* form = OwnerForm()) SetForegroundWindow(form->Handle());
      }
      break;
    default:
      break;
  }
  return false;
}

// ---- Startup

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (OwnerForm() == nullptr) {
    // Settings made while loading take effect now.
    SetIconVisible(iconVisible_);
    ApplyCycleIcons();
    SetWantEnterExitEvents(wantEnterExitEvents_);
    return;
  }
  bool showMainForm = true;
  if (OnStartup) OnStartup(this, showMainForm);
  if (!showMainForm) {
    Application.SetShowMainForm(false);
    HideMainWindow();
  }
  UpdateTrayIcon();
  SetIconVisible(iconVisible_);
  ApplyCycleIcons();
  SetWantEnterExitEvents(wantEnterExitEvents_);
  // Classic notifications: the mouse message itself in the second parameter, as handled above.
  notifyData_.uVersion = 0;
  Shell(NIM_SETVERSION);
}

}  // namespace quendrel
