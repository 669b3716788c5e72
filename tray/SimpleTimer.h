// TSimpleTimer: a timer without a window of its own. All simple timers of the process share one
// hidden window, made with the first timer and destroyed with the last.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace quendrel {

class TSimpleTimer;
using TSimpleTimerEvent = std::function<void(TSimpleTimer* Sender)>;

class TSimpleTimer {
 public:
  explicit TSimpleTimer(std::uint32_t period = 1000);
  ~TSimpleTimer();
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  bool Active() const { return active_; }
  // True starts, false stops.
  void SetActive(bool active);
  // Milliseconds. 0 keeps the timer from ticking without making it inactive.
  std::uint32_t Period() const { return period_; }
  void SetPeriod(std::uint32_t period);
  const TSimpleTimerEvent& OnElapsed() const { return onElapsed_; }
  // No handler: an active timer stops ticking but stays active; a new one makes it tick again.
  void SetOnElapsed(TSimpleTimerEvent handler);

  // Arms the system timer, restarting a running one; false for period 0 or a refusal.
  bool Start();
  // Disarms and clears Active.
  void Stop();
  // Armed with the system right now (Active and Armed differ while Period is 0 or no handler is set).
  bool Armed() const { return armed_; }
  // The system timer's identifier on the shared window.
  std::uint32_t Id() const { return id_; }

  // The shared window's bookkeeping: timers alive, timers armed, the window (null without timers).
  static std::uint32_t TimerCount();
  static std::uint32_t ArmedCount();
  static HWND TimerWindow();

 private:
  friend class TSimpleTimerHandler;
  void Disarm();
  void Elapsed();

  std::uint32_t id_ = 0;
  std::uint32_t period_;
  bool active_ = false;
  bool armed_ = false;
  TSimpleTimerEvent onElapsed_;
};

}  // namespace quendrel
