// The folder-manager bridge across processes: the stand-in client serves the folder manager, the
// main window subscribes at Start and checks the folders when the client stores new mail.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/ProgramGlobals.h"
#include "tests/app/AppFixture.h"
#include "tests/msimn/StandInHarness.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Application.h"

namespace quendrel::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class BridgeAcrossProcesses : public AppTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(CloseClientWindow(5s)) << "a client window of an earlier test is still open";
    ASSERT_TRUE(server_.Registered());
    SetEnvironmentVariableA("QUENDREL_STANDIN_STORE", store_.Path().string().c_str());
    SetEnvironmentVariableA("QUENDREL_STANDIN_LOG", logPath_.c_str());
    QuietMailClient();
    ASSERT_TRUE(client_.Start("--receive 1"));
    window_ = WaitForClientWindow(10s);
    ASSERT_NE(window_, nullptr);
    MakeFolderKey("Inbox.dbx", true);
  }
  void TearDown() override {
    form_.reset();  // unsubscribes while the client still answers
    EXPECT_TRUE(CloseClientWindow(5s));
    SetEnvironmentVariableA("QUENDREL_STANDIN_STORE", nullptr);
    SetEnvironmentVariableA("QUENDREL_STANDIN_LOG", nullptr);
  }

  std::string Log() const { return ReadFile(logPath_); }
  // Send/Receive in the client; waits, handling this thread's messages (the events arrive as
  // calls into this apartment), until the client has told its subscribers.
  bool Receive(int nth) {
    PostMessageA(window_, WM_COMMAND, kSendReceiveWParam, kSendReceiveLParam);
    const std::string told = "OnNewMessage " + std::to_string(nth) + " to ";
    return WaitFor(
        [&] {
          toolkit::Application.ProcessMessages();
          return Log().find(told) != std::string::npos;
        },
        10s);
  }

  StandInComServer server_;
  ScratchDir logDir_{"bridge-log"};
  std::string logPath_ = logDir_.File("standin.log");
  StandInProcess client_;
  HWND window_ = nullptr;
};

TEST_F(BridgeAcrossProcesses, NewMailInTheClientAlertsOnceWhileRunningOnly) {
  SetSetting("alwaysalert", 0);
  TForm1& form = Launch();
  form.StartWork();
  ASSERT_TRUE(form.OEFolderManager1->Connected()) << form.OEFolderManager1->LastConnectError();
  EXPECT_EQ(AlertCount(), 0);  // the inbox is empty

  const auto posted = Clock::now();
  PostMessageA(window_, WM_COMMAND, kSendReceiveWParam, kSendReceiveLParam);
  ASSERT_TRUE(WaitFor(
      [&] {
        toolkit::Application.ProcessMessages();
        return AlertCount() >= 1;
      },
      10s))
      << Log();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - posted).count();
  std::printf("figure: Send/Receive posted -> alert through the bridge: %lld ms\n", static_cast<long long>(ms));
  EXPECT_EQ(AlertCount(), 1);
  EXPECT_EQ(AlertTexts().back(), "You got mail in Inbox");
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 3);

  form.Timer1Timer(&form);  // the next timer check knows the message already
  EXPECT_EQ(AlertCount(), 1);

  form.StopWork();
  ASSERT_TRUE(Receive(2)) << Log();
  toolkit::Application.ProcessMessages();
  EXPECT_EQ(AlertCount(), 1);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 1);
}

// With alwaysalert every event alerts on every watched folder holding unread mail.
TEST_F(BridgeAcrossProcesses, EveryEventAlertsEveryUnreadFolderWithAlwaysAlert) {
  SetSetting("alwaysalert", 1);
  WriteFolder("Work.dbx", {Message("Bob", UtcNoon(2024, 3, 5))});
  MakeFolderKey("Work.dbx", true);
  TForm1& form = Launch();
  form.StartWork();
  ASSERT_TRUE(form.OEFolderManager1->Connected()) << form.OEFolderManager1->LastConnectError();
  EXPECT_EQ(AlertCount(), 1);  // Work only: the inbox is still empty

  ASSERT_TRUE(Receive(1)) << Log();
  EXPECT_EQ(AlertCount(), 3);
  const int before = AlertCount();
  for (int nth = 2; nth <= 6; ++nth) ASSERT_TRUE(Receive(nth)) << Log();
  EXPECT_EQ(AlertCount() - before, 10);  // five events, two folders with unread mail
}

// The server going away while subscribed: the program goes on, and the next start finds a new one.
TEST_F(BridgeAcrossProcesses, ClientThatQuitsWhileSubscribed) {
  TForm1& form = Launch();
  form.StartWork();
  ASSERT_TRUE(form.OEFolderManager1->Connected());
  PostMessageA(window_, WM_CLOSE, 0, 0);
  // The client lets go of our sink on its way out: a call into this thread, answered while we wait.
  ASSERT_TRUE(WaitFor(
      [&] {
        toolkit::Application.ProcessMessages();
        return client_.WaitForExit(0ms);
      },
      10s));
  form.StopWork();
  // The next start lets the dead server go and asks COM for a running or new one. When that fails
  // (Wine: "RPC server unavailable" for the second activation) watching starts all the same, and the
  // user hears of it once: the server had answered since the last note.
  EXPECT_EQ(AnswerMessageBox([&] { form.StartWork(); }), "");
  const std::string told = BalloonText(form);
  EXPECT_TRUE(Working);
  EXPECT_TRUE(errors_.empty());
  if (!form.OEFolderManager1->Connected()) {
    EXPECT_NE(told.find("cannot reach the mail client's folder manager"), std::string::npos) << told;
    form.StopWork();
    form.TrayIcon1->ShowBalloonHint("", "");
    EXPECT_EQ(AnswerMessageBox([&] { form.StartWork(); }), "");
    EXPECT_EQ(BalloonText(form), " ");
  }
}

}  // namespace
}  // namespace quendrel::test
