#include "toolkit/Timer.h"

#include <stdexcept>

#include "toolkit/Dispatch.h"
#include "toolkit/Properties.h"
#include "toolkit/WindowClass.h"

namespace quendrel::toolkit {
namespace {

constexpr char kWindowClass[] = "Quendrel.TTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() {
  Stop();
  if (window_ != nullptr) DestroyWindow(window_);
}

const TPropertyList& TTimer::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TComponent::ClassProperties();
    using C = TTimer;
    l.Integer<C>("Interval", [](const C& c) { return c.Interval(); },
                 [](C& c, auto v) { c.SetInterval(static_cast<unsigned>(v)); }, "Cardinal");
    l.Boolean<C>("Enabled", [](const C& c) { return c.Enabled(); }, [](C& c, auto v) { c.SetEnabled(v != 0); });
    return l;
  }();
  return list;
}

void TTimer::SetInterval(unsigned interval) {
  if (interval == interval_) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::Loaded() { UpdateTimer(); }

void TTimer::Stop() {
  if (running_ && window_ != nullptr) KillTimer(window_, kTimerId);
  running_ = false;
}

void TTimer::UpdateTimer() {
  Stop();
  // A loading timer starts when loading ends.
  if (!enabled_ || interval_ == 0 || Loading()) return;
  if (window_ == nullptr) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass({.Name = kWindowClass, .Proc = &TTimer::WndProcThunk});
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (window_ == nullptr) throw std::runtime_error("Not enough timers available");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  if (SetTimer(window_, kTimerId, interval_, nullptr) == 0) throw std::runtime_error("Not enough timers available");
  running_ = true;
}

LRESULT CALLBACK TTimer::WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (timer != nullptr && timer->running_ && timer->OnTimer) {
      TDispatchScope scope(timer);
      // A copy: the handler may free the timer, and the form it is on, while it runs.
      Guarded([handler = timer->OnTimer, timer] { handler(timer); });
    }
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace quendrel::toolkit
