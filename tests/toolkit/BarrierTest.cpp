// Exceptions thrown in our handlers, whichever window procedure of ours the system called, end in
// the application's error handler, and the program goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/Timer.h"
#include "tests/support/ErrorBox.h"
#include "tests/support/Pump.h"

namespace quendrel::toolkit {
namespace {

using test::AllowErrorBox;
using test::CapturedErrors;
using test::PumpUntil;

TForm* NewForm(TComponent* owner) {
  auto* form = new TForm(owner);
  form->SetBorderStyle(bsNone);
  form->SetBounds(60, 60, 120, 80);
  return form;
}

TEST(BarrierTest, EveryKindOfWindowProcedureStopsExceptions) {
  struct Case {
    const char* kind;
    // Sets up a failing handler and makes the system call it; returns a check that the window
    // still answers afterwards.
    std::function<std::function<bool()>(TComponent& owner)> fail;
  } cases[] = {
      {"control",
       [](TComponent& owner) -> std::function<bool()> {
         TForm* form = NewForm(&owner);
         auto hook = std::make_shared<TWndHookOwner>(form->HookWindowProc([](TMessage& message, const TWndNext& next) {
           if (message.Msg == WM_APP) throw std::runtime_error("control");
           if (message.Msg == WM_APP + 1) {
             message.Result = 5;
             return;
           }
           next(message);
         }));
         SendMessageA(form->Handle(), WM_APP, 0, 0);
         return [form, hook] { return SendMessageA(form->Handle(), WM_APP + 1, 0, 0) == 5; };
       }},
      {"timer",
       [](TComponent& owner) -> std::function<bool()> {
         auto* timer = new TTimer(&owner);
         timer->SetInterval(10);
         auto ticks = std::make_shared<int>(0);
         timer->OnTimer = [ticks](TComponent*) {
           if (++*ticks == 1) throw std::runtime_error("timer");
         };
         PumpUntil([ticks] { return *ticks >= 1; });
         return [ticks] { return PumpUntil([ticks] { return *ticks >= 3; }); };
       }},
      {"application window",
       [](TComponent&) -> std::function<bool()> {
         const int hook = Application.HookMainWindow([](TMessage& message) {
           if (message.Msg == WM_APP) throw std::runtime_error("application window");
           return false;
         });
         SendMessageA(Application.Handle(), WM_APP, 0, 0);
         Application.UnhookMainWindow(hook);
         return [] { return IsWindow(Application.Handle()) && SendMessageA(Application.Handle(), WM_APP, 0, 0) == 0; };
       }},
      {"popup menu window",
       [](TComponent& owner) -> std::function<bool()> {
         auto* menu = new TPopupMenu(&owner);
         auto* item = new TMenuItem(&owner);
         item->OnMeasureItem = [](TMenuItem*, TCanvas&, int&, int&) { throw std::runtime_error("popup menu window"); };
         menu->Items().Add(item);
         MEASUREITEMSTRUCT measure{ODT_MENU, 0, 1, 0, 0, reinterpret_cast<ULONG_PTR>(item)};
         SendMessageA(menu->WindowHandle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
         return [menu] { return IsWindow(menu->WindowHandle()) != FALSE; };
       }},
      {"painting",
       [](TComponent& owner) -> std::function<bool()> {
         TForm* form = NewForm(&owner);
         auto paints = std::make_shared<int>(0);
         form->OnPaint = [paints](TComponent*) {
           if (++*paints == 1) throw std::runtime_error("painting");
         };
         form->Show();
         UpdateWindow(form->Handle());
         // The failed paint left no invalid region behind: no WM_PAINT (and no error) again and again.
         return [form, paints] {
           Application.ProcessMessages();
           RECT update;
           const bool clean = GetUpdateRect(form->Handle(), &update, FALSE) == FALSE && *paints == 1;
           InvalidateRect(form->Handle(), nullptr, TRUE);
           UpdateWindow(form->Handle());
           return clean && *paints == 2;
         };
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TComponent owner(nullptr);
    CapturedErrors errors;
    const std::function<bool()> goesOn = c.fail(owner);
    EXPECT_EQ(errors.Texts(), std::vector<std::string>{c.kind});
    EXPECT_TRUE(goesOn());
    EXPECT_EQ(errors.Texts().size(), 1u);
  }
}

TEST(BarrierTest, GuardedReturnsTheFallbackAfterTheErrorHandler) {
  CapturedErrors errors;
  EXPECT_EQ(Guarded([]() -> long { throw std::runtime_error("sink"); }, long{E_FAIL}), long{E_FAIL});
  EXPECT_EQ(Guarded([] { return 7; }, -1), 7);
  Guarded([] { throw std::logic_error("void"); });
  EXPECT_EQ(errors.Texts(), (std::vector<std::string>{"sink", "void"}));
}

BOOL CALLBACK CountMessageBox(HWND window, LPARAM counter) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770" && IsWindowVisible(window)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// The boxes of this thread that are up now.
int CountMessageBoxes() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountMessageBox, reinterpret_cast<LPARAM>(&count));
  return count;
}

struct BoxWatch {
  int mostBoxes = 0;
  TTimer* failing = nullptr;
  int* ticks = nullptr;
};
BoxWatch* gWatch = nullptr;

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770") PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK WatchBoxes(HWND, UINT, UINT_PTR, DWORD) {
  const int boxes = CountMessageBoxes();
  gWatch->mostBoxes = std::max(gWatch->mostBoxes, boxes);
  if (boxes > 0 && *gWatch->ticks >= 6) {
    // Enough failures arrived while the box was up: stop them and answer the box.
    gWatch->failing->SetEnabled(false);
    EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
  }
}

TEST(BarrierTest, OneErrorBoxAtATimeFromATimerThatKeepsFailing) {
  TComponent owner(nullptr);
  int ticks = 0;
  auto* failing = new TTimer(&owner);
  failing->SetInterval(25);
  failing->OnTimer = [&ticks](TComponent*) {
    ++ticks;
    throw std::runtime_error("Failed to get data for 'checked'");
  };
  AllowErrorBox box;
  BoxWatch watch{0, failing, &ticks};
  gWatch = &watch;
  const UINT_PTR watcher = SetTimer(nullptr, 0, 40, WatchBoxes);
  const bool stopped = PumpUntil([&] { return !failing->Enabled(); }, 5000);
  KillTimer(nullptr, watcher);
  gWatch = nullptr;
  EXPECT_TRUE(stopped);
  EXPECT_GE(ticks, 6);
  EXPECT_EQ(watch.mostBoxes, 1);
  EXPECT_EQ(CountMessageBoxes(), 0);
}

}  // namespace
}  // namespace quendrel::toolkit
