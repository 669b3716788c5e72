// TTimer: a window-message timer component.
#pragma once

#include <windows.h>

#include "toolkit/Component.h"
#include "toolkit/Control.h"

namespace quendrel::toolkit {

// Ticks arrive as WM_TIMER on a hidden message-only window of the timer's own, so they keep
// coming while a menu tracks (thread timers without a window are lost then).
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  // Milliseconds; 0 never ticks.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned interval);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Running() const { return running_; }

  TNotifyEvent OnTimer;

protected:
  void Loaded() override;

private:
  static LRESULT CALLBACK WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void UpdateTimer();
  void Stop();

  unsigned interval_ = 1000;
  bool enabled_ = true;
  bool running_ = false;
  HWND window_ = nullptr;  // owned
};

}  // namespace quendrel::toolkit
