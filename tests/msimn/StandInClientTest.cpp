// The stand-in mail client as the program meets it: a window found by class, commands posted from
// another process, and an Inbox.dbx that grows while it is read.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "store/DbxReader.h"
#include "tests/msimn/StandInHarness.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Registry.h"

namespace quendrel::test {
namespace {

using namespace std::chrono_literals;

std::vector<Toe5_MessageInfo> ReadMessages(const std::string& path) {
  DbxItemList items;
  LoadDbxItems(path, &items);
  std::vector<Toe5_MessageInfo> messages;
  for (auto& item : items) {
    if (auto* message = std::get_if<Toe5_MessageInfo>(&item)) messages.push_back(*message);
  }
  return messages;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Each test runs its own client with its own store and log, passed on through the environment.
class StandInClient : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(CloseClientWindow(5s)) << "a client window of an earlier test is still open";
    SetEnvironmentVariableA("QUENDREL_STANDIN_STORE", store_.Path().string().c_str());
    SetEnvironmentVariableA("QUENDREL_STANDIN_LOG", logPath_.c_str());
  }
  void TearDown() override {
    EXPECT_TRUE(CloseClientWindow(5s));
    SetEnvironmentVariableA("QUENDREL_STANDIN_STORE", nullptr);
    SetEnvironmentVariableA("QUENDREL_STANDIN_LOG", nullptr);
  }

  std::string Log() const { return FileExists(logPath_) ? ReadFile(logPath_) : std::string(); }
  bool LogHas(const std::string& text) const { return Log().find(text) != std::string::npos; }

  ScratchDir store_{"msimn-store"};
  ScratchDir logDir_{"msimn-log"};
  std::string logPath_ = logDir_.File("standin.log");
  std::string inbox_ = store_.File("Inbox.dbx");
};

TEST_F(StandInClient, CreatesStoreAndReceivesUnreadMailOnSendReceive) {
  StandInProcess client;
  ASSERT_TRUE(client.Start());
  HWND window = WaitForClientWindow(10s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "Outlook Express"), window);

  for (const char* name : {"Inbox.dbx", "Outbox.dbx", "Sent Items.dbx", "Deleted Items.dbx", "Folders.dbx"}) {
    EXPECT_TRUE(FileExists(store_.File(name))) << name;
  }
  EXPECT_TRUE(ReadMessages(inbox_).empty());

  for (size_t expected = 1; expected <= 2; ++expected) {
    SCOPED_TRACE("Send/Receive " + std::to_string(expected));
    ASSERT_TRUE(PostMessageA(window, WM_COMMAND, kSendReceiveWParam, kSendReceiveLParam));
    ASSERT_TRUE(WaitFor([&] { return ReadMessages(inbox_).size() >= expected; }, 10s));
    std::vector<Toe5_MessageInfo> messages = ReadMessages(inbox_);
    ASSERT_EQ(messages.size(), expected);
    const Toe5_MessageInfo& latest = messages.back();
    EXPECT_FALSE(latest.IsRead());
    EXPECT_FALSE(latest.SenderName.empty());
    EXPECT_NE(latest.Subject.find("#" + std::to_string(expected)), std::string::npos) << latest.Subject;
    EXPECT_NE(latest.ReceivedTime.Ticks(), 0u);
  }
  EXPECT_TRUE(LogHas("WM_COMMAND 40193 lParam=0x003A00D8")) << Log();

  // The menu's "Mark all read" keeps every message and sets its read flag.
  const std::vector<Toe5_MessageInfo> before = ReadMessages(inbox_);
  ASSERT_TRUE(PostMessageA(window, WM_COMMAND, 40194, 0));
  ASSERT_TRUE(WaitFor([&] { return LogHas("marked all read"); }, 10s)) << Log();
  const std::vector<Toe5_MessageInfo> after = ReadMessages(inbox_);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_TRUE(after[i].IsRead()) << i;
    EXPECT_EQ(after[i].Subject, before[i].Subject) << i;
    EXPECT_EQ(after[i].SenderName, before[i].SenderName) << i;
    EXPECT_EQ(after[i].ReceivedTime, before[i].ReceivedTime) << i;
  }
}

TEST_F(StandInClient, HiddenWindowIsShownBySecondStartAndCloseEndsProcess) {
  StandInProcess client;
  ASSERT_TRUE(client.Start());
  HWND window = WaitForClientWindow(10s);
  ASSERT_NE(window, nullptr);

  // How the program hides the client: minimize, then hide.
  ShowWindow(window, SW_SHOWMINIMIZED);
  ShowWindow(window, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(IsIconic(window));

  StandInProcess second;
  ASSERT_TRUE(second.Start());
  ASSERT_TRUE(second.WaitForExit(10s));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }, 5s));
  EXPECT_EQ(FindWindowA(kClientClass, nullptr), window);
  EXPECT_TRUE(LogHas("second start")) << Log();

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(client.WaitForExit(10s));
  EXPECT_EQ(FindWindowA(kClientClass, nullptr), nullptr);
}

TEST_F(StandInClient, ShellOpenFindsRegisteredClient) {
  StandInAppPath appPath;
  ASSERT_TRUE(appPath.Registered());
  // Exactly the program's call: no owner, "open", bare file name, empty parameters and folder.
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", "msimn.exe", "", "", SW_SHOW));
  EXPECT_GT(result, 32);
  HWND window = WaitForClientWindow(10s);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(WaitFor([&] { return FileExists(inbox_); }, 5s));
}

// A reader polling the Inbox while the client appends message after message must only ever see a
// whole earlier state: never fewer messages than before, never a message that is not one we sent.
TEST_F(StandInClient, ReaderDuringLongReceiveSeesOnlyWholeStates) {
  constexpr size_t kMessages = 200;
  StandInProcess client;
  ASSERT_TRUE(client.Start("--receive " + std::to_string(kMessages)));
  HWND window = WaitForClientWindow(10s);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PostMessageA(window, WM_COMMAND, kSendReceiveWParam, kSendReceiveLParam));

  size_t lastCount = 0;
  size_t reads = 0;
  size_t faults = 0;
  const auto deadline = std::chrono::steady_clock::now() + 120s;
  while (lastCount < kMessages && std::chrono::steady_clock::now() < deadline && faults < 10) {
    std::vector<Toe5_MessageInfo> messages = ReadMessages(inbox_);
    ++reads;
    if (messages.size() < lastCount) {
      ADD_FAILURE() << "read " << reads << ": " << messages.size() << " messages after " << lastCount;
      ++faults;
    }
    for (size_t i = 0; i < messages.size(); ++i) {
      const std::string expectedTail = "#" + std::to_string(i + 1);
      const std::string_view subject = messages[i].Subject;
      if (messages[i].IsRead() || subject.size() < expectedTail.size() ||
          subject.compare(subject.size() - expectedTail.size(), expectedTail.size(), expectedTail) != 0) {
        ADD_FAILURE() << "read " << reads << ", message " << i << ": subject \"" << subject << "\", flags "
                      << messages[i].Flags;
        ++faults;
        break;
      }
    }
    lastCount = std::max(lastCount, messages.size());
  }
  EXPECT_EQ(lastCount, kMessages);
  EXPECT_TRUE(WaitFor([&] { return LogHas("received 200 inbox=200"); }, 10s)) << Log();
  std::printf("concurrent reader: %zu loads while %zu messages arrived\n", reads, kMessages);
}

// Values written to the real HKEY_CURRENT_USER (the one msimn.exe sees), removed again however the
// test ends.
class RealRegistryValues {
public:
  static constexpr char kClientKey[] = "Software\\Microsoft\\Outlook Express";
  static constexpr char kSettingsKey[] = "Software\\QuendrelStandIn";

  RealRegistryValues() { Remove(); }
  ~RealRegistryValues() { Remove(); }
  RealRegistryValues(const RealRegistryValues&) = delete;
  RealRegistryValues& operator=(const RealRegistryValues&) = delete;

  bool Set(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    RealCurrentUser real;
    return toolkit::SetKeyValue(HKEY_CURRENT_USER, path, name, type, data, size) == ERROR_SUCCESS;
  }
  std::string Text(const char* path, const char* name, DWORD* type) {
    RealCurrentUser real;
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    if (toolkit::GetKeyValue(HKEY_CURRENT_USER, path, name, type, buffer, &size) != ERROR_SUCCESS ||
        (*type != REG_SZ && *type != REG_EXPAND_SZ)) {
      return {};
    }
    return buffer;
  }

private:
  static void Remove() {
    RealCurrentUser real;
    toolkit::DeleteKeyValue(HKEY_CURRENT_USER, kClientKey, "Store Root");
    toolkit::DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
  }
};

TEST_F(StandInClient, FollowsStoreRootAndReceiveCountInRegistry) {
  RealRegistryValues registry;
  SetEnvironmentVariableA("QUENDREL_STANDIN_STORE", nullptr);
  SetEnvironmentVariableA("QUENDREL_TEST_STORE", store_.Path().string().c_str());
  const char root[] = "%QUENDREL_TEST_STORE%";
  ASSERT_TRUE(registry.Set(RealRegistryValues::kClientKey, "Store Root", REG_EXPAND_SZ, root, sizeof root));
  const DWORD receive = 3;
  ASSERT_TRUE(registry.Set(RealRegistryValues::kSettingsKey, "receive", REG_DWORD, &receive, sizeof receive));

  StandInProcess client;
  ASSERT_TRUE(client.Start());
  HWND window = WaitForClientWindow(10s);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(FileExists(inbox_));
  ASSERT_TRUE(PostMessageA(window, WM_COMMAND, kSendReceiveWParam, kSendReceiveLParam));
  EXPECT_TRUE(WaitFor([&] { return LogHas("received 3 inbox=3"); }, 10s)) << Log();
  EXPECT_EQ(ReadMessages(inbox_).size(), 3u);
}

TEST_F(StandInClient, WithoutStoreRootCreatesOneAndRecordsIt) {
  RealRegistryValues registry;
  SetEnvironmentVariableA("QUENDREL_STANDIN_STORE", nullptr);
  StandInProcess client;
  ASSERT_TRUE(client.Start());
  ASSERT_NE(WaitForClientWindow(10s), nullptr);

  DWORD type = 0;
  const std::string stored = registry.Text(RealRegistryValues::kClientKey, "Store Root", &type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(stored.rfind("%LOCALAPPDATA%\\Identities\\{", 0), 0u) << stored;
  char expanded[1024] = {};
  ExpandEnvironmentStringsA(stored.c_str(), expanded, sizeof expanded);
  EXPECT_TRUE(FileExists(std::string(expanded) + "\\Inbox.dbx")) << expanded;
  EXPECT_TRUE(WaitFor([&] { return LogHas(std::string("store=") + expanded); }, 5s)) << Log();
}

}  // namespace
}  // namespace quendrel::test
