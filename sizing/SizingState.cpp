#include "sizing/SizingState.h"

namespace quendrel::sizing {

HookReaction SizingStateMachine::Filter(uint32_t msg, uint64_t wParam, bool minimumSize,
                                        bool sizeChanged) const {
  HookReaction r;
  auto raise = [&r](ScalerMessage m) { r.Raise[r.RaiseCount++] = m; };
  const bool commanded = state_ == ssMaximizeRequested || state_ == ssRestoreRequested;
  switch (msg) {
    case kWmGetMinMaxInfo:
      // While the form is scaled to the screen the old minimum (the design size scaled, frame
      // included) may exceed the size being set, and Wine holds a window to it.
      r.FillMinMaxInfo = minimumSize && state_ != ssScreenScaling;
      break;
    case kWmSize:
      if (commanded && (wParam == kSizeRestored || wParam == kSizeMaximized)) {
        raise(ScalerMessage::ResizePass);
      } else if (wParam == kSizeMaximized) {
        raise(ScalerMessage::Maximize);
        raise(ScalerMessage::ResizePass);
      }
      break;
    case kWmWindowPosChanging:
      r.ClampPosition = true;
      break;
    case kWmDisplayChange:
      raise(ScalerMessage::ResolutionChange);
      break;
    case kWmSysCommand:
      // The low four bits of a system command are the system's own. A maximize or restore command
      // begins a change of size as a user's move/size does: the size before it is the one the pass
      // compares with (a snapshot from an earlier move would equal the restored size, and a restore
      // after a maximize would leave the controls at the maximized scale).
      if ((wParam & ~uint64_t{0xF}) == kScMaximize) {
        raise(ScalerMessage::Snapshot);
        raise(ScalerMessage::Maximize);
      }
      if ((wParam & ~uint64_t{0xF}) == kScRestore) {
        raise(ScalerMessage::Snapshot);
        raise(ScalerMessage::Restore);
      }
      break;
    case kWmEnterSizeMove:
      raise(ScalerMessage::Snapshot);
      break;
    case kWmExitSizeMove:
      if (sizeChanged) raise(ScalerMessage::ResizePass);
      break;
    default:
      break;
  }
  return r;
}

void SizingStateMachine::Snapshot(SizeI outer) {
  last_ = outer;
  state_ = ssIdle;
}

void SizingStateMachine::RequestPass(ResizePassHost& host) {
  if (inPass_) {
    pending_ = true;
    return;
  }
  struct Guard {
    SizingStateMachine& s;
    ~Guard() {
      s.inPass_ = false;
      if (s.state_ == ssResizing) s.state_ = ssIdle;
    }
  };
  inPass_ = true;
  Guard guard{*this};
  try {
    do {
      pending_ = false;
      if (!host.Enabled() || !SizeChanged(host.FormOuterSize())) continue;
      if (host.AllowPass()) {
        state_ = ssResizing;
        host.RunPass();
        // A maximize or restore command that came in during the pass keeps its state for the
        // WM_SIZE that follows it.
        if (state_ == ssResizing) state_ = ssIdle;
      }
      host.AfterSize();
    } while (pending_);
  } catch (...) {
    pending_ = false;
    throw;
  }
}

}  // namespace quendrel::sizing
