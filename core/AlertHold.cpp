#include "core/AlertHold.h"

#include "core/FullScreenCheck.h"
#include "toolkit/Timer.h"

namespace quendrel {

AlertHold::AlertHold(toolkit::TComponent& timerOwner, AlertOutputs outputs, std::function<bool()> fullScreen)
    : timerOwner_(timerOwner), outputs_(std::move(outputs)), fullScreen_(std::move(fullScreen)) {
  if (!fullScreen_) fullScreen_ = [probe = FullScreenProbe()] { return probe.UserIsFullScreen(); };
}

AlertHold::~AlertHold() {
  if (pollTimer_ != nullptr) pollTimer_->Free();
}

void AlertHold::Alert(int32_t UnreadCount, const std::string& SenderText, const std::string& FolderText) {
  if (!fullScreen_()) {
    if (!Holding()) {
      ShowMailAlert(UnreadCount, SenderText, FolderText, outputs_);
      return;
    }
    // The poll has not come round since the full-screen program went: this alert joins the rest.
    held_.Hold({UnreadCount, SenderText, FolderText});
    Release();
    return;
  }
  held_.Hold({UnreadCount, SenderText, FolderText});
  if (pollTimer_ == nullptr) {
    pollTimer_ = new toolkit::TTimer(&timerOwner_);
    pollTimer_->SetInterval(kPollMs);
    pollTimer_->OnTimer = [this](toolkit::TComponent*) { ReleaseWhenFree(); };
  }
  pollTimer_->SetEnabled(true);
}

bool AlertHold::ReleaseWhenFree() {
  if (!Holding() || fullScreen_()) return false;
  Release();
  return true;
}

void AlertHold::Drop() {
  if (pollTimer_ != nullptr) pollTimer_->SetEnabled(false);
  held_.Release();
}

void AlertHold::Release() {
  if (pollTimer_ != nullptr) pollTimer_->SetEnabled(false);
  // Each popup reads alwayssound as usual; the sound it would play comes once, after the last.
  bool soundWanted = false;
  AlertOutputs silent = outputs_;
  silent.playSound = [&soundWanted](const char*) { soundWanted = true; };
  for (const HeldAlert& alert : held_.Release()) {
    ShowMailAlert(alert.unread, alert.sender, alert.folder, silent);
  }
  if (soundWanted) PlayAlertSound(outputs_);
}

}  // namespace quendrel
