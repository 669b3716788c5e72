// Alerts held back while the user runs a full-screen program (a presentation, a game, a film), and
// shown once it ends: one popup per folder that alerted meanwhile, stacked as usual, one sound.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/HeldAlerts.h"
#include "core/MailAlert.h"

namespace quendrel {

namespace toolkit {
class TComponent;
class TTimer;
}  // namespace toolkit

class AlertHold {
public:
  // How often a hold looks whether the full-screen program has gone.
  static constexpr unsigned kPollMs = 500;

  // The poll timer, made at the first hold, is owned by timerOwner. fullScreen: the system's
  // FullScreenProbe when empty.
  AlertHold(toolkit::TComponent& timerOwner, AlertOutputs outputs = {}, std::function<bool()> fullScreen = {});
  ~AlertHold();
  AlertHold(const AlertHold&) = delete;
  AlertHold& operator=(const AlertHold&) = delete;

  // ShowMailAlert now, or later when a full-screen program runs.
  void Alert(int32_t UnreadCount, const std::string& SenderText, const std::string& FolderText);
  bool Holding() const { return !held_.Empty(); }
  // Shows what is held once no full-screen program runs; true when it did.
  bool ReleaseWhenFree();
  // Forgets what is held: after "Stop" no popup is to come when the full-screen program ends.
  void Drop();

private:
  void Release();

  toolkit::TComponent& timerOwner_;
  AlertOutputs outputs_;
  std::function<bool()> fullScreen_;
  HeldAlerts held_;
  toolkit::TTimer* pollTimer_ = nullptr;  // owned by timerOwner_; runs only while something is held
};

}  // namespace quendrel
