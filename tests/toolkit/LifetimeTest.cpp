// When forms go: released forms outlive every message they are handling; a form's window goes
// while the whole object is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"
#include "tests/support/Pump.h"

namespace quendrel::toolkit {
namespace {

using test::PumpFor;
using test::PumpUntil;

// A form that notes when it is gone and what reached it after that.
class Watched : public TForm {
public:
  Watched(TComponent* owner, std::vector<std::string>& log) : TForm(owner), log_(log) {
    SetBorderStyle(bsNone);
    SetBounds(30, 30, 160, 90);
    OnDestroy = [this](TComponent*) { log_.push_back("destroy " + std::to_string(alive_)); };
    OnDeactivate = [this](TComponent*) { log_.push_back("deactivate " + std::to_string(alive_)); };
  }
  ~Watched() override {
    alive_ = 0;
    log_.push_back("~Watched");
  }

private:
  std::vector<std::string>& log_;
  int alive_ = 1;  // 0 once the derived part is gone
};

TEST(LifetimeTest, AHookStillRunsAfterTheReleaseMessageItPassedOn) {
  TComponent owner(nullptr);
  std::vector<std::string> log;
  auto* form = new Watched(&owner, log);
  auto* panel = new TPanel(&owner);
  panel->SetParent(form);
  TWndHookOwner hook = form->HookWindowProc([&log, form](TMessage& message, const TWndNext& next) {
    next(message);
    // After the form handled CM_RELEASE: still whole, its members still readable.
    if (message.Msg == CM_RELEASE) log.push_back("after release " + std::to_string(form->ControlCount()));
  });
  form->Show();
  form->Release();
  EXPECT_TRUE(PumpUntil([&] { return owner.ComponentCount() == 1; }));
  EXPECT_EQ(log, (std::vector<std::string>{"after release 1", "destroy 1", "~Watched"}));
  EXPECT_FALSE(hook.Installed());
}

TEST(LifetimeTest, AFormReleasedWhileOneOfItsControlsHandlesAMessageWaitsForIt) {
  TComponent owner(nullptr);
  std::vector<std::string> log;
  auto* form = new Watched(&owner, log);
  auto* panel = new TPanel(&owner);
  panel->SetParent(form);
  form->Show();
  // The panel's handler lets the queue run (as a long check does), and the release comes through.
  TWndHookOwner hook = panel->HookWindowProc([&](TMessage& message, const TWndNext& next) {
    if (message.Msg == WM_APP) {
      form->Release();
      Application.ProcessMessages();
      log.push_back("handler done " + std::to_string(panel->Width()));
      return;
    }
    next(message);
  });
  panel->SetWidth(77);
  SendMessageA(panel->Handle(), WM_APP, 0, 0);
  Application.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"handler done 77", "destroy 1", "~Watched"}));
}

TEST(LifetimeTest, ATimerMayFreeItsOwnForm) {
  struct Case {
    const char* name;
    std::function<void(TForm*)> end;
  } cases[] = {
      {"closing with caFree", [](TForm* form) { form->Close(); }},
      {"releasing", [](TForm* form) { form->Release(); }},
      {"freeing at once", [](TForm* form) { form->Free(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TComponent owner(nullptr);
    std::vector<std::string> log;
    auto* form = new Watched(&owner, log);
    form->OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };
    auto* timer = new TTimer(form);  // owned by the form: it goes with it
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&ticks, &c, form](TComponent*) {
      ++ticks;
      c.end(form);
    };
    form->Show();
    EXPECT_TRUE(PumpUntil([&] { return owner.ComponentCount() == 0; }));
    PumpFor(60);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"destroy 1", "~Watched"}));
  }
}

TEST(LifetimeTest, NoEventReachesAHalfDestroyedForm) {
  using Holder = std::unique_ptr<TComponent>;
  struct Case {
    const char* name;
    std::function<void(Watched*, Holder&)> free;
    bool destroyEvent;
  } cases[] = {
      {"freed by its owner", [](Watched*, Holder& holder) { holder.reset(); }, true},
      {"Free()", [](Watched* form, Holder&) { form->Free(); }, true},
      {"unique_ptr with TComponentDeleter",
       [](Watched* form, Holder& holder) {
         std::unique_ptr<TComponent, TComponentDeleter> held(holder->RemoveComponent(form).release());
       },
       true},
      // A plain delete cannot reach the whole object any more: the window goes silently.
      {"plain delete", [](Watched* form, Holder&) { delete form; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TComponent owner(nullptr);
    auto* other = new TForm(&owner);
    other->SetBounds(300, 30, 100, 50);
    other->Show();
    Holder holder = std::make_unique<TComponent>(nullptr);
    std::vector<std::string> log;
    auto* form = new Watched(holder.get(), log);
    form->Show();
    SetActiveWindow(form->Handle());
    log.clear();
    const HWND hwnd = form->Handle();
    c.free(form, holder);
    EXPECT_FALSE(IsWindow(hwnd));
    for (const std::string& entry : log) EXPECT_EQ(entry.find(" 0"), std::string::npos) << entry;
    EXPECT_EQ(log.back(), "~Watched");
    EXPECT_EQ(std::count(log.begin(), log.end(), "destroy 1"), c.destroyEvent ? 1 : 0);
  }
}

}  // namespace
}  // namespace quendrel::toolkit
