// The tray icon: shell requests, the notification table, the menu, images, the shared window and
// the main window's way to the tray and back. Notifications are sent to the shared window as the
// shell sends them (message 2048, identifier, mouse message).
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/tray/MenuWatch.h"
#include "tests/tray/ShellProbe.h"
#include "tests/toolkit/GdiObjectCount.h"
#include "tests/support/Pump.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menu.h"
#include "toolkit/Properties.h"
#include "tray/TrayIcon.h"

namespace quendrel::test {
namespace {

using namespace toolkit;

struct ShellCall {
  DWORD message;
  DWORD size;
  HWND window;
  UINT id;
  UINT flags;
  UINT callback;
  bool hasIcon;
  std::string tip;
};

// Records every shell request and passes it on to the real shell.
void RecordShell(TTrayIcon& icon, std::vector<ShellCall>& calls) {
  icon.ShellNotify = [&calls](DWORD message, NOTIFYICONDATAA& data) {
    calls.push_back({message, data.cbSize, data.hWnd, data.uID, data.uFlags, data.uCallbackMessage,
                     data.hIcon != nullptr, data.szTip});
    return Shell_NotifyIconA(message, &data);
  };
}

void Notify(TTrayIcon& icon, UINT mouseMessage) {
  SendMessageA(icon.HandlerWindow(), WM_TRAYNOTIFY, icon.TrayId(), mouseMessage);
}

// Four 16 x 16 images, each of one colour.
void FillList(TImageList& list, int count) {
  TBitmap strip;
  strip.SetSize(16 * count, 16);
  for (int i = 0; i < count; ++i) {
    strip.Canvas().Brush().SetColor(static_cast<TColor>(RGB(60 * i, 255 - 60 * i, 40)));
    const RECT cell{16 * i, 0, 16 * i + 16, 16};
    strip.Canvas().FillRect(cell);
  }
  list.Add(strip);
}

// Every event of the icon as a line in a log.
struct EventLog {
  explicit EventLog(TTrayIcon& icon) {
    const char* buttons[] = {"L", "R", "M"};
    icon.OnClick = [this](TComponent*) { lines.push_back("click"); };
    icon.OnMouseDown = [this, buttons](TComponent*, TMouseButton b, TShiftState, int, int) {
      lines.push_back(std::string("down ") + buttons[b]);
    };
    icon.OnMouseUp = [this, buttons](TComponent*, TMouseButton b, TShiftState, int, int) {
      lines.push_back(std::string("up ") + buttons[b]);
    };
    icon.OnMouseMove = [this](TComponent*, TShiftState, int, int) { lines.push_back("move"); };
    icon.OnMouseEnter = [this](TComponent*) { lines.push_back("enter"); };
    icon.OnMouseExit = [this](TComponent*) { lines.push_back("exit"); };
    icon.OnBalloonHintShow = [this](TComponent*) { lines.push_back("balloon show"); };
    icon.OnBalloonHintHide = [this](TComponent*) { lines.push_back("balloon hide"); };
    icon.OnBalloonHintTimeout = [this](TComponent*) { lines.push_back("balloon timeout"); };
    icon.OnBalloonHintClick = [this](TComponent*) { lines.push_back("balloon click"); };
  }
  std::vector<std::string> Take() { return std::exchange(lines, {}); }
  std::vector<std::string> lines;
};

using Lines = std::vector<std::string>;

class TrayIconTest : public testing::Test {
 protected:
  TrayIconTest() : icon(std::make_unique<TTrayIcon>(nullptr)) {}
  ~TrayIconTest() override {
    icon.reset();
    Application.ProcessMessages();
  }
  std::unique_ptr<TTrayIcon> icon;
};

TEST_F(TrayIconTest, PublishedDefaults) {
  const struct {
    const char* name;
    std::int64_t value;
  } ordinals[] = {{"Enabled", 1},    {"IconVisible", 0},   {"ShowHint", 1},      {"LeftPopup", 0},
                  {"IconIndex", 0},  {"CycleIcons", 0},    {"CycleInterval", 0}, {"DesignPreview", 0},
                  {"WantEnterExitEvents", 0}, {"MinimizeToTray", 0}};
  for (const auto& o : ordinals) EXPECT_EQ(GetOrdProp(*icon, o.name), o.value) << o.name;
  EXPECT_EQ(GetStrProp(*icon, "Hint"), "");
  EXPECT_FALSE(GetObjectProp(*icon, "PopupMenu"));
  EXPECT_FALSE(GetObjectProp(*icon, "IconList"));
  EXPECT_TRUE(icon->Icon().Empty());
  for (const TPropInfo* event : GetPropList(*icon, {tkMethod}))
    EXPECT_EQ(event->GetOrd(*icon), 0) << event->Name << " assigned";
  EXPECT_EQ(GetPropList(*icon, {tkMethod}).size(), 14u);
  EXPECT_FALSE(icon->LeaveTimerRunning() || icon->CycleTimerRunning() || icon->ClickDelayRunning());
}

TEST_F(TrayIconTest, ShellRequestsCarryTheRecordAndTheCutTip) {
  std::vector<ShellCall> calls;
  RecordShell(*icon, calls);
  TImageList list(nullptr);
  FillList(list, 4);
  icon->SetIconList(&list);
  icon->SetHint(std::string(100, 'a') + std::string(100, 'b'));
  calls.clear();

  EXPECT_TRUE(icon->AddToTray());
  ASSERT_EQ(calls.size(), 1u);
  const ShellCall& add = calls[0];
  EXPECT_EQ(add.message, DWORD{NIM_ADD});
  EXPECT_EQ(add.size, 504u);  // the record of this version in a 64-bit process, not the 32-bit 488
  EXPECT_EQ(add.window, icon->HandlerWindow());
  EXPECT_EQ(add.id, icon->TrayId());
  EXPECT_EQ(add.flags, UINT{NIF_MESSAGE | NIF_ICON | NIF_TIP});
  EXPECT_EQ(add.callback, 2048u);
  EXPECT_TRUE(add.hasIcon);
  EXPECT_EQ(add.tip, std::string(100, 'a') + std::string(27, 'b'));
  EXPECT_EQ(icon->NotifyData().szTip[127], '\0');
  EXPECT_TRUE(ShellHolds(icon->HandlerWindow(), icon->TrayId()));
  EXPECT_FALSE(icon->AddToTray());  // already there

  icon->SetShowHint(false);
  EXPECT_EQ(calls.back().message, DWORD{NIM_MODIFY});
  EXPECT_EQ(calls.back().tip, "");
  icon->SetShowHint(true);
  icon->SetHint("Quendrel");
  EXPECT_EQ(calls.back().tip, "Quendrel");

  icon->SetIconVisible(false);
  EXPECT_EQ(calls.back().message, DWORD{NIM_DELETE});
  EXPECT_FALSE(icon->IconVisible());
  EXPECT_FALSE(ShellHolds(icon->HandlerWindow(), icon->TrayId()));
  EXPECT_FALSE(icon->UpdateTrayIcon());  // nothing to update

  icon->SetIconVisible(true);
  EXPECT_EQ(calls.back().message, DWORD{NIM_ADD});
  EXPECT_TRUE(ShellHolds(icon->HandlerWindow(), icon->TrayId()));
  const HWND window = icon->HandlerWindow();
  const UINT id = icon->TrayId();
  icon.reset();  // a freed icon leaves the notification area
  EXPECT_FALSE(ShellHolds(window, id));
}

TEST_F(TrayIconTest, NotificationTable) {
  struct Case {
    const char* name;
    std::vector<UINT> messages;
    Lines expected;
    bool enabled = true;
    bool dblClickHandler = false;
  };
  const Case cases[] = {
      {"left click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, {"down L", "click", "up L"}},
      {"double click without its handler",
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
       {"down L", "click", "up L", "up L"}},
      {"right click", {WM_RBUTTONDOWN, WM_RBUTTONUP}, {"down R", "up R"}},
      {"middle click", {WM_MBUTTONDOWN, WM_MBUTTONUP}, {"down M", "up M"}},
      {"ignored double clicks", {WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK, WM_CONTEXTMENU, NIN_SELECT}, {}},
      {"move", {WM_MOUSEMOVE}, {"move"}},
      {"balloons",
       {NIN_BALLOONSHOW, NIN_BALLOONHIDE, NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK},
       {"balloon show", "balloon hide", "balloon timeout", "balloon click"}},
      {"disabled", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE}, {}, false},
      {"disabled balloons", {NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK}, {"balloon show", "balloon click"}, false},
      // With a double-click handler the click waits for the double-click time (below).
      {"left click, double click handled", {WM_LBUTTONDOWN, WM_LBUTTONUP}, {"down L", "up L"}, true, true},
      {"double click handled",
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
       {"down L", "up L", "dblclick", "up L"}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto tested = std::make_unique<TTrayIcon>(nullptr);
    EventLog log(*tested);
    tested->SetEnabled(c.enabled);
    if (c.dblClickHandler) tested->OnDblClick = [&log](TComponent*) { log.lines.push_back("dblclick"); };
    for (UINT message : c.messages) Notify(*tested, message);
    EXPECT_EQ(log.Take(), c.expected);
  }
}

TEST_F(TrayIconTest, WithADoubleClickHandlerTheClickComesOneDoubleClickTimeLater) {
  EventLog log(*icon);
  icon->OnDblClick = [&log](TComponent*) { log.lines.push_back("dblclick"); };
  SetDoubleClickTime(100);
  Notify(*icon, WM_LBUTTONDOWN);
  Notify(*icon, WM_LBUTTONUP);
  EXPECT_TRUE(icon->ClickDelayRunning());
  EXPECT_EQ(log.Take(), (Lines{"down L", "up L"}));
  EXPECT_TRUE(PumpUntil([&] { return !log.lines.empty(); }));
  EXPECT_EQ(log.Take(), Lines{"click"});
  EXPECT_FALSE(icon->ClickDelayRunning());

  // A double click suppresses the delayed click.
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Notify(*icon, message);
  PumpFor(250);
  EXPECT_EQ(log.Take(), (Lines{"down L", "up L", "dblclick", "up L"}));
  SetDoubleClickTime(0);  // the system's default again
}

TEST_F(TrayIconTest, EnterAndExitFollowTheCursor) {
  EventLog log(*icon);
  Notify(*icon, WM_MOUSEMOVE);
  EXPECT_EQ(log.Take(), Lines{"move"});  // no enter or exit unless wanted

  icon->SetWantEnterExitEvents(true);
  EXPECT_TRUE(icon->LeaveTimerRunning());
  SetCursorPos(500, 500);
  Notify(*icon, WM_MOUSEMOVE);
  Notify(*icon, WM_MOUSEMOVE);
  PumpFor(60);
  EXPECT_EQ(log.Take(), (Lines{"enter", "move", "move"}));
  SetCursorPos(200, 200);
  EXPECT_TRUE(PumpUntil([&] { return !log.lines.empty(); }));
  EXPECT_EQ(log.Take(), Lines{"exit"});
  Notify(*icon, WM_MOUSEMOVE);
  EXPECT_EQ(log.Take(), (Lines{"enter", "move"}));

  icon->SetWantEnterExitEvents(false);
  EXPECT_FALSE(icon->LeaveTimerRunning());
}

TEST_F(TrayIconTest, MenuOnTheRightButtonOnlyWhenItPopsUpByItself) {
  TPopupMenu menu(nullptr);
  for (const char* caption : {"One", "Two"}) {
    auto* item = new TMenuItem(&menu);  // owned by the menu, hung into its item tree
    item->SetCaption(caption);
    menu.Items().Add(item);
  }
  int popups = 0;
  menu.OnPopup = [&](TComponent*) { ++popups; };
  icon->SetPopupMenu(&menu);
  EventLog log(*icon);
  {
    MenuWatch watch;
    Notify(*icon, WM_RBUTTONDOWN);
    ASSERT_EQ(watch.shown.size(), 1u);  // tracked, and closed again before the notification returned
    EXPECT_EQ(watch.shown[0].captions, (Lines{"One", "Two"}));
  }
  Notify(*icon, WM_RBUTTONUP);
  EXPECT_EQ(log.Take(), (Lines{"down R", "up R"}));
  EXPECT_EQ(menu.PopupComponent(), icon.get());

  Notify(*icon, WM_LBUTTONDOWN);  // not for the left button unless asked
  Notify(*icon, WM_LBUTTONUP);
  EXPECT_EQ(popups, 1);
  icon->SetLeftPopup(true);
  {
    MenuWatch watch;
    Notify(*icon, WM_LBUTTONDOWN);
    EXPECT_EQ(watch.shown.size(), 1u);
  }
  Notify(*icon, WM_LBUTTONUP);
  EXPECT_EQ(popups, 2);

  menu.SetAutoPopup(false);
  Notify(*icon, WM_RBUTTONDOWN);
  Notify(*icon, WM_LBUTTONDOWN);
  EXPECT_EQ(popups, 2);
}

TEST_F(TrayIconTest, DoubleClickChoosesTheFirstDefaultItem) {
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  std::vector<std::string> clicked;
  for (const char* caption : {"One", "Two", "Three"}) {
    auto* item = new TMenuItem(menu.get());
    item->SetCaption(caption);
    item->SetDefault(std::string(caption) != "One");
    item->OnClick = [&clicked, caption](TComponent*) { clicked.push_back(caption); };
    menu->Items().Add(item);
  }
  icon->SetPopupMenu(menu.get());
  Notify(*icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(clicked, Lines{"Two"});

  icon->SetLeftPopup(true);  // the left button belongs to the menu then
  Notify(*icon, WM_LBUTTONDBLCLK);
  icon->SetLeftPopup(false);
  menu->SetAutoPopup(false);
  Notify(*icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(clicked, Lines{"Two"});

  menu.reset();  // a freed menu is forgotten
  EXPECT_EQ(icon->PopupMenu(), nullptr);
  Notify(*icon, WM_LBUTTONDBLCLK);
  Notify(*icon, WM_RBUTTONDOWN);
}

TEST_F(TrayIconTest, ALateNotificationForAFreedIconDoesNothing) {
  auto gone = std::make_unique<TTrayIcon>(nullptr);
  bool clicked = false;
  gone->OnClick = [&](TComponent*) { clicked = true; };
  const HWND window = gone->HandlerWindow();
  const UINT id = gone->TrayId();
  ASSERT_EQ(window, icon->HandlerWindow());  // one window for all icons
  PostMessageA(window, WM_TRAYNOTIFY, id, WM_LBUTTONDOWN);
  PostMessageA(window, WM_TRAYNOTIFY, id, WM_LBUTTONUP);
  gone.reset();
  TTrayIcon newcomer(nullptr);
  newcomer.OnClick = [&](TComponent*) { clicked = true; };
  EXPECT_NE(newcomer.TrayId(), id);
  PumpFor(20);
  SendMessageA(window, WM_TRAYNOTIFY, id, WM_LBUTTONDOWN);
  SendMessageA(window, WM_TRAYNOTIFY, id, WM_LBUTTONUP);
  EXPECT_FALSE(clicked);
}

TEST_F(TrayIconTest, HandlerWindowLivesFromTheFirstIconToTheLast) {
  const HWND window = icon->HandlerWindow();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(TTrayIconHandler::ClientCount(), 1u);
  auto second = std::make_unique<TTrayIcon>(nullptr);
  EXPECT_EQ(TTrayIconHandler::ClientCount(), 2u);
  EXPECT_EQ(second->HandlerWindow(), window);
  EXPECT_NE(second->TrayId(), icon->TrayId());
  // A close request does not close it.
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 1);

  icon.reset();
  EXPECT_TRUE(IsWindow(window));
  second.reset();
  EXPECT_EQ(TTrayIconHandler::ClientCount(), 0u);
  EXPECT_EQ(TTrayIconHandler::Shared(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(TSimpleTimer::TimerCount(), 0u);  // the icons' timers went with them

  icon = std::make_unique<TTrayIcon>(nullptr);
  EXPECT_TRUE(IsWindow(icon->HandlerWindow()));
  EXPECT_EQ(TSimpleTimer::TimerCount(), 3u);
}

TEST_F(TrayIconTest, IconIndexFollowsTheListAndTheImageChanges) {
  icon->SetIconIndex(5);
  EXPECT_EQ(icon->IconIndex(), 0);  // no list
  TImageList list(nullptr);
  FillList(list, 4);
  std::vector<ShellCall> calls;
  RecordShell(*icon, calls);
  icon->SetIconList(&list);
  EXPECT_FALSE(icon->Icon().Empty());
  const struct {
    int32_t set;
    int32_t expected;
  } cases[] = {{2, 2}, {7, 3}, {3, 3}, {0, 0}, {-1, -1}};
  for (const auto& c : cases) {
    calls.clear();
    icon->SetIconIndex(c.set);
    EXPECT_EQ(icon->IconIndex(), c.expected) << c.set;
    EXPECT_EQ(calls.size(), 1u) << c.set;  // one update per change
  }
  // Each index shows its own image.
  icon->SetIconIndex(0);
  TIcon first;
  first.Assign(icon->Icon());
  icon->SetIconIndex(1);
  TBitmap a, b;
  a.SetSize(16, 16);
  b.SetSize(16, 16);
  RECT cell{0, 0, 16, 16};
  first.Draw(a.Canvas(), cell);
  const_cast<TIcon&>(icon->Icon()).Draw(b.Canvas(), cell);
  EXPECT_NE(a.Canvas().Pixel(8, 8), b.Canvas().Pixel(8, 8));

  // Every change frees the image it replaces.
  const DWORD gdiBefore = GdiObjectCount();
  for (int i = 0; i < 200; ++i) icon->SetIconIndex(i % 4);
  EXPECT_EQ(GdiObjectCount(), gdiBefore);

  TImageList empty(nullptr);
  icon->SetIconList(&empty);
  icon->SetIconIndex(2);
  EXPECT_EQ(icon->IconIndex(), -1);
  icon->SetIconList(&list);
  icon->SetIconIndex(3);
}

TEST_F(TrayIconTest, AFreedImageListIsForgotten) {
  auto list = std::make_unique<TImageList>(nullptr);
  FillList(*list, 4);
  icon->SetIconList(list.get());
  icon->SetIconIndex(2);
  list.reset();
  EXPECT_EQ(icon->IconList(), nullptr);
  EXPECT_EQ(icon->IconIndex(), 0);
  icon->SetIconIndex(3);
  EXPECT_EQ(icon->IconIndex(), 0);
}

TEST_F(TrayIconTest, CyclingStepsThroughTheList) {
  TImageList list(nullptr);
  FillList(list, 4);
  icon->SetIconList(&list);
  icon->SetIconIndex(2);
  std::vector<int32_t> next, shown;
  icon->OnCycle = [&](TComponent*, int32_t nextIndex) {
    next.push_back(nextIndex);
    shown.push_back(icon->IconIndex());
  };
  icon->SetCycleIcons(true);
  EXPECT_EQ(icon->IconIndex(), 0);
  EXPECT_FALSE(icon->CycleTimerRunning());  // interval 0 never ticks
  icon->SetCycleInterval(20);
  EXPECT_TRUE(icon->CycleTimerRunning());
  EXPECT_TRUE(PumpUntil([&] { return next.size() >= 6; }));
  icon->SetCycleIcons(false);
  EXPECT_FALSE(icon->CycleTimerRunning());
  next.resize(6);
  shown.resize(6);
  EXPECT_EQ(shown, (std::vector<int32_t>{0, 1, 2, 3, 0, 1}));
  EXPECT_EQ(next, (std::vector<int32_t>{1, 2, 3, 0, 1, 2}));
}

// The owner form is the main window here; the application's window carries its taskbar button.
class TrayOwnerTest : public testing::Test {
 protected:
  TrayOwnerTest() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    icon = new TTrayIcon(form.get());  // owned by the form
  }
  ~TrayOwnerTest() override {
    form.reset();
    Application.ProcessMessages();
  }
  std::unique_ptr<TForm> form;
  TTrayIcon* icon;
};

TEST_F(TrayOwnerTest, MinimizingTheApplicationGoesToTheTray) {
  icon->SetMinimizeToTray(true);
  form->Show();
  Application.ShowTaskbarWindow();
  Application.Minimize();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(IsWindowVisible(Application.Handle()));
  EXPECT_TRUE(icon->IconVisible());
  EXPECT_TRUE(ShellHolds(icon->HandlerWindow(), icon->TrayId()));

  // The click handler of the program restores the window in front, at normal size.
  icon->OnClick = [this](TComponent*) { icon->RestoreMainWindow(); };
  Notify(*icon, WM_LBUTTONDOWN);
  Notify(*icon, WM_LBUTTONUP);
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(IsIconic(Application.Handle()));
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_EQ(GetForegroundWindow(), form->Handle());
}

TEST_F(TrayOwnerTest, MinimizeWithoutTheSettingStaysOnTheTaskbar) {
  form->Show();
  Application.ShowTaskbarWindow();
  Application.Minimize();
  EXPECT_TRUE(IsWindowVisible(Application.Handle()));
  EXPECT_FALSE(icon->IconVisible());
  icon->RestoreMainWindow();
  EXPECT_FALSE(IsIconic(Application.Handle()));
}

TEST_F(TrayOwnerTest, TheOwnerWindowsMinimizeWithAHandlerGoesStraightToTheTray) {
  int events = 0;
  icon->SetMinimizeToTray(true);
  icon->OnMinimizeToTray = [&](TComponent*) { ++events; };
  form->Show();
  EXPECT_EQ(SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(events, 1);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(icon->IconVisible());
  EXPECT_FALSE(IsIconic(Application.Handle()));  // answered here; the application never minimized
}

TEST_F(TrayOwnerTest, TaskbarCreatedAddsAVisibleIconAgain) {
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  icon->SetIconVisible(true);
  // The shell restarted and forgot every icon.
  NOTIFYICONDATAA forget{};
  forget.cbSize = NOTIFYICONDATAA_V2_SIZE;
  forget.hWnd = icon->HandlerWindow();
  forget.uID = icon->TrayId();
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
  SendMessageA(Application.Handle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(ShellHolds(icon->HandlerWindow(), icon->TrayId()));

  icon->SetIconVisible(false);
  SendMessageA(Application.Handle(), taskbarCreated, 0, 0);
  EXPECT_FALSE(ShellHolds(icon->HandlerWindow(), icon->TrayId()));
}

TEST_F(TrayOwnerTest, LoadingWithTheFormShowsTheIconAtTheEnd) {
  std::vector<ShellCall> calls;
  auto* loaded = new TTrayIcon(nullptr);
  RecordShell(*loaded, calls);
  form->InsertComponent(loaded);
  loaded->BeginLoading();
  loaded->SetIconVisible(true);
  loaded->SetHint("Loading");
  EXPECT_TRUE(calls.empty() || calls.back().message == DWORD{NIM_MODIFY});
  bool asked = false;
  loaded->OnStartup = [&](TComponent*, bool& show) {
    asked = true;
    EXPECT_TRUE(show);
    show = false;
  };
  form->Show();
  loaded->EndLoading();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(Application.ShowMainForm());
  EXPECT_FALSE(form->Visible());
  std::vector<DWORD> messages;
  for (const ShellCall& call : calls) messages.push_back(call.message);
  ASSERT_GE(messages.size(), 3u);
  EXPECT_EQ(messages.back(), DWORD{NIM_SETVERSION});
  EXPECT_EQ(messages[messages.size() - 2], DWORD{NIM_ADD});
  EXPECT_TRUE(ShellHolds(loaded->HandlerWindow(), loaded->TrayId()));
  Application.SetShowMainForm(true);
  delete loaded;  // while the record of its calls lives
}

TEST_F(TrayOwnerTest, IconsAndHooksGoInAnyOrder) {
  auto* second = new TTrayIcon(form.get());
  second->SetMinimizeToTray(true);
  int events = 0;
  second->OnMinimizeToTray = [&](TComponent*) { ++events; };
  delete icon;  // the first hook goes first
  icon = nullptr;
  form->Show();
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(events, 1);
  delete second;
  form->Show();
  // Nothing of the icons is left on the form's messages.
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(events, 1);
  // Nor on the application's: its minimize leaves the form to the system.
  form->Show();
  Application.Minimize();
  EXPECT_TRUE(form->Visible());
  Application.Restore();
}

}  // namespace
}  // namespace quendrel::test
