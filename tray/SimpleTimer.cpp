#include "tray/SimpleTimer.h"

#include <memory>
#include <utility>
#include <stdexcept>

#include "toolkit/Dispatch.h"
#include "toolkit/WindowClass.h"
#include "tray/IdTable.h"

namespace quendrel {

namespace {
constexpr char kWindowClass[] = "Quendrel.TSimpleTimerHandler";
}  // namespace

// Owns the shared window. Ticks name their timer by a small identifier from the table, so a tick
// still queued for a freed timer finds nothing.
class TSimpleTimerHandler {
 public:
  TSimpleTimerHandler() {
    toolkit::RegisterWindowClass({.Name = kWindowClass, .Proc = &TSimpleTimerHandler::WindowProc});
    // Message-only: ticks keep coming while a menu tracks, and nothing shows.
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    if (window_ == nullptr) throw std::runtime_error("Not enough timers available");
  }
  ~TSimpleTimerHandler() { DestroyWindow(window_); }
  TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
  TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

  static TSimpleTimerHandler* Shared() { return shared_; }
  static TSimpleTimerHandler& Acquire() {
    if (shared_ == nullptr) shared_ = std::make_unique<TSimpleTimerHandler>().release();
    return *shared_;
  }
  static void ReleaseIfUnused() {
    if (shared_ != nullptr && shared_->timers.Count() == 0)
      std::unique_ptr<TSimpleTimerHandler>(std::exchange(shared_, nullptr)).reset();
  }

  HWND Window() const { return window_; }

  TIdTable<TSimpleTimer> timers;
  std::uint32_t armedCount = 0;

 private:
  // One per process, owned by the timers together: made with the first, freed with the last. Not a
  // static object with a destructor, which could go before timers freed during static destruction.
  static inline TSimpleTimerHandler* shared_ = nullptr;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
    toolkit::Guarded([wParam] {
      if (TSimpleTimerHandler* handler = Shared()) {
        if (TSimpleTimer* timer = handler->timers.Find(wParam)) timer->Elapsed();
      }
    });
    return 0;
  }

  HWND window_ = nullptr;  // owned
};

TSimpleTimer::TSimpleTimer(std::uint32_t period) : period_(period) {
  id_ = TSimpleTimerHandler::Acquire().timers.Add(this);
}

TSimpleTimer::~TSimpleTimer() {
  Disarm();
  if (TSimpleTimerHandler* handler = TSimpleTimerHandler::Shared()) handler->timers.Remove(id_);
  TSimpleTimerHandler::ReleaseIfUnused();
}

bool TSimpleTimer::Start() {
  if (period_ == 0) return false;
  Disarm();
  TSimpleTimerHandler* handler = TSimpleTimerHandler::Shared();
  if (handler == nullptr || SetTimer(handler->Window(), id_, period_, nullptr) == 0) return false;
  armed_ = true;
  active_ = true;
  ++handler->armedCount;
  return true;
}

void TSimpleTimer::Stop() {
  Disarm();
  active_ = false;
}

void TSimpleTimer::Disarm() {
  if (!armed_) return;
  armed_ = false;
  TSimpleTimerHandler* handler = TSimpleTimerHandler::Shared();
  if (handler != nullptr && KillTimer(handler->Window(), id_) && handler->armedCount > 0) --handler->armedCount;
}

void TSimpleTimer::SetActive(bool active) {
  if (active) {
    Start();
  } else {
    Stop();
  }
}

void TSimpleTimer::SetPeriod(std::uint32_t period) {
  if (period == period_) return;
  period_ = period;
  if (!active_) return;
  if (period_ == 0) {
    Disarm();
  } else {
    Start();
  }
}

void TSimpleTimer::SetOnElapsed(TSimpleTimerEvent handler) {
  onElapsed_ = std::move(handler);
  if (!onElapsed_ && active_) {
    Disarm();
  } else if (onElapsed_ && active_ && !armed_) {
    Start();
  }
}

void TSimpleTimer::Elapsed() {
  // A tick queued before the timer was disarmed is not a tick.
  if (!armed_ || !onElapsed_) return;
  // A copy: the handler may free this timer, and with it the member.
  const TSimpleTimerEvent handler = onElapsed_;
  handler(this);
}

std::uint32_t TSimpleTimer::TimerCount() {
  const TSimpleTimerHandler* handler = TSimpleTimerHandler::Shared();
  return handler ? static_cast<std::uint32_t>(handler->timers.Count()) : 0;
}

std::uint32_t TSimpleTimer::ArmedCount() {
  const TSimpleTimerHandler* handler = TSimpleTimerHandler::Shared();
  return handler ? handler->armedCount : 0;
}

HWND TSimpleTimer::TimerWindow() {
  const TSimpleTimerHandler* handler = TSimpleTimerHandler::Shared();
  return handler ? handler->Window() : nullptr;
}

}  // namespace quendrel
