// The hook chains of a control's messages and of the application (its window, its message loop):
// order, removal in any order and at any time, and what survives a new window.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace quendrel::toolkit {
namespace {

constexpr UINT kProbe = WM_APP + 7;

TForm* NewForm(TComponent* owner) {
  auto* form = new TForm(owner);
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, 200, 120);
  return form;
}

// Hooks that write their name into `seen` for kProbe and pass everything on.
TWndHookOwner Recording(TControl& control, std::string& seen, char name) {
  return control.HookWindowProc([&seen, name](TMessage& message, const TWndNext& next) {
    if (message.Msg == kProbe) seen += name;
    next(message);
  });
}

LRESULT Probe(TWinControl& control) { return SendMessageA(control.Handle(), kProbe, 0, 0); }

// Removes the hooks named A, B, C in the given order; after each removal the probe must reach
// exactly the others, newest first.
template <class Hook>
void ExpectRemovalsLeaveTheOthers(std::array<Hook, 3>& hooks, const std::array<int, 3>& order, std::string& seen,
                                  const std::function<void()>& probe) {
  std::string installed = "CBA";  // newest first
  probe();
  EXPECT_EQ(seen, installed);
  for (int index : order) {
    hooks[static_cast<size_t>(index)].Remove();
    EXPECT_FALSE(hooks[static_cast<size_t>(index)].Installed());
    std::erase(installed, char('A' + index));
    seen.clear();
    probe();
    EXPECT_EQ(seen, installed);
  }
}

TEST(WindowHooksTest, HooksRemovedInAnyOrderLeaveExactlyTheOthers) {
  std::array<int, 3> order{0, 1, 2};
  do {
    SCOPED_TRACE(std::string(1, char('A' + order[0])) + char('A' + order[1]) + char('A' + order[2]));
    TComponent owner(nullptr);
    TForm* form = NewForm(&owner);
    std::string seen;
    std::array<TWndHookOwner, 3> hooks{Recording(*form, seen, 'A'), Recording(*form, seen, 'B'),
                                       Recording(*form, seen, 'C')};
    ExpectRemovalsLeaveTheOthers(hooks, order, seen, [form] { Probe(*form); });
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(WindowHooksTest, HooksAnswerMessagesAndSeePerform) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  std::string seen;
  TWndHookOwner inner = Recording(*form, seen, 'i');
  TWndHookOwner answering = form->HookWindowProc([](TMessage& message, const TWndNext& next) {
    if (message.Msg == kProbe) {
      message.Result = 42;  // answered: older hooks and the form never see it
      return;
    }
    next(message);
  });
  EXPECT_EQ(Probe(*form), 42);
  EXPECT_EQ(form->Perform(kProbe), 42);
  EXPECT_EQ(seen, "");
  answering = TWndHookOwner();  // assigning over an owner removes its hook
  EXPECT_EQ(form->Perform(kProbe), 0);
  EXPECT_EQ(seen, "i");
}

TEST(WindowHooksTest, HooksRemovedWhileTheChainHandlesAMessage) {
  struct Case {
    const char* name;
    char remover;     // the hook that removes
    char removed;     // the hook it removes
    const char* first;   // seen during the message that removes
    const char* second;  // seen by the next message
  } cases[] = {
      {"itself, then passes on", 'B', 'B', "CBA", "CA"},
      {"an older one not reached yet", 'C', 'A', "CB", "CB"},
      {"a newer one that already ran", 'A', 'C', "CBA", "BA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TComponent owner(nullptr);
    TForm* form = NewForm(&owner);
    std::string seen;
    std::array<TWndHookOwner, 3> hooks;
    for (size_t i = 0; i < hooks.size(); ++i) {
      const char name = static_cast<char>('A' + i);
      hooks[i] = form->HookWindowProc([&seen, &hooks, &c, name](TMessage& message, const TWndNext& next) {
        if (message.Msg == kProbe) {
          if (name == c.remover) hooks[static_cast<size_t>(c.removed - 'A')].Remove();
          // The hook's own callable stays alive until it returns, even when it removed itself.
          seen += name;
        }
        next(message);
      });
    }
    Probe(*form);
    EXPECT_EQ(seen, c.first);
    seen.clear();
    Probe(*form);
    EXPECT_EQ(seen, c.second);
  }
}

TEST(WindowHooksTest, HooksInstalledWhileHandlingSeeTheNextMessage) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  std::string seen;
  TWndHookOwner late;
  TWndHookOwner installer = form->HookWindowProc([&](TMessage& message, const TWndNext& next) {
    if (message.Msg == kProbe && !late.Installed()) late = Recording(*form, seen, 'L');
    next(message);
  });
  Probe(*form);
  EXPECT_EQ(seen, "");
  Probe(*form);
  EXPECT_EQ(seen, "L");
}

TEST(WindowHooksTest, ARecreatedFormKeepsItsHooks) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  form->Show();
  std::string seen;
  TWndHookOwner first = Recording(*form, seen, '1');
  HWND recreatedAs = nullptr;
  TWndHookOwner notified = form->HookWindowProc([&](TMessage& message, const TWndNext& next) {
    if (message.Msg == CM_RECREATEWND) recreatedAs = form->Handle();
    next(message);
  });
  TWndHookOwner hitTest = form->HookWindowProc([](TMessage& message, const TWndNext& next) {
    next(message);
    if (message.Msg == WM_NCHITTEST && message.Result == HTCLIENT) message.Result = HTCAPTION;
  });
  const HWND before = form->Handle();
  form->SetBorderStyle(bsDialog);  // a new window
  ASSERT_NE(form->Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(recreatedAs, form->Handle());  // told once the new window is there
  Probe(*form);
  EXPECT_EQ(seen, "1");
  EXPECT_EQ(SendMessageA(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(100, 100)), HTCAPTION);
  EXPECT_TRUE(form->Visible());
}

TEST(WindowHooksTest, OwnersMayOutliveTheControl) {
  std::string seen;
  TWndHookOwner hook;
  {
    TComponent owner(nullptr);
    TForm* form = NewForm(&owner);
    hook = Recording(*form, seen, 'x');
    Probe(*form);
  }
  EXPECT_EQ(seen, "x");
  EXPECT_FALSE(hook.Installed());
  hook.Remove();  // nothing left to remove
}


// The application's two chains behind one face. A hook runs its probe action for kProbe; true from
// the action answers the message.
struct AppChain {
  const char* name;
  THookOwner (*install)(std::function<bool()> onProbe);
  void (*probe)();
};

const AppChain kAppChains[] = {
    {"application window",
     [](std::function<bool()> onProbe) {
       return Application.HookMainWindow([onProbe](TMessage& message) { return message.Msg == kProbe && onProbe(); });
     },
     [] { SendMessageA(Application.Handle(), kProbe, 0, 0); }},
    {"message loop",
     [](std::function<bool()> onProbe) {
       return Application.HookMessages([onProbe](MSG& msg, bool& handled) {
         if (msg.message == kProbe) handled = onProbe();
       });
     },
     [] {
       PostMessageA(Application.Handle(), kProbe, 0, 0);
       Application.ProcessMessages();
     }},
};

TEST(WindowHooksTest, ApplicationHooksRemovedInAnyOrderLeaveExactlyTheOthers) {
  for (const AppChain& chain : kAppChains) {
    std::array<int, 3> order{0, 1, 2};
    do {
      SCOPED_TRACE(std::string(chain.name) + " " + char('A' + order[0]) + char('A' + order[1]) + char('A' + order[2]));
      std::string seen;
      std::array<THookOwner, 3> hooks;
      for (size_t i = 0; i < hooks.size(); ++i) {
        hooks[i] = chain.install([&seen, name = char('A' + i)] {
          seen += name;
          return false;
        });
      }
      ExpectRemovalsLeaveTheOthers(hooks, order, seen, chain.probe);
    } while (std::next_permutation(order.begin(), order.end()));
  }
}

TEST(WindowHooksTest, ApplicationHooksRemovedOrAnsweringWhileTheChainRuns) {
  struct Case {
    const char* name;
    char remover;        // the hook that removes (or 0)
    char removed;        // the hook it removes
    char answerer;       // the hook that answers the message (or 0)
    const char* first;   // seen during the message that removes
    const char* second;  // seen by the next message
  } cases[] = {
      {"removes itself", 'B', 'B', 0, "CBA", "CA"},
      {"removes an older one not reached yet", 'C', 'A', 0, "CB", "CB"},
      {"removes a newer one that already ran", 'A', 'C', 0, "CBA", "BA"},
      {"answers: older hooks do not see it", 0, 0, 'B', "CB", "CB"},
  };
  for (const AppChain& chain : kAppChains) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(chain.name) + ", " + c.name);
      std::string seen;
      std::array<THookOwner, 3> hooks;
      for (size_t i = 0; i < hooks.size(); ++i) {
        hooks[i] = chain.install([&seen, &hooks, &c, name = char('A' + i)] {
          if (name == c.remover) hooks[static_cast<size_t>(c.removed - 'A')].Remove();
          seen += name;
          return name == c.answerer;
        });
      }
      chain.probe();
      EXPECT_EQ(seen, c.first);
      seen.clear();
      chain.probe();
      EXPECT_EQ(seen, c.second);
    }
  }
}

}  // namespace
}  // namespace quendrel::toolkit
