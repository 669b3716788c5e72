#include "client/MailClient.h"

#include <gtest/gtest.h>

#include <functional>

namespace quendrel {
namespace {

// A top-level window of this process standing in for the mail client's.
class TestWindow {
public:
  TestWindow(const char* className, const char* title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);  // a second registration of the class fails harmlessly
    hwnd_ = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            wc.hInstance, nullptr);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
  }
  ~TestWindow() { DestroyWindow(hwnd_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return hwnd_; }
  bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

private:
  HWND hwnd_;
};

// True when a WM_COMMAND of Send/Receive waits in the window's queue; removes it.
bool SendReceivePosted(HWND window) {
  MSG msg;
  bool found = false;
  while (PeekMessageA(&msg, window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    found = found || (msg.wParam == 40193 && msg.lParam == 0x003A00D8);
  }
  return found;
}

TEST(MailClient, OperationsOnTheClientWindow) {
  TestWindow client(kMailClientClass, "Inbox - Outlook Express");
  ASSERT_EQ(FindMailClientWindow(), client.get());

  HideMailClientWindow(client.get());
  EXPECT_FALSE(client.Visible());
  EXPECT_TRUE(IsIconic(client.get()));
  ShowMailClientWindow(client.get());
  EXPECT_TRUE(client.Visible());

  PostSendReceive(client.get());
  EXPECT_TRUE(SendReceivePosted(client.get()));
}

TEST(MailClient, SendReceiveWindowIsFoundByItsExactTitle) {
  TestWindow client(kMailClientClass, "Inbox - Outlook Express");
  TestWindow progress("QuendrelTestProgress", "Outlook Express");
  HideSendReceiveWindow();
  EXPECT_FALSE(progress.Visible());
  EXPECT_TRUE(client.Visible());
}

TEST(MailClient, NothingHappensWithoutAClient) {
  ASSERT_EQ(FindMailClientWindow(), nullptr);
  HideSendReceiveWindow();
  ReceiveAndSendCommand();
  HideOutlookExpressCommand();
  HideOptionChanged(true);
  HideOptionChanged(false);
  RevealMailClientOnQuit();
  // Unregistered here: the shell answers "file not found" at once instead of hanging.
  DWORD start = GetTickCount();
  StartMailClient();
  EXPECT_LT(GetTickCount() - start, 20000u);  // against a hang only; a loaded machine may take seconds
}

TEST(MailClient, MenuAndCheckBoxCommands) {
  const struct {
    const char* what;
    bool hiddenBefore;
    std::function<void()> command;
    bool visibleAfter;
    bool posted;
  } cases[] = {
      {"show item on a hidden client", true, ShowOutlookExpressCommand, true, false},
      {"hide item", false, HideOutlookExpressCommand, false, false},
      {"receive/send item", false, ReceiveAndSendCommand, true, true},
      {"hide box ticked", false, [] { HideOptionChanged(true); }, false, false},
      {"hide box unticked on a hidden client", true, [] { HideOptionChanged(false); }, true, false},
      {"quit with the client hidden", true, RevealMailClientOnQuit, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestWindow client(kMailClientClass, "Inbox - Outlook Express");
    if (c.hiddenBefore) HideMailClientWindow(client.get());
    c.command();
    EXPECT_EQ(client.Visible(), c.visibleAfter);
    EXPECT_EQ(SendReceivePosted(client.get()), c.posted);
  }
}

}  // namespace
}  // namespace quendrel
