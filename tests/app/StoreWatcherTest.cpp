// The store-folder watcher while running: new mail written by another writer is announced at once,
// other edits of the store are not, and nothing is watched while stopped.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/ProgramGlobals.h"
#include "tests/app/AppFixture.h"
#include "tests/msimn/StandInHarness.h"
#include "toolkit/Application.h"
#include "toolkit/Registry.h"
#include "toolkit/Timer.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

class StoreWatcherTest : public AppTest {
protected:
  // Handles this thread's messages for a while (the watcher reports through them).
  static void Pump(std::chrono::milliseconds period) {
    const auto end = Clock::now() + period;
    while (Clock::now() < end) {
      toolkit::Application.ProcessMessages();
      std::this_thread::sleep_for(5ms);
    }
  }
  bool PumpUntil(const std::function<bool()>& done) {
    return WaitFor(
        [&] {
          toolkit::Application.ProcessMessages();
          return done();
        },
        5s);
  }
  void Append(const dbx::MessageSpec& message) {
    const std::vector<dbx::MessageSpec> messages{message};
    ASSERT_TRUE(dbx::AppendMessages(StoreFile("Inbox.dbx"), messages));
  }
};

TEST_F(StoreWatcherTest, AppendedMailIsAnnouncedOtherEditsAreNot) {
  QuietMailClient();
  SetSetting("alwaysalert", 1);  // the watcher's check never alerts merely because mail is unread
  WriteFolder("Inbox.dbx", {Message("Ann", UtcNoon(2024, 3, 5))});
  MakeFolderKey("Inbox.dbx", true);
  TForm1& form = Launch();
  form.StartWork();
  ASSERT_TRUE(form.WatchingStoreFolder());
  ASSERT_EQ(AlertCount(), 1);  // the start's own check
  form.TrayIcon1->SetIconIndex(0);

  // Between changes the watcher only waits: no CPU time while this thread sleeps.
  const double idleCpu = ProcessCpuMs();
  Sleep(2000);
  std::printf("figure: CPU of the running program over 2 s idle with the watcher on: %.1f ms\n",
              ProcessCpuMs() - idleCpu);
  EXPECT_LT(ProcessCpuMs() - idleCpu, 50.0);

  const auto written = Clock::now();
  Append(Message("Bob", UtcNoon(2024, 3, 6)));
  ASSERT_TRUE(PumpUntil([&] { return AlertCount() >= 2; }));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - written).count();
  std::printf("figure: store write -> alert through the watcher: %lld ms\n", static_cast<long long>(ms));
  EXPECT_EQ(AlertTexts().back(), "You got mail in Inbox");
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 3);
  Pump(600ms);
  EXPECT_EQ(AlertCount(), 2);  // one write in several steps, one check

  // Ann marked read, Bob still unread and still the latest: an edit, not new mail.
  WriteFolder("Inbox.dbx", {Message("Ann", UtcNoon(2024, 3, 5), true), Message("Bob", UtcNoon(2024, 3, 6))});
  Pump(800ms);
  WriteFolder("Inbox.dbx", {Message("Ann", UtcNoon(2024, 3, 5), true), Message("Bob", UtcNoon(2024, 3, 6), true)});
  Pump(800ms);
  EXPECT_EQ(AlertCount(), 2);

  form.StopWork();
  EXPECT_FALSE(form.WatchingStoreFolder());
  Append(Message("Cid", UtcNoon(2024, 3, 7)));
  Pump(800ms);
  EXPECT_EQ(AlertCount(), 2);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(StoreWatcherTest, FolderThatCannotBeWatchedLeavesTheTimer) {
  QuietMailClient();
  {
    toolkit::Registry reg;
    reg.OpenKey("\\Software\\Microsoft\\Outlook Express", true);
    reg.WriteString("Store Root", store_.File("missing"));
  }
  TForm1& form = Launch();
  form.StartWork();
  EXPECT_TRUE(Working);
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_FALSE(form.WatchingStoreFolder());
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace quendrel::test
