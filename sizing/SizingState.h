// The scaler's sizing state: which window messages start what, and how resize passes are kept
// from running inside one another.
#pragma once

#include <cstdint>

#include "sizing/ScalerTypes.h"

namespace quendrel::sizing {

enum TSizingState : uint8_t {
  ssIdle = 0,
  ssMaximizeRequested = 1,
  ssRestoreRequested = 2,
  ssScreenScaling = 3,
  ssScreenScalingPending = 4,
  ssResizing = 5,
};

// The window messages the hook looks at (Win32 values; the window side passes them through).
inline constexpr uint32_t kWmSize = 0x0005;
inline constexpr uint32_t kWmGetMinMaxInfo = 0x0024;
inline constexpr uint32_t kWmWindowPosChanging = 0x0046;
inline constexpr uint32_t kWmDisplayChange = 0x007E;
inline constexpr uint32_t kWmSysCommand = 0x0112;
inline constexpr uint32_t kWmEnterSizeMove = 0x0231;
inline constexpr uint32_t kWmExitSizeMove = 0x0232;
inline constexpr uint64_t kSizeRestored = 0;
inline constexpr uint64_t kSizeMaximized = 2;
inline constexpr uint64_t kScMaximize = 0xF030;
inline constexpr uint64_t kScRestore = 0xF120;

// What the hook does for one message before the previous window procedure sees it.
struct HookReaction {
  ScalerMessage Raise[2] = {};  // private messages to raise, in order
  int RaiseCount = 0;
  bool ClampPosition = false;   // WM_WINDOWPOSCHANGING: negative x and y become 0
  bool FillMinMaxInfo = false;  // WM_GETMINMAXINFO with MinimumSize, not while screen scaling
};

// The window side of a resize pass. The sizing state calls these in a pass's order.
class ResizePassHost {
public:
  virtual bool Enabled() const = 0;
  virtual SizeI FormOuterSize() const = 0;
  // BeforeSize: true when the pass may run (also when no handler is assigned).
  virtual bool AllowPass() = 0;
  // The pass proper: empty the font cache, stop alignment, hide the scroll bars, walk the form,
  // apply cached fonts, show the scroll bars, realign.
  virtual void RunPass() = 0;
  virtual void AfterSize() = 0;

protected:
  ~ResizePassHost() = default;
};

class SizingStateMachine {
public:
  uint8_t SizingState() const { return state_; }
  SizeI LastSize() const { return last_; }
  // The form's outer size differs from the one the last user move/size began with.
  bool SizeChanged(SizeI outer) const { return outer != last_; }
  bool PassRunning() const { return inPass_; }
  bool PassPending() const { return pending_; }

  HookReaction Filter(uint32_t msg, uint64_t wParam, bool minimumSize, bool sizeChanged) const;

  void Snapshot(SizeI outer);  // a user move/size begins
  void MaximizeRequested() { state_ = ssMaximizeRequested; }
  void RestoreRequested() { state_ = ssRestoreRequested; }
  void ScreenScalingAboutToStart() { state_ = ssScreenScalingPending; }
  void ScreenScalingStarted() { state_ = ssScreenScaling; }

  // One resize pass request: the entry test (Enabled and size changed), BeforeSize, the pass,
  // AfterSize. A request that arrives while one is being handled (the pass gives the message loop
  // turns) is not run inside it: it is remembered, and once the running one ends one more request
  // runs, with the entry test made then. Any number of such requests make one.
  void RequestPass(ResizePassHost& host);

private:
  uint8_t state_ = ssIdle;
  SizeI last_;
  bool inPass_ = false;
  bool pending_ = false;
};

}  // namespace quendrel::sizing
