// Real window messages: timers, nested message handling, mouse enter/leave, clicks, closing.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"
#include "toolkit/WindowClass.h"
#include "tests/support/ErrorBox.h"
#include "tests/support/Pump.h"

namespace quendrel::toolkit {
namespace {

using test::PumpFor;
using test::PumpUntil;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TForm* NewForm(TComponent* owner) {
  auto* form = new TForm(owner);
  form->SetBorderStyle(bsNone);
  form->SetBounds(50, 50, 300, 200);
  return form;
}

TEST(MessagesTest, TimersTickOnlyWhenEnabledWithAnInterval) {
  TComponent owner(nullptr);
  int ticks[3] = {0, 0, 0};
  TTimer* timers[3];
  for (int i = 0; i < 3; ++i) {
    timers[i] = new TTimer(&owner);
    timers[i]->SetInterval(20);
    timers[i]->OnTimer = [&ticks, i](TComponent*) { ++ticks[i]; };
  }
  timers[1]->SetInterval(0);
  timers[2]->SetEnabled(false);
  EXPECT_TRUE(PumpUntil([&] { return ticks[0] >= 3; }, 20000));
  PumpFor(100);
  EXPECT_EQ(ticks[1], 0);
  EXPECT_EQ(ticks[2], 0);
  timers[0]->SetEnabled(false);
  const int stoppedAt = ticks[0];
  PumpFor(100);
  EXPECT_EQ(ticks[0], stoppedAt);
}

TEST(MessagesTest, NestedProcessMessagesHandlesEachMessageOnce) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  std::vector<int> handled;
  int depth = 0;
  int deepest = 0;
  TWndHookOwner hook = form->HookWindowProc([&](TMessage& message, const TWndNext& next) {
    if (message.Msg == WM_APP) {
      handled.push_back(static_cast<int>(message.WParam));
      ++depth;
      deepest = std::max(deepest, depth);
      // The first message lets the queue run from inside its handler, as a long check does.
      if (message.WParam == 0) Application.ProcessMessages();
      --depth;
      return;
    }
    next(message);
  });
  for (int i = 0; i < 5; ++i) PostMessageA(form->Handle(), WM_APP, i, 0);
  Application.ProcessMessages();
  EXPECT_EQ(handled, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(deepest, 2);
}

// A graphic control that counts what reaches it.
class Spot : public TGraphicControl {
public:
  explicit Spot(TComponent* owner) : TGraphicControl(owner) {
    OnMouseEnter = [this](TComponent*) { ++enters; };
    OnMouseLeave = [this](TComponent*) { ++leaves; };
    OnClick = [this](TComponent*) { ++clicks; };
  }
  int enters = 0;
  int leaves = 0;
  int clicks = 0;
};

TEST(MessagesTest, GraphicChildrenGetEnterLeaveAndClicksFromTheirParent) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  auto* spot = new Spot(&owner);
  spot->SetBounds(20, 20, 40, 30);
  spot->SetParent(form);
  form->Show();
  HWND hwnd = form->Handle();
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_EQ(spot->enters, 0);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(30, 30));
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(31, 30));
  EXPECT_EQ(spot->enters, 1);
  EXPECT_TRUE(spot->MouseInControl());
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 30));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, At(32, 31));
  EXPECT_EQ(spot->clicks, 1);
  // Released outside the control: no click.
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 30));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, At(200, 150));
  EXPECT_EQ(spot->clicks, 1);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(200, 150));
  EXPECT_EQ(spot->leaves, 1);
  EXPECT_FALSE(spot->MouseInControl());
  // Leaving the window altogether also leaves the child.
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(30, 30));
  SendMessageA(hwnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(spot->enters, 2);
  EXPECT_EQ(spot->leaves, 2);
}

TEST(MessagesTest, WindowedControlsGetEnterAndLeaveMessages) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  auto* panel = new TPanel(&owner);
  panel->SetBounds(10, 10, 100, 50);
  panel->SetParent(form);
  form->Show();
  std::vector<UINT> seen;
  TWndHookOwner hook = panel->HookWindowProc([&](TMessage& message, const TWndNext& next) {
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) seen.push_back(message.Msg);
    next(message);
  });
  SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
  SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, At(6, 5));
  SendMessageA(panel->Handle(), WM_MOUSELEAVE, 0, 0);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], CM_MOUSEENTER);
  EXPECT_EQ(seen[1], CM_MOUSELEAVE);
  EXPECT_FALSE(panel->MouseInControl());
}

TEST(MessagesTest, CloseActionsDecideWhatHappensToTheForm) {
  TComponent owner(nullptr);
  struct Case {
    TCloseAction action;
    bool visibleAfter;
    bool freedAfter;
  } cases[] = {{caNone, true, false}, {caHide, false, false}, {caFree, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.action));
    TForm* form = NewForm(&owner);
    bool freed = false;
    form->OnDestroy = [&freed](TComponent*) { freed = true; };
    form->OnClose = [&c](TComponent*, TCloseAction& action) { action = c.action; };
    form->Show();
    HWND hwnd = form->Handle();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    Application.ProcessMessages();  // caFree frees from the message loop
    EXPECT_EQ(freed, c.freedAfter);
    EXPECT_EQ(IsWindow(hwnd) != FALSE, !c.freedAfter);
    if (!freed) {
      EXPECT_EQ(form->Visible(), c.visibleAfter);
      EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, c.visibleAfter);
      delete form;
    }
  }
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(MessagesTest, ExceptionsInHandlersEndInTheApplicationsErrorHandler) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  auto* spot = new Spot(&owner);
  spot->SetBounds(0, 0, 50, 50);
  spot->SetParent(form);
  spot->OnClick = [](TComponent*) { throw std::runtime_error("Failed to get data for 'checktime'"); };
  test::CapturedErrors errors;
  SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageA(form->Handle(), WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"Failed to get data for 'checktime'"});
}

TEST(MessagesTest, MinimizingTheMainFormMinimizesTheApplicationWindowSeenByItsHooks) {
  auto* form = Application.CreateForm<TForm>();
  ASSERT_EQ(Application.MainForm(), form);
  form->SetBounds(50, 50, 200, 100);
  form->Show();
  int minimizedSizes = 0;
  int restores = 0;
  const int hook = Application.HookMainWindow([&minimizedSizes](TMessage& message) {
    if (message.Msg == WM_SIZE && message.WParam == SIZE_MINIMIZED) ++minimizedSizes;
    return false;
  });
  int minimizeEvents = 0;
  Application.OnMinimize = [&minimizeEvents](TComponent*) { ++minimizeEvents; };
  Application.OnRestore = [&restores](TComponent*) { ++restores; };
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Application.ProcessMessages();
  EXPECT_TRUE(IsIconic(Application.Handle()));
  EXPECT_EQ(minimizedSizes, 1);
  EXPECT_EQ(minimizeEvents, 1);
  SendMessageA(Application.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Application.ProcessMessages();
  EXPECT_FALSE(IsIconic(Application.Handle()));
  EXPECT_EQ(restores, 1);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  Application.UnhookMainWindow(hook);
  Application.OnMinimize = nullptr;
  Application.OnRestore = nullptr;
  delete form;
  EXPECT_EQ(Application.MainForm(), nullptr);
}

TEST(MessagesTest, PopupFormsShowWithoutTakingTheActivation) {
  TComponent owner(nullptr);
  TForm* main = NewForm(&owner);
  main->Show();
  SetActiveWindow(main->Handle());
  ASSERT_EQ(GetActiveWindow(), main->Handle());
  TForm* popup = NewForm(&owner);
  int shows = 0;
  popup->OnShow = [&shows](TComponent*) { ++shows; };
  popup->ShowNoActivate();
  EXPECT_TRUE(popup->Visible());
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(GetActiveWindow(), main->Handle());
}

TEST(MessagesTest, OnMessageSeesQueuedMessagesBeforeDispatchAndMayDropThem) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  std::vector<std::string> order;
  TWndHookOwner hook = form->HookWindowProc([&order](TMessage& message, const TWndNext& next) {
    if (message.Msg == WM_APP) order.push_back("form " + std::to_string(message.WParam));
    next(message);
  });
  Application.OnMessage = [&order](MSG& msg, bool& handled) {
    if (msg.message != WM_APP) return;
    order.push_back("loop " + std::to_string(msg.wParam));
    handled = msg.wParam == 2;  // the way Alt+Space is taken from a skinned form
  };
  for (int i = 1; i <= 3; ++i) PostMessageA(form->Handle(), WM_APP, i, 0);
  Application.ProcessMessages();
  Application.OnMessage = nullptr;
  EXPECT_EQ(order, (std::vector<std::string>{"loop 1", "form 1", "loop 2", "loop 3", "form 3"}));
}

TEST(MessagesTest, AClassNameKeepsTheStylesItWasRegisteredWith) {
  const WNDPROC proc = DefWindowProcA;
  RegisterWindowClass({.Name = "Quendrel.StyleTest", .Proc = proc, .Style = CS_DBLCLKS});
  EXPECT_NO_THROW(RegisterWindowClass({.Name = "Quendrel.StyleTest", .Proc = proc, .Style = CS_DBLCLKS}));
  EXPECT_THROW(RegisterWindowClass({.Name = "Quendrel.StyleTest", .Proc = proc, .Style = CS_DBLCLKS | CS_DROPSHADOW}),
               std::logic_error);
}

TEST(MessagesTest, ReplacedWindowProcSeesNonClientMessages) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  form->Show();
  // The way a skinned frame takes over hit-testing: answer some, pass the rest on.
  TWndHookOwner hook = form->HookWindowProc([](TMessage& message, const TWndNext& next) {
    if (message.Msg == WM_NCHITTEST) {
      message.Result = HTCAPTION;
      return;
    }
    next(message);
  });
  EXPECT_EQ(SendMessageA(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(60, 60)), HTCAPTION);
  hook.Remove();
  EXPECT_EQ(SendMessageA(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(60, 60)), HTCLIENT);
}

}  // namespace
}  // namespace quendrel::toolkit
