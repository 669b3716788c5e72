#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "sizing/SizingState.h"

namespace quendrel::sizing {
namespace {

std::vector<ScalerMessage> Raised(const HookReaction& r) {
  return std::vector<ScalerMessage>(r.Raise, r.Raise + r.RaiseCount);
}

TEST(SizingStateFilter, MessagesRaiseThePrivateMessagesInOrder) {
  using enum ScalerMessage;
  using V = std::vector<ScalerMessage>;
  const struct {
    const char* what;
    uint8_t state;
    uint32_t msg;
    uint64_t wParam;
    bool sizeChanged;
    V expected;
  } cases[] = {
      {"maximized after a maximize command", ssMaximizeRequested, kWmSize, kSizeMaximized, false,
       V{ResizePass}},
      {"restored after a restore command", ssRestoreRequested, kWmSize, kSizeRestored, false, V{ResizePass}},
      {"restored after a maximize command", ssMaximizeRequested, kWmSize, kSizeRestored, false,
       V{ResizePass}},
      {"maximized without a command", ssIdle, kWmSize, kSizeMaximized, false, V{Maximize, ResizePass}},
      {"maximized during a pass", ssResizing, kWmSize, kSizeMaximized, false, V{Maximize, ResizePass}},
      {"restored at the end of a drag", ssIdle, kWmSize, kSizeRestored, true, V{}},
      {"minimized", ssRestoreRequested, kWmSize, 1, true, V{}},
      {"display change", ssIdle, kWmDisplayChange, 0, true, V{ResolutionChange}},
      {"maximize command (low bits set)", ssIdle, kWmSysCommand, kScMaximize | 2, false,
       V{Snapshot, Maximize}},
      {"restore command", ssIdle, kWmSysCommand, kScRestore, false, V{Snapshot, Restore}},
      {"minimize command", ssIdle, kWmSysCommand, 0xF020, false, V{}},
      {"drag begins", ssMaximizeRequested, kWmEnterSizeMove, 0, true, V{Snapshot}},
      {"drag ends at another size", ssIdle, kWmExitSizeMove, 0, true, V{ResizePass}},
      {"drag ends at its start size", ssIdle, kWmExitSizeMove, 0, false, V{}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SizingStateMachine s;
    if (c.state == ssMaximizeRequested) s.MaximizeRequested();
    if (c.state == ssRestoreRequested) s.RestoreRequested();
    if (c.state == ssResizing) {
      // Seen from inside a running pass.
      struct Host : ResizePassHost {
        SizingStateMachine& s;
        std::function<void()> inside;
        explicit Host(SizingStateMachine& m) : s(m) {}
        bool Enabled() const override { return true; }
        SizeI FormOuterSize() const override { return {1, 1}; }
        bool AllowPass() override { return true; }
        void RunPass() override { inside(); }
        void AfterSize() override {}
      } host(s);
      host.inside = [&] { EXPECT_EQ(Raised(s.Filter(c.msg, c.wParam, true, c.sizeChanged)), c.expected); };
      s.RequestPass(host);
      continue;
    }
    EXPECT_EQ(Raised(s.Filter(c.msg, c.wParam, true, c.sizeChanged)), c.expected);
  }
}

TEST(SizingStateFilter, PositionAndTrackingMessages) {
  SizingStateMachine s;
  EXPECT_TRUE(s.Filter(kWmWindowPosChanging, 0, false, false).ClampPosition);
  EXPECT_TRUE(s.Filter(kWmGetMinMaxInfo, 0, true, false).FillMinMaxInfo);
  EXPECT_FALSE(s.Filter(kWmGetMinMaxInfo, 0, false, false).FillMinMaxInfo);  // MinimumSize off
}

// A form whose pass is scripted: logs what the sizing state asks of it.
class ScriptedForm : public ResizePassHost {
public:
  explicit ScriptedForm(SizingStateMachine& s) : s_(s) {}
  bool Enabled() const override { return enabled; }
  SizeI FormOuterSize() const override { return outer; }
  bool AllowPass() override {
    log.push_back("before");
    if (duringBefore) std::exchange(duringBefore, nullptr)();
    return allow;
  }
  void RunPass() override {
    log.push_back("pass state " + std::to_string(s_.SizingState()));
    if (duringPass) {
      auto f = std::move(duringPass);
      f();
    }
  }
  void AfterSize() override { log.push_back("after"); }

  bool enabled = true;
  bool allow = true;
  SizeI outer{600, 400};
  std::function<void()> duringPass;
  std::function<void()> duringBefore;
  std::vector<std::string> log;

private:
  SizingStateMachine& s_;
};

using Log = std::vector<std::string>;

TEST(ResizePass, EntryTestBeforeSizeAndAfterSize) {
  SizingStateMachine s;
  s.Snapshot({600, 400});
  ScriptedForm form(s);
  s.RequestPass(form);  // size unchanged: nothing, no event either
  EXPECT_EQ(form.log, Log{});

  form.outer = {700, 500};
  form.enabled = false;
  s.RequestPass(form);
  EXPECT_EQ(form.log, Log{});

  form.enabled = true;
  form.allow = false;
  s.MaximizeRequested();
  s.RequestPass(form);  // refused: no pass, state unchanged, AfterSize still raised
  EXPECT_EQ(form.log, (Log{"before", "after"}));
  EXPECT_EQ(s.SizingState(), ssMaximizeRequested);

  form.log.clear();
  form.allow = true;
  s.RequestPass(form);
  EXPECT_EQ(form.log, (Log{"before", "pass state 5", "after"}));
  EXPECT_EQ(s.SizingState(), ssIdle);
  EXPECT_EQ(s.LastSize(), (SizeI{600, 400}));  // only a new move/size changes it
}

TEST(ResizePass, RequestsDuringAPassRunOnceAfterItNotInsideIt) {
  SizingStateMachine s;
  ScriptedForm form(s);
  form.duringPass = [&] {
    // A maximize arrives while the pass gives the message loop a turn: its state is kept for the
    // WM_SIZE that follows, and the two pass requests it brings make one deferred pass.
    s.MaximizeRequested();
    s.RequestPass(form);
    s.RequestPass(form);
    form.log.push_back(s.PassPending() ? "deferred" : "lost");
  };
  s.RequestPass(form);
  EXPECT_EQ(form.log,
            (Log{"before", "pass state 5", "deferred", "after", "before", "pass state 5", "after"}));
  EXPECT_EQ(s.SizingState(), ssIdle);
  EXPECT_FALSE(s.PassRunning());
  EXPECT_FALSE(s.PassPending());
}

TEST(ResizePass, DeferredRequestMakesItsEntryTestWhenItRuns) {
  SizingStateMachine s;
  ScriptedForm form(s);
  form.duringPass = [&] {
    s.RequestPass(form);
    s.Snapshot(form.outer);  // the user began a drag at the size the form has now
  };
  s.RequestPass(form);
  EXPECT_EQ(form.log, (Log{"before", "pass state 5", "after"}));  // no second pass
}

TEST(ResizePass, RequestFromAnEventHandlerWaitsForTheRunningRequest) {
  SizingStateMachine s;
  ScriptedForm form(s);
  form.duringBefore = [&] {
    s.RequestPass(form);
    form.log.push_back(s.PassPending() ? "deferred" : "ran inside");
  };
  s.RequestPass(form);
  EXPECT_EQ(form.log, (Log{"before", "deferred", "pass state 5", "after", "before", "pass state 5", "after"}));
}

TEST(ResizePass, FailingPassLeavesTheStateUsable) {
  SizingStateMachine s;
  ScriptedForm form(s);
  form.duringPass = [] { throw std::runtime_error("pass failed"); };
  EXPECT_THROW(s.RequestPass(form), std::runtime_error);
  EXPECT_FALSE(s.PassRunning());
  EXPECT_EQ(s.SizingState(), ssIdle);
  form.log.clear();
  s.RequestPass(form);
  EXPECT_EQ(form.log, (Log{"before", "pass state 5", "after"}));
}

}  // namespace
}  // namespace quendrel::sizing
