// Window-less timers: the shared window, the armed count, ticks and stale ticks.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "tests/support/Pump.h"
#include "tray/SimpleTimer.h"

namespace quendrel::test {
namespace {

TEST(SimpleTimer, SharedWindowLivesFromTheFirstTimerToTheLast) {
  ASSERT_EQ(TSimpleTimer::TimerCount(), 0u);
  ASSERT_EQ(TSimpleTimer::TimerWindow(), nullptr);
  auto a = std::make_unique<TSimpleTimer>();
  const HWND window = TSimpleTimer::TimerWindow();
  ASSERT_NE(window, nullptr);
  auto b = std::make_unique<TSimpleTimer>(20);
  EXPECT_EQ(TSimpleTimer::TimerWindow(), window);
  EXPECT_EQ(TSimpleTimer::TimerCount(), 2u);
  EXPECT_EQ(a->Period(), 1000u);
  EXPECT_EQ(b->Period(), 20u);
  EXPECT_NE(a->Id(), b->Id());

  EXPECT_TRUE(a->Start());
  EXPECT_TRUE(b->Start());
  EXPECT_TRUE(b->Start());  // a restart arms once
  EXPECT_EQ(TSimpleTimer::ArmedCount(), 2u);
  a->Stop();
  a->Stop();
  EXPECT_EQ(TSimpleTimer::ArmedCount(), 1u);
  b.reset();  // freed while armed
  EXPECT_EQ(TSimpleTimer::ArmedCount(), 0u);
  a->Stop();
  EXPECT_EQ(TSimpleTimer::ArmedCount(), 0u);  // never below 0

  a.reset();
  EXPECT_EQ(TSimpleTimer::TimerCount(), 0u);
  EXPECT_EQ(TSimpleTimer::TimerWindow(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  TSimpleTimer again;
  EXPECT_NE(TSimpleTimer::TimerWindow(), nullptr);
}

TEST(SimpleTimer, PeriodZeroAndNoHandlerKeepItActiveButSilent) {
  TSimpleTimer timer(0);
  int ticks = 0;
  timer.SetOnElapsed([&](TSimpleTimer*) { ++ticks; });
  EXPECT_FALSE(timer.Start());
  EXPECT_FALSE(timer.Active());

  timer.SetPeriod(10);
  timer.SetActive(true);
  EXPECT_TRUE(timer.Active() && timer.Armed());
  timer.SetPeriod(0);
  EXPECT_TRUE(timer.Active());
  EXPECT_FALSE(timer.Armed());
  EXPECT_EQ(TSimpleTimer::ArmedCount(), 0u);
  timer.SetPeriod(10);  // a period again starts it again
  EXPECT_TRUE(timer.Armed());

  timer.SetOnElapsed(nullptr);
  EXPECT_TRUE(timer.Active());
  EXPECT_FALSE(timer.Armed());
  PumpFor(60);
  EXPECT_EQ(ticks, 0);

  timer.SetOnElapsed([&](TSimpleTimer*) { ++ticks; });
  PumpFor(100);
  EXPECT_GE(ticks, 2);
  timer.SetActive(false);
  EXPECT_FALSE(timer.Active() || timer.Armed());
}

TEST(SimpleTimer, ATickForAFreedTimerDoesNothing) {
  TSimpleTimer keeper;  // keeps the shared window
  bool ticked = false;
  auto gone = std::make_unique<TSimpleTimer>(10);
  gone->SetOnElapsed([&](TSimpleTimer*) { ticked = true; });
  gone->Start();
  const UINT_PTR id = gone->Id();
  gone.reset();
  PostMessageA(TSimpleTimer::TimerWindow(), WM_TIMER, id, 0);
  PumpFor(30);
  EXPECT_FALSE(ticked);

  // A handler may free its own timer.
  auto self = std::make_unique<TSimpleTimer>(10);
  self->SetOnElapsed([&](TSimpleTimer*) { self.reset(); });
  self->Start();
  PumpFor(60);
  EXPECT_EQ(self, nullptr);
  EXPECT_EQ(TSimpleTimer::ArmedCount(), 0u);
}

}  // namespace
}  // namespace quendrel::test
