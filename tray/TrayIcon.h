// TTrayIcon: one icon in the notification area. It turns the shell's mouse notifications into
// events, pops a menu up at the cursor, shows an image of an image list (or cycles through them) and
// takes the main window to the tray and back.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/Component.h"
#include "toolkit/Control.h"
#include "toolkit/Icon.h"
#include "tray/SimpleTimer.h"
#include "tray/TrayIconHandler.h"

namespace quendrel {

namespace toolkit {
class TForm;
class TImageList;
class TPopupMenu;
}  // namespace toolkit

using TCycleEvent = std::function<void(toolkit::TComponent* Sender, int32_t NextIndex)>;
using TStartupEvent = std::function<void(toolkit::TComponent* Sender, bool& ShowMainForm)>;
// Every request to the shell goes through one of these (Shell_NotifyIconA by default).
using TShellNotify = std::function<BOOL(DWORD message, NOTIFYICONDATAA& data)>;

// The tip the shell shows: at most CurrentNotifyIconLayout().tipLength characters of Hint (127 on the
// shells of Windows 2000 and later, 63 before).

class TTrayIcon : public toolkit::TComponent {
 public:
  explicit TTrayIcon(toolkit::TComponent* owner);
  ~TTrayIcon() override;
  std::string ClassName() const override { return "TTrayIcon"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  // False: mouse notifications are ignored (balloon notifications still pass).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  const toolkit::TIcon& Icon() const { return icon_; }
  // Copied; the shell shows it at once.
  void SetIcon(const toolkit::TIcon& icon);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  // Not owned; forgotten when the menu goes.
  toolkit::TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(toolkit::TPopupMenu* menu);
  // The menu also opens on the left button going down.
  bool LeftPopup() const { return leftPopup_; }
  void SetLeftPopup(bool value) { leftPopup_ = value; }
  // Not owned; forgotten (index 0) when the list goes. Taking a list sets IconIndex to 0.
  toolkit::TImageList* IconList() const { return iconList_; }
  void SetIconList(toolkit::TImageList* list);
  // Indexes past the list's end show its last image; without a list the index is 0.
  int32_t IconIndex() const { return iconIndex_; }
  void SetIconIndex(int32_t index);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool value);
  // Milliseconds per cycle step; 0 does not cycle.
  uint32_t CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(uint32_t value);
  // A form designer's preview; no effect at run time.
  bool DesignPreview() const { return designPreview_; }
  void SetDesignPreview(bool value) { designPreview_ = value; }
  bool WantEnterExitEvents() const { return wantEnterExitEvents_; }
  void SetWantEnterExitEvents(bool value);
  // Minimizing the application hides the main window into the notification area.
  bool MinimizeToTray() const { return minimizeToTray_; }
  void SetMinimizeToTray(bool value) { minimizeToTray_ = value; }

  // True when the shell took the request. Add and remove set IconVisible first.
  virtual bool CanLoadDefaultIcon() { return true; }
  virtual bool AddToTray();
  virtual bool RemoveFromTray();
  virtual bool UpdateTrayIcon();
  // The shell's info tip above the icon (title up to 63 characters, text up to 255; longer is cut),
  // shown once and never modal; NotifyData() keeps the texts of the last one. False when the shell has no balloons or refused the request.
  bool ShowBalloonHint(const std::string& title, const std::string& text);

  // The main window back on screen, in front (it is the owning form; nothing without one).
  void RestoreMainWindow();
  // The main window and the application's taskbar button hidden.
  void HideMainWindow();
  virtual void SendToTray();
  void ShowMenuAtCursor();

  // The shell's view of the icon: the identifier notifications carry and the window they go to.
  UINT TrayId() const { return client_.Id(); }
  HWND HandlerWindow() const { return client_.Window(); }
  const NOTIFYICONDATAA& NotifyData() const { return notifyData_; }
  bool ClickDelayRunning() const { return clickDelayTimer_.Armed(); }
  bool LeaveTimerRunning() const { return leaveTimer_.Armed(); }
  bool CycleTimerRunning() const { return iconCycleTimer_.Armed(); }

  TShellNotify ShellNotify;

  toolkit::TNotifyEvent OnClick;
  toolkit::TNotifyEvent OnDblClick;
  toolkit::TNotifyEvent OnMouseEnter;
  toolkit::TNotifyEvent OnMouseExit;
  toolkit::TNotifyEvent OnMinimizeToTray;
  toolkit::TNotifyEvent OnBalloonHintShow;
  toolkit::TNotifyEvent OnBalloonHintHide;
  toolkit::TNotifyEvent OnBalloonHintTimeout;
  toolkit::TNotifyEvent OnBalloonHintClick;
  toolkit::TMouseEvent OnMouseDown;
  toolkit::TMouseEvent OnMouseUp;
  toolkit::TMouseMoveEvent OnMouseMove;
  TCycleEvent OnCycle;
  TStartupEvent OnStartup;

 protected:
  virtual void DoClick();
  virtual void DoDblClick();
  // Works out the index the next step shows and reports it.
  virtual void DoCycle(int32_t& nextIndex);
  virtual void DoMouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y);
  virtual void DoMouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y);
  virtual void DoMouseMove(toolkit::TShiftState shift, int x, int y);
  virtual void DoMouseEnter();
  virtual void DoMouseExit();

  void Loaded() override;
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;
  void BeforeDestruction() override;

 private:
  friend class TTrayIconHandler;

  void Teardown();
  void HandleNotification(UINT mouseMessage);
  void LeftButtonUp();
  void ClickDelayElapsed();
  void CycleElapsed();
  void LeaveElapsed();
  void DefaultItemClick();
  bool FillIconData();
  bool Shell(DWORD message);
  void IconChanged();
  void ApplyCycleIcons();
  bool ApplicationHook(toolkit::TMessage& message);
  // True when the message was answered here.
  bool OwnerWindowMessage(toolkit::TMessage& message);
  bool TryMinimizeToTray();
  void HideTaskbarButton();
  // The owning form when the owner is one, else null.
  toolkit::TForm* OwnerForm() const;
  toolkit::TForm* MainWindow() const;

  // First in, last out: the shared handler outlives everything below.
  TTrayIconClient client_{this};
  NOTIFYICONDATAA notifyData_{};
  bool enabled_ = true;
  toolkit::TIcon icon_;
  bool iconVisible_ = false;
  std::string hint_;
  bool showHint_ = true;
  toolkit::TPopupMenu* popupMenu_ = nullptr;  // not owned
  bool leftPopup_ = false;
  toolkit::TImageList* iconList_ = nullptr;  // not owned
  int32_t iconIndex_ = 0;
  bool cycleIcons_ = false;
  uint32_t cycleInterval_ = 0;
  bool designPreview_ = false;
  bool wantEnterExitEvents_ = false;
  bool minimizeToTray_ = false;

  TSimpleTimer iconCycleTimer_;
  TSimpleTimer clickDelayTimer_;
  TSimpleTimer leaveTimer_{20};
  bool buttonDownSeen_ = false;
  bool clickPending_ = false;
  bool doubleClickSeen_ = false;
  bool cursorOutside_ = true;
  POINT lastCursorPos_{0, 0};
  bool quietIcon_ = false;
  bool tornDown_ = false;  // while IconIndex copies an image: one shell update, not two

  int applicationHookId_ = 0;
  toolkit::TWndHookOwner ownerHook_;  // the owner form's messages pass through the icon first
};

}  // namespace quendrel
