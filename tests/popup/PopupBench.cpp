// Figures of the alert popups under real timers (run by hand, not a test): time from ShowMailAlert
// to the first frames, CPU per animation tick and per popup life, the tick period achieved, and the
// GDI objects, windows and working set around 1,000 popups.
//   popup_bench.exe [TIMEOUT_SECONDS]   (the popups' wait; 10 as the program has it, 1 by default)
#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/MailAlert.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "popup/NotifyPopup.h"
#include "popup/NotifyPopupForm.h"
#include "tests/support/PrivateRegistry.h"
#include "tests/toolkit/GdiObjectCount.h"
#include "tests/toolkit/ThreadWindowCount.h"
#include "toolkit/Application.h"
#include "toolkit/Registry.h"
#include "toolkit/Timer.h"

using namespace quendrel;
using popup::TfrmNotifyPopup;
using popup::TNotifyPopup;
using toolkit::Application;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& f) { return (ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return double(ticks(kernel) + ticks(user)) / 10000.0;
}

double WorkingSetMb() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return double(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

std::vector<TfrmNotifyPopup*> Windows() {
  std::vector<TfrmNotifyPopup*> found;
  for (int i = 0; i < Application.ComponentCount(); ++i)
    if (auto* w = dynamic_cast<TfrmNotifyPopup*>(Application.Components(i))) found.push_back(w);
  return found;
}

void FreeAlertComponents() {
  for (int i = Application.ComponentCount() - 1; i >= 0; --i)
    if (dynamic_cast<TNotifyPopup*>(Application.Components(i)) != nullptr) Application.Components(i)->Free();
}

void WaitUntilNoPopups(int maxSeconds) {
  const auto until = Clock::now() + std::chrono::seconds(maxSeconds);
  while (!Windows().empty() && Clock::now() < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application.ProcessMessages();
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int timeOut = argc > 1 ? std::atoi(argv[1]) : 1;
  test::PrivateCurrentUser privateHkcu;
  {
    toolkit::Registry reg;
    reg.OpenKey(kProgramKey, true);
    reg.WriteBool("alwayssound", true);
  }
  // Warm-up: window classes, fonts, the sound system.
  ShowMailAlert(1, "Ann", "Inbox");
  for (TfrmNotifyPopup* w : Windows()) w->Close();
  Application.ProcessMessages();
  FreeAlertComponents();
  PopupCount = 0;

  // The parts of an alert: the sound call, and the popup without the alert around it.
  {
    std::vector<double> sound, popupOnly;
    TNotifyPopup* c = new TNotifyPopup(&Application);
    for (int i = 0; i < 20; ++i) {
      auto start = Clock::now();
      PlaySoundA(kAlertSound, nullptr, SND_ASYNC);
      sound.push_back(Ms(Clock::now() - start));
      start = Clock::now();
      c->OpenPopup();
      popupOnly.push_back(Ms(Clock::now() - start));
      Windows().back()->Close();
      Application.ProcessMessages();
    }
    std::sort(sound.begin(), sound.end());
    std::sort(popupOnly.begin(), popupOnly.end());
    std::printf("PlaySound(\"gotmail.wav\", SND_ASYNC): median %.2f ms; OpenPopup alone: median %.2f ms\n",
                sound[10], popupOnly[10]);
    c->Free();
    PopupCount = 0;
  }

  // From the call to the first frame on screen (1 pixel, collapsed) and to the first slide step.
  std::vector<double> toShown, toFirstStep;
  for (int i = 0; i < 20; ++i) {
    const auto start = Clock::now();
    ShowMailAlert(1, "Ann", "Inbox");
    TfrmNotifyPopup* w = Windows().back();
    UpdateWindow(w->Handle());
    toShown.push_back(Ms(Clock::now() - start));
    const int height = w->Height();
    while (w->Height() == height) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      Application.ProcessMessages();
    }
    UpdateWindow(w->Handle());
    toFirstStep.push_back(Ms(Clock::now() - start));
    w->Close();
    Application.ProcessMessages();
  }
  std::sort(toShown.begin(), toShown.end());
  std::sort(toFirstStep.begin(), toFirstStep.end());
  std::printf("ShowMailAlert to the window on screen (painted, 1 px): median %.2f ms (min %.2f, max %.2f)\n",
              toShown[10], toShown.front(), toShown.back());
  std::printf("ShowMailAlert to the first slide step painted: median %.2f ms (min %.2f, max %.2f)\n",
              toFirstStep[10], toFirstStep.front(), toFirstStep.back());
  FreeAlertComponents();
  PopupCount = 0;

  // One whole life on the real timers, its ticks timed.
  std::vector<Clock::time_point> ticks;
  std::vector<double> tickCpu;
  TNotifyPopup* component = new TNotifyPopup(&Application);
  component->SetTimeOut(timeOut);
  const double cpuBefore = ThreadCpuMs();
  const auto lifeStart = Clock::now();
  component->OpenPopup();
  TfrmNotifyPopup* w = Windows().back();
  for (toolkit::TTimer* timer : {w->tmrScroll, w->tmrScrollDown}) {
    auto handler = timer->OnTimer;
    timer->OnTimer = [handler, &ticks, &tickCpu](toolkit::TComponent* sender) {
      ticks.push_back(Clock::now());
      // One thread doing nothing else: the handler's wall time is its CPU time (the thread times
      // Wine reports move in 10 ms steps).
      const auto before = Clock::now();
      handler(sender);
      UpdateWindow(Windows().empty() ? nullptr : Windows().back()->Handle());
      tickCpu.push_back(Ms(Clock::now() - before));
    };
  }
  WaitUntilNoPopups(timeOut + 30);
  const double lifeMs = Ms(Clock::now() - lifeStart);
  const double lifeCpu = ThreadCpuMs() - cpuBefore;
  std::vector<double> periods;
  for (size_t i = 1; i < ticks.size(); ++i) {
    const double gap = Ms(ticks[i] - ticks[i - 1]);
    if (gap < 500) periods.push_back(gap);  // not the wait between the slides
  }
  std::sort(periods.begin(), periods.end());
  std::sort(tickCpu.begin(), tickCpu.end());
  double periodSum = 0;
  for (double p : periods) periodSum += p;
  std::printf("one popup's life (TimeOut %d s): %.0f ms wall, %.1f ms CPU of this thread; %zu slide ticks\n",
              timeOut, lifeMs, lifeCpu, ticks.size());
  if (!periods.empty()) {
    std::printf("tick period asked 25 ms, achieved: mean %.2f ms, median %.2f ms, min %.2f, max %.2f\n",
                periodSum / double(periods.size()), periods[periods.size() / 2], periods.front(), periods.back());
    std::printf("one tick's handler (move, resize, repaint), wall time on the one thread: "
                "median %.3f ms, max %.3f ms\n",
                tickCpu[tickCpu.size() / 2], tickCpu.back());
  }
  FreeAlertComponents();

  // 1,000 popups opened and closed (clicked during the slide-in), objects and memory before and after.
  PopupCount = 0;
  const DWORD gdiBefore = toolkit::GdiObjectCount();
  const int windowsBefore = toolkit::ThreadWindowCount();
  const double wsBefore = WorkingSetMb();
  const auto manyStart = Clock::now();
  for (int i = 0; i < 1000; ++i) {
    ShowMailAlert(1, "Ann", "Inbox");
    TfrmNotifyPopup* popup = Windows().back();
    popup->tmrScroll->OnTimer(popup->tmrScroll);
    popup->Close();
    Application.ProcessMessages();
  }
  // The alerts' components stay with the application, as in the program.
  std::printf("1,000 alerts shown and closed: %.1f s; GDI objects %lu -> %lu; windows %d -> %d; "
              "working set %.2f -> %.2f MB with the 1,000 components kept; PopupCount %d\n",
              std::chrono::duration<double>(Clock::now() - manyStart).count(), gdiBefore,
              toolkit::GdiObjectCount(), windowsBefore, toolkit::ThreadWindowCount(), wsBefore, WorkingSetMb(),
              int(PopupCount));
  FreeAlertComponents();
  std::printf("after freeing the components: GDI objects %lu, working set %.2f MB\n", toolkit::GdiObjectCount(),
              WorkingSetMb());
  return 0;
}
